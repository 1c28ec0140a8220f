#!/usr/bin/env bash
# Makes the release of the checked-out commit into one folder (default dist/): the .deb, .rpm,
# tarball and debug information of x86-64 and of arm64, one container image for both, the
# Windows .zip and .msi, the source archive, the SBOM of it all, SHA256SUMS; the folder is also an
# apt repository and an rpm repository of the packages. All is built without tests from the
# source archive itself, at the commit's time, in folders of its own: the same commit gives the
# same folder, bit for bit (packaging/reproducible.sh), signatures included.
# Signing, when the environment names keys: ZORVIC_SIGN_CERT and ZORVIC_SIGN_KEY (PEM files) sign
# the Windows program before it is packed, and the .msi (osslsigncode); ZORVIC_GPG_KEY (a key in
# GNUPGHOME, older than the commit) signs the .rpms, the repositories' metadata and SHA256SUMS,
# and its public key is zorvicxlsim.asc. Every signature is dated by the commit.
#
# Usage: packaging/release.sh [DIST]   (needs git, the compilers of the presets default, arm64
# and windows, dpkg-dev, rpm, groff, wixl, msitools, faketime, umoci, jq, apt-utils and
# createrepo-c; osslsigncode and gpg to sign)
set -euo pipefail
dist=$(realpath -m "${1:-dist}") && cd "$(dirname "$0")/.."
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) commit=$(git rev-parse HEAD)
version=$(git show HEAD:CMakeLists.txt | sed -n 's/^project(zorvicxlsim VERSION \([^ ]*\) .*/\1/p')
name=zorvicxlsim-${version:?no version found in CMakeLists.txt} work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
revision=$(git show HEAD:packaging/changelog | dpkg-parsechangelog -l - -S Version) revision=${revision#*-}
git diff --quiet HEAD || echo "release.sh: what is not committed is not in the release" >&2
mkdir -p "$dist" && rm -rf "$dist"/zorvicxlsim[-_.]* "$dist"/{SHA256SUMS*,Packages,Release,InRelease,Release.gpg,repodata}
git archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$dist/$name.tar.gz"
tar -xzf "$dist/$name.tar.gz" -C "$work"
cd "$work/$name"

# Signatures dated by the commit, so that the signed files rebuild bit for bit too.
gpg_sign() { gpg --batch --yes --faked-system-time "$SOURCE_DATE_EPOCH!" -u "$ZORVIC_GPG_KEY" "$@"; }
sign() { [ -z "${ZORVIC_SIGN_CERT:-}" ] || { osslsigncode sign -certs "$ZORVIC_SIGN_CERT" -key \
  "${ZORVIC_SIGN_KEY:?}" -time "$SOURCE_DATE_EPOCH" -in "$1" -out "$1~" >/dev/null && mv "$1~" "$1"; }; }
# Each program as the packages hold it, from a first archive that cpack makes; then its platform's
# SBOM, which cpack packs with it into its packages, and for Linux its debug information, found
# by its build ID, and the files of the image.
for build in default:TGZ:linux-amd64:bin/zorvicxlsim arm64:TGZ:linux-arm64:bin/zorvicxlsim \
  windows:ZIP:windows-amd64:zorvicxlsim.exe; do
  IFS=: read -r preset generator platform program <<<"$build"
  cmake --preset "$preset" -B "build-$preset" -DBUILD_TESTING=OFF >/dev/null
  cmake --build "build-$preset" -j "$(nproc)" >/dev/null
  [ "$preset" != windows ] || sign "build-$preset/$program"
  (cd "build-$preset" && cpack -G "$generator" -B "$work/first" >/dev/null)
  archive=$name-$platform.${generator/TGZ/tar.gz} # the .zip alone, not the .msi made beside it
  (cd "$work/first" && cmake -E tar xf "${archive,,}")
  program=$work/first/$name-$platform/$program && programs+=("$platform" "$program" "build-$preset")
  sbom=$work/$platform.spdx.json
  bash packaging/sbom.sh "$version" "$revision" "$commit" "$platform" "$program" "build-$preset" >"$sbom"
  cmake "build-$preset" -DZORVIC_SBOM="$sbom" >/dev/null
  (cd "build-$preset" && cpack -B "$work/$preset" >/dev/null)
  cp "$work/$preset"/*.* "$dist"
  [ "$preset" != windows ] || continue
  root=$work/image-${platform#linux-} && mkdir -p "$root/usr/share/doc/zorvicxlsim"
  cp "$program" "$root/zorvicxlsim" && cp "$sbom" "$root/usr/share/doc/zorvicxlsim/zorvicxlsim.spdx.json"
  cp "build-$preset/notices.txt" "$root/usr/share/doc/zorvicxlsim/copyright"
  id=$(readelf -n "build-$preset/zorvicxlsim" | sed -n 's/^ *Build ID: //p') debug=$work/debug-$platform
  mkdir -p "$debug/usr/lib/debug/.build-id/${id:0:2}"
  "$(sed -n 's/^CMAKE_OBJCOPY:FILEPATH=//p' "build-$preset/CMakeCache.txt")" --only-keep-debug --compress-debug-sections \
    "build-$preset/zorvicxlsim" "$debug/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
  tar --sort=name --mode=u=rwX,go=rX --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
    -C "$debug" -c usr | gzip -9n >"$dist/$name-$platform-debug.tar.gz"
done
[ ! -e "$dist/$name-windows-amd64.msi" ] || sign "$dist/$name-windows-amd64.msi"
[ -z "${ZORVIC_GPG_KEY:-}" ] || rpmsign --addsign --define "_gpg_name $ZORVIC_GPG_KEY" --define "__gpg $(command -v gpg)" \
  --define "_gpg_sign_cmd_extra_args --faked-system-time $SOURCE_DATE_EPOCH!" "$dist"/*.rpm </dev/null >/dev/null

# The image's licences: the program's and those of what the static link put in.
licences=$(jq -rs '[.[].packages[].licenseDeclared] | unique | join(" AND ")' "$work"/linux-*.spdx.json)
bash packaging/oci_image.sh "$dist/$name.oci.tar" "$version" "$work/image-amd64" "$work/image-arm64" \
  version="$version" revision="$commit" title=zorvicxlsim source=https://zorvicxlsim.org \
  licenses="$licences" description="$(sed -n 's/^CMAKE_PROJECT_DESCRIPTION:STATIC=//p' build-default/CMakeCache.txt)"

# The whole release's SBOM: every program and component, and every artefact with its SHA-256.
bash packaging/sbom.sh "$version" "$revision" "$commit" "${programs[@]}" -- "$dist"/zorvicxlsim[-_]* >"$dist/$name.spdx.json"

# The folder as an apt repository (flat: "deb [signed-by=...] URL ./") and an rpm repository.
cd "$dist" && export LC_ALL=C && touch -d "@$SOURCE_DATE_EPOCH" ./*.rpm # their time is in the metadata
apt-ftparchive packages . >Packages
apt-ftparchive -oAPT::FTPArchive::Release::{Origin,Label}=zorvicxlsim \
  -oAPT::FTPArchive::Release::Architectures="amd64 arm64" -oAPT::FTPArchive::Release::Description="$name" \
  -oAPT::FTPArchive::Release::Date="$(date -u -R -d "@$SOURCE_DATE_EPOCH")" release . >"$work/Release"
mv "$work/Release" Release
createrepo_c --quiet --no-database --revision "$SOURCE_DATE_EPOCH" --set-timestamp-to-revision .
sha256sum zorvicxlsim[-_]* >SHA256SUMS
if [ -n "${ZORVIC_GPG_KEY:-}" ]; then
  gpg_sign --clearsign -o InRelease Release && gpg_sign -abs -o Release.gpg Release
  gpg_sign -abs -o repodata/repomd.xml.asc repodata/repomd.xml && gpg_sign -abs -o SHA256SUMS.asc SHA256SUMS
  gpg --batch --armor --export "$ZORVIC_GPG_KEY" >zorvicxlsim.asc
else
  echo "release.sh: the .rpms, the repositories and SHA256SUMS are not signed (no ZORVIC_GPG_KEY)"
fi
[ -n "${ZORVIC_SIGN_CERT:-}" ] || echo "release.sh: the .exe and the .msi are not signed (no ZORVIC_SIGN_CERT)"
diff <(printf '%s\n' zorvicxlsim_"$version-$revision"_{amd64,arm64}.deb "$name-$revision".{x86_64,aarch64}.rpm \
  SHA256SUMS "$name"-linux-{amd64,arm64}{,-debug}.tar.gz "$name"{-windows-amd64.zip,-windows-amd64.msi,.oci.tar,.tar.gz,.spdx.json} \
  Packages Release repodata | sort) <(ls | grep -vxE 'SHA256SUMS.asc|InRelease|Release.gpg|zorvicxlsim.asc') >&2 ||
  { echo "release.sh: not the release's files in $dist" >&2 && exit 1; }
echo "release.sh: $dist"
