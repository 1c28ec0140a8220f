#!/usr/bin/env bash
# Makes the release of HEAD (packaging/release.sh) a second time, in other folders, under a
# umask that leaves out group and others, in another time zone and another locale, and compares
# it with a first one, file by file; where they differ, diffoscope shows why. The first is DIST,
# made from HEAD already, or else made here under umask 022, in UTC and C.UTF-8. Signing keys
# in the environment sign both, and their signatures too are dated by the commit: nothing may
# differ.
#
# Usage: packaging/reproducible.sh [DIST]   (needs what release.sh needs, and diffoscope)
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d /tmp/zorvic_reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
one=$(realpath "${1:-$work/one}") two=$work/two/other/place/dist
mkdir -p "${two%/dist}"
[ -n "${1:-}" ] || (umask 022 && TZ=UTC LC_ALL=C.UTF-8 bash packaging/release.sh "$one" >/dev/null)
(umask 077 && TZ=JST-9 LC_ALL=C TMPDIR=${two%/dist} bash packaging/release.sh "$two" >/dev/null)
status=0
[ "$(cd "$one" && find . | sort)" = "$(cd "$two" && find . | sort)" ] || { echo "not the same files: $(ls -R "$one") / $(ls -R "$two")" && status=1; }
for file in $(cd "$one" && find . -type f | sort); do
  if cmp -s "$one/$file" "$two/$file"; then echo "identical: ${file#./}"; else status=1 && diffoscope "$one/$file" "$two/$file" || true; fi
done
exit $status
