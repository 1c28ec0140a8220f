#!/usr/bin/env bash
# The Windows program as it is deployed: its version resource read back, the DLLs it needs and its
# PE flags; the .exe of the .zip is the one built; the .msi gives the program's version and
# language; under Wine, in a prefix of its own, the .msi of a lower version installs, the current
# one (MSI, by default the one cpack makes in the build folder; the .zip beside it holds the same
# files) replaces it (one product installed), puts the program on the system PATH, lists it under
# installed programs with its links and folder, refuses to be replaced by the older one, and
# uninstalls without a trace.
#
# Usage: packaging/msi_test.sh BUILD_WINDOWS_FOLDER [MSI]   (needs wine, wixl, msitools,
# faketime, binutils-mingw-w64-x86-64 for windres, unzip)
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d /tmp/zorvic_msi.XXXXXX)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
# A session: a wineserver that lives until the next one, so that no Wine program fails to reach a
# server that is ending (which happens now and then under load), with Wine's services started
# apart from any output that the test reads. The first makes the prefix.
session() { wineserver -k 2>/dev/null || true; mkdir -p "$WINEPREFIX" && wineserver -p && wine cmd /c exit >/dev/null 2>&1 </dev/null; }
fail() { echo "msi_test: $*" >&2 && exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

resource=$(x86_64-w64-mingw32-windres -i "$build/zorvicxlsim.exe" -O rc)
for line in "FILEVERSION ${version//./, }, 0" "PRODUCTVERSION ${version//./, }, 0" \
  "\"FileVersion\", \"$version.0\"" "\"ProductVersion\", \"$version.0\"" \
  '"ProductName", "zorvicxlsim"' '"OriginalFilename", "zorvicxlsim.exe"' \
  '"LegalCopyright", "Copyright (C) 2026 The zorvicxlsim authors"'; do
  grep -qF " $line" <<<"$resource" || fail "no $line in the version resource"
done

# What Windows reads from the PE header: DLLs that every Windows has, and nothing else; loaded at
# a random address anywhere in the 64-bit space, its data never executed.
header=$(x86_64-w64-mingw32-objdump -p "$build/zorvicxlsim.exe")
dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$header" | xargs)
[ "$dlls" = "KERNEL32.dll msvcrt.dll" ] || fail "the program needs $dlls"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
  grep -qx "[[:space:]]*$flag" <<<"$header" || fail "no $flag in the PE header"
done

(cd "$build" && cpack -B "$work/new" >/dev/null && cpack -B "$work/old" >/dev/null \
  -D CPACK_PACKAGE_VERSION=0.0.0 -D CPACK_PACKAGE_FILE_NAME=zorvicxlsim-0.0.0-windows-amd64)
unzip -p "$work"/new/*.zip '*/zorvicxlsim.exe' | cmp - "$build/zorvicxlsim.exe" ||
  fail "the .zip changed the program"

environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
# The system PATH, a folder a line: Wine leaves the separator of a part that it removes.
system_path() { wine reg query "$environment" /v PATH | sed -n 's/^ *PATH *REG_[A-Z_]* *//p' |
  tr -d '\r' | tr ';' '\n' | grep .; }
installed() { # only the product of the .msi $1
  code=$(msiinfo export "$1" Property | sed -n 's/^ProductCode\t\(.*\)\r$/\1/p')
  [ "$(wine uninstaller --list)" = "$code|||zorvicxlsim"$'\r' ] ||
    fail "installed: $(wine uninstaller --list), not only the product of ${1##*/}"; }
answer() { wine "$@" --version | tr -d '\r'; }
old=$work/old/zorvicxlsim-0.0.0-windows-amd64.msi
new=$(realpath "${2:-$work/new/zorvicxlsim-$version-windows-amd64.msi}") zip=${new%.msi}.zip
unzip -p "$zip" '*/zorvicxlsim.exe' >"$work/program.exe"
# Windows Installer replaces an installed program by the File table's version and language, not
# the package's.
file_entry=$(msiinfo export "$new" File | awk -F'\t' '$1 == "Program" { print $5 "/" $6 }')
[ "$file_entry" = "$version.0/1033" ] ||
  fail "the .msi gives the program version/language '$file_entry'"
folder="$WINEPREFIX/drive_c/Program Files/zorvicxlsim" in_path=$'\nC:\\Program Files\\zorvicxlsim\\'
session && path_before=$(system_path)
wine msiexec /i "$old" /qn
installed "$old"
out=$(answer 'C:\Program Files\zorvicxlsim\zorvicxlsim.exe') &&
  [[ $out == "zorvicxlsim $version."* ]] ||
  fail "the installed program answers --version with '$out'"
[ "$(system_path)" = "$path_before$in_path" ] || fail "system PATH: $(system_path)"
# Found on PATH by a new session. Not after the upgrade, only because Wine's cmd stops at the
# empty part that Wine's uninstall leaves.
session
[ "$(answer cmd /c zorvicxlsim)" = "$out" ] || fail "zorvicxlsim not found on PATH"
wine msiexec /i "$new" /qn
installed "$new"
[ "$(system_path)" = "$path_before$in_path" ] || fail "system PATH after upgrading: $(system_path)"
# Its entry under installed programs: the project's homepage for help and about, and its folder.
homepage=$(sed -n 's/^set(CPACK_PACKAGE_HOMEPAGE_URL "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
entry() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\'"$code" /v "$1" |
  sed -n "s/^ *$1 *REG_SZ *//p" | tr -d '\r'; }
for name in HelpLink URLInfoAbout; do
  [ "$(entry $name)" = "${homepage:?not in CPackConfig.cmake}" ] || fail "$name: '$(entry $name)'"
done
[ "$(entry InstallLocation)" = 'C:\Program Files\zorvicxlsim\' ] ||
  fail "InstallLocation: '$(entry InstallLocation)'"
[ "$(cd "$folder" && echo *)" = "$(unzip -Z1 "$zip" | sed 's|.*/||' | grep . | sort | xargs)" ] ||
  fail "installed: $(ls "$folder"), not the files of ${zip##*/}"
cmp "$folder/zorvicxlsim.exe" "$work/program.exe" || fail "the .msi and the .zip differ in the program"
if wine msiexec /i "$old" /qn; then fail "the older .msi replaced the newer"; fi
installed "$new"
wine msiexec /x "$new" /qn
[ -z "$(wine uninstaller --list)" ] || fail "still installed: $(wine uninstaller --list)"
[ ! -e "$folder" ] || fail "left installed: $(ls -R "$folder")"
[ "$(system_path)" = "$path_before" ] || fail "system PATH after uninstall: $(system_path)"
echo "msi_test: installed, upgraded, listed, found on PATH and uninstalled"
