#!/usr/bin/env bash
# Proves that a fleet can install from the release's signed repositories and update from them: in
# roots made for the run, apt (the release's key given by signed-by) and Debian's dnf (gpgcheck
# and repo_gpgcheck on, into an empty root) install zorvicxlsim by name from the release folder
# DIST; each refuses it when one byte of a package or of the signed metadata is changed; and
# once the repository holds the rebuild REBUILT (the same version, the next package revision),
# apt-get upgrade and dnf upgrade bring it.
#
# Usage: packaging/repository_test.sh DIST REBUILT   (as root; both signed by the key of
# DIST/zorvicxlsim.asc; needs apt-get, dnf, rpm)
set -euo pipefail
dist=$(realpath "$1") rebuilt=$(realpath "$2") work=$(mktemp -d /tmp/zorvic_repository.XXXXXX)
repo=$work/repo key=$work/zorvicxlsim.asc # the repository that the hosts name, and its key
cleanup() { # dnf leaves a gpg-agent for each root's keyring
  for home in "$work"/*/var/cache/dnf/*/pubring; do [ ! -d "$home" ] || gpgconf --homedir "$home" --kill gpg-agent; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" && exit 1; }
cp "$dist/zorvicxlsim.asc" "$key"
publish() { rm -rf "$repo" && cp -R "$1" "$repo"; } # fresh files: dnf caches checksums in them
roots() { # a new, empty root for each, set up to use the repository alone
  rm -rf "$work"/{apt,dnf,dnf.conf} && mkdir -p "$work"/apt/{etc/apt/apt.conf.d,etc/apt/preferences.d} \
    "$work"/apt/var/{lib/dpkg,cache/apt/archives/partial,log/apt} "$work/dnf/repos"
  : >"$work/apt/var/lib/dpkg/status"
  echo "deb [signed-by=$key] file:$repo ./" >"$work/apt/etc/apt/sources.list"
  printf 'Dir "%s/";\nDir::State::status "%s/var/lib/dpkg/status";\nDPkg::Options:: "--root=%s";\n%s\n' \
    "$work/apt" "$work/apt" "$work/apt" 'APT::Sandbox::User "root";' >"$work/apt/apt.conf"
  printf '[main]\nreposdir=%s\ngpgcheck=1\nrepo_gpgcheck=1\nskip_if_unavailable=0\nplugins=0\n' \
    "$work/dnf/repos" >"$work/dnf.conf"
  printf '[zorvicxlsim]\nname=zorvicxlsim\nbaseurl=file://%s\ngpgkey=file://%s\n' \
    "$repo" "$key" >"$work/dnf/repos/zorvicxlsim.repo"
}
apt() { APT_CONFIG=$work/apt/apt.conf apt-get -qq -y "$@" 2>&1; }
dnf() { command dnf -y -q --refresh --installroot="$work/dnf" --config="$work/dnf.conf" --releasever=1 "$@" 2>&1; }
installed() { # VERSION: each root has it, and its program runs
  [ "$(dpkg --root="$work/apt" -s zorvicxlsim | sed -n 's/^Version: //p')" = "$1" ] || fail "apt's root has no $1"
  [ "$(rpm --root="$work/dnf" -q --qf '%{VERSION}-%{RELEASE}' zorvicxlsim)" = "$1" ] || fail "dnf's root has no $1"
  for root in apt dnf; do "$work/$root/usr/bin/zorvicxlsim" --version | grep -q "^/\?.*zorvicxlsim ${1%-*}\." || fail "$root's program"; done
}
flip() { # FILE [TEXT]: one byte of the repository's FILE changed, at TEXT or else in the middle
  local at byte && at=$(($(stat -c %s "$repo/$1") / 2))
  [ -z "${2:-}" ] || at=$(grep -abo -m1 "$2" "$repo/$1" | cut -d: -f1)
  byte=$(od -An -tu1 -j "$at" -N 1 "$repo/$1")
  printf "\\$(printf %o $((byte ^ 1)))" | dd of="$repo/$1" bs=1 seek="$at" conv=notrunc status=none
}
version() { (cd "$1" && echo zorvicxlsim_*_amd64.deb | sed 's/^[^_]*_//;s/_.*//'); }

# Each changed byte is refused with the reason; nothing is installed.
for case in "apt:$(cd "$dist" && echo *_amd64.deb)::Hash Sum mismatch" "apt:InRelease:Date:BADSIG" \
  "dnf:$(cd "$dist" && echo *.x86_64.rpm)::incorrect checksum" "dnf:repodata/repomd.xml::Bad GPG signature"; do
  IFS=: read -r tool file at reason <<<"$case"
  roots && publish "$dist" && flip "$file" "$at"
  if out=$($tool update && $tool install zorvicxlsim); then fail "$tool installed from a changed $file"; fi
  grep -qF "$reason" <<<"$out" || fail "$tool refused a changed $file without '$reason': $out"
  echo "$tool refuses a changed $file: $reason"
done

# Installed by name from the release; the rebuild, published where the release was, reaches them.
roots && publish "$dist"
out=$(apt update && apt install zorvicxlsim && dnf install zorvicxlsim) || fail "$out"
installed "$(version "$dist")" && publish "$rebuilt"
out=$(apt update && apt upgrade && dnf upgrade) || fail "$out"
installed "$(version "$rebuilt")"
echo "apt and dnf install from the signed repositories, refuse them changed, and upgrade to the rebuild"
