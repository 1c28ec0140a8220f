#!/usr/bin/env bash
# Builds the packages from a build folder, installs the .deb and checks what it installed: the
# .rpm and the tarball hold the same files but for each family's own (that they hold the same
# program, and declare what the static link put in, empty_root.sh checks on the release); the
# .rpm owns the folders that rpm-based systems ask it to and has the Debian changelog's entries;
# the packages' times do not depend on who owns the source tree; the program runs; the man page documents every option of the usage text, and bash,
# zsh and fish complete options and file names.
#
# Usage: packaging/package_test.sh BUILD_FOLDER   (as root: it installs the package and removes it)
set -euo pipefail
fail() { echo "FAIL: $*" && exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
cd "$1"
rm -rf packages
cpack -B packages >/dev/null
trap 'dpkg -r zorvicxlsim >/dev/null' EXIT
dpkg -i packages/*.deb >/dev/null
tree=$(dpkg -L zorvicxlsim | sort | while read -r f; do [ -d "$f" ] || echo "$f"; done)
mkdir -p packages/rpm packages/tgz && tar xzf packages/*.tar.gz -C packages/tgz --strip-components=1
(cd packages/rpm && rpm2cpio ../*.rpm | cpio -idm --quiet)
# The same files, but for zsh's folder, where each family's zsh looks, lintian's overrides in the
# .deb alone, and the name of the changelog, which Debian gives that of a package with a revision.
zsh_debian=/usr/share/zsh/vendor-completions/_zorvicxlsim
grep -qxF $zsh_debian <<<"$tree" || fail "no zsh completion in $zsh_debian"
elsewhere=$(sed "s|^$zsh_debian\$|/usr/share/zsh/site-functions/_zorvicxlsim|;/\/lintian\//d;s/changelog.Debian/changelog/" <<<"$tree" | sort)
[ "$(cd packages/rpm && find . ! -type d | sed 's/^.//' | sort)" = "$elsewhere" ] || fail "the rpm differs"
[ "$(cd packages/tgz && find . ! -type d | sed 's|^\./|/usr/|' | sort)" = "$elsewhere" ] ||
  fail "the tarball differs"
rpm=(rpm -qp packages/*.rpm)
# The .rpm owns every folder of its files but those that rpm-based systems' filesystem package owns.
system=$'/usr\n/usr/bin\n/usr/share\n/usr/share/doc\n/usr/share/man\n/usr/share/man/man1'
owned=$("${rpm[@]}" --qf '[%{FILEMODES:perms} %{FILENAMES}\n]' | sed -n 's/^d[^ ]* //p' | sort)
needed=$("${rpm[@]}" -l | while read -r f; do while f=${f%/*} && [ -n "$f" ]; do echo "$f"; done; done |
  sort -u | grep -vxF "$system")
[ "$owned" = "$needed" ] || fail "the rpm owns $(xargs <<<"$owned") and should own $(xargs <<<"$needed")"
# The .rpm's changelog has the Debian changelog's entries, versions and words.
debian=$(zcat /usr/share/doc/zorvicxlsim/changelog.Debian.gz)
words() { sed -E 's/^ *([-*] )?//' | tr -s '\n ' ' '; }
[ "$("${rpm[@]}" --qf '[%{CHANGELOGNAME}\n]')" = "$(awk '/^[^ ]/ { version = $2 } /^ -- / {
  sub(/^ -- /, ""); sub(/>  .*/, ">"); print $0 " - " substr(version, 2, length(version) - 2) }' \
  <<<"$debian")" ] || fail "the rpm's changelog entries are not the Debian changelog's"
[ "$("${rpm[@]}" --qf '[%{CHANGELOGTEXT}\n]' | words)" = "$(grep '^  ' <<<"$debian" | words)" ] ||
  fail "the rpm's changelog text differs"
[ "$(zorvicxlsim --sim 2 -p --list | grep -c '<Device ')" = 2 ] || fail "no report from the program"
# The packages' time is the last commit's, also where git refuses the source tree as another
# user's (a container's checkout): the tarball of a copy owned by nobody is the same.
if [ -e "$here/../.git" ]; then
  other=$PWD/packages/other && git clone -q --no-local "$here/.." "$other/tree" && chown -R 65534 "$other"
  cpack -G TGZ -D CPACK_ZORVIC_SOURCE_DIR="$other/tree" -B "$other" >/dev/null
  cmp packages/*.tar.gz "$other"/*.tar.gz || fail "another user's source tree gives another tarball"
fi

# Installed from source, zsh completion goes where this system's zsh looks, under /usr (Debian's
# folder) as under /usr/local.
for prefix in /usr /usr/local; do
  root=$(mktemp -d) && DESTDIR=$root cmake --install . --prefix $prefix >/dev/null
  folder=$(cd "$root" && find . -name _zorvicxlsim | sed 's|^\.||;s|/_zorvicxlsim$||')
  zsh -fc 'print -l $fpath' | grep -qxF "$folder" || fail "zsh does not read $folder"
  rm -rf "$root"
done

# The program's option table (its usage text), the man page and the bash, zsh and fish
# completions name the same options, long and short.
cd "$(mktemp -d)" && touch fw.bin
source /usr/share/bash-completion/completions/zorvicxlsim
for list in "usage text:$(zorvicxlsim --help | sed -n '/^Examples:/q;s/^\t\(--\w* \(| -\w\)\?\).*/\1/p')" \
  "man:$(zcat /usr/share/man/man1/zorvicxlsim.1.gz | sed -n '/^\.SH OPTIONS/,/^\.SH/{/^\.TP/{n;p}}')" \
  "bash:$(COMP_WORDS=(zorvicxlsim "") COMP_CWORD=1 && _zorvicxlsim && echo "${COMPREPLY[*]}")" \
  "zsh:$(timeout 60 zsh -f "$here/zsh_complete.zsh" "zorvicxlsim -")" "fish:$(fish -c "complete -C 'zorvicxlsim -'" | cut -f1)"; do
  got=$(grep -oE -- '(\\?-)+\w+' <<<"${list#*:}" | tr -d '\\' | sort -u) || true; usage=${usage-$got}
  [ "$got" = "$usage" ] || fail "usage text (<), ${list%%:*} (>): $(diff <(echo "$usage") - <<<"$got" | grep '^[<>]' | xargs)"
done

# Options after --sim, whose count is optional; file names after --fw and --output only; nothing
# after "--" or an operand, where the program takes every word as an operand.
for line in "-l --fw:--fwupdate --fw --fwversion" "--sim --l:--list" "--sim 2 --l:--list" "--fw f:fw.bin" \
  "-o :fw.bin" "--VendorId f:" "-lo x --l:--list" "-lo x y --l:" "x -o :" "-- --l:"; do
  read -r -a COMP_WORDS <<<"zorvicxlsim ${line%%:*}"
  [[ ${line%%:*} != *" " ]] || COMP_WORDS+=("") # a space ends the line: a new word begins
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _zorvicxlsim || true # compopt fails outside a real completion
  [ "${COMPREPLY[*]}" = "${line#*:}" ] || fail "bash offered '${COMPREPLY[*]}' for '${line%%:*}'"
  expected=$(xargs -n1 <<<"${line#*:}" | sort | xargs)
  words=$(timeout 60 zsh -f "$here/zsh_complete.zsh" "zorvicxlsim ${line%%:*}" | sort -u | xargs)
  [ "$words" = "$expected" ] || fail "zsh offered '$words' for '${line%%:*}'"
  words=$(fish -c "complete -C 'zorvicxlsim ${line%%:*}'" | cut -f1 | sort | xargs)
  [ "$words" = "$expected" ] || fail "fish offered '$words' for '${line%%:*}'"
done
# bash: "--sim=" takes its count in the same word, never an option.
read -r -a COMP_WORDS <<<"zorvicxlsim --sim =" && COMP_CWORD=2 && _zorvicxlsim || true
[ -z "${COMPREPLY[*]}" ] || fail "bash offered '${COMPREPLY[*]}' after --sim="
echo "packages install and work"
