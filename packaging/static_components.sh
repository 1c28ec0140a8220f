#!/usr/bin/env bash
# Prints what a static link with the compiler CXX and the link FLAGS puts into the program from
# the build machine's packages: one line per Debian source package,
# "SOURCE<TAB>VERSION<TAB>LICENCE<TAB>PACKAGES<TAB>LIBRARIES", read from dpkg. PACKAGES are the
# binary packages that hold the libraries (their copyright files are the components' notices);
# LICENCE is what those files say of the libraries linked in, as an SPDX expression.
#
# Usage: packaging/static_components.sh CXX [FLAGS...]   (needs dpkg-query)
set -euo pipefail
cxx=$1 && shift
case $($cxx -dumpmachine) in
*mingw32*) libraries="libstdc++.a libgcc.a libgcc_eh.a libwinpthread.a libmingwex.a" ;;
*) libraries="libc.a libstdc++.a libgcc.a libgcc_eh.a" ;;
esac
for library in $libraries; do
  file=$(realpath "$($cxx "$@" -print-file-name=$library)")
  package=$(dpkg-query -S "$file" | sed 's/: .*//') # with its architecture, where it has one
  read -r source version name < <(dpkg-query -W -f '${source:Package} ${source:Version} ${Package}\n' "$package")
  case $source in # for mingw-w64, those of its C runtime (mingw-w64-crt) and winpthreads
  glibc) licence=LGPL-2.1-or-later ;;
  gcc-*) licence="GPL-3.0-or-later WITH GCC-exception-3.1" ;;
  mingw-w64) licence="ZPL-2.1 AND MIT AND BSD-3-Clause" ;;
  *) echo "static_components.sh: no licence known for $source" >&2 && exit 1 ;;
  esac
  printf '%s\t%s\t%s\t%s\t%s\n' "$source" "$version" "$licence" "$name" "$library"
done | awk -F'\t' '{ key = $1 "\t" $2 "\t" $3; if (!(key in libraries)) order[++n] = key
  if (index(" " packages[key] " ", " " $4 " ") == 0) packages[key] = packages[key] (packages[key] == "" ? "" : " ") $4
  libraries[key] = libraries[key] (libraries[key] == "" ? "" : " ") $5 }
  END { for (i = 1; i <= n; i++) print order[i] "\t" packages[order[i]] "\t" libraries[order[i]] }'
