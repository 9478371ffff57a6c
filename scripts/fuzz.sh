#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang++ and libFuzzer, under
# AddressSanitizer and UndefinedBehaviorSanitizer, into build-fuzz/ (the
# window is left out: the targets need only the Qt-free core), then runs each
# target for $ZANDOR_FUZZ_SECONDS seconds (10 by default) from its committed
# seed corpus. A crash, a sanitizer report or a broken property fails the run;
# the input that did it is kept in build-fuzz/artifacts/. Without clang++ the
# fuzzing is skipped with a message.
#
#   scripts/fuzz.sh [TARGET...]      (default: every target)
#
# Each run reads the seeds from fuzz/corpus/TARGET and writes what it finds
# to a scratch folder, so the committed corpus only changes by hand.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed; fuzzing skipped" >&2
  exit 0
fi

all_targets=(name_pattern_fuzz contents_match_fuzz text_escape_fuzz cli_options_fuzz mountinfo_fuzz properties_report_fuzz document_text_fuzz)
targets=("$@")
[ "${#targets[@]}" -eq 0 ] && targets=("${all_targets[@]}")
seconds=${ZANDOR_FUZZ_SECONDS:-10}
build_dir=build-fuzz

ZANDOR_BUILD_DIR=$build_dir ZANDOR_TARGETS="${targets[*]}" scripts/build.sh \
  -DCMAKE_CXX_COMPILER=clang++ -DZANDOR_BUILD_FUZZ=ON -DZANDOR_SANITIZE=address,undefined \
  -DZANDOR_BUILD_GUI=OFF -DZANDOR_BUILD_TESTS=OFF -DZANDOR_BUILD_BENCH=OFF

mkdir -p "$build_dir/artifacts" "$build_dir/logs"
status=0
for target in "${targets[@]}"; do
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/zandor-fuzz-$target-XXXXXX")
  log="$build_dir/logs/$target.log"
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$build_dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/$target-" \
    "$scratch" "fuzz/corpus/$target" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  rm -rf "$scratch"
  # The last status line: executions, coverage (edges), features, corpus.
  summary=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: $target ${seconds}s: $result, ${execs:-?} executions; last: ${summary:-none}"
  if [ "$result" != ok ]; then
    grep -E 'ERROR|property broken|runtime error|SUMMARY|Test unit written' "$log" | head -20 >&2 || true
  fi
done
exit $status
