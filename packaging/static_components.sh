#!/usr/bin/env bash
# Prints what a static link with the compiler CXX puts into the program from the build machine's
# packages: one line per source package, "SOURCE<TAB>VERSION<TAB>LIBRARIES", read from dpkg. A
# library packaged by a cross or MinGW-w64 toolchain names the source it was built from in its
# package's Built-Using (glibc, gcc-12): that source is the one whose code the program carries.
#
# Usage: packaging/static_components.sh CXX   (needs dpkg-query)
set -euo pipefail
cxx=$1
case $($cxx -dumpmachine) in
*mingw32*) libraries="libstdc++.a libgcc.a libgcc_eh.a libwinpthread.a libmingwex.a" ;;
*) libraries="libc.a libstdc++.a libgcc.a libgcc_eh.a" ;;
esac
for library in $libraries; do
  file=$(realpath "$($cxx -print-file-name=$library)")
  package=$(dpkg-query -S "$file" | cut -d: -f1)
  read -r source version built_using < <(
    dpkg-query -W -f '${source:Package} ${source:Version} ${Built-Using}\n' "$package")
  case $library in libc.a) upstream=glibc ;; libst* | libgcc*) upstream='gcc-[0-9]+' ;; *) upstream=- ;; esac
  # "glibc (= 2.36-8), gcc-12 (= 12.2.0-14)": the entry of the upstream source, if any.
  if [[ " $built_using" =~ [\ ,]($upstream)\ \(=\ ([^\)]+)\) ]]; then
    source=${BASH_REMATCH[1]} version=${BASH_REMATCH[2]}
  fi
  printf '%s\t%s\t%s\n' "$source" "$version" "$library"
done | awk -F'\t' '{ key = $1 "\t" $2; if (!(key in seen)) order[++n] = key
  seen[key] = seen[key] (seen[key] == "" ? "" : " ") $3 }
  END { for (i = 1; i <= n; i++) print order[i] "\t" seen[order[i]] }'
