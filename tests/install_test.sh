#!/usr/bin/env bash
# The install step lays out program, man page, completion and copyright under DESTDIR and the
# prefix, and the installed program runs.
# Usage: install_test.sh BUILD_DIR
set -uo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$1" --prefix /opt/zorvic >/dev/null || { echo "install failed"; exit 1; }
failed=0
for file in bin/zorvicxlsim share/man/man1/zorvicxlsim.1 \
  share/bash-completion/completions/zorvicxlsim share/doc/zorvicxlsim/copyright; do
  [ -s "$root/opt/zorvic/$file" ] || { echo "FAIL: $file not installed"; failed=1; }
done
"$root/opt/zorvic/bin/zorvicxlsim" --sim -l | grep -q "^00 0x0000" || { echo "FAIL: run"; failed=1; }
if ((failed)); then echo "0 passed, 1 failed"; else echo "1 passed, 0 failed"; fi
exit "$failed"
