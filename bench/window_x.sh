#!/usr/bin/env bash
# Times the window as the user waits for it, on a real X server: Xvfb with the
# openbox window manager, the window driven from outside with xdotool, so that
# painting, icon look-ups and title updates count. Beside it, in the same run,
# zandor-find lists the same tree.
#
#   bash bench/window_x.sh ZANDOR_BINARY ZANDOR_FIND_BINARY TREE [RUNS]
#
# Each run starts a fresh window (QT_QPA_PLATFORM=xcb, a temporary HOME),
# waits until it is shown and active and then rests 1 s, reads its VmRSS
# (/proc/PID/status), focuses Look in (Alt+I), replaces its text with TREE
# (Ctrl+A, then typed), leaves the name empty (which lists every entry) and
# presses Enter there, which starts the search. The time runs from just
# before the Enter key is sent until the window title starts with "Search
# Completed". The title is watched with `xprop -spy _NET_WM_NAME`, which
# prints each change as the X server announces it, rather than polled: a
# `xdotool getwindowname` process takes from 3 to 40 ms to answer on a busy
# machine, which would be the resolution of a poll. How long the xdotool
# process that sends the key took is printed too: the key reaches the window
# somewhere within it. After the completion title and 1 s of rest VmRSS is
# read again, and the rows are the files and folders the completion title
# counts.
#
# zandor-find TREE > /dev/null is timed warm: one warm-up run, then RUNS runs
# (hyperfine when present, else a loop over bash's clock).
#
# RUNS defaults to 3. Environment overrides:
#   ZANDOR_XWINDOW_TIMEOUT  seconds to wait for one search's completion (default 900)
#   ZANDOR_XWINDOW_SCREEN   the Xvfb screen (default 1600x1000x24)
#
# Needs Xvfb, openbox, xdotool and xprop (Debian: xvfb openbox xdotool
# x11-utils; scripts/bootstrap.sh installs them).
set -euo pipefail

die() {
  echo "window_x.sh: $*" >&2
  exit 1
}

if [[ $# -lt 3 || $# -gt 4 ]]; then
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
fi

zandor=$1
zandor_find=$2
tree=${3%/}
runs=${4:-3}
timeout_s=${ZANDOR_XWINDOW_TIMEOUT:-900}
screen=${ZANDOR_XWINDOW_SCREEN:-1600x1000x24}

[[ -x $zandor ]] || die "$zandor is not an executable (the window, zandor)"
[[ -x $zandor_find ]] || die "$zandor_find is not an executable (zandor-find)"
[[ -d $tree ]] || die "$tree is not a folder"
[[ $runs =~ ^[1-9][0-9]*$ ]] || die "RUNS must be a positive number, not $runs"
case $tree in
  /*) ;;
  *) tree=$PWD/$tree ;;
esac

missing=()
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  die "missing ${missing[*]}; install the Debian packages xvfb openbox xdotool x11-utils (scripts/bootstrap.sh does)"
fi
# The clock without a process per reading.
[[ -n ${EPOCHREALTIME:-} ]] || die "bash 5 or later is needed (EPOCHREALTIME)"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zandor-window-x.XXXXXX")
xvfb_pid=
wm_pid=
app_pid=
spy_pid=

# Ends one process this script started, and waits for it.
stop_pid() {
  local pid=$1
  [[ -n $pid ]] || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  stop_pid "$spy_pid"
  stop_pid "$app_pid"
  stop_pid "$wm_pid"
  stop_pid "$xvfb_pid"
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Seconds since the epoch, to the microsecond, from bash itself.
now() { printf '%s\n' "${EPOCHREALTIME/,/.}"; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
  local limit=$1
  shift
  local start
  start=$(now)
  until "$@" >/dev/null 2>&1; do
    if awk -v a="$start" -v b="$(now)" -v l="$limit" 'BEGIN { exit !(b - a > l) }'; then
      return 1
    fi
    sleep 0.05
  done
}

# The X server picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() { [[ -s $tmp/display ]] && kill -0 "$xvfb_pid"; }
wait_for 20 display_ready || die "Xvfb did not start: $(tail -3 "$tmp/xvfb.log")"
DISPLAY=:$(tr -d '[:space:]' <"$tmp/display")
export DISPLAY

openbox >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_for 20 wm_ready || die "openbox did not start: $(tail -3 "$tmp/openbox.log")"

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# Results of each run, one line each: seconds polls rss_empty_kb rss_after_kb files folders.
results=$tmp/runs.txt
: >"$results"

one_run() {
  local run=$1 home win title start end seconds files folders rows
  home=$(mktemp -d "$tmp/home.XXXXXX")
  HOME=$home QT_QPA_PLATFORM=xcb "$zandor" >"$tmp/zandor.log" 2>&1 &
  app_pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --pid "$app_pid" --name 'Zandor' 2>/dev/null |
    head -1) || true
  [[ -n $win ]] || die "run $run: the window did not appear within 30 s: $(tail -3 "$tmp/zandor.log")"
  xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
  is_active() { [[ $(xdotool getactivewindow) == "$win" ]]; }
  wait_for 20 is_active || die "run $run: the window did not become active"
  has_title() { [[ $(xdotool getwindowname "$win") == *Zandor* ]]; }
  wait_for 20 has_title || die "run $run: the window has no title"
  # A rest for the start's idle work (icons, fonts, the drive list) to settle.
  sleep 1
  local rss_empty
  rss_empty=$(rss_kb "$app_pid")

  xdotool key --clearmodifiers alt+i
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 2 -- "$tree"
  # Let the typed text arrive before the clock starts.
  sleep 0.5

  # The title's changes, one line each, from the current title on.
  coproc SPY { exec xprop -id "$win" -spy _NET_WM_NAME 2>/dev/null; }
  # shellcheck disable=SC2153 # coproc sets SPY_PID
  spy_pid=$SPY_PID
  local spy_out=${SPY[0]} line titles=0 deadline key_sent
  read -r -t 20 line <&"$spy_out" || die "run $run: xprop -spy printed no title"

  # Bash's own clock: no process between the key and the stamps.
  start=$EPOCHREALTIME
  xdotool key Return
  key_sent=$EPOCHREALTIME
  deadline=$((EPOCHSECONDS + timeout_s))
  title=
  while :; do
    if ! read -r -t "$((deadline - EPOCHSECONDS > 0 ? deadline - EPOCHSECONDS : 1))" line <&"$spy_out"; then
      die "run $run: no completion title within $timeout_s s (last title: $title)"
    fi
    end=$EPOCHREALTIME
    titles=$((titles + 1))
    # _NET_WM_NAME(UTF8_STRING) = "the title"
    title=${line#*= \"}
    title=${title%\"}
    [[ $title == "Search Completed"* ]] && break
    ((EPOCHSECONDS < deadline)) || die "run $run: no completion title within $timeout_s s (last title: $title)"
  done
  stop_pid "$spy_pid"
  spy_pid=
  seconds=$(elapsed "${start/,/.}" "${end/,/.}")
  local key_ms
  key_ms=$(awk -v a="${start/,/.}" -v b="${key_sent/,/.}" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
  # The window's own title agrees with what the spy read.
  [[ $(xdotool getwindowname "$win") == "$title" ]] ||
    die "run $run: the window's title is not the completion title the spy read: $title"

  # "Search Completed - Found N files and M folders "
  files='' folders=''
  read -r files folders < <(sed -n 's/^Search Completed - Found \([0-9]*\) files and \([0-9]*\) folders.*/\1 \2/p' <<<"$title") || true
  [[ -n ${files:-} && -n ${folders:-} ]] || die "run $run: cannot read the counts from the title: $title"
  rows=$((files + folders))
  [[ $rows -gt 1 ]] || die "run $run: the search found $rows rows; was $tree typed into Look in? (title: $title)"

  sleep 1
  local rss_after
  rss_after=$(rss_kb "$app_pid")
  stop_pid "$app_pid"
  app_pid=
  rm -rf "$home"

  printf '%s %s %s %s %s %s\n' "$seconds" "$key_ms" "$rss_empty" "$rss_after" "$files" "$folders" >>"$results"
  awk -v s="$seconds" -v k="$key_ms" -v t="$titles" -v e="$rss_empty" -v a="$rss_after" -v r="$rows" -v run="$run" '
    BEGIN {
      printf "run %d: Enter to \"Search Completed\" %.3f s (the key sent within %.1f ms, %d titles); ", run, s, k, t
      printf "RSS empty %.1f MB, after %.1f MB; %d rows, %.0f bytes a row\n", e * 1024 / 1e6, a * 1024 / 1e6, r, (a - e) * 1024 / r
    }' >&2
}

echo "== Window on $DISPLAY ($screen, openbox), tree $tree, $runs runs" >&2
# One walk first, so that the window's first run finds the cache as warm as
# zandor-find's runs do.
"$zandor_find" "$tree" >/dev/null 2>&1
for ((run = 1; run <= runs; run++)); do
  one_run "$run"
done

echo "== zandor-find $tree > /dev/null, 1 warm-up + $runs runs" >&2
find_times=$tmp/find_times.txt
q_find=$(printf '%q' "$zandor_find")
q_tree=$(printf '%q' "$tree")
if command -v hyperfine >/dev/null 2>&1; then
  timer="hyperfine"
  hyperfine --warmup 1 --runs "$runs" --output=null --export-json "$tmp/find.json" \
    --command-name zandor-find "$q_find $q_tree" >&2
  # hyperfine writes one key per line; the run times follow "times": [.
  awk '/"times":/ { on = 1; next } on && /\]/ { on = 0 } on { gsub(/[ ,]/, ""); if ($0 != "") print }' \
    "$tmp/find.json" >"$find_times"
else
  timer="bash loop"
  "$zandor_find" "$tree" >/dev/null
  : >"$find_times"
  for ((run = 1; run <= runs; run++)); do
    start=$EPOCHREALTIME
    "$zandor_find" "$tree" >/dev/null
    end=$EPOCHREALTIME
    elapsed "${start/,/.}" "${end/,/.}" >>"$find_times"
    echo >>"$find_times"
  done
fi
[[ $(grep -c . "$find_times") -eq $runs ]] || die "could not read zandor-find's $runs run times"

echo
echo "== The window on a real X server against zandor-find"
echo "  display    Xvfb $screen, openbox; window started with QT_QPA_PLATFORM=xcb, fresh HOME each run"
echo "  tree       $tree"
echo "  window     $zandor"
echo "  zandor-find $zandor_find (timed with $timer)"
echo "  cpus       $(nproc)"
awk -v runs="$runs" '
  NR == FNR {
    t = $1; if ($2 + 0 > keymax) keymax = $2 + 0
    if (NR == 1 || t < wbest) wbest = t; wsum += t
    e = $3 * 1024 / 1e6; a = $4 * 1024 / 1e6; r = $5 + $6
    esum += e; asum += a; rsum += r; bsum += ($4 - $3) * 1024 / r
    if (NR == 1) rows = r; else if (r != rows) rowsdiffer = 1
    per[NR] = sprintf("%.3f", t)
    next
  }
  { f = $1 + 0; if (FNR == 1 || f < fbest) fbest = f; fsum += f; fn++ }
  END {
    wmean = wsum / runs; fmean = fsum / fn
    list = per[1]; for (i = 2; i <= runs; i++) list = list ", " per[i]
    printf "  title watched with xprop -spy; sending the key took up to %.1f ms\n\n", keymax
    printf "  %-42s %s\n", "window, Enter to completion title, runs", list
    printf "  %-42s %.3f s\n", "window best", wbest
    printf "  %-42s %.3f s\n", "window mean", wmean
    printf "  %-42s %.3f s\n", "zandor-find TREE > /dev/null best", fbest
    printf "  %-42s %.3f s\n", "zandor-find TREE > /dev/null mean", fmean
    printf "  %-42s %.2f\n", "window/zandor-find, best over best", wbest / fbest
    printf "  %-42s %.2f\n", "window/zandor-find, mean over mean", wmean / fmean
    printf "  %-42s %.1f MB\n", "RSS of the empty window (mean)", esum / runs
    printf "  %-42s %.1f MB\n", "RSS after the search (mean)", asum / runs
    printf "  %-42s %d%s\n", "rows (files + folders in the title)", rows, rowsdiffer ? " (runs differ)" : ""
    printf "  %-42s %.0f\n", "bytes a row, (after - empty) / rows (mean)", bsum / runs
    printf "  (MB = 10^6 bytes of VmRSS)\n"
  }' "$results" "$find_times"
