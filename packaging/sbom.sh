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
version=$1 commit=$2 created=$(date -u -d "@${SOURCE_DATE_EPOCH:?must be set}" +%FT%TZ) && shift 2
while (($#)); do
  [ -s "$3" ] || { echo "sbom.sh: no static components for $1 in $3" >&2 && exit 1; }
  sum=$(sha256sum <"$2")
  sed "s|^|$1\t${2##*/}\t${sum%% *}\t|" "$3"
  shift 3
done | jq -nR --arg version "$version" --arg commit "$commit" --arg created "$created" '
  def id: "SPDXRef-" + gsub("[^A-Za-z0-9.]+"; "-");
  # By Debian source package, from its debian/copyright; for mingw-w64, those of the libraries
  # linked in: its C runtime (mingw-w64-crt) and winpthreads.
  def licence: {glibc: "LGPL-2.1-or-later", "mingw-w64": "ZPL-2.1 AND MIT AND BSD-3-Clause"}[.] //
    if test("^gcc-[0-9]+$") then "GPL-3.0-or-later WITH GCC-exception-3.1" else error("no licence for \(.)") end;
  def package($licence): {filesAnalyzed: false, licenseConcluded: $licence, licenseDeclared: $licence};
  def program: package("MIT") + {SPDXID: .program, name: "zorvicxlsim", versionInfo: $version,
    packageFileName: .file, downloadLocation: "NOASSERTION", primaryPackagePurpose: "APPLICATION",
    checksums: [{algorithm: "SHA256", checksumValue: .sum}], copyrightText:
    "Copyright (C) 2026 The zorvicxlsim authors", comment: "The program of every \(.platform) artefact"};
  def component: (.version | @uri) as $v | package(.source | licence) + {SPDXID: .component,
    name: .source, versionInfo: .version, supplier: "Organization: Debian", copyrightText: "NOASSERTION",
    downloadLocation: "https://snapshot.debian.org/package/\(.source)/\($v)/", externalRefs: [{referenceType:
    "purl", referenceCategory: "PACKAGE-MANAGER", referenceLocator: "pkg:deb/debian/\(.source)@\($v)?arch=source"}]};
  [inputs / "\t" | {platform: .[0], file: .[1], sum: .[2], source: .[3], version: .[4], libraries: .[5],
                    program: ("zorvicxlsim-" + .[0] | id), component: (.[3] + "-" + .[4] | id)}]
  | {spdxVersion: "SPDX-2.3", dataLicense: "CC0-1.0", SPDXID: "SPDXRef-DOCUMENT", name: "zorvicxlsim-\($version)",
     documentNamespace: "https://zorvicxlsim.org/spdx/zorvicxlsim-\($version)-\($commit)",
     creationInfo: {created: $created, creators: ["Tool: zorvicxlsim-packaging-sbom.sh"]},
     packages: ((map(program) | unique) + (map(component) | unique)), relationships: ((map({relatedSpdxElement:
       .program, spdxElementId: "SPDXRef-DOCUMENT", relationshipType: "DESCRIBES"}) | unique) + map({spdxElementId:
       .program, relationshipType: "STATIC_LINK", relatedSpdxElement: .component, comment: "from \(.libraries)"}))}'
