#!/usr/bin/env bash
# Writes an SPDX 2.3 JSON document to standard output: the program of each platform given, with
# its SHA-256, package URL and CPE; each component that the static link put into it (the Debian
# source package, its version, licence and libraries, from its BUILD folder's
# static_components.tsv, and its package URL), linked to the program by STATIC_LINK; the Debian
# packages of the compiler and linker that built it (build_tools.tsv), by BUILD_TOOL_OF; then each ARTEFACT of the
# release, with its SHA-256 and package URL, described by the document and containing the
# programs of its platforms (the source archive: the programs are generated from it). Every
# package names its supplier; the document its authors, the project and this script. Its time is
# SOURCE_DATE_EPOCH and its namespace is made of the version, the commit and the platforms: the
# same release gives the same bytes.
#
# Usage: packaging/sbom.sh VERSION REVISION COMMIT [PLATFORM PROGRAM BUILD]...
#        [-- ARTEFACT...]   (needs jq)
set -euo pipefail
version=$1 revision=$2 commit=$3 created=$(date -u -d "@${SOURCE_DATE_EPOCH:?must be set}" +%FT%TZ)
shift 3
programs= tools= # PLATFORM, FILE, SHA-256, then a component's columns; PLATFORM, then a tool's
while (($#)) && [ "$1" != -- ]; do
  [ -s "$3/static_components.tsv" ] || { echo "sbom.sh: no static components for $1 in $3" >&2 && exit 1; }
  sum=$(sha256sum <"$2")
  programs+=$(sed "s|^|$1\t${2##*/}\t${sum%% *}\t|" "$3/static_components.tsv")$'\n'
  tools+=$(sed "s|^|$1\t|" "$3/build_tools.tsv")$'\n'
  shift 3
done
[ "${1:-}" != -- ] || shift # what follows are the artefacts: NAME, SHA-256, package URL, platforms
artefacts=$(for file in "$@"; do
  name=${file##*/} sum=$(sha256sum <"$file") purl=pkg:generic/zorvicxlsim@$version?file_name=$name
  case $name in
  *.deb) arch=${name%.deb} purl=pkg:deb/zorvicxlsim/zorvicxlsim@$version-$revision?arch=${arch##*_} ;;
  *.rpm) arch=${name%.rpm} purl=pkg:rpm/zorvicxlsim/zorvicxlsim@$version-$revision?arch=${arch##*.} ;;
  *.oci.tar) purl=pkg:oci/zorvicxlsim@$(tar -xOf "$file" index.json | jq -r '.manifests[0].digest | @uri')?tag=$version ;;
  esac
  # What it is, and the platforms whose programs it holds (the debug information: of which it is).
  case $name in
  *-debug.tar.gz) purpose=OTHER platforms=${name%-debug.tar.gz} platforms=linux-${platforms##*-} ;;
  *amd64.deb | *x86_64.rpm | *linux-amd64*) purpose=INSTALL platforms=linux-amd64 ;;
  *arm64.deb | *aarch64.rpm | *linux-arm64*) purpose=INSTALL platforms=linux-arm64 ;;
  *windows-amd64*) purpose=INSTALL platforms=windows-amd64 ;;
  *.oci.tar) purpose=CONTAINER platforms="linux-amd64 linux-arm64" ;;
  *) purpose=SOURCE platforms= ;;
  esac
  printf '%s\t%s\t%s\t%s\t%s\n' "$name" "${sum%% *}" "$purl" "$purpose" "$platforms"
done)
jq -n --arg version "$version" --arg commit "$commit" --arg created "$created" \
  --arg programs "$programs" --arg tools "$tools" --arg artefacts "$artefacts" '
  def id: "SPDXRef-" + gsub("[^A-Za-z0-9.]+"; "-");
  def lines($text): $text | split("\n") | map(select(. != "") | split("\t"));
  def purl($locator): {referenceCategory: "PACKAGE-MANAGER", referenceType: "purl", referenceLocator: $locator};
  def package($licence): {filesAnalyzed: false, licenseConcluded: $licence, licenseDeclared: $licence};
  def ours: package("MIT") + {name: "zorvicxlsim", supplier: "Organization: The zorvicxlsim authors",
    copyrightText: "Copyright (C) 2026 The zorvicxlsim authors", downloadLocation: "https://zorvicxlsim.org"};
  def program: ours + {SPDXID: .program, versionInfo: $version, packageFileName: .file,
    primaryPackagePurpose: "APPLICATION", checksums: [{algorithm: "SHA256", checksumValue: .sum}],
    comment: "The program of every \(.platform) artefact", externalRefs: [purl("pkg:generic/zorvicxlsim@\($version)?platform=\(.platform)"),
      {referenceCategory: "SECURITY", referenceType: "cpe23Type", referenceLocator: "cpe:2.3:a:zorvicxlsim:zorvicxlsim:\($version):*:*:*:*:*:*:*"}]};
  def component: (.version | @uri) as $v | package(.licence) + {SPDXID: .component,
    name: .source, versionInfo: .version, supplier: "Organization: Debian", copyrightText: "NOASSERTION",
    downloadLocation: "https://snapshot.debian.org/package/\(.source)/\($v)/",
    externalRefs: [purl("pkg:deb/debian/\(.source)@\($v)?arch=source&distro=debian-12")]};
  # An artefact is under the licences of the programs it holds and of what they carry.
  def artefact($links): . as $a | ours + package((["MIT"] + [$links[] | select(.platform | IN($a.platforms[]))
    | .licence | split(" AND ")[]]) | unique | join(" AND ")) + {SPDXID: .id, versionInfo: .version, packageFileName: .name,
    primaryPackagePurpose: .purpose, checksums: [{algorithm: "SHA256", checksumValue: .sum}], externalRefs: [purl(.purl)]};
  def tool: {SPDXID: .tool, name: .name, versionInfo: .version, supplier: "Organization: Debian",
    downloadLocation: "https://snapshot.debian.org/binary/\(.name)/", filesAnalyzed: false,
    licenseConcluded: "NOASSERTION", licenseDeclared: "NOASSERTION", copyrightText: "NOASSERTION",
    externalRefs: [purl("pkg:deb/debian/\(.name)@\(.version | @uri)?arch=\(.arch)&distro=debian-12")]};
  def relation($from; $type; $to): {spdxElementId: $from, relationshipType: $type, relatedSpdxElement: $to};
  [lines($programs)[] | {platform: .[0], file: .[1], sum: .[2], source: .[3], version: .[4], licence: .[5], libraries: .[7],
                         program: ("zorvicxlsim-" + .[0] | id), component: (.[3] + "-" + .[4] | id)}] as $links
  | [lines($artefacts)[] | {name: .[0], sum: .[1], purl: .[2], purpose: .[3], platforms: (.[4] // "" | split(" ")),
      id: ("artefact-" + .[0] | id), version: (if .[2] | test("^pkg:(deb|rpm)/") then .[2] | capture("@(?<v>[^?]+)").v else $version end)}] as $artefacts
  | [lines($tools)[] | {program: ("zorvicxlsim-" + .[0] | id), name: .[1], version: .[2], arch: .[3],
      tool: (.[1] + "-" + .[2] | id)}] as $tools
  | ($links | map(.program) | unique) as $programs
  | {spdxVersion: "SPDX-2.3", dataLicense: "CC0-1.0", SPDXID: "SPDXRef-DOCUMENT", name: "zorvicxlsim-\($version)",
     documentNamespace: "https://zorvicxlsim.org/spdx/zorvicxlsim-\($version)-\($commit)-\($links | map(.platform) | unique | join("-"))",
     creationInfo: {created: $created, creators: ["Organization: The zorvicxlsim authors (maintainers@zorvicxlsim.org)",
                                                  "Tool: zorvicxlsim-packaging-sbom.sh"]},
     packages: (($links | map(program) | unique) + ($links | map(component) | unique) + ($tools | map(tool) | unique)
       + ($artefacts | map(artefact($links)))),
     relationships: (if $artefacts == [] then $programs | map(relation("SPDXRef-DOCUMENT"; "DESCRIBES"; .))
       else $artefacts | map(relation("SPDXRef-DOCUMENT"; "DESCRIBES"; .id)) end
       + [$artefacts[] | .id as $artefact | if .purpose == "SOURCE" then $programs[] | relation(.; "GENERATED_FROM"; $artefact)
          elif .purpose == "OTHER" then .platforms[] | relation($artefact; "OTHER"; "zorvicxlsim-" + . | id)
            + {comment: "The debug information of the program, found by its build ID"}
          else .platforms[] | relation($artefact; "CONTAINS"; "zorvicxlsim-" + . | id) end]
       + ($links | map(relation(.program; "STATIC_LINK"; .component) + {comment: "from \(.libraries)"}))
       + ($tools | map(relation(.tool; "BUILD_TOOL_OF"; .program))))}'
