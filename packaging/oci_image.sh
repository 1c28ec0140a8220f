#!/usr/bin/env bash
# Writes the container image of the static program for both Linux architectures: one OCI archive
# whose index holds the amd64 and the arm64 image, each the files of its ROOT folder (the program
# as /zorvicxlsim, its entrypoint, run as user and group 65532, no root), labelled and annotated
# with the OCI keys given, and named zorvicxlsim:VERSION for podman load and docker load (Docker
# 25 and later read OCI archives). Every time in it is SOURCE_DATE_EPOCH and every file is owned
# by root, so the same files give the same bytes.
#
# Usage: packaging/oci_image.sh ARCHIVE VERSION AMD64_ROOT ARM64_ROOT KEY=VALUE...
# (KEY without its prefix org.opencontainers.image.; needs umoci, jq)
set -euo pipefail
archive=$1 version=$2 amd64=$3 arm64=$4 work=$(mktemp -d) && shift 4
trap 'rm -rf "$work"' EXIT
created=$(date -u -d "@${SOURCE_DATE_EPOCH:?must be set}" +%FT%TZ) layout=$work/layout
keys=("${@/#/org.opencontainers.image.}" "org.opencontainers.image.created=$created")
umoci init --layout "$layout"
for arch in amd64 arm64; do
  # The layer is made here rather than by umoci insert, whose layers lack the end-of-archive
  # blocks that tar expects.
  cp -R "${!arch}" "$work/$arch" && chmod -R u=rwX,go=rX "$work/$arch"
  tar --sort=name --format=ustar --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
    -C "$work/$arch" -cf "$work/$arch.tar" $(ls -A "$work/$arch")
  umoci new --image "$layout:$arch"
  umoci raw add-layer --image "$layout:$arch" --history.created "$created" \
    --history.created_by "zorvicxlsim $version: the static program, its SBOM and notices" "$work/$arch.tar"
  umoci config --image "$layout:$arch" --no-history --created "$created" --os linux --architecture \
    "$arch" --config.entrypoint /zorvicxlsim --config.user 65532:65532 "${keys[@]/#/--config.label=}" "${keys[@]/#/--manifest.annotation=}"
done
umoci gc --layout "$layout"

# umoci names each image by a tag; one image index takes them both, with their platforms, and is
# the layout's one image, under the name that podman reads and the one that containerd reads.
jq -c '($ARGS.positional | map(capture("(?<key>[^=]+)=(?<value>.*)")) | from_entries) as $keys | {schemaVersion, mediaType: "application/vnd.oci.image.index.v1+json",
  manifests: (.manifests | map(del(.annotations) + {platform: {os: "linux",
  architecture: .annotations."org.opencontainers.image.ref.name"}})
  | sort_by(.platform.architecture)), annotations: $keys}' "$layout/index.json" --args "${keys[@]}" >"$work/index"
digest=sha256:$(sha256sum <"$work/index" | cut -c-64)
cp "$work/index" "$layout/blobs/${digest/://}"
jq -c --arg digest "$digest" --argjson size "$(stat -c %s "$work/index")" --arg name "zorvicxlsim:$version" \
  '.manifests = [{mediaType, $digest, $size, annotations: (.annotations + {"io.containerd.image.name":
  ("docker.io/library/" + $name), "org.opencontainers.image.ref.name": $name})}]' "$work/index" >"$layout/index.json"

find "$layout" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
chmod -R u=rwX,go=rX "$layout"
tar --sort=name --format=ustar --owner=0 --group=0 --numeric-owner -C "$layout" -cf "$archive" \
  oci-layout index.json blobs
