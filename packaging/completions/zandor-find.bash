# bash completion for zandor-find: its options, the words its options take,
# and folders. Keep the word lists in step with `zandor-find --help`; the
# packaging tests compare them with what the program accepts.

_zandor_find() {
    # words and cword are set by _init_completion along with cur and prev.
    # shellcheck disable=SC2034
    local cur prev words cword split=false
    if declare -F _init_completion >/dev/null; then
        # -n : keeps "name:desc" and "at-least:10" in one word.
        _init_completion -s -n : || return
    else
        # Without the bash-completion package: the plain words, no --opt=value split.
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
    fi

    local words_of_option=
    case $prev in
        -n | --name | --created | --modified | --threads | --containing | --exclude)
            return # free text or a number: nothing to offer
            ;;
        --size)
            words_of_option='at-least: at-most: equal:'
            ;;
        --type)
            words_of_option='bmp c h c++ cpp hlp html ico java rc dsp dsw xml zip documents pictures music videos archives'
            ;;
        --format)
            words_of_option='tsv json null'
            ;;
        --sort)
            local key
            for key in name path size type created modified; do
                words_of_option+="$key $key:desc "
            done
            ;;
        --properties)
            if declare -F _filedir >/dev/null; then
                _filedir
            else
                mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            fi
            return
            ;;
    esac
    if [[ -n $words_of_option ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$words_of_option" -- "$cur")
        [[ ${COMPREPLY[0]-} == *: ]] && compopt -o nospace 2>/dev/null
        declare -F __ltrim_colon_completions >/dev/null && __ltrim_colon_completions "$cur"
        return
    fi
    $split && return

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '-n --name --no-subdirs --case-sensitive --size
            --type --created --modified --containing --binary --exclude --one-file-system --format
            --sort --progress --threads --properties -h --help --version' -- "$cur")
        return
    fi
    # The one operand: the folder to look in.
    if declare -F _filedir >/dev/null; then
        _filedir -d
    else
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
    fi
} &&
    complete -F _zandor_find zandor-find
