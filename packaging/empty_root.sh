#!/usr/bin/env bash
# Proves that the program of one architecture in a release needs nothing of the system it runs
# on, and that every artefact says what it is: its .deb, .rpm, tarball and image hold the same
# program, the one the release's SBOM names, with no program interpreter and no shared library,
# its package note, and hardened code (its debug information, found by its build ID in the
# release's debug archive, names the flags each of its own sources was compiled with); each holds
# the SBOM of this platform alone and the licence notices of each component; the packages depend
# on no library and declare what the static link put in, the components COMPONENTS ("SOURCE
# VERSION" lines, as dpkg reports them for this architecture's packages); and in an empty root (a
# folder holding the program alone) it writes the same bytes as the reference program does
# outside (an error text from the C library included), as the image's entrypoint does from the
# image's own root as the image's user. A program of another architecture runs under qemu-user,
# copied into the root beside it (the emulator is static too).
#
# Usage: packaging/empty_root.sh DIST ARCH COMPONENTS REFERENCE   (as root, for chroot; DIST a
# release folder, ARCH amd64 or arm64, REFERENCE a program of this machine's architecture built
# from the same commit; needs rpm, skopeo, jq, binutils)
set -euo pipefail
dist=$(realpath "$1") arch=$2 expected=$(sort <<<"$3") reference=$(realpath "$4")
fail() { echo "FAIL: linux/$arch: $*" && exit 1; }
work=$(mktemp -d /tmp/zorvic_empty_root.XXXXXX) && trap 'rm -rf "$work"' EXIT
rpm_arch=${arch/amd64/x86_64} && rpm_arch=${rpm_arch/arm64/aarch64} id=SPDXRef-zorvicxlsim-linux-$arch
deb=$(echo "$dist"/*_"$arch".deb) rpm=$(echo "$dist"/*."$rpm_arch".rpm) sbom=$(echo "$dist"/*.spdx.json)

program=$work/deb/usr/bin/zorvicxlsim image=$work/image doc=usr/share/doc/zorvicxlsim
mkdir -p "$work"/{deb,rpm,tarball/usr,rootfs,debug} && dpkg-deb -x "$deb" "$work/deb"
rpm2cpio "$rpm" | (cd "$work/rpm" && cpio -id --quiet)
tar -xzf "$(echo "$dist"/*-linux-"$arch".tar.gz)" --strip-components=1 -C "$work/tarball/usr"
tar -xzf "$(echo "$dist"/*-linux-"$arch"-debug.tar.gz)" -C "$work/debug"
skopeo copy -q --override-arch "$arch" "oci-archive:$(echo "$dist"/*.oci.tar)" "dir:$image"
config=$image/$(jq -r '.config.digest[7:]' "$image/manifest.json")
layers=$(jq -r '.layers[].digest[7:]' "$image/manifest.json")
[ "$(jq -r '.os + "/" + .architecture' "$config")" = "linux/$arch" ] || fail "not the image's platform"
tar -xzf "$image/$layers" -C "$work/rootfs" || fail "not one layer: $layers"
[ "$(cd "$work/rootfs" && find . ! -type d | sort | xargs)" = "./$doc/copyright ./$doc/zorvicxlsim.spdx.json ./zorvicxlsim" ] ||
  fail "the image holds more or less than the program, its SBOM and notices"
entrypoint=$(jq -r '.config.Entrypoint | join(" ")' "$config") user=$(jq -r .config.User "$config")
[[ $user == [1-9]*:[1-9]* ]] || fail "the image runs as '$user', not as a user and group of their own"
for other in rpm/usr/bin/zorvicxlsim tarball/usr/bin/zorvicxlsim "rootfs$entrypoint"; do
  cmp -s "$program" "$work/$other" || fail "$other is not the .deb's program"
done
# One SBOM, of this platform's program alone, and the notices of each component, in each.
platform_sbom=$work/rootfs/$doc/zorvicxlsim.spdx.json
for artefact in deb rpm tarball; do
  cmp -s "$platform_sbom" "$work/$artefact/$doc/zorvicxlsim.spdx.json" || fail "the $artefact lacks the image's SBOM"
done
jq -e --arg id "$id" '[.packages[] | select(.primaryPackagePurpose == "APPLICATION") | .SPDXID] == [$id]' \
  "$platform_sbom" >/dev/null || fail "the SBOM of the packages is not this platform's alone"
sum=$(sha256sum <"$program" | cut -c-64)
for document in "$sbom" "$platform_sbom"; do
  jq -e --arg id "$id" --arg sum "$sum" 'any(.packages[]; .SPDXID == $id and .checksums ==
    [{algorithm: "SHA256", checksumValue: $sum}])' "$document" >/dev/null || fail "$document names another program"
done
# What the SBOM says the static link put in, each Debian source package with its version, which
# the packages declare and whose notices each artefact carries.
components=$(jq -r --arg id "$id" '[.relationships[] | select(.spdxElementId == $id and
  .relationshipType == "STATIC_LINK") | .relatedSpdxElement] as $in | .packages[]
  | select(.SPDXID | IN($in[])) | "\(.name) \(.versionInfo)"' "$sbom" | sort)
[ "$components" = "$expected" ] || fail "the SBOM names $components, not $expected"
built_using=$(dpkg-deb -f "$deb" Static-Built-Using) provides=$(rpm -qp --nosignature --provides "$rpm")
while read -r source version; do
  [[ ", $built_using," == *", $source (= $version),"* ]] || fail ".deb's Static-Built-Using: $built_using"
  grep -qxF "bundled($source) = $version" <<<"$provides" || fail "the .rpm provides $provides"
  for notices in {deb,rpm,tarball,rootfs}/$doc/copyright; do
    grep -q "^$source $version: /usr/share/doc/.*/copyright$" "$work/$notices" || fail "no notices of $source in $notices"
  done
done <<<"$components"
rpm -qp --nosignature --qf '[%{FILEFLAGS:fflags} %{FILENAMES}\n]' "$rpm" | grep -qx "dl /$doc/copyright" || fail "no %license in the .rpm"
readelf -n "$program" | grep -qF "Packaging Metadata: {\"type\":\"generic\",\"name\":\"zorvicxlsim\",\"version\":\"$(
  jq -r --arg id "$id" '.packages[] | select(.SPDXID == $id) | .versionInfo' "$sbom")\",\"architecture\":\"$arch\"}" ||
  fail "no package note: $(readelf -n "$program")"
# The debug information, where a debugger looks for that of the program's build ID, names the
# hardening flags of each of the program's own sources.
build_id=$(readelf -n "$program" | sed -n 's/^ *Build ID: //p')
debug=$work/debug/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug
flags="-fstack-protector-strong -fstack-clash-protection $([ "$arch" = amd64 ] && echo -fcf-protection || echo -mbranch-protection=standard)"
producers=$(readelf --debug-dump=info "$debug" | grep -A8 DW_TAG_compile_unit | grep -B2 'DW_AT_name.*: src/' | sed -n 's/.*DW_AT_producer.*: //p')
[ "$(wc -l <<<"$producers")" -ge 10 ] || fail "no debug information of the program's sources in $debug"
for flag in $flags; do
  if grep -v -e "$flag" <<<"$producers"; then fail "a source compiled without $flag"; fi
done
file -b "$program" | grep -q 'static-pie linked' || fail "not static-pie: $(file -b "$program")"
elf=$(readelf -h -l -d "$program")
[[ $elf != *INTERP* ]] || fail "a program interpreter is named"
[[ $elf != *NEEDED* ]] || fail "a shared library is needed"
[[ $elf == *GNU_RELRO*BIND_NOW* ]] || fail "relocations not read-only and bound at start"
machine=$(sed -n 's/ *Machine: *//p' <<<"$elf")
[[ $arch/$machine == @(amd64/*X86-64|arm64/AArch64) ]] || fail "a program for $machine"
depends=$(dpkg-deb -f "$deb" Depends)
[ -z "$depends" ] || fail "the .deb depends on $depends"
requires=$(rpm -qp --nosignature --requires "$rpm")
[ -z "$(grep -v '^rpmlib(' <<<"$requires")" ] || fail "the .rpm requires $requires"

# Each case runs in the root, by chroot as /zorvicxlsim, and outside as the reference under the
# same name, from the same folder; their output, error output, status and out.xml must match.
cases=("--sim 2 --list" "-p --sim 2 --fw fw.bin --fwversion 1.2 --fwupdate"
  "--sim 3 -p --output out.xml --list" "--output no/such.xml --sim 1 --list" "--sim 1 --bogus")
qemu= emulator=
if [ "$arch" = arm64 ]; then qemu=$(command -v qemu-aarch64-static) emulator=/qemu; fi
outcome() { # ROOT COMMAND...: the status, output, error output and out.xml of COMMAND, run in ROOT
  local root=$1 status=0 && shift
  rm -f "$root/out.xml" && install -m 0644 /dev/null "$root/fw.bin" # for the image's user too
  "$@" >"$work/out" 2>"$work/err" || status=$?
  echo "status $status" && cat "$work/out" && echo "error output" && cat "$work/err"
  [ ! -e "$root/out.xml" ] || { echo out.xml && cat "$root/out.xml"; }
}
run_cases() { # ROOT PROGRAM USER:GROUP
  local args
  [ -z "$qemu" ] || install -m 0755 "$qemu" "$1/qemu"
  for args in "${cases[@]}"; do
    outcome "$1" bash -c 'cd "$0" && exec -a /zorvicxlsim "$@"' "$1" "$reference" $args >"$work/want"
    outcome "$1" chroot --userspec="$3" "$1" $emulator "$2" $args >"$work/got"
    cmp -s "$work/want" "$work/got" || fail "$args in $1: $(diff "$work/want" "$work/got")"
  done
  [ "$(cat "$work/got")" = $'status 1\nerror output\n/zorvicxlsim: invalid option -- \'bogus\'' ] ||
    fail "not the error of a command-line error: $(cat "$work/got")"
}
mkdir "$work/root" && install -m 0755 "$program" "$work/root/zorvicxlsim"
run_cases "$work/root" /zorvicxlsim 0:0
chmod 1777 "$work/rootfs" # a folder the image's user may write to, as a container's volume would be
run_cases "$work/rootfs" "$entrypoint" "$user"
echo "linux/$arch: one program in the packages and the image, static, hardened, named, with its SBOM and notices; runs in an empty root and from the image"
