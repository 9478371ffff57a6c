#!/usr/bin/env bash
# Makes the pictures of the real window: those of docs/user-guide.md
# (docs/screens/guide-*.png) and the window's own (window-*.png: at start,
# searching, completed, the context menu, the rename error, the properties
# report; results-*.png: each of the four views). It starts the window on a
# private X display with a window manager, works it with the keyboard and the
# mouse as a user would, on a small tree of sample files, and saves the screen
# after each step. The form's own pictures (form-*.png) come from its tests.
#
# Usage: tools/guide_pictures.sh [ZANDOR [OUTPUT_FOLDER]]
#   ZANDOR         the window to show (default: build/app/zandor)
#   OUTPUT_FOLDER  where the pictures go (default: docs/screens)
# Needs: xvfb openbox xdotool imagemagick (apt-get install xvfb openbox xdotool
# imagemagick); only this script uses them, so the bootstrap does not install them.
#
# The sample files live in /tmp/zandor-guide, made afresh on every run, so that
# the paths in the pictures stay the same. The search in progress walks /usr,
# so that picture changes from one machine to the next.
# The window expands a "~" typed into Look in, so the scenes type it literally.
# shellcheck disable=SC2088
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
zandor=${1:-$root/build/app/zandor}
out=${2:-$root/docs/screens}
width=1100
height=700

for tool in Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null ||
        { echo "guide_pictures: $tool is missing (apt-get install xvfb openbox xdotool imagemagick)" >&2; exit 2; }
done
[ -x "$zandor" ] || { echo "guide_pictures: $zandor is not built (scripts/build.sh)" >&2; exit 2; }
zandor=$(realpath "$zandor")
mkdir -p "$out"

# The sample tree: a home folder with documents, pictures and a project.
base=/tmp/zandor-guide
if [ -e "$base" ] && [ ! -e "$base/.zandor-guide" ]; then
    echo "guide_pictures: $base exists and was not made by this script; move it away" >&2
    exit 2
fi
rm -rf "$base"
home=$base/home/alex
mkdir -p "$home/.local/share"
touch "$base/.zandor-guide"
sample() { # PATH SIZE DATE: a file of SIZE bytes last written on DATE
    mkdir -p "$(dirname "$home/$1")"
    truncate -s "$2" "$home/$1"
    touch -d "$3" "$home/$1"
}
# Times count back from today, so that the date condition finds the same files
# whenever the pictures are made.
sample Documents/reports/report-2025-q4.odt 48213 "330 days ago 10:12"
sample Documents/reports/report-2026-q1.odt 51977 "240 days ago 16:40"
sample Documents/reports/report-2026-q2.odt 55120 "150 days ago 09:05"
sample Documents/reports/report-2026-q3.odt 53302 "61 days ago 14:22"
sample Documents/reports/annual-report-2025.pdf 1843200 "280 days ago 11:00"
sample Documents/reports/charts/report-sales.png 220311 "62 days ago 17:31"
sample Documents/reports/charts/report-costs.png 198004 "62 days ago 17:35"
sample Documents/Reports-archive/report-2024.zip 5242880 "690 days ago 08:30"
sample Documents/letters/letter-to-bank.odt 14022 "35 days ago 19:12"
sample Documents/letters/reply-insurance.odt 9811 "17 days ago 08:47"
sample Documents/report-notes.txt 2311 "6 days ago 21:03"
sample Documents/todo.txt 412 "1 day ago 07:58"
sample Pictures/holiday/beach.jpg 3145728 "115 days ago 12:00"
sample Pictures/holiday/harbour.jpg 2883584 "114 days ago 18:20"
sample Pictures/icon.ico 4286 "580 days ago 10:00"
sample Projects/finder/main.cpp 3511 "2 days ago 22:41"
sample Projects/finder/finder.h 1207 "2 days ago 22:40"
sample Projects/finder/report.h 806 "9 days ago 15:10"
sample Projects/finder/index.html 5120 "7 days ago 09:12"

text_sample() { # PATH DATE TEXT: a file holding TEXT, last written on DATE
    mkdir -p "$(dirname "$home/$1")"
    printf '%s\n' "$3" >"$home/$1"
    touch -d "$2" "$home/$1"
}
text_sample Documents/letters/invoice-garage.txt "20 days ago 09:30" \
    "Garage Keller - Invoice 2026-114: brake pads and labour, 312.40 EUR."
text_sample Documents/letters/to-landlord.txt "12 days ago 18:02" \
    "Dear Mrs Brandt, the heating invoice for November seems too high."
text_sample Documents/Reports-archive/invoices-2024.txt "690 days ago 08:31" \
    "INVOICE list 2024, kept for the tax office."
text_sample Documents/shopping.txt "3 days ago 11:15" "bread, apples, coffee"

display=:$((70 + RANDOM % 20))
pids=()
cleanup() {
    # Our own processes only, newest first.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT
Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
# The user's Trash and settings go to the sample home, which is also the
# current folder (nothing lands in the folder the script was started from).
(cd "$home" && HOME=$home XDG_DATA_HOME=$home/.local/share QT_QPA_PLATFORM=xcb \
    exec "$zandor" >/dev/null 2>&1) &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name Zandor | head -1) || true
[ -n "$window" ] || { echo "guide_pictures: the window did not appear" >&2; exit 1; }
xdotool windowactivate --sync "$window"
sleep 1

shot() { # NAME [WxH+X+Y]: the whole screen, which the maximised window fills, or a part
    sleep 0.5
    import -window root ${2:+-crop "$2"} "$out/$1"
    echo "guide_pictures: $out/$1"
}
also() { # NAME COPY: the picture just taken also under another name
    cp "$out/$1" "$out/$2"
    echo "guide_pictures: $out/$2"
}
title() { xdotool getwindowname "$window"; }
wait_title() { # PREFIX: until the window's title starts with PREFIX (at most 30 s)
    for _ in $(seq 300); do
        case "$(title)" in "$1"*) return 0 ;; esac
        sleep 0.1
    done
    echo "guide_pictures: the title stayed '$(title)', not '$1...'" >&2
    exit 1
}
wait_window() { # NAME: until a window of that name shows (a dialog)
    timeout 10 xdotool search --sync --onlyvisible --name "$1" >/dev/null ||
        { echo "guide_pictures: no window named '$1' appeared" >&2; exit 1; }
    sleep 0.3
}
keys() { # KEY...: one after the other, with time for the window to answer each
    xdotool key --delay 200 "$@"
}
fill() { # TEXT: replaces the text of the field that has the focus
    keys ctrl+a BackSpace
    xdotool type --delay 20 "$1"
}
search() { # NAME_TEXT LOOK_IN
    keys alt+n
    fill "$1"
    keys alt+i
    fill "$2"
    keys alt+s
}
row_y() { echo $((97 + 18 * $1)); } # the screen line of row N (0 first) of the details view
context_menu_item() { # ROW ITEM_NUMBER: right-click the row, then the menu's Nth item (1 first)
    xdotool mousemove 280 "$(row_y "$1")" click 1
    sleep 0.2
    xdotool click 3
    sleep 0.4
    for _ in $(seq "$2"); do keys Down; done
}

shot guide-start.png
also guide-start.png window-start.png

# A search by name in one folder and all below it.
search report "~/Documents"
wait_title "Search Completed"
shot guide-search-done.png
also guide-search-done.png window-completed.png

# A long search, caught while it runs (the picture is taken as soon as rows
# show, and again if the search ended first); Esc stops it.
caught=
for _ in 1 2 3; do
    search "*.h" /usr
    for _ in $(seq 40); do
        case "$(title)" in *Searching*) break ;; esac
        sleep 0.05
    done
    sleep 0.3
    import -window root "$out/guide-searching.png"
    case "$(title)" in *Searching*) caught=yes ;; esac
    keys Escape
    wait_title "Search Completed"
    [ -n "$caught" ] && break
done
[ -n "$caught" ] || { echo "guide_pictures: every search of /usr ended before its picture" >&2; exit 1; }
echo "guide_pictures: $out/guide-searching.png"
also guide-searching.png window-searching.png

# The conditions: at most 40 KB, changed in the last 3 days.
keys alt+z Tab Down Tab
fill 40
keys alt+d Tab Down Down Tab space Tab
fill 3
search "" "~"
wait_title "Search Completed"
shot guide-conditions.png
# Conditions off again (the sections close), and every item listed.
keys alt+z alt+d
search "" "~/Documents"
wait_title "Search Completed"

# Find by what is inside: files that say "invoice", in any letter case,
# leaving the archive out. The rows are cleared again before the section
# closes, since what it holds applies while it is closed too.
keys alt+o alt+x
fill invoice
keys alt+l
fill "Reports-archive/"
search "" "~/Documents"
wait_title "Search Completed"
shot guide-containing.png
keys alt+x ctrl+a BackSpace alt+l ctrl+a BackSpace alt+o
search "" "~/Documents"
wait_title "Search Completed"

# The views, from the View menu: large icons, small icons, list, and back to
# details.
shot results-details.png
keys alt+v Down Return
shot guide-large-icons.png
also guide-large-icons.png results-large-icons.png
keys alt+v Down Down Return
shot results-small-icons.png
keys alt+v Down Down Down Return
shot results-list.png
keys alt+v Down Down Down Down Return

# The context menu over a row.
xdotool mousemove 280 "$(row_y 2)" click 1
sleep 0.2
xdotool click 3
shot guide-context-menu.png
also guide-context-menu.png window-context-menu.png
keys Escape

# Rename in place: the row's name turns into a field.
search "todo" "~/Documents"
wait_title "Search Completed"
context_menu_item 0 5
keys Return
fill "todo-december.txt"
shot guide-rename.png 600x60+224+70
keys Return

# A rename onto a name that exists: F2 on the row, and the error.
search "reply-insurance" "~/Documents"
wait_title "Search Completed"
xdotool mousemove 280 "$(row_y 0)" click 1
sleep 0.2
keys F2
fill "letter-to-bank.odt"
keys Return
wait_window Error
shot window-rename-error.png
keys Return

# Delete: the confirmation, then the item goes to the sample home's Trash.
search "report-2024" "~/Documents"
wait_title "Search Completed"
context_menu_item 0 6
keys Return
wait_window Delete
shot guide-delete.png
keys alt+y
sleep 0.5
[ -e "$home/.local/share/Trash/files/report-2024.zip" ] ||
    echo "guide_pictures: note: report-2024.zip did not reach the Trash" >&2

# Properties of a folder: what it holds.
search "reports" "~/Documents"
wait_title "Search Completed"
context_menu_item 0 7
keys Return
wait_window Properties
shot guide-properties.png
also guide-properties.png window-properties.png
keys Return
