#!/usr/bin/env bash
# Writes an OCI image that holds the static program alone, as its entrypoint, into an OCI archive
# that podman load and docker load both take: the OCI layout, plus the manifest.json of Docker's
# own archive form for Docker releases before 25, which read only that. Every time in it is
# SOURCE_DATE_EPOCH and every file is owned by root, so the same program gives the same bytes.
#
# Usage: packaging/oci_image.sh PROGRAM ARCHITECTURE TAG ARCHIVE   (ARCHITECTURE: amd64, arm64;
# needs umoci)
set -euo pipefail
program=$1 arch=$2 tag=$3 archive=$4
: "${SOURCE_DATE_EPOCH:?must be set}"
created=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%dT%H:%M:%SZ)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
layout=$work/layout image=$work/layout:$tag

# The one layer is made here rather than by umoci insert, whose layers lack the end-of-archive
# blocks that tar expects.
mkdir "$work/rootfs"
install -m 0755 "$program" "$work/rootfs/zorvicxlsim"
tar --format=ustar --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
  -C "$work/rootfs" -cf "$work/layer.tar" zorvicxlsim
umoci init --layout "$layout"
umoci new --image "$image"
umoci raw add-layer --image "$image" --history.created "$created" \
  --history.created_by "zorvicxlsim $tag: the static program" "$work/layer.tar"
umoci config --image "$image" --no-history --created "$created" --os linux --architecture "$arch" \
  --config.entrypoint /zorvicxlsim
umoci gc --layout "$layout"

# Loaded under the program's name: podman reads the reference name, containerd its own key.
sed -i "s|\"org.opencontainers.image.ref.name\":\"$tag\"|\"io.containerd.image.name\":\"docker.io/library/zorvicxlsim:$tag\",\"org.opencontainers.image.ref.name\":\"zorvicxlsim:$tag\"|" \
  "$layout/index.json"
# Docker's form names the config and the layers of the one manifest by their blob paths.
manifest=$(grep -o '"digest":"sha256:[0-9a-f]*"' "$layout/index.json" | cut -d: -f3 | tr -d '"')
blobs=($(grep -o '"digest":"sha256:[0-9a-f]*"' "$layout/blobs/sha256/$manifest" | cut -d: -f3 |
  tr -d '"'))
layers=$(printf ',"blobs/sha256/%s"' "${blobs[@]:1}")
printf '[{"Config":"blobs/sha256/%s","RepoTags":["zorvicxlsim:%s"],"Layers":[%s]}]\n' \
  "${blobs[0]}" "$tag" "${layers#,}" >"$layout/manifest.json"

find "$layout" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
chmod -R u=rwX,go=rX "$layout"
tar --sort=name --format=ustar --owner=0 --group=0 --numeric-owner -C "$layout" -cf "$archive" \
  oci-layout index.json manifest.json blobs
