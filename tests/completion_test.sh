#!/usr/bin/env bash
# Drives the bash completion as bash does and checks what it offers.
# Usage: completion_test.sh COMPLETION_SCRIPT
set -uo pipefail
# shellcheck source=/dev/null
source "$1"
cd "$(mktemp -d)" || exit 2
touch fw.bin fx.txt && mkdir fwdir

passed=0
failed=0
# offers "WORDS ON THE LINE" "EXPECTED, SORTED, SPACE-SEPARATED": the last word is completed.
offers() {
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _zorvicxlsim
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
  if [[ $got == "$2" ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: '$1': offered '$got', expected '$2'"
  fi
}

if complete -p zorvicxlsim | grep -q -- '-F _zorvicxlsim zorvicxlsim'; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "FAIL: completion not registered"
fi
offers "zorvicxlsim --Ve" "--VendorId"
offers "zorvicxlsim --fw" "--fw --fwupdate --fwversion"
offers "zorvicxlsim -" "$(printf '%s\n' --verbose --list -l --fwupdate --pie -p --sim -s --VendorId \
  --DeviceId --SubVendorId --SubDeviceId --fw -f --fwversion --display --output -o --version -v \
  --help -h | sort | xargs)"
offers "zorvicxlsim --fw f" "fw.bin fwdir fx.txt"
offers "zorvicxlsim --list --output " "fw.bin fwdir fx.txt"
offers "zorvicxlsim -o fx" "fx.txt"
offers "zorvicxlsim --output = fw." "fw.bin"
offers "zorvicxlsim --sim " ""
offers "zorvicxlsim --VendorId " ""
offers "zorvicxlsim --display " ""
offers "zorvicxlsim --list fw" ""

echo "$passed passed, $failed failed"
((failed == 0))
