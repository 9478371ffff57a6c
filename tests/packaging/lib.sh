# shellcheck shell=bash
# Helpers of the packaging tests: where the build is, installing it into a
# temporary prefix, and failing with a message. Sourced by each test script.
# The test's environment names the build: ZANDOR_BUILD_DIR, ZANDOR_SOURCE_DIR,
# ZANDOR_APP_ID, ZANDOR_VERSION and ZANDOR_GUI (ON or OFF).
set -euo pipefail

: "${ZANDOR_BUILD_DIR:?}" "${ZANDOR_SOURCE_DIR:?}" "${ZANDOR_APP_ID:?}" "${ZANDOR_VERSION:?}"
: "${ZANDOR_GUI:?}"

# CTest reads this exit status as "skipped" (the tests exit with it).
# shellcheck disable=SC2034
readonly SKIPPED=77
failures=0

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zandor-packaging.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Ends the test: a failure reported above fails it.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

# Fails unless the two texts are equal, showing how they differ.
expect_same() {
    local what=$1 expected=$2 actual=$3
    if [ "$expected" != "$actual" ]; then
        fail "$what differs (- expected, + found):"
        diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed -n 's/^[<>]/  &/p' >&2 || true
    fi
}

# Installs the build below a new temporary prefix and prints that prefix.
install_tree() {
    local prefix
    prefix=$(mktemp -d "$scratch/prefix.XXXXXX")
    cmake --install "${1:-$ZANDOR_BUILD_DIR}" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
        { cat "$scratch/install.log" >&2; echo "cmake --install failed" >&2; exit 1; }
    echo "$prefix"
}

# Every file below a folder, as sorted relative paths.
files_below() {
    (cd "$1" && find . \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort)
}

# The files every install holds, without the guide's pictures; $1 is ON when
# the window is built.
expected_files() {
    local id=$ZANDOR_APP_ID
    {
        echo bin/zandor-find
        echo share/bash-completion/completions/zandor-find
        echo share/doc/zandor/changelog.Debian.gz
        echo share/doc/zandor/copyright
        echo share/fish/vendor_completions.d/zandor-find.fish
        echo share/man/man1/zandor-find.1.gz
        echo share/zsh/vendor-completions/_zandor-find
        if [ "$1" = ON ]; then
            echo bin/zandor
            echo "share/applications/$id.desktop"
            echo share/doc/zandor/user-guide.md
            for size in 16 32 48 64 128 256; do
                echo "share/icons/hicolor/${size}x$size/apps/$id.png"
            done
            echo "share/icons/hicolor/scalable/apps/$id.svg"
            echo share/man/man1/zandor.1.gz
            echo "share/metainfo/$id.metainfo.xml"
        fi
    } | LC_ALL=C sort
}

# The words zandor-find itself names: its options (every -x and --long token
# of --help, wherever the help text puts them) and the values of --type,
# --format and --sort (from its own refusals of a wrong value).
help_options() {
    "$1" --help | grep -oE -- '(^|[^[:alnum:]_-])--?[[:alpha:]][[:alnum:]-]*' |
        sed -E 's/^[^-]*//' | LC_ALL=C sort -u
}
refused_values() {
    # "... expected one of bmp, c, h" / "expected tsv, json or null" /
    # "KEY one of name, path": the list after the last "one of" or "expected".
    local message
    message=$("$1" "$2" '?' 2>&1 >/dev/null | head -1) || true
    echo "$message" | sed -E 's/.*(one of|expected) //; s/ or /, /' | tr ',' '\n' |
        sed -E 's/^ +//; s/ +$//' | grep -v '^$' | LC_ALL=C sort
}
