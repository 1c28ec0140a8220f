#!/usr/bin/env bash
# Prints the Debian packages of the compiler CXX and of the linker it runs, which build the
# program: "PACKAGE<TAB>VERSION<TAB>ARCHITECTURE" a line, read from dpkg. With the same versions
# (and the same static components) the same sources give the same program.
#
# Usage: packaging/build_tools.sh CXX   (needs dpkg-query)
set -euo pipefail
for program in "$1" "$($1 -print-prog-name=ld)"; do
  package=$(dpkg-query -S "$(realpath "$(command -v "$program")")" | sed 's/: .*//')
  dpkg-query -W -f '${Package}\t${Version}\t${Architecture}\n' "$package"
done
