#!/usr/bin/env bash
# Builds the packages from a build folder, installs the .deb and checks what it installed: the
# .rpm and the tarball hold the same files, the program runs from each, the man page documents
# every option of the usage text, and bash, zsh and fish complete options and file names.
#
# Usage: packaging/package_test.sh BUILD_FOLDER   (as root: it installs the package and removes it)
set -euo pipefail
fail() { echo "FAIL: $*" && exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
cd "$1" && rm -rf packages && cpack -B packages >/dev/null 2>&1 && dpkg -i packages/*.deb >/dev/null
trap 'dpkg -r zorvicxlsim >/dev/null' EXIT
tree=$(dpkg -L zorvicxlsim | sort | while read -r f; do [ -d "$f" ] || echo "$f"; done)
mkdir -p packages/rpm packages/tgz && tar xzf packages/*.tar.gz -C packages/tgz --strip-components=1
(cd packages/rpm && rpm2cpio ../*.rpm | cpio -idm --quiet)
[ "$(cd packages/rpm && find . ! -type d | sed 's/^.//' | sort)" = "$tree" ] || fail "the rpm differs"
[ "$(cd packages/tgz && find . ! -type d | sed 's|^\./|/usr/|' | sort)" = "$tree" ] || fail "the tarball differs"
for program in zorvicxlsim packages/rpm/usr/bin/zorvicxlsim packages/tgz/bin/zorvicxlsim; do
  [ "$("$program" --sim 2 -p --list | grep -c '<Device ')" = 2 ] || fail "no report from $program"
done

man=/usr/share/man/man1/zorvicxlsim.1.gz
for option in $(zorvicxlsim --help | sed -n 's/^\t--\([A-Za-z]*\).*/\1/p'); do
  zgrep -qE "^\.B[IR]? \\\\-\\\\-$option( |$)" $man || fail "the man page lacks --$option"
done

# Options after --sim, whose count is optional; file names after --fw and --output only.
cd "$(mktemp -d)" && touch fw.bin
source /usr/share/bash-completion/completions/zorvicxlsim
for line in "-l --fw:--fwupdate --fw --fwversion" "--sim --l:--list" "--fw f:fw.bin" "-o :fw.bin" "--VendorId f:"; do
  read -r -a COMP_WORDS <<<"zorvicxlsim ${line%%:*}"
  [[ ${line%%:*} != *" " ]] || COMP_WORDS+=("") # a space ends the line: a new word begins
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _zorvicxlsim || true # compopt fails outside a real completion
  [ "${COMPREPLY[*]}" = "${line#*:}" ] || fail "bash offered '${COMPREPLY[*]}' for '${line%%:*}'"
  expected=$(xargs -n1 <<<"${line#*:}" | sort | xargs)
  words=$(zsh -f "$here/zsh_complete.zsh" "zorvicxlsim ${line%%:*}" | sort -u | xargs)
  [ "$words" = "$expected" ] || fail "zsh offered '$words' for '${line%%:*}'"
  words=$(fish -c "complete -C 'zorvicxlsim ${line%%:*}'" | cut -f1 | sort | xargs)
  [ "$words" = "$expected" ] || fail "fish offered '$words' for '${line%%:*}'"
done
# bash: "--sim=" takes its count in the same word, never an option.
read -r -a COMP_WORDS <<<"zorvicxlsim --sim =" && COMP_CWORD=2 && _zorvicxlsim || true
[ -z "${COMPREPLY[*]}" ] || fail "bash offered '${COMPREPLY[*]}' after --sim="
echo "packages install and work"
