#!/usr/bin/env bash
# What bounds the walk on this machine: for each warm comparison group, the
# processor time the walk alone spends (--threads 1), in the kernel and in all,
# and the best ratio against each peer that the machine's cores could give if
# that work were shared between them with nothing lost to sharing it.
#
#   bash bench/floor.sh TREE_DIR [ZANDOR_FIND] [RUNS]
#
# The kernel's part is the work any walker does for the same entries (reading
# folders, describing entries); a ratio below "kernel floor" needs less of it,
# not a faster program. Each command runs RUNS times (default 3) after one
# names-only walk that brings the tree into the cache; means are used.
set -euo pipefail

if [[ $# -lt 1 || $# -gt 3 ]]; then
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
fi
tree=${1%/}
zandor=${2:-$(dirname "${BASH_SOURCE[0]}")/../build-bench/cli/zandor-find}
runs=${3:-3}
cores=$(nproc)
for tool in fdfind find /usr/bin/time; do
  command -v "$tool" >/dev/null 2>&1 || { echo "floor.sh: $tool not found" >&2; exit 1; }
done

# Prints "wall user sys", the means of runs of the command in $1.
measure() {
  local out
  out=$(for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %U %S' bash -c "exec $1 >/dev/null 2>/dev/null" 2>&1 | tail -1
  done)
  awk '{ w += $1; u += $2; s += $3 } END { printf "%.3f %.3f %.3f\n", w / NR, u / NR, s / NR }' \
    <<<"$out"
}

q_tree=$(printf '%q' "$tree")
q_zandor=$(printf '%q' "$zandor")
# group | the walk's command | peer label | peer command ...
groups=(
  "list|$q_zandor --threads 1 $q_tree|find|find $q_tree -printf '%p\t%s\t%T@\t%B@\n'"
  "names|$q_zandor --threads 1 --format null $q_tree|find|find $q_tree -print0|fd|fdfind -uu -0 . $q_tree"
  "*.h|$q_zandor --threads 1 -n '*.h' $q_tree|fd|fdfind -uu -e h . $q_tree"
)

bash -c "exec $q_zandor --format null $q_tree >/dev/null 2>&1"  # the tree into the cache
printf '%d cores; means of %d runs\n' "$cores" "$runs"
for group in "${groups[@]}"; do
  IFS='|' read -r -a part <<<"$group"
  read -r wall user sys <<<"$(measure "${part[1]}")"
  printf '\n%s: walk alone %.3f s (user %.3f s, system %.3f s)\n' "${part[0]}" "$wall" "$user" "$sys"
  for ((i = 2; i + 1 < ${#part[@]}; i += 2)); do
    read -r pwall puser psys <<<"$(measure "${part[i + 1]}")"
    awk -v l="${part[i]}" -v pw="$pwall" -v pu="$puser" -v ps="$psys" -v u="$user" -v s="$sys" \
      -v c="$cores" 'BEGIN {
        printf "  %-5s %.3f s (user %.3f s, system %.3f s)\n", l, pw, pu, ps
        printf "        floor, all the work shared: %.2f   kernel floor: %.2f\n",
               (u + s) / c / pw, s / c / pw }'
  done
done
