# bash completion for zorvicxlsim: options, and file names after --fw, -f, --output and -o.
# Nothing is offered where an ID or a free text is expected; the count of --sim is optional, so
# the options are offered after it. The program takes every word after "--" or after its first
# operand as an operand, so nothing is offered there either.

_zorvicxlsim() {
  local options="--verbose --list -l --fwupdate --pie -p --sim -s --VendorId --DeviceId
    --SubVendorId --SubDeviceId --fw -f --fwversion --display --output -o --version -v
    --help -h"
  COMPREPLY=()
  # "--fw=x" arrives as "--fw" "=" "x" while "=" is in COMP_WORDBREAKS: the words are joined
  # again, so that each stands as the program sees it. cur is the part that bash replaces.
  local words=() word glue= i
  for ((i = 1; i <= COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ $word == "=" && ${#words[@]} -gt 0 ]]; then
      words[-1]+="=" glue=1
    elif [[ -n $glue ]]; then
      words[-1]+=$word glue=
    else
      words+=("$word")
    fi
  done
  local cur=${COMP_WORDS[COMP_CWORD]} typed=${words[-1]}
  [[ $cur != "=" ]] || cur=

  # The words before the cursor, read as the program reads them: what the next word is.
  local next=option file=
  for word in "${words[@]:0:${#words[@]}-1}"; do
    case $next in
      value) next=option && continue ;;
      count) next=option && [[ $word == -* ]] || continue ;; # --sim's count, when no option
    esac
    if [[ $word == -- ]]; then
      return 0
    elif [[ $word =~ ^(--sim(=.*)?|-[lpvh]*s.*)$ ]]; then
      next=count
    elif [[ $word =~ ^(--fw|--output|-[lpvh]*[fo])$ ]]; then
      next=value file=1
    elif [[ $word =~ ^--(VendorId|DeviceId|SubVendorId|SubDeviceId|fwversion|display)$ ]]; then
      next=value file=
    elif [[ $word != -?* ]]; then
      return 0 # the first operand: the program reads no option from here on
    fi
  done

  if [[ $next == count && -n $typed && $typed != -* ]]; then
    return 0 # the count itself
  elif [[ $next == value || $typed == --*=* ]]; then
    # An option's value, in this word or after "=" in the same word.
    [[ $next == value ]] || case ${typed%%=*} in --fw | --output) file=1 ;; *) file= ;; esac
    if [[ -n $file ]]; then
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
  elif [[ -z $typed || $typed == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
  fi
  return 0
}

complete -F _zorvicxlsim zorvicxlsim
