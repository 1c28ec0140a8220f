#!/usr/bin/env bash
# Prints what a static link with the compiler CXX and the link FLAGS puts into the program from
# the build machine's packages: one line per Debian source package,
# "SOURCE<TAB>VERSION<TAB>PACKAGES<TAB>LIBRARIES", read from dpkg. PACKAGES are the binary
# packages that hold the libraries (their copyright files are the components' notices).
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
  dpkg-query -W -f "\${source:Package}\t\${source:Version}\t\${Package}\t$library\n" "$package"
done | awk -F'\t' '{ key = $1 "\t" $2; if (!(key in libraries)) order[++n] = key
  if (index(" " packages[key] " ", " " $3 " ") == 0) packages[key] = packages[key] (packages[key] == "" ? "" : " ") $3
  libraries[key] = libraries[key] (libraries[key] == "" ? "" : " ") $4 }
  END { for (i = 1; i <= n; i++) print order[i] "\t" packages[order[i]] "\t" libraries[order[i]] }'
