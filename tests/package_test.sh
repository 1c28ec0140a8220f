#!/usr/bin/env bash
# Builds the .deb and .tar.gz from a built build directory, checks the tarball's layout, installs
# the .deb into this machine with dpkg (root only), runs the installed program, and removes the
# package again.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
rm -rf "$build/packages"
(cd "$build" && cpack -G "DEB;TGZ" -B "$build/packages" >/dev/null)
deb=$(ls "$build"/packages/zorvicxlsim_*_*.deb)
# The tarball is the install step's tree, laid out through DESTDIR.
[ "$(tar tzf "$build"/packages/zorvicxlsim-*.tar.gz | grep -cE \
  '/(bin/zorvicxlsim|man1/zorvicxlsim.1|completions/zorvicxlsim|zorvicxlsim/copyright)$')" = 4 ] ||
  { echo "FAIL: tarball layout"; exit 1; }

dpkg -i "$deb" >/dev/null
trap 'dpkg -r zorvicxlsim >/dev/null' EXIT
version=$(PATH=/usr/bin:$PATH zorvicxlsim --version)
[[ $version == "zorvicxlsim 0.0.1.0x59c2bd1" ]] || { echo "FAIL: --version gave '$version'"; exit 1; }
report=$(cd /tmp && /usr/bin/zorvicxlsim --sim 2 --pie --VendorId 0x1235 --list)
[ "$(grep -c '<Device vendorID = "1235"' <<<"$report")" = 2 ] || { echo "FAIL: report"; exit 1; }
for file in /usr/share/man/man1/zorvicxlsim.1 /usr/share/bash-completion/completions/zorvicxlsim \
  /usr/share/doc/zorvicxlsim/copyright; do
  [ -s "$file" ] || { echo "FAIL: $file missing"; exit 1; }
done
echo "package $(basename "$deb") installs and runs"
