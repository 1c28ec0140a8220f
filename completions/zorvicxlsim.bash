# bash completion for zorvicxlsim: options, and file names after --fw, -f, --output and -o.
# Nothing is offered where an ID or a free text is expected; the count of --sim is optional, so
# the options are offered after it.

_zorvicxlsim() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]:-}
  local options="--verbose --list -l --fwupdate --pie -p --sim -s --VendorId --DeviceId
    --SubVendorId --SubDeviceId --fw -f --fwversion --display --output -o --version -v
    --help -h"
  COMPREPLY=()

  # "--fw=x" arrives as "--fw" "=" "x" while "=" is in COMP_WORDBREAKS. After "=" comes the
  # option's own argument, never another option.
  local attached=
  if [[ $prev == "=" && $COMP_CWORD -ge 2 ]]; then
    prev=${COMP_WORDS[COMP_CWORD - 2]} attached=1
  elif [[ $cur == "=" ]]; then
    cur="" attached=1
  fi

  case $prev in
    --fw | -f | --output | -o)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return 0
      ;;
    --VendorId | --DeviceId | --SubVendorId | --SubDeviceId | --fwversion | --display)
      return 0
      ;;
  esac

  if [[ -z $attached && (-z $cur || $cur == -*) ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
  fi
  return 0
}

complete -F _zorvicxlsim zorvicxlsim
