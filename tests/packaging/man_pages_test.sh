#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The man pages, as installed: man renders them without a warning, they hold
# the sections a reader looks for, and the zandor-find page documents exactly
# the options that `zandor-find --help` lists.
source "$(dirname "$0")/lib.sh"

command -v man >/dev/null || { echo "SKIPPED: man is missing (man-db, scripts/bootstrap.sh)"; exit $SKIPPED; }
prefix=$(install_tree)
man_dir="$prefix/share/man/man1"

# Plain ASCII text, one paragraph a line, so that no option is split or hyphenated.
render() { LC_ALL=C MANWIDTH=1000 man --warnings -l "$1" 2>"$scratch/warnings" | col -bx; }
sections() { render "$1" | grep -E '^[A-Z][A-Z ]+$'; }

pages=(zandor-find)
[ "$ZANDOR_GUI" = ON ] && pages+=(zandor)
for page in "${pages[@]}"; do
    footer=$(render "$man_dir/$page.1.gz" | tail -1)
    expect_same "the warnings of man on $page.1" "" "$(cat "$scratch/warnings")"
    # The footer names the version the page describes.
    [[ $footer == "Zandor $ZANDOR_VERSION "* ]] || fail "the footer of $page.1 is '$footer'"
done

expect_same "the sections of zandor-find(1)" \
    "$(printf '%s\n' NAME SYNOPSIS DESCRIPTION 'NAME PATTERNS' OPTIONS 'OUTPUT FORMATS' \
        'EXIT STATUS' EXAMPLES ENVIRONMENT 'SEE ALSO')" \
    "$(sections "$man_dir/zandor-find.1.gz")"

# The options of the OPTIONS section: every -x and --long token in it.
man_options=$(render "$man_dir/zandor-find.1.gz" | sed -n '/^OPTIONS$/,/^[A-Z][A-Z ]*$/p' |
    grep -oE -- '(^|[^[:alnum:]_-])--?[[:alpha:]][[:alnum:]-]*' | sed -E 's/^[^-]*//' |
    LC_ALL=C sort -u)
expect_same "the options of the man page (- in --help, + in the man page)" \
    "$(help_options "$prefix/bin/zandor-find")" "$man_options"
finish
