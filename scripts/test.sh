#!/usr/bin/env bash
# Installs what is needed, builds Zandor with warnings as errors, and runs
# every test, then the fuzz targets:
#   1. the engine's threading tests and the session storms under
#      ThreadSanitizer (build-tsan/);
#   2. zandor-find, the Qt-free layers and their tests (but the hostile
#      trees) in a build without Qt (build-noqt/);
#   3. the whole suite in the ordinary build (build/), the one that ships;
#   4. the whole suite (but the packaging tests) again under AddressSanitizer
#      (leaks included) and UndefinedBehaviorSanitizer (build-asan/), programs
#      it starts included;
#   5. each fuzz target for $ZANDOR_FUZZ_SECONDS seconds (10 by default) from
#      its seed corpus, with clang and libFuzzer (scripts/fuzz.sh).
# Any failure, and any sanitizer report, fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/bootstrap.sh

# Any data race between the walk, its read-ahead helpers, its sinks and Stop,
# or between a background sort and the one that supersedes it, fails these.
# The 20,000-level chain is left to the ordinary build: it takes minutes here.
ZANDOR_BUILD_DIR=build-tsan \
  ZANDOR_TARGETS="session_tests search_tests storm_tests result_stores_tests" \
  scripts/build.sh -DZANDOR_SANITIZE=thread -DZANDOR_BUILD_BENCH=OFF
TSAN_OPTIONS="halt_on_error=1" \
  ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" \
  -R '^(Session|Walk|.*WalkTest|SessionStorm|BackgroundSort)' -E 'AChainDeeperThanAnyPathLimit'

# zandor-find and the layers below it build without the window: no Qt header
# is on the include path here, so a Qt include in those layers fails to build.
# The hostile trees are left to the two builds below: here they would walk
# the same Qt-free code again, and they are the slowest tests there are.
ZANDOR_BUILD_DIR=build-noqt scripts/build.sh -DZANDOR_BUILD_GUI=OFF
ctest --test-dir build-noqt --output-on-failure -j "$(nproc)" -E '^(Hostile|ChangingTree)'

scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

# A report ends the program that makes it with a failing status: a leak at
# exit, an invalid access, or undefined behaviour (made fatal at build time).
# The packaging tests check installed files and the .deb, which the
# sanitizers do not change; they ran in the builds above.
ZANDOR_BUILD_DIR=build-asan scripts/build.sh -DZANDOR_SANITIZE=address,undefined \
  -DZANDOR_BUILD_BENCH=OFF
ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_init_order=1" \
  LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -E '^Packaging'

scripts/fuzz.sh
