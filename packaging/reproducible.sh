#!/usr/bin/env bash
# Builds the packages twice, from two fresh clones of one commit in different folders and at
# different times, and compares them byte for byte; where they differ, diffoscope shows why.
# The Windows program and its .zip likewise, after the Linux packages.
#
# Usage: packaging/reproducible.sh [COMMIT]   (default HEAD; needs cmake, g++, rpm, diffoscope,
# and for Windows g++-mingw-w64-x86-64)
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$(git rev-parse "${1:-HEAD}")
work=$(mktemp -d /tmp/zorvic_reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
for tree in "$work/one/zorvicxlsim" "$work/two/other/place"; do
  git clone -q --no-local . "$tree"
  git -C "$tree" checkout -q "$commit"
  (cd "$tree" && cmake --preset default -DBUILD_TESTING=OFF >/dev/null &&
    cmake --build --preset default >/dev/null && cd build && cpack -B packages >/dev/null)
  sleep 2 # the second build comes later
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

# Windows: the program and its .zip, built in the same two clones.
for tree in "$work/one/zorvicxlsim" "$work/two/other/place"; do
  (cd "$tree" && cmake --preset windows -DBUILD_TESTING=OFF >/dev/null &&
    cmake --build --preset windows >/dev/null && cd build-windows && cpack -B packages >/dev/null &&
    cp zorvicxlsim.exe packages/)
  sleep 2
done
for package in "$work"/one/zorvicxlsim/build-windows/packages/*.{exe,zip}; do
  other=$work/two/other/place/build-windows/packages/${package##*/}
  if cmp -s "$package" "$other"; then
    echo "identical: ${package##*/}"
  else
    diffoscope "$package" "$other" || true
    status=1
  fi
done
exit $status
