#!/usr/bin/env bash
# Proves that the packaged program needs nothing of the system it runs on: it has no program
# interpreter and no shared library, its packages depend on no library, and in an empty root (a
# folder holding the program alone) it writes the same bytes as the reference program does
# outside (an error text from the C library included). The same for the container image's
# entrypoint, run from the image's root. A program of another architecture runs under qemu-user,
# copied into the root beside it, since the emulator is a static program too.
#
# Usage: packaging/empty_root.sh PACKAGES REFERENCE   (as root, for chroot; PACKAGES is a folder
# written by cpack, REFERENCE a program of this machine's architecture built from the same commit)
set -euo pipefail
packages=$(realpath "$1") reference=$(realpath "$2")
fail() { echo "FAIL: $*" && exit 1; }
work=$(mktemp -d /tmp/zorvic_empty_root.XXXXXX)
trap 'rm -rf "$work"' EXIT
deb=$(echo "$packages"/*.deb) rpm=$(echo "$packages"/*.rpm) image=$(echo "$packages"/*.oci.tar)

dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$work" ./usr/bin/zorvicxlsim
program=$work/usr/bin/zorvicxlsim
file -b "$program" | grep -q 'static-pie linked' || fail "not static-pie: $(file -b "$program")"
[[ $(readelf -l "$program") != *INTERP* ]] || fail "a program interpreter is named"
[[ $(readelf -d "$program") != *NEEDED* ]] || fail "a shared library is needed"
depends=$(dpkg-deb -f "$deb" Depends)
[ -z "$depends" ] || fail "the .deb depends on $depends"
if [ -f "$rpm" ]; then
  requires=$(rpm -qp --requires "$rpm")
  [ -z "$(grep -v '^rpmlib(' <<<"$requires")" ] || fail "the .rpm requires $requires"
fi
# A program of another architecture runs under the emulator, copied into the root as /qemu.
qemu= emulator=
if [ "$(readelf -h "$program" | sed -n 's/ *Machine: *//p')" = AArch64 ]; then
  qemu=$(command -v qemu-aarch64-static) || fail "no qemu-aarch64-static (apt-get install qemu-user-static)"
  emulator=/qemu
fi

# Each case runs in root, in the empty root as /zorvicxlsim and outside as the reference under
# the same name, from the same folder; their output, error output, status and written file match.
cases=("--sim 2 --list" "-p --sim 2 --fw fw.bin --fwversion 1.2 --fwupdate"
  "--sim 3 -p --output out.xml --list" "--output no/such.xml --sim 1 --list" "--sim 1 --bogus")
outcome() { # NAME COMMAND...: the command's output, error output and status in $work/NAME.*
  local name=$1 status=0
  shift
  "$@" >"$work/$name.out" 2>"$work/$name.err" || status=$?
  echo $status >"$work/$name.status"
}
run_cases() {
  local root=$1 inside=$2 args
  for args in "${cases[@]}"; do
    rm -rf "$root/fw.bin" "$root/out.xml" && touch "$root/fw.bin"
    outcome want bash -c 'cd "$0" && exec -a /zorvicxlsim "$@"' "$root" "$reference" $args
    cp "$root/out.xml" "$work/want.xml" 2>/dev/null || rm -f "$work/want.xml"
    rm -f "$root/out.xml"
    outcome got chroot "$root" $emulator "$inside" $args
    for part in out err status; do
      cmp -s "$work/want.$part" "$work/got.$part" || fail "$args: $part differs in $root"
    done
    if [ -e "$work/want.xml" ]; then
      cmp -s "$work/want.xml" "$root/out.xml" || fail "$args: out.xml differs in $root"
    fi
  done
  [ "$(cat "$work/got.err")" = "/zorvicxlsim: invalid option -- 'bogus'" ] || fail "error line"
  [ "$(cat "$work/got.status")" = 1 ] || fail "status of a command-line error"
}

mkdir "$work/root" && cp "$program" "$work/root/zorvicxlsim"
[ -z "$qemu" ] || cp "$qemu" "$work/root/qemu"
run_cases "$work/root" /zorvicxlsim

# The image: its one layer unpacked into a root of its own, its entrypoint run there.
mkdir "$work/image" "$work/rootfs" && tar -xf "$image" -C "$work/image"
blob() { echo "$work/image/blobs/sha256/$(grep -o '"digest":"sha256:[0-9a-f]*"' "$1" | sed -n "${2}s/.*sha256:\([0-9a-f]*\)\"/\1/p")"; }
manifest=$(blob "$work/image/index.json" 1)
[ "$(grep -o '"digest"' "$manifest" | wc -l)" = 2 ] || fail "the image has more than its config and one layer"
tar -xzf "$(blob "$manifest" 2)" -C "$work/rootfs"
entrypoint=$(grep -o '"Entrypoint":\["[^"]*"\]' "$(blob "$manifest" 1)" | cut -d'"' -f4)
[ "$(cd "$work/rootfs" && find . -mindepth 1)" = ./zorvicxlsim ] || fail "the image holds more than the program"
cmp -s "$program" "$work/rootfs$entrypoint" || fail "the image's entrypoint is not the packaged program"
[ -z "$qemu" ] || cp "$qemu" "$work/rootfs/qemu"
run_cases "$work/rootfs" "$entrypoint"
echo "$(basename "$deb"): static, runs in an empty root and from its image"
