# bash completion for bowlyn-cli                            -*- shell-script -*-
#
# The commands, their options and the choices of an option's value are read
# from `bowlyn-cli --help` and the preset names from `bowlyn-cli presets`, so
# the completion offers what the program it completes for accepts.

# The usage lines of the help, up to its first blank line.
_bowlyn_cli_usage() {
    "$1" --help 2>/dev/null | sed '/^$/q'
}

# A design: a parameter file, clear, or preset:NAME.
_bowlyn_cli_designs() {
    local cli=$1 name
    _filedir bowlyn
    local -a others=(clear)
    while IFS= read -r name; do
        others+=("preset:$name")
    done < <("$cli" presets 2>/dev/null)
    for name in "${others[@]}"; do
        [[ $name == "$cur"* ]] && COMPREPLY+=("$name")
    done
    # Quoted as file names are: preset names hold spaces and quotes.
    compopt -o filenames
    # Only the part after the colon is replaced on the command line.
    __ltrim_colon_completions "$cur"
}

_bowlyn_cli() {
    local cur prev words cword
    # preset:NAME and LABEL=TEXT stay one word.
    _init_completion -n := || return

    local cli=${words[0]} usage lines
    __expand_tilde_by_ref cli
    usage=$(_bowlyn_cli_usage "$cli")
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$(awk '$1 == "bowlyn-cli" && !seen[$2]++ {print $2}' <<<"$usage") --help" \
            -- "$cur"))
        return
    fi
    local command=${words[1]}
    # The usage lines of this command, with their continuation lines.
    lines=$(awk -v c="$command" '$1 == "bowlyn-cli" {on = ($2 == c)} on' <<<"$usage")
    [[ -n $lines ]] || return

    # What an option takes, as the usage writes it: "[--units in|mm|cm]".
    local value
    value=$(grep -o -- "\[$prev [^]]*\]" <<<"$lines" | head -1)
    value=${value#"[$prev "}
    value=${value%]}
    case $prev in
        -o)
            case $command in
                render | thumbnail) _filedir png ;;
                export) _filedir '@(dxf|svg|pdf)' ;;
                *) _filedir bowlyn ;;  # save and convert write parameter files
            esac
            return
            ;;
    esac
    if [[ -n $value ]]; then
        case $value in
            *"|"*) COMPREPLY=($(compgen -W "${value//|/ }" -- "$cur")) ;;
            FILE) _filedir ;;
            DESIGN) _bowlyn_cli_designs "$cli" ;;
        esac
        return  # numbers and LABEL=TEXT are the user's own
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(grep -oE -- '(^|[ [])(-o|--[a-z][a-z-]*)' <<<"$lines" |
            tr -d ' [' | sort -u) --help" -- "$cur"))
        return
    fi

    # The one DESIGN, POINTS or OUTLINE argument, unless it was given already: every
    # other word is an option or an option's value.
    local i word
    for ((i = 2; i < cword; i++)); do
        word=${words[i]}
        if [[ $word == -o ]] || grep -q -- "\[$word [^]]" <<<"$lines"; then
            ((i++))
        elif [[ $word != -* ]]; then
            return
        fi
    done
    case $(awk 'NR == 1 {print $3}' <<<"$lines") in
        DESIGN) _bowlyn_cli_designs "$cli" ;;
        POINTS | OUTLINE) _filedir ;;
    esac
} &&
    complete -F _bowlyn_cli bowlyn-cli

# ex: filetype=sh
