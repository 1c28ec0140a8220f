#!/usr/bin/env bash
# Builds the Debian package and the tarball from a build folder, installs the package and checks
# what it installed: the tarball holds the same files, the program runs, the man page is clean
# and documents every option of the usage text, and bash completion offers options and files.
#
# Usage: tests/package_test.sh BUILD_FOLDER   (as root: it installs the package and removes it)
set -euo pipefail
fail() { echo "FAIL: $*" && exit 1; }
(cd "$1" && rm -rf packages && cpack -G "DEB;TGZ" -B packages >/dev/null && dpkg -i packages/*.deb >/dev/null)
trap 'dpkg -r zorvicxlsim >/dev/null' EXIT
for file in bin/zorvicxlsim share/man/man1/zorvicxlsim.1 share/doc/zorvicxlsim/copyright \
  share/bash-completion/completions/zorvicxlsim; do
  [ -s "/usr/$file" ] && tar tzf "$1"/packages/*.tar.gz | grep -q "/$file$" || fail "no $file"
done
[ "$(cd /tmp && zorvicxlsim --sim 2 -p --list | grep -c '<Device ')" = 2 ] || fail "no report"

page=/usr/share/man/man1/zorvicxlsim.1
[ -z "$(groff -man -ww -z "$page" 2>&1)" ] || fail "groff warns about the man page"
for option in $(zorvicxlsim --help | sed -n 's/^\t--\([A-Za-z]*\).*/\1/p'); do
  grep -qE "^\.B[IR]? \\\\-\\\\-$option( |$)" "$page" || fail "the man page lacks --$option"
done

source /usr/share/bash-completion/completions/zorvicxlsim
for words in "--fw:--fwupdate --fw --fwversion" "-o /usr/share/doc/zorvicxlsim/c:/usr/share/doc/zorvicxlsim/copyright" "--sim :"; do
  read -r -a COMP_WORDS <<<"zorvicxlsim ${words%%:*}"
  [[ $words == *" :" ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _zorvicxlsim || true # compopt fails outside a real completion
  [ "${COMPREPLY[*]}" = "${words#*:}" ] || fail "completing '${words%%:*}' offered '${COMPREPLY[*]}'"
done
echo "package installs and works"
