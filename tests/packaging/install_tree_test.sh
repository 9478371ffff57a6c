#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The install tree: `cmake --install` into a temporary prefix lays out every
# file a desktop and a shell look for, and the programs run from there.
source "$(dirname "$0")/lib.sh"

prefix=$(install_tree)

# Every file in its place, nothing else (the guide's pictures are checked
# against the guide below).
expect_same "the installed files" "$(expected_files "$ZANDOR_GUI")" \
    "$(files_below "$prefix" | grep -v '^share/doc/zandor/screens/' || true)"

for program in zandor-find $([ "$ZANDOR_GUI" = ON ] && echo zandor); do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
expect_same "the installed zandor-find --version" "zandor-find $ZANDOR_VERSION" \
    "$(cd / && "$prefix/bin/zandor-find" --version)"

# A search from the installed program, on a tree of its own.
mkdir -p "$scratch/tree/notes" && touch "$scratch/tree/notes/todo.txt" "$scratch/tree/plan.md"
expect_same "an installed search for *.txt" "$scratch/tree/notes/todo.txt" \
    "$("$prefix/bin/zandor-find" --format null -n '*.txt' "$scratch/tree" 2>/dev/null | tr '\0' '\n')"

if [ "$ZANDOR_GUI" = ON ]; then
    # Each PNG is drawn at the size its folder names.
    for png in "$prefix"/share/icons/hicolor/*x*/apps/*.png; do
        size=$(basename "$(dirname "$(dirname "$png")")")
        # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
        read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
            awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
        expect_same "the size of ${png#"$prefix"/}" "$size" "${width}x$height"
    done

    # The desktop entry starts the installed program and names the installed icon.
    desktop="$prefix/share/applications/$ZANDOR_APP_ID.desktop"
    expect_same "the desktop entry's Exec" "zandor" "$(sed -n 's/^Exec=//p' "$desktop")"
    expect_same "the desktop entry's Icon" "$ZANDOR_APP_ID" "$(sed -n 's/^Icon=//p' "$desktop")"

    # Every picture the installed guide shows is installed beside it, and only those.
    doc="$prefix/share/doc/zandor"
    shown=$(grep -oE '\(screens/[^)]+\.png\)' "$doc/user-guide.md" | tr -d '()' | LC_ALL=C sort -u)
    [ -n "$shown" ] || fail "the user guide shows no picture"
    expect_same "the guide's pictures" "$shown" "$(files_below "$doc" | grep '^screens/' || true)"
fi
finish
