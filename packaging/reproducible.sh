#!/usr/bin/env bash
# Builds the packages twice, from two fresh clones of one commit in different folders, at
# different times and under different umasks, and compares them byte for byte; where they differ,
# diffoscope shows why.
#
# Usage: packaging/reproducible.sh [COMMIT]   (default HEAD; needs cmake, g++, rpm, diffoscope)
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$(git rev-parse "${1:-HEAD}")
work=$(mktemp -d /tmp/zorvic_reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
# The second build comes later, and under a umask that leaves out group and others.
for side in "$work/one/zorvicxlsim 022" "$work/two/other/place 077"; do
  read -r tree mask <<<"$side"
  (umask "$mask" && git clone -q --no-local . "$tree" && cd "$tree" && git checkout -q "$commit" &&
    cmake --preset default -DBUILD_TESTING=OFF >/dev/null &&
    cmake --build --preset default >/dev/null && cd build && cpack -B packages >/dev/null)
  sleep 2
done
status=0
for package in "$work"/one/zorvicxlsim/build/packages/*.*; do
  other=$work/two/other/place/build/packages/${package##*/}
  if cmp -s "$package" "$other"; then
    echo "identical: ${package##*/}"
  else
    diffoscope "$package" "$other" || true
    status=1
  fi
done
exit $status
