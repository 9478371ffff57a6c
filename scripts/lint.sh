#!/usr/bin/env bash
# Checks that every C++ file is formatted as .clang-format says, then runs
# clang-tidy (the checks of .clang-tidy) over the product code, with the
# compile commands of a configured build ($1, build/ by default). Quiet when
# all is well; prints the findings and fails otherwise.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build_dir=${1:-build}
if [ ! -f "$build_dir/compile_commands.json" ]; then
  echo "lint: $build_dir/compile_commands.json is missing: build first (scripts/build.sh)" >&2
  exit 2
fi

# Every C++ file of the tree but the build folders' generated ones.
mapfile -t sources < <(find platform search results text cli criteria app tests bench fuzz \
  -name '*.cpp' -o -name '*.h' | LC_ALL=C sort)
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/tmp/zandor-format.$$; then
  cat /tmp/zandor-format.$$ >&2
  rm -f /tmp/zandor-format.$$
  echo "lint: files above are not formatted: run clang-format -i on them" >&2
  exit 1
fi
rm -f /tmp/zandor-format.$$

# The product's translation units; their headers come with them.
mapfile -t product < <(find platform search results text cli criteria app -name '*.cpp' |
  LC_ALL=C sort)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! printf '%s\n' "${product[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build_dir" --quiet >"$log" 2>&1; then
  grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$log" >&2 || true
  echo "lint: clang-tidy found the above" >&2
  exit 1
fi
