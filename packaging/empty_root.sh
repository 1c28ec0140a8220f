#!/usr/bin/env bash
# Proves that the program of one architecture in a release needs nothing of the system it runs
# on: its .deb, .rpm, tarball and image hold the same program, the one the SBOM (which the
# packages install) names, linked with the C library GLIBC_VERSION, with no program interpreter
# and no shared library; the packages depend on no library and declare what the static link put
# in (the SBOM's components); and in an empty root (a folder holding the program alone) it writes
# the same bytes as the reference program does outside (an error text from the C library
# included), as the image's entrypoint does from the image's own root. A program of another
# architecture runs under qemu-user, copied into the root beside it (the emulator is static too).
#
# Usage: packaging/empty_root.sh DIST ARCH GLIBC_VERSION REFERENCE   (as root, for chroot; DIST a
# release folder, ARCH amd64 or arm64, REFERENCE a program of this machine's architecture built
# from the same commit; needs rpm, skopeo, jq)
set -euo pipefail
dist=$(realpath "$1") arch=$2 glibc=$3 reference=$(realpath "$4")
fail() { echo "FAIL: linux/$arch: $*" && exit 1; }
work=$(mktemp -d /tmp/zorvic_empty_root.XXXXXX) && trap 'rm -rf "$work"' EXIT
rpm_arch=${arch/amd64/x86_64} && rpm_arch=${rpm_arch/arm64/aarch64}
deb=$(echo "$dist"/*_"$arch".deb) rpm=$(echo "$dist"/*."$rpm_arch".rpm) sbom=$(echo "$dist"/*.spdx.json)

program=$work/deb/usr/bin/zorvicxlsim image=$work/image
mkdir -p "$work"/{deb,rpm,tarball/usr,rootfs} && dpkg-deb -x "$deb" "$work/deb"
rpm2cpio "$rpm" | (cd "$work/rpm" && cpio -id --quiet)
tar -xzf "$(echo "$dist"/*-linux-"$arch".tar.gz)" --strip-components=1 -C "$work/tarball/usr"
skopeo copy -q --override-arch "$arch" "oci-archive:$(echo "$dist"/*.oci.tar)" "dir:$image"
config=$image/$(jq -r '.config.digest[7:]' "$image/manifest.json")
layers=$(jq -r '.layers[].digest[7:]' "$image/manifest.json")
[ "$(jq -r '.os + "/" + .architecture' "$config")" = "linux/$arch" ] || fail "not the image's platform"
tar -xzf "$image/$layers" -C "$work/rootfs" || fail "not one layer: $layers"
[ "$(cd "$work/rootfs" && find . -mindepth 1)" = ./zorvicxlsim ] || fail "the image holds more than the program"
entrypoint=$(jq -r '.config.Entrypoint | join(" ")' "$config")
for other in rpm/usr/bin/zorvicxlsim tarball/usr/bin/zorvicxlsim "rootfs$entrypoint"; do
  cmp -s "$program" "$work/$other" || fail "$other is not the .deb's program"
done
for package in deb rpm tarball; do
  cmp -s "$sbom" "$work/$package/usr/share/doc/zorvicxlsim/zorvicxlsim.spdx.json" || fail "the $package lacks the SBOM"
done
jq -e --arg id "SPDXRef-zorvicxlsim-linux-$arch" --arg sum "$(sha256sum <"$program" | cut -c-64)" \
  'any(.packages[]; .SPDXID == $id and .checksums == [{algorithm: "SHA256", checksumValue: $sum}])' \
  "$sbom" >/dev/null || fail "the SBOM names another program"

file -b "$program" | grep -q 'static-pie linked' || fail "not static-pie: $(file -b "$program")"
elf=$(readelf -h -l -d "$program")
[[ $elf != *INTERP* ]] || fail "a program interpreter is named"
[[ $elf != *NEEDED* ]] || fail "a shared library is needed"
machine=$(sed -n 's/ *Machine: *//p' <<<"$elf")
[[ $arch/$machine == @(amd64/*X86-64|arm64/AArch64) ]] || fail "a program for $machine"
depends=$(dpkg-deb -f "$deb" Depends)
[ -z "$depends" ] || fail "the .deb depends on $depends"
requires=$(rpm -qp --requires "$rpm")
[ -z "$(grep -v '^rpmlib(' <<<"$requires")" ] || fail "the .rpm requires $requires"
# What the SBOM says the static link put in, each Debian source package with its version.
components=$(jq -r --arg id "SPDXRef-zorvicxlsim-linux-$arch" '[.relationships[] | select(.spdxElementId
  == $id and .relationshipType == "STATIC_LINK") | .relatedSpdxElement] as $in | .packages[]
  | select(.SPDXID | IN($in[])) | "\(.name) \(.versionInfo)"' "$sbom")
grep -qx "glibc $glibc" <<<"$components" || fail "the SBOM names no glibc $glibc but: $components"
built_using=$(dpkg-deb -f "$deb" Static-Built-Using)
provides=$(rpm -qp --provides "$rpm")
while read -r source version; do
  [[ ", $built_using," == *", $source (= $version),"* ]] || fail ".deb's Static-Built-Using: $built_using"
  grep -qxF "bundled($source) = $version" <<<"$provides" || fail "the .rpm provides $provides"
done <<<"$components"

# Each case runs in the root, by chroot as /zorvicxlsim, and outside as the reference under the
# same name, from the same folder; their output, error output, status and out.xml must match.
cases=("--sim 2 --list" "-p --sim 2 --fw fw.bin --fwversion 1.2 --fwupdate"
  "--sim 3 -p --output out.xml --list" "--output no/such.xml --sim 1 --list" "--sim 1 --bogus")
qemu= emulator=
if [ "$arch" = arm64 ]; then qemu=$(command -v qemu-aarch64-static) emulator=/qemu; fi
outcome() { # ROOT COMMAND...: the status, output, error output and out.xml of COMMAND, run in ROOT
  local root=$1 status=0 && shift
  rm -f "$root/out.xml" && touch "$root/fw.bin"
  "$@" >"$work/out" 2>"$work/err" || status=$?
  echo "status $status" && cat "$work/out" && echo "error output" && cat "$work/err"
  [ ! -e "$root/out.xml" ] || { echo out.xml && cat "$root/out.xml"; }
}
run_cases() { # ROOT PROGRAM
  local args
  [ -z "$qemu" ] || cp "$qemu" "$1/qemu"
  for args in "${cases[@]}"; do
    outcome "$1" bash -c 'cd "$0" && exec -a /zorvicxlsim "$@"' "$1" "$reference" $args >"$work/want"
    outcome "$1" chroot "$1" $emulator "$2" $args >"$work/got"
    cmp -s "$work/want" "$work/got" || fail "$args in $1: $(diff "$work/want" "$work/got")"
  done
  [ "$(cat "$work/got")" = $'status 1\nerror output\n/zorvicxlsim: invalid option -- \'bogus\'' ] ||
    fail "not the error of a command-line error: $(cat "$work/got")"
}
mkdir "$work/root" && install -m 0755 "$program" "$work/root/zorvicxlsim"
run_cases "$work/root" /zorvicxlsim
run_cases "$work/rootfs" "$entrypoint"
echo "linux/$arch: one program in the packages and the image, static, runs in an empty root and from the image"
