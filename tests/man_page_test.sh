#!/usr/bin/env bash
# The man page renders without warnings, lists the options of the usage text one for one, in
# the same order, and names the program's version.
# Usage: man_page_test.sh PROGRAM MAN_PAGE
set -uo pipefail
program=$1
page=$2
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

warnings=$(groff -man -ww -z "$page" 2>&1)
[ -z "$warnings" ] || fail "groff warns: $warnings"

# "--list -l" per option line of the usage text ("--verbose" when there is no short form).
from_usage=$("$program" --help | sed '/^Examples:/q' | sed -n 's/^\t--\([A-Za-z]*\) \(| -\(.\) \)\{0,1\}.*/--\1 -\3/p' |
  sed 's/ -$//')
# The same from the tag line after each .TP of the OPTIONS section.
from_page=$(awk '/^\.SH / { in_options = ($2 == "OPTIONS") } in_options && tag { print; tag = 0 }
  in_options && /^\.TP/ { tag = 1 }' "$page" | sed 's/\\-/-/g' |
  sed -n 's/^[^-]*\(--[A-Za-z]*\)\( ", " -\([a-z]\)\)\{0,1\}.*/\1 -\3/p' | sed 's/ -$//')
[ "$(wc -l <<<"$from_usage")" = 15 ] || fail "usage text lists $(wc -l <<<"$from_usage") options"
if [ "$from_usage" != "$from_page" ]; then
  fail "OPTIONS differ from the usage text"
  diff <(echo "$from_usage") <(echo "$from_page")
fi

version=$("$program" --version | sed -n 's/^[^ ]* \([0-9]*\.[0-9]*\.[0-9]*\)\..*/\1/p')
grep -q "^\.TH ZORVICXLSIM 1 .* \"zorvicxlsim $version\"" "$page" ||
  fail "the man page does not name version $version"

if ((failed)); then echo "0 passed, 1 failed"; else echo "1 passed, 0 failed"; fi
exit "$failed"
