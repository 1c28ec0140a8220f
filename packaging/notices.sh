#!/usr/bin/env bash
# Prints the program's licence notices, which every package and the image install: the program's
# own licence, then for each component that the static link put into it (STATIC_COMPONENTS_TSV,
# from static_components.sh) its version, where its source is, how to rebuild the program against
# a changed library, and its Debian copyright file as the build machine has it; last, the licence
# texts those files refer to in /usr/share/common-licenses, when asked for (texts), for systems
# that have no such folder.
#
# Usage: packaging/notices.sh LICENSE STATIC_COMPONENTS_TSV VERSION [texts]   (on the build machine)
set -euo pipefail
licence=$1 components=$2 version=$3 texts=${4:-}
cat <<EOF
zorvicxlsim $version
Copyright (C) 2026 The zorvicxlsim authors
License: MIT

$(cat "$licence")

Statically linked components
============================

The program is one file that carries, besides its own code, these libraries from Debian 12's
packages (SOURCE PACKAGE VERSION: LIBRARIES), as its bill of materials (zorvicxlsim.spdx.json)
names them. The licence notices of each follow.

EOF
while IFS=$'\t' read -r source version_of licence packages libraries; do
  echo "- $source $version_of: $libraries (Debian packages $packages; $licence); its source:"
  echo "  https://snapshot.debian.org/package/$source/${version_of//+/%2B}/ (apt-get source $source=$version_of)"
done <"$components"
cat <<EOF

To rebuild the program against a changed library: take the program's source, the release's
source archive zorvicxlsim-$version.tar.gz (the whole of it, under the MIT licence); install the
changed library where the compiler finds it (for Debian's, the changed development package:
libc6-dev, libstdc++-12-dev, or the MinGW-w64 packages for the Windows program); then build as
its README.md says ("cmake --preset default && cmake --build --preset default" gives
build/zorvicxlsim; the presets arm64 and windows give the other programs). The program links the
libraries that the compiler finds.
EOF
# Each copyright file once (libstdc++ and libgcc share gcc's), headed by its component.
while IFS=$'\t' read -r source version_of licence packages libraries; do
  for package in $packages; do echo "$source $version_of $(realpath "/usr/share/doc/$package/copyright")"; done
done <"$components" | awk '!seen[$3]++' | while read -r source version_of copyright; do
  printf '\n\n========\n%s %s: %s\n========\n\n' "$source" "$version_of" "$copyright"
  cat "$copyright"
done
# The licence texts, each once, by the name the copyright files give them.
[ -n "$texts" ] || exit 0
for package in $(cut -f4 "$components"); do cat "/usr/share/doc/$package/copyright"; done |
  grep -o '/usr/share/common-licenses/[A-Za-z0-9.+-]*[A-Za-z0-9]' | xargs -r realpath | sort -u |
  while read -r text; do
    printf '\n\n========\n%s\n========\n\n' "$text"
    cat "$text"
  done
