# Bash completion for corvella(1): the commands and options, the action names
# (as corvella --help lists them) and the stored grid layouts (as the running
# Corvella lists them; none when it is not running).

_corvella_actions() {
  "$1" --help 2>/dev/null | sed -n '/^Actions:$/,/^$/{/^ /p}'
}

_corvella_grids() {
  # The identifiers, then the sizes of the stored layouts.
  local json
  json=$("$1" list --json 2>/dev/null) || return 0
  sed -n 's/^ *"id": "\([0-9A-Fa-f-]*\)",\{0,1\}$/\1/p' <<<"$json"
  sed -n 's/^ *"\(columns\|rows\)": \([0-9]*\),\{0,1\}$/\2/p' <<<"$json" | paste -d x - -
}

_corvella() {
  local program=$1 current=${COMP_WORDS[COMP_CWORD]}
  local candidates=""
  if [ "$COMP_CWORD" -eq 1 ]; then
    if [[ $current == -* ]]; then
      candidates="--help --version --settings --headless"
    else
      candidates="run grid list status help"
    fi
  elif [ "$COMP_CWORD" -eq 2 ]; then
    case ${COMP_WORDS[1]} in
      run) candidates=$(_corvella_actions "$program") ;;
      grid) candidates=$(_corvella_grids "$program") ;;
      list | status) candidates="--json" ;;
    esac
  fi
  # shellcheck disable=SC2207 # the candidates are plain words
  COMPREPLY=($(compgen -W "$candidates" -- "$current"))
}

complete -F _corvella corvella
