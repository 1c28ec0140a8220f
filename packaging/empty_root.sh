#!/usr/bin/env bash
# Proves that the program of one architecture in a release needs nothing of the system it runs
# on: its .deb, .rpm, tarball and image hold the same program, the one the SBOM names, with no
# program interpreter and no shared library; the packages depend on no library and declare what
# the static link put in; and in an empty root (a folder holding the program alone) it writes
# the same bytes as the reference program does outside (an error text from the C library
# included), as the image's entrypoint does from the image's own root. A program of another
# architecture runs under qemu-user, copied into the root beside it (the emulator is static too).
#
# Usage: packaging/empty_root.sh DIST ARCH REFERENCE   (as root, for chroot; DIST a release
# folder, ARCH amd64 or arm64, REFERENCE a program of this machine's architecture built from the
# same commit; needs rpm, skopeo, jq)
set -euo pipefail
dist=$(realpath "$1") arch=$2 reference=$(realpath "$3")
fail() { echo "FAIL: $*" && exit 1; }
work=$(mktemp -d /tmp/zorvic_empty_root.XXXXXX)
trap 'rm -rf "$work"' EXIT
rpm_arch=${arch/amd64/x86_64} && rpm_arch=${rpm_arch/arm64/aarch64}
deb=$(echo "$dist"/*_"$arch".deb) rpm=$(echo "$dist"/*."$rpm_arch".rpm)
image=$(echo "$dist"/*.oci.tar) sbom=$(echo "$dist"/*.spdx.json)

program=$work/program
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/zorvicxlsim >"$program"
rpm2cpio "$rpm" | cpio -i --quiet --to-stdout ./usr/bin/zorvicxlsim >"$work/rpm"
tar -xzOf "$(echo "$dist"/*-linux-"$arch".tar.gz)" --wildcards '*/bin/zorvicxlsim' >"$work/tarball"
skopeo copy -q --override-arch "$arch" "oci-archive:$image" "dir:$work/image"
manifest=$work/image/manifest.json
config=$work/image/$(jq -r '.config.digest | ltrimstr("sha256:")' "$manifest")
[ "$(jq -r '.os + "/" + .architecture' "$config")" = "linux/$arch" ] || fail "not a linux/$arch image"
[ "$(jq '.layers | length' "$manifest")" = 1 ] || fail "the image has more than one layer"
mkdir "$work/rootfs" && tar -xzf "$work/image/$(jq -r '.layers[0].digest[7:]' "$manifest")" -C "$work/rootfs"
[ "$(cd "$work/rootfs" && find . -mindepth 1)" = ./zorvicxlsim ] || fail "the image holds more than the program"
entrypoint=$(jq -r '.config.Entrypoint | join(" ")' "$config")
for other in rpm tarball "rootfs$entrypoint"; do
  cmp -s "$program" "$work/$other" || fail "the program in the $other is not that of the .deb"
done
sum=$(sha256sum <"$program")
sbom_sum=$(jq -r --arg id "SPDXRef-zorvicxlsim-linux-$arch" '.packages[] | select(.SPDXID == $id) |
  .checksums[] | select(.algorithm == "SHA256") | .checksumValue' "$sbom")
[ "$sbom_sum" = "${sum%% *}" ] || fail "the SBOM names another linux-$arch program: $sbom_sum"

file -b "$program" | grep -q 'static-pie linked' || fail "not static-pie: $(file -b "$program")"
elf=$(readelf -h -l -d "$program")
[[ $elf != *INTERP* ]] || fail "a program interpreter is named"
[[ $elf != *NEEDED* ]] || fail "a shared library is needed"
depends=$(dpkg-deb -f "$deb" Depends)
[ -z "$depends" ] || fail "the .deb depends on $depends"
requires=$(rpm -qp --requires "$rpm")
[ -z "$(grep -v '^rpmlib(' <<<"$requires")" ] || fail "the .rpm requires $requires"
# What the SBOM says the static link put in, each Debian source package with its version.
components=$(jq -r --arg id "SPDXRef-zorvicxlsim-linux-$arch" '. as $sbom | .relationships[]
  | select(.spdxElementId == $id and .relationshipType == "STATIC_LINK") | .relatedSpdxElement as $c
  | $sbom.packages[] | select(.SPDXID == $c) | "\(.name) \(.versionInfo)"' "$sbom")
built_using=$(dpkg-deb -f "$deb" Static-Built-Using)
provides=$(rpm -qp --provides "$rpm")
while read -r source version; do
  [[ ", $built_using," == *", $source (= $version),"* ]] || fail ".deb's Static-Built-Using: $built_using"
  grep -qxF "bundled($source) = $version" <<<"$provides" || fail ".rpm provides: $provides"
done <<<"$components"
# A program of another architecture runs under the emulator, copied into the root as /qemu.
qemu= emulator=
case $arch/$(sed -n 's/ *Machine: *//p' <<<"$elf") in
amd64/*X86-64) ;;
arm64/AArch64) qemu=$(command -v qemu-aarch64-static) emulator=/qemu ;;
*) fail "not an $arch program: $(sed -n 's/ *Machine: *//p' <<<"$elf")" ;;
esac

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
  [ -z "$qemu" ] || cp "$qemu" "$root/qemu"
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
mkdir "$work/root" && install -m 0755 "$program" "$work/root/zorvicxlsim"
run_cases "$work/root" /zorvicxlsim
run_cases "$work/rootfs" "$entrypoint"
echo "linux/$arch: one program in the packages and the image, static, runs in an empty root and from the image"
