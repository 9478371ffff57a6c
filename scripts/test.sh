#!/usr/bin/env bash
# Installs what is needed, builds Zandor with warnings as errors and runs its
# tests.
#
#   scripts/test.sh --quick   the loop while changing code: the ordinary
#                             build (build/) and every test but those
#                             labelled slow (the hostile trees, the
#                             20,000-level chains, the packaging tests).
#   scripts/test.sh           what CI runs, every step:
#     1. the ordinary build (build/), the one that ships, and its quick tests;
#     2. the lint: formatting of every C++ file, clang-tidy over the product;
#     3. zandor-find and the Qt-free layers without Qt (build-noqt/, Qt hidden
#        from CMake) and their tests but the slow ones;
#     4. the slow tests of the ordinary build (the packaging tests reuse the
#        build of step 3 for the terminal-only package);
#     5. the tests labelled threads (the walk, its read-ahead, the session, the
#        storms, the sorts) under ThreadSanitizer (build-tsan/), but the slow;
#     6. everything but the packaging tests again under AddressSanitizer (leaks
#        included) and UndefinedBehaviorSanitizer (build-asan/);
#     7. each fuzz target for $ZANDOR_FUZZ_SECONDS seconds (10 by default) from
#        its seed corpus, with clang and libFuzzer (scripts/fuzz.sh).
# Any failure, and any sanitizer report, fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
quick=0
case "${1:-}" in
  --quick) quick=1 ;;
  "") ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac
scripts/bootstrap.sh
jobs=$(nproc)

scripts/build.sh
ctest --test-dir build --output-on-failure -j "$jobs" -LE slow
if [ "$quick" -eq 1 ]; then
  exit 0
fi

scripts/lint.sh build

# No Qt header is on the include path here, and Qt's package is hidden from
# CMake, so a Qt include in those layers fails to build.
ZANDOR_BUILD_DIR=build-noqt scripts/build.sh -DZANDOR_BUILD_GUI=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
ctest --test-dir build-noqt --output-on-failure -j "$jobs" -LE slow

ZANDOR_TERMINAL_ONLY_BUILD="$root/build-noqt" \
  ctest --test-dir build --output-on-failure -j "$jobs" -L slow

# Any data race between the walk, its read-ahead helpers, its sinks and Stop,
# or between a background sort and the one that supersedes it, fails these.
# The target builds every executable labelled threads, so a new one is built
# here as soon as it carries the label.
ZANDOR_BUILD_DIR=build-tsan ZANDOR_TARGETS=zandor_threads_tests \
  scripts/build.sh -DZANDOR_SANITIZE=thread -DZANDOR_BUILD_BENCH=OFF -DZANDOR_BUILD_GUI=OFF
TSAN_OPTIONS="halt_on_error=1" \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L threads -LE slow

# A report ends the program that makes it with a failing status: a leak at
# exit, an invalid access, or undefined behaviour (made fatal at build time).
# The packaging tests check installed files and the .deb, which the
# sanitizers do not change; they ran in the ordinary build.
ZANDOR_BUILD_DIR=build-asan scripts/build.sh -DZANDOR_SANITIZE=address,undefined \
  -DZANDOR_BUILD_BENCH=OFF
ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_init_order=1" \
  LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -E '^Packaging'

scripts/fuzz.sh
