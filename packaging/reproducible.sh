#!/usr/bin/env bash
# Builds the packages and container images of both Linux architectures, the Windows program and
# its .zip twice, from two fresh clones of one commit in different folders, at different times
# and under different umasks, and compares them byte for byte; where they differ, diffoscope
# shows why.
#
# Usage: packaging/reproducible.sh [COMMIT]   (default HEAD; needs cmake, g++,
# g++-aarch64-linux-gnu, g++-mingw-w64-x86-64, rpm, umoci, diffoscope)
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$(git rev-parse "${1:-HEAD}")
work=$(mktemp -d /tmp/zorvic_reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
# The second build comes later, under a umask that leaves out group and others, in another time
# zone and another locale.
for side in "$work/one/zorvicxlsim 022 UTC C.UTF-8" "$work/two/other/place 077 JST-9 C"; do
  read -r tree mask zone locale <<<"$side"
  (umask "$mask" && git clone -q --no-local . "$tree" && cd "$tree" && git checkout -q "$commit")
  for preset in default:build arm64:build-arm64 windows:build-windows; do
    (umask "$mask" && export TZ=$zone LC_ALL=$locale && cd "$tree" &&
      cmake --preset "${preset%:*}" -DBUILD_TESTING=OFF >/dev/null &&
      cmake --build --preset "${preset%:*}" >/dev/null && cd "${preset#*:}" &&
      cpack -B packages >/dev/null && { [ ! -e zorvicxlsim.exe ] || cp zorvicxlsim.exe packages/; })
  done
  sleep 2
done
status=0
built=("$work"/one/zorvicxlsim/build{,-arm64,-windows}/packages/*.*)
[ ${#built[@]} = 11 ] || { echo "not the 11 packages, images and program: ${built[*]}" && status=1; }
for package in "${built[@]}"; do
  other=$work/two/other/place/${package#"$work"/one/zorvicxlsim/}
  if cmp -s "$package" "$other"; then
    echo "identical: ${package##*/}"
  else
    diffoscope "$package" "$other" || true
    status=1
  fi
done
exit $status
