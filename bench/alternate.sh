#!/bin/bash
# Runs two commands alternately N times and prints the mean wall time of each,
# so that a shared machine's slow and fast minutes fall on both alike.
#   bench/alternate.sh N "COMMAND A" "COMMAND B"
set -euo pipefail
if [ $# -ne 3 ]; then
  echo "usage: $0 N \"COMMAND A\" \"COMMAND B\"" >&2
  exit 2
fi
runs=$1
total_a=0
total_b=0
now() { date +%s%N; }
for _ in $(seq "$runs"); do
  start=$(now); bash -c "$2" >/dev/null 2>&1; total_a=$((total_a + $(now) - start))
  start=$(now); bash -c "$3" >/dev/null 2>&1; total_b=$((total_b + $(now) - start))
done
awk -v a="$total_a" -v b="$total_b" -v n="$runs" \
  'BEGIN { printf "A %.3f s  B %.3f s  (mean of %d)\n", a / n / 1e9, b / n / 1e9, n }'
