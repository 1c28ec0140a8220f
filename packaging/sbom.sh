#!/usr/bin/env bash
# Writes the release's SBOM, an SPDX 2.3 JSON document, to standard output: the program of each
# platform with its SHA-256, and each component that the static link put into it (the Debian
# source package, its version and the libraries, from the build's static_components.tsv) with
# its licence and package URL, linked to the program by STATIC_LINK. Its time is
# SOURCE_DATE_EPOCH and its namespace is made of the version and the commit: the same release
# gives the same bytes.
#
# Usage: packaging/sbom.sh VERSION COMMIT [PLATFORM PROGRAM STATIC_COMPONENTS_TSV]...   (needs jq)
set -euo pipefail
version=$1 commit=$2 && shift 2
created=$(date -u -d "@${SOURCE_DATE_EPOCH:?must be set}" +%Y-%m-%dT%H:%M:%SZ)
while (($#)); do
  [ -s "$3" ] || { echo "sbom.sh: no static components for $1 in $3" >&2 && exit 1; }
  sum=$(sha256sum <"$2")
  sed "s|^|$1\t${2##*/}\t${sum%% *}\t|" "$3"
  shift 3
done | jq -nR --arg version "$version" --arg commit "$commit" --arg created "$created" '
  def id: "SPDXRef-" + gsub("[^A-Za-z0-9.]+"; "-");
  # By Debian source package, from its debian/copyright: for mingw-w64, those of its runtime
  # (mingw-w64-crt) and of winpthreads.
  def licence: {glibc: "LGPL-2.1-or-later", "mingw-w64": "ZPL-2.1 AND MIT AND BSD-3-Clause"}[.]
    // if test("^gcc-[0-9]+$") then "GPL-3.0-or-later WITH GCC-exception-3.1"
       else error("no licence known for the source package \(.)") end;
  def program: {SPDXID: .program, name: "zorvicxlsim", versionInfo: $version, packageFileName: .file,
    downloadLocation: "NOASSERTION", filesAnalyzed: false, licenseConcluded: "MIT",
    licenseDeclared: "MIT", copyrightText: "Copyright (C) 2026 The zorvicxlsim authors",
    checksums: [{algorithm: "SHA256", checksumValue: .sum}], primaryPackagePurpose: "APPLICATION",
    comment: "The program of every \(.platform) artefact of the release"};
  def component: (.version | @uri) as $v | (.source | licence) as $licence | {SPDXID: .component,
    name: .source, versionInfo: .version, supplier: "Organization: Debian",
    downloadLocation: "https://snapshot.debian.org/package/\(.source)/\($v)/", filesAnalyzed: false,
    licenseConcluded: $licence, licenseDeclared: $licence, copyrightText: "NOASSERTION",
    externalRefs: [{referenceCategory: "PACKAGE-MANAGER", referenceType: "purl",
                    referenceLocator: "pkg:deb/debian/\(.source)@\($v)?arch=source"}]};
  [inputs / "\t" | {platform: .[0], file: .[1], sum: .[2], source: .[3], version: .[4], libraries: .[5],
                    program: ("zorvicxlsim-" + .[0] | id), component: (.[3] + "-" + .[4] | id)}]
  | {spdxVersion: "SPDX-2.3", dataLicense: "CC0-1.0", SPDXID: "SPDXRef-DOCUMENT",
     name: "zorvicxlsim-\($version)",
     documentNamespace: "https://zorvicxlsim.org/spdx/zorvicxlsim-\($version)-\($commit)",
     creationInfo: {created: $created, creators: ["Tool: zorvicxlsim-packaging-sbom.sh"]},
     packages: ((map(program) | unique) + (map(component) | unique)),
     relationships: ((map({spdxElementId: "SPDXRef-DOCUMENT", relationshipType: "DESCRIBES",
                           relatedSpdxElement: .program}) | unique)
       + map({spdxElementId: .program, relationshipType: "STATIC_LINK", relatedSpdxElement: .component,
              comment: "linked in from \(.libraries)"}))}'
