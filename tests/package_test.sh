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
files=$(tar tzf "$1"/packages/*.tar.gz | sed -n 's|^[^/]*/\(.*[^/]\)$|/usr/\1|p')
[ "$(wc -l <<<"$files")" = 4 ] && ls $files >/dev/null || fail "tarball and package differ: $files"
[ "$(cd /tmp && zorvicxlsim --sim 2 -p --list | grep -c '<Device ')" = 2 ] || fail "no report"

[ -z "$(groff -man -ww -z /usr/share/man/man1/zorvicxlsim.1 2>&1)" ] || fail "groff warns about the man page"
for option in $(zorvicxlsim --help | sed -n 's/^\t--\([A-Za-z]*\).*/\1/p'); do
  grep -qE "^\.B[IR]? \\\\-\\\\-$option( |$)" /usr/share/man/man1/zorvicxlsim.1 || fail "the man page lacks --$option"
done

source /usr/share/bash-completion/completions/zorvicxlsim
COMP_WORDS=(zorvicxlsim -l --fw) COMP_CWORD=2
_zorvicxlsim || true # compopt fails outside a real completion
[ "${COMPREPLY[*]}" = "--fwupdate --fw --fwversion" ] || fail "completion offered '${COMPREPLY[*]}'"
echo "package installs and works"
