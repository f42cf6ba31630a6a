# bash completion for velmora-cli: commands, their options, method names, deal kinds
# and cube files (*.mf). Needs nothing but bash itself.

_velmora_cli_options() {
    # The options of one command; a new option is added to its command's line.
    case "$1" in
        state) echo "--alg --help" ;;
        solve) echo "--moves --alg --code --facelets --method --centres --force --log --table-size --max-seconds --help" ;;
        scramble) echo "--kind --seed --method --log --help" ;;
        batch) echo "--count --kind --seed --moves-per-position --method --log --jobs --table-size --max-seconds --help" ;;
        explain) echo "--moves --alg --code --facelets --method --centres --force --log --count --seed --moves-per-position --table-size --max-seconds --help" ;;
        save) echo "--moves --alg --code --facelets --method --centres --force --log --steps --table-size --max-seconds --help" ;;
        open) echo "--method --log --help" ;;
        format | patterns | net) echo "--help" ;;
        scan) echo "--rgb --video --solve --method --help" ;;
    esac
}

# Cube files and folders (to go on into) that start with $1.
_velmora_cli_files() {
    local IFS=$'\n'
    COMPREPLY=($(compgen -d -S / -- "$1") $(compgen -f -X '!*.mf' -- "$1"))
    compopt -o filenames -o nospace 2>/dev/null
}

_velmora_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=""
    local -a words=("${COMP_WORDS[@]}")
    local cword=$COMP_CWORD
    ((cword > 0)) && prev=${words[cword - 1]}

    local commands="state solve scramble batch explain save open format patterns net scan"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            -*) ;;
            *) command="${words[i]}"; break ;;
        esac
    done

    case "$prev" in
        --method)
            COMPREPLY=($(compgen -W "group eight-corner shortest optimal" -- "$cur"))
            return ;;
        --kind)
            if [[ $command == scramble ]]; then
                COMPREPLY=($(compgen -W "1 2 3 4" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "1 2 3" -- "$cur"))
            fi
            return ;;
        --log)
            _velmora_cli_files "$cur"
            return ;;
        --jobs)
            COMPREPLY=($(compgen -W "$(seq 1 "$(nproc 2>/dev/null || echo 1)")" -- "$cur"))
            return ;;
        --moves | --alg | --rgb | --code | --facelets | --seed | --count | --moves-per-position | --steps)
            return ;;
    esac

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_velmora_cli_options "$command")" -- "$cur"))
        return
    fi
    case "$command" in
        save | open) _velmora_cli_files "$cur" ;;
        scan)
            local IFS=$'\n'
            COMPREPLY=($(compgen -f -- "$cur"))
            compopt -o filenames 2>/dev/null ;;
    esac
}

complete -F _velmora_cli velmora-cli
