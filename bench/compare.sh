#!/usr/bin/env bash
# Times zandor-find against GNU find and fd on a generated tree, warm and
# cold, the window's own search path end to end, and the contents search
# against ripgrep and GNU grep on a real tree.
#
#   bash bench/compare.sh TREE_DIR [BUILD_DIR]
#   ZANDOR_BENCH_GROUPS=contents bash bench/compare.sh [TREE_DIR [BUILD_DIR]]
#
# Builds the project in Release into BUILD_DIR (default: build-bench at the
# repository root), generates (or reuses) a tree of 1,000,000 files in 100,000
# folders under TREE_DIR with zandor-make-tree, then runs hyperfine once per
# comparison group so that all figures of a group come from the same run:
#
#   list       every entry with path, size, mtime and birth time
#              zandor-find TREE | find TREE -printf ... | fdfind -uu -l . TREE
#   names      names only: zandor-find --format null | find -print0 | fdfind -uu -0
#   selective  only the *.h files
#              zandor-find -n '*.h' TREE | find TREE -name '*.h' | fdfind -uu -e h . TREE
#   cold       (root only) list and names on the same tree in an ext4 image on a
#              loop device, caches dropped and the image mounted afresh before
#              every run; skipped with a message otherwise
#   window     zandor-results-bench --search TREE: the window's engine and
#              results pane, offscreen, to the completion (beside zandor-find)
#   xwindow    the window itself on Xvfb with openbox, driven with xdotool
#              (bench/window_x.sh): from the Search key to the completion
#              title, against zandor-find TREE in the same run, and its
#              resident memory empty and after the search; skipped with a
#              message when Xvfb, openbox, xdotool or xprop is missing
#   contents   files holding a word, on a real tree (not the generated one, whose
#              files are mostly empty), case-blind and case-sensitive:
#              zandor-find --format null [--case-sensitive] --containing WORD TREE
#              | rg -l -uu -0 [-i] -F WORD TREE | grep -rl[i]F WORD TREE;
#              warm only (a cold run would need the real tree copied into an
#              image); also prints how many files each found and how many of
#              zandor-find's and rg's differ
#
# The warm groups run one warm-up run per command; output goes to /dev/null.
#
# Environment overrides:
#   ZANDOR_FIND          zandor-find binary to time (default BUILD_DIR/cli/zandor-find)
#   ZANDOR_NO_BUILD=1    skip the CMake configure and build; BUILD_DIR must hold
#                        bench/zandor-make-tree already
#   ZANDOR_BENCH_RUNS    timed runs per command (default 5; cold and xwindow: 3)
#   ZANDOR_BENCH_OUTPUT  hyperfine --output value: null (default) or pipe
#   ZANDOR_TREE_FILES    files in the tree (default 1000000)
#   ZANDOR_TREE_FOLDERS  folders in the tree (default 100000)
#   ZANDOR_COLD_IMAGE    the ext4 image of the cold group (default TREE_DIR.img;
#                        made on first use, about 2 GB)
#   ZANDOR_BENCH_GROUPS  the groups to run, separated by spaces or commas (default:
#                        list names selective cold window xwindow contents); with only
#                        contents, no tree is made and TREE_DIR may be left out
#   ZANDOR_CONTENTS_TREE the real tree of the contents group (default /usr/include)
#   ZANDOR_CONTENTS_WORD the word it looks for (default mutex: in some files, not
#                        most)
set -euo pipefail

die() {
  echo "compare.sh: $*" >&2
  exit 1
}

groups=" ${ZANDOR_BENCH_GROUPS:-list names selective cold window xwindow contents} "
groups=${groups//,/ }
wants() { [[ $groups == *" $1 "* ]]; }
# Every group but contents walks the generated tree.
needs_tree=0
for group in list names selective cold window xwindow; do
  wants "$group" && needs_tree=1
done

if [[ $# -gt 2 || ($# -lt 1 && $needs_tree == 1) || ${1:-} == -h || ${1:-} == --help ]]; then
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
fi

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
abspath() {
  case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s\n' "$PWD/$1" ;;
  esac
}
tree_dir=$(abspath "${1:-/nonexistent}")
tree_dir=${tree_dir%/}
build_dir=$(abspath "${2:-$repo_root/build-bench}")

runs=${ZANDOR_BENCH_RUNS:-5}
output=${ZANDOR_BENCH_OUTPUT:-null}
tree_files=${ZANDOR_TREE_FILES:-1000000}
tree_folders=${ZANDOR_TREE_FOLDERS:-100000}

contents_tree=$(abspath "${ZANDOR_CONTENTS_TREE:-/usr/include}")
contents_word=${ZANDOR_CONTENTS_WORD:-mutex}

tools=(hyperfine cmake)
[[ $needs_tree == 1 ]] && tools+=(fdfind find)
wants contents && tools+=(rg grep)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null 2>&1 ||
    die "$tool not found; install with scripts/bootstrap.sh"
done
if wants contents; then
  [[ -d $contents_tree ]] || die "contents tree $contents_tree is not a folder (ZANDOR_CONTENTS_TREE)"
  [[ -n $contents_word ]] || die "ZANDOR_CONTENTS_WORD is empty"
fi

# Reads hyperfine JSON with python3 when available, else awk.
python=
if [[ -x /usr/bin/python3 ]]; then
  python=/usr/bin/python3
elif command -v python3 >/dev/null 2>&1; then
  python=$(command -v python3)
fi

if [[ ${ZANDOR_NO_BUILD:-0} != 1 ]]; then
  echo "== Building (Release) in $build_dir" >&2
  (
    cd "$repo_root"
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DZANDOR_BUILD_TESTS=OFF \
      -DZANDOR_BUILD_BENCH=ON >&2
    cmake --build "$build_dir" -j2 >&2
  )
fi

make_tree=$build_dir/bench/zandor-make-tree
zandor=${ZANDOR_FIND:-$build_dir/cli/zandor-find}
[[ -x $zandor ]] || die "$zandor not found or not executable (set ZANDOR_FIND to override)"

if [[ $needs_tree == 1 ]]; then
  [[ -x $make_tree ]] || die "$make_tree not found; build failed?"
  echo "== Tree $tree_dir ($tree_files files, $tree_folders folders)" >&2
  tree_start=$(date +%s.%N)
  "$make_tree" "$tree_dir" --files "$tree_files" --folders "$tree_folders"
  tree_end=$(date +%s.%N)
  awk -v a="$tree_start" -v b="$tree_end" 'BEGIN { printf "tree ready in %.1f s\n", b - a }' >&2
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zandor-compare.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

q_tree=$(printf '%q' "$tree_dir")
q_zandor=$(printf '%q' "$zandor")

# run_group NAME then pairs of (label, command).
run_group() {
  local group=$1
  shift
  local -a args=()
  while [[ $# -gt 0 ]]; do
    args+=(--command-name "$1" "$2")
    shift 2
  done
  echo >&2
  echo "== Group \"$group\"" >&2
  hyperfine --warmup 1 --runs "$runs" --output="$output" \
    --export-json "$tmp/$group.json" "${args[@]}" >&2
}

# Output line counts: a check that the tools did comparable work.
count_lines() {
  local label=$1 cmd=$2
  printf '  %-10s %s lines\n' "$label" "$(bash -c "$cmd" 2>/dev/null | wc -l)"
}

list_zandor="$q_zandor $q_tree"
list_find="find $q_tree -printf '%p\t%s\t%T@\t%B@\n'"
list_fd="fdfind -uu -l . $q_tree"
list_fd1="fdfind -uu -l -j1 . $q_tree"

sel_zandor="$q_zandor -n '*.h' $q_tree"
sel_find="find $q_tree -name '*.h'"
sel_fd="fdfind -uu -e h . $q_tree"
sel_fd1="fdfind -uu -j1 -e h . $q_tree"

names_zandor="$q_zandor --format null $q_tree"
names_find="find $q_tree -print0"
names_fd="fdfind -uu -0 . $q_tree"
names_fd8="fdfind -uu -j8 -0 . $q_tree"

wants list && run_group list zandor "$list_zandor" find "$list_find" fd "$list_fd" fd-j1 "$list_fd1"
wants names && run_group names zandor "$names_zandor" find "$names_find" fd "$names_fd" fd-j8 "$names_fd8"
wants selective && run_group selective zandor "$sel_zandor" find "$sel_find" fd "$sel_fd" fd-j1 "$sel_fd1"

# The contents group: a real tree, warm. zandor-find is case-blind unless
# told otherwise; rg and grep are case-sensitive unless given -i. rg exits
# with 1 when no file holds the word and grep with 2 when a file cannot be
# read, so failures are ignored: the counts below show what each found.
q_ctree=$(printf '%q' "$contents_tree")
q_word=$(printf '%q' "$contents_word")
cont_zandor="$q_zandor --format null --containing $q_word $q_ctree"
cont_rg_i="rg -l -uu -0 -i -F $q_word $q_ctree"
cont_grep_i="grep -rliF $q_word $q_ctree"
cont_zandor_cs="$q_zandor --format null --case-sensitive --containing $q_word $q_ctree"
cont_rg="rg -l -uu -0 -F $q_word $q_ctree"
cont_grep="grep -rlF $q_word $q_ctree"
if wants contents; then
  echo >&2
  echo "== Group \"contents\" ($contents_tree, word $contents_word)" >&2
  hyperfine --warmup 1 --runs "$runs" --output="$output" --ignore-failure \
    --export-json "$tmp/contents.json" \
    --command-name zandor "$cont_zandor" \
    --command-name rg-i "$cont_rg_i" \
    --command-name grep-i "$cont_grep_i" \
    --command-name zandor-cs "$cont_zandor_cs" \
    --command-name rg "$cont_rg" \
    --command-name grep "$cont_grep" >&2
fi

# The cold group: the same tree in an ext4 image, mounted afresh with the
# page cache dropped before every run, so that every folder and inode comes
# from the disk.
cold_image=${ZANDOR_COLD_IMAGE:-$tree_dir.img}
cold_mnt=$tmp/cold
cold_ran=0
if ! wants cold; then
  :
elif [[ $(id -u) -ne 0 ]]; then
  echo "== Group \"cold\" skipped: dropping caches and mounting an image needs root" >&2
else
  mkdir -p "$cold_mnt"
  if [[ ! -f $cold_image ]]; then
    echo "== Making $cold_image" >&2
    truncate -s 3G "$cold_image"
    mkfs.ext4 -q -N 1400000 "$cold_image"
    mount -o loop "$cold_image" "$cold_mnt"
    "$make_tree" "$cold_mnt/tree" --files "$tree_files" --folders "$tree_folders"
    umount "$cold_mnt"
  fi
  q_mnt=$(printf '%q' "$cold_mnt")
  q_image=$(printf '%q' "$cold_image")
  cold_prepare="umount $q_mnt 2>/dev/null; sync; echo 3 > /proc/sys/vm/drop_caches; mount -o loop,ro $q_image $q_mnt"
  cold_tree="$q_mnt/tree"
  echo >&2
  echo "== Group \"cold\"" >&2
  hyperfine --runs "${ZANDOR_BENCH_RUNS:-3}" --output="$output" --prepare "$cold_prepare" \
    --export-json "$tmp/cold.json" \
    --command-name zandor "$q_zandor $cold_tree" \
    --command-name find "find $cold_tree -printf '%p\t%s\t%T@\t%B@\n'" \
    --command-name zandor-names "$q_zandor --format null $cold_tree" \
    --command-name fd-names "fdfind -uu -0 . $cold_tree" \
    --command-name fd-j8-names "fdfind -uu -j8 -0 . $cold_tree" >&2
  umount "$cold_mnt" 2>/dev/null || true
  cold_ran=1
fi

# The window's path: engine and pane in one process, offscreen.
results_bench=$build_dir/bench/zandor-results-bench
window_out=$tmp/window.txt
if ! wants window; then
  :
elif [[ -x $results_bench ]]; then
  echo >&2
  echo "== Group \"window\"" >&2
  # Warm like the other warm groups, with one run left out: the cold group
  # dropped the page cache, and the first search would otherwise read from
  # the disk what a names-only walk does not (every entry's inode, and the
  # window's libraries).
  "$results_bench" --search "$tree_dir" >/dev/null 2>&1
  for _ in 1 2 3; do
    "$results_bench" --search "$tree_dir" >>"$window_out"
  done
  cat "$window_out" >&2
else
  echo "== Group \"window\" skipped: $results_bench was not built (no Qt?)" >&2
fi

# The window itself on a real X server, driven from outside.
window_app=$build_dir/app/zandor
xwindow_out=$tmp/xwindow.txt
if ! wants xwindow; then
  :
elif ! command -v Xvfb >/dev/null 2>&1 || ! command -v openbox >/dev/null 2>&1 ||
  ! command -v xdotool >/dev/null 2>&1 || ! command -v xprop >/dev/null 2>&1; then
  echo "== Group \"xwindow\" skipped: needs Xvfb, openbox, xdotool and xprop" \
    "(Debian: xvfb openbox xdotool x11-utils; scripts/bootstrap.sh)" >&2
elif [[ ! -x $window_app ]]; then
  echo "== Group \"xwindow\" skipped: $window_app was not built (no Qt?)" >&2
else
  echo >&2
  echo "== Group \"xwindow\"" >&2
  # A window that fails to start or to finish costs this group, not the
  # figures of the others.
  if ! bash "$repo_root/bench/window_x.sh" "$window_app" "$zandor" "$tree_dir" \
    "${ZANDOR_BENCH_RUNS:-3}" >"$xwindow_out"; then
    echo "== Group \"xwindow\" failed (its message is above)" >&2
    rm -f "$xwindow_out"
  fi
fi

# Prints "label mean stddev" lines from a hyperfine JSON export.
means() {
  if [[ -n $python ]]; then
    "$python" - "$1" <<'EOF'
import json, sys
with open(sys.argv[1]) as f:
    for r in json.load(f)["results"]:
        print(r["command"], r["mean"], r["stddev"] if r["stddev"] is not None else 0)
EOF
  else
    # hyperfine writes one key per line; "command" precedes "mean" and "stddev".
    awk -F': ' '
      /"command":/ { c = $2; gsub(/[",]/, "", c) }
      /"mean":/    { m = $2; gsub(/,/, "", m) }
      /"stddev":/  { s = $2; gsub(/,/, "", s); if (s == "null") s = 0; print c, m, s }
    ' "$1"
  fi
}

report() {
  local group=$1
  means "$tmp/$group.json" | awk -v group="$group" '
    { mean[$1] = $2; sd[$1] = $3; order[++n] = $1 }
    END {
      printf "\n%s\n", group
      for (i = 1; i <= n; i++)
        printf "  %-8s %9.3f s  +- %.3f\n", order[i], mean[order[i]], sd[order[i]]
      z = mean["zandor"]
      for (i = 1; i <= n; i++)
        if (order[i] != "zandor" && order[i] !~ /names/)
          printf "  zandor/%-7s %6.2f\n", order[i], z / mean[order[i]]
      if ("zandor-names" in mean) {
        printf "  names: zandor/fd      %6.2f\n", mean["zandor-names"] / mean["fd-names"]
        printf "  names: zandor/fd-j8   %6.2f\n", mean["zandor-names"] / mean["fd-j8-names"]
      }
    }'
}

# The window's mean time to the completion against the warm zandor-find list.
report_window() {
  [[ -s $window_out && -f $tmp/list.json ]] || return 0
  local zandor_mean
  zandor_mean=$(means "$tmp/list.json" | awk '$1 == "zandor" { print $2 }')
  awk -v z="$zandor_mean" '
    /^search to the completion:/ { t += $5; n++; if ($(NF - 1) + 0 > stall) stall = $(NF - 1) + 0 }
    /^sort by key/ { if ($(NF - 1) + 0 > sortStall) sortStall = $(NF - 1) + 0 }
    /^resident memory/ { if ($6 + 0 > mem) mem = $6 + 0 }
    END {
      printf "\nwindow (%d runs)\n", n
      printf "  search to completion %6.3f s, window/zandor-find %5.2f\n", t / n, t / n / z
      printf "  longest stall: search %d ms, sort %d ms; rows resident %.1f MB\n", stall, sortStall, mem
    }' "$window_out"
}

echo
echo "== Machine"
echo "  cpus       $(nproc)"
echo "  cpu        $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo 2>/dev/null || echo unknown)"
echo "  memory     $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "  kernel     $(uname -sr) $(uname -m)"
if [[ $needs_tree == 1 ]]; then
  echo "  filesystem $(stat -f -c %T "$tree_dir") (as reported by stat -f -c %T)"
  echo "  fd         $(fdfind --version | awk '{ print $2 }')"
  # shellcheck disable=SC2185 # GNU find prints its version without a path
  echo "  find       $(find --version 2>/dev/null | sed -n 1p)"
fi
if wants contents; then
  echo "  contents   $contents_tree on $(stat -f -c %T "$contents_tree"): $(
    find "$contents_tree" -type f 2>/dev/null | wc -l) files, $(
    find "$contents_tree" -type d 2>/dev/null | wc -l) folders, $(
    du -sh "$contents_tree" 2>/dev/null | cut -f1); word $contents_word"
  echo "  rg         $(rg --version | sed -n 1p)"
  echo "  grep       $(grep --version | sed -n 1p)"
fi
echo "  hyperfine  $(hyperfine --version | awk '{ print $2 }')"
echo "  zandor     $zandor"
echo "  commit     $(git -C "$repo_root" rev-parse --short HEAD 2>/dev/null || echo none)$(
  [[ -n $(git -C "$repo_root" status --porcelain 2>/dev/null) ]] && echo ' (uncommitted changes)')"
echo "  runs       warm cache, 1 warm-up + $runs timed runs per command, --output=$output"

echo
echo "== Commands"
commands=()
wants list && commands+=("$list_zandor" "$list_find" "$list_fd" "$list_fd1")
wants names && commands+=("$names_zandor" "$names_find" "$names_fd" "$names_fd8")
wants selective && commands+=("$sel_zandor" "$sel_find" "$sel_fd" "$sel_fd1")
wants contents && commands+=("$cont_zandor" "$cont_rg_i" "$cont_grep_i" "$cont_zandor_cs"
  "$cont_rg" "$cont_grep")
for c in "${commands[@]}"; do
  echo "  $c"
done

if wants list || wants selective; then
  echo
  echo "== Output lines (list, selective)"
  if wants list; then
    count_lines zandor "$list_zandor"
    count_lines find "$list_find"
    count_lines fd "$list_fd"
  fi
  if wants selective; then
    count_lines zandor "$sel_zandor"
    count_lines find "$sel_find"
    count_lines fd "$sel_fd"
  fi
fi

# The files each contents command found, sorted; grep ends its names with a
# line feed, the others with a NUL.
contents_files() {
  local name=$1 cmd=$2
  if [[ $name == grep* ]]; then
    bash -c "$cmd" 2>/dev/null | LC_ALL=C sort >"$tmp/$name.files" || true
  else
    bash -c "$cmd" 2>/dev/null | tr '\0' '\n' | LC_ALL=C sort >"$tmp/$name.files" || true
  fi
}
if wants contents; then
  echo
  echo "== Files found (contents)"
  contents_files zandor "$cont_zandor"
  contents_files rg-i "$cont_rg_i"
  contents_files grep-i "$cont_grep_i"
  contents_files zandor-cs "$cont_zandor_cs"
  contents_files rg "$cont_rg"
  contents_files grep "$cont_grep"
  for name in zandor rg-i grep-i zandor-cs rg grep; do
    printf '  %-10s %s files\n' "$name" "$(wc -l <"$tmp/$name.files")"
  done
  printf '  case-blind:     %s only zandor-find found, %s only rg\n' \
    "$(comm -23 "$tmp/zandor.files" "$tmp/rg-i.files" | wc -l)" \
    "$(comm -13 "$tmp/zandor.files" "$tmp/rg-i.files" | wc -l)"
  printf '  case-sensitive: %s only zandor-find found, %s only rg\n' \
    "$(comm -23 "$tmp/zandor-cs.files" "$tmp/rg.files" | wc -l)" \
    "$(comm -13 "$tmp/zandor-cs.files" "$tmp/rg.files" | wc -l)"
fi

# The contents group's means and the ratios of each zandor-find run to the
# peers that compare letter case as it does.
report_contents() {
  means "$tmp/contents.json" | awk '
    { mean[$1] = $2; sd[$1] = $3; order[++n] = $1 }
    END {
      printf "\ncontents\n"
      for (i = 1; i <= n; i++)
        printf "  %-9s %9.3f s  +- %.3f\n", order[i], mean[order[i]], sd[order[i]]
      printf "  zandor/rg-i       %6.2f\n", mean["zandor"] / mean["rg-i"]
      printf "  zandor/grep-i     %6.2f\n", mean["zandor"] / mean["grep-i"]
      printf "  zandor-cs/rg      %6.2f\n", mean["zandor-cs"] / mean["rg"]
      printf "  zandor-cs/grep    %6.2f\n", mean["zandor-cs"] / mean["grep"]
    }'
}

echo
echo "== Mean wall time (ratio below 1: zandor faster)"
wants list && report list
wants names && report names
wants selective && report selective
[[ $cold_ran == 1 ]] && report cold
report_window
[[ -s $xwindow_out ]] && cat "$xwindow_out"
if wants contents; then
  report_contents
fi
