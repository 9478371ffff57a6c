#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The shell completions of zandor-find, as installed: bash registers them and
# offers exactly the options, --type words, --format names and --sort keys that
# zandor-find accepts, and folders for the operand; fish offers the same; zsh
# loads its function. zsh and fish are checked where they are installed.
source "$(dirname "$0")/lib.sh"

prefix=$(install_tree)
find_program="$prefix/bin/zandor-find"
share="$prefix/share"
options=$(help_options "$find_program")
types=$(refused_values "$find_program" --type)
formats=$(refused_values "$find_program" --format)
keys=$(refused_values "$find_program" --sort)
sort_words=$(for key in $keys; do echo "$key"; echo "$key:desc"; done | LC_ALL=C sort)

# A folder to complete in: two folders and a file that start alike.
mkdir -p "$scratch/here/alpha" "$scratch/here/alps" && touch "$scratch/here/alpha.txt"
cd "$scratch/here"

# bash, with and without the bash-completion package's helpers.
bash_offers() { # BOOTSTRAP WORD... : what bash offers for the last word, one a line
    local bootstrap=$1
    shift
    bash --norc --noprofile -c '
        [ -n "$1" ] && source "$1"
        source "$2"
        shift 2
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _zandor_find zandor-find "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
        printf "%s\n" "${COMPREPLY[@]}"' bash "$bootstrap" \
        "$share/bash-completion/completions/zandor-find" "$@" | LC_ALL=C sort
}
expect_same "complete -p in bash" "complete -F _zandor_find zandor-find" \
    "$(bash --norc -c "source '$share/bash-completion/completions/zandor-find'; complete -p zandor-find")"
helpers=/usr/share/bash-completion/bash_completion
[ -f "$helpers" ] || { echo "note: bash-completion is missing: only the plain completion is checked"; helpers=; }
for bootstrap in "$helpers" ""; do
    with=${bootstrap:+with bash-completion}
    with=${with:-without bash-completion}
    expect_same "bash: options ($with)" "$options" "$(bash_offers "$bootstrap" zandor-find -)"
    expect_same "bash: --type words ($with)" "$types" "$(bash_offers "$bootstrap" zandor-find --type '')"
    expect_same "bash: --format names ($with)" "$formats" "$(bash_offers "$bootstrap" zandor-find --format '')"
    expect_same "bash: --sort keys ($with)" "$sort_words" "$(bash_offers "$bootstrap" zandor-find --sort '')"
    expect_same "bash: folders ($with)" "$(printf '%s\n' alpha alps)" "$(bash_offers "$bootstrap" zandor-find al)"
done
if [ -n "$helpers" ]; then
    expect_same "bash: --format=j" "json" "$(bash_offers "$helpers" zandor-find --format=j)"
fi

if command -v fish >/dev/null; then
    fish_offers() { # COMMAND LINE: the words fish offers, without their descriptions
        fish --no-config -c "source '$share/fish/vendor_completions.d/zandor-find.fish'; complete -C '$1'" |
            cut -f1 | LC_ALL=C sort
    }
    expect_same "fish: options" "$options" "$(fish_offers 'zandor-find -')"
    expect_same "fish: --type words" "$types" "$(fish_offers 'zandor-find --type ')"
    expect_same "fish: --format names" "$formats" "$(fish_offers 'zandor-find --format ')"
    expect_same "fish: --sort keys" "$sort_words" "$(fish_offers 'zandor-find --sort ')"
    expect_same "fish: folders" "$(printf '%s\n' alpha/ alps/)" "$(fish_offers 'zandor-find al')"
else
    echo "note: fish is missing: its completion is not checked"
fi

if command -v zsh >/dev/null; then
    zsh_function="$share/zsh/vendor-completions/_zandor-find"
    zsh -n "$zsh_function" || fail "zsh cannot parse _zandor-find"
    # compinit reads the #compdef line of every function on fpath.
    expect_same "zsh: the function compinit binds to zandor-find" "_zandor-find" \
        "$(HOME=$scratch zsh -f -c "fpath=('${zsh_function%/*}' \$fpath); autoload -Uz compinit;
            compinit -u -d '$scratch/zcompdump'; print -r -- \${_comps[zandor-find]}")"
else
    echo "note: zsh is missing: its completion is not checked"
fi
finish
