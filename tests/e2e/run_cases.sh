#!/usr/bin/env bash
# Runs the program over end-to-end case files, each case in a fresh temporary directory.
#
# Usage: run_cases.sh PROGRAM CASEFILE...
# A case file holds cases, each begun by "case: TITLE" and made of these lines:
#   setup: SHELL      run in the case's directory before the program (may repeat)
#   run: WORDS        shell words after the program name, redirections included
#   status: N         expected exit status (default 0)
#   stdout: / stderr: / file NAME:   followed by "|" lines: the exact expected content;
#                     an absent stdout or stderr block means "empty"; "\t" stands for a tab
#   nofile: NAME      NAME must not exist afterwards
#   check: SHELL      must succeed in the case's directory afterwards (may repeat); $OUT and
#                     $ERR name the files holding what the program wrote to stdout and stderr
#   ignore: STREAM    do not compare stdout or stderr (leave it to checks)
# The program runs as "zorvicxlsim" (so messages name it so), with no standard input, under
# $ZORVIC_WRAPPER if set (valgrind, say), and is killed after 20 seconds.
set -uo pipefail

program=$(realpath "$1")
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
ln -s "$program" "$work/bin/zorvicxlsim"
export PATH="$work/bin:$PATH"

passed=0
failed=0

fail() {
  echo "FAIL: $title: $*"
  ok=0
}

compare() { # what expected_file actual_file
  if ! cmp -s "$2" "$3"; then
    fail "$1 differs"
    diff -u --label expected --label actual "$2" "$3" | head -40
  fi
}

run_case() {
  local dir="$work/case" i
  rm -rf "$dir" && mkdir "$dir" "$dir/.expect"
  ok=1
  for cmd in "${setups[@]}"; do
    (cd "$dir" && eval "$cmd") || fail "setup failed: $cmd"
  done
  (cd "$dir" && eval "exec timeout 20 ${ZORVIC_WRAPPER:-} zorvicxlsim $run_words" \
    >"$work/stdout" 2>"$work/stderr" </dev/null)
  local status=$?
  [ "$status" = "$want_status" ] || fail "exit status $status, expected $want_status"
  for stream in stdout stderr; do
    [[ " ${ignored[*]} " == *" $stream "* ]] && continue
    local want_name="want_$stream"
    printf '%s' "${!want_name}" >"$work/want"
    compare "$stream" "$work/want" "$work/$stream"
  done
  for ((i = 0; i < ${#file_names[@]}; i++)); do
    if [ -f "$dir/${file_names[i]}" ]; then
      printf '%s' "${file_texts[i]}" >"$work/want"
      compare "file ${file_names[i]}" "$work/want" "$dir/${file_names[i]}"
    else
      fail "file ${file_names[i]} missing"
    fi
  done
  for name in "${nofiles[@]}"; do
    [ ! -e "$dir/$name" ] || fail "file $name exists"
  done
  for cmd in "${checks[@]}"; do
    (cd "$dir" && OUT="$work/stdout" ERR="$work/stderr" eval "$cmd") >/dev/null 2>&1 ||
      fail "check failed: $cmd"
  done
  if ((ok)); then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

for case_file in "$@"; do
  title=""
  target=""
  flush_case() { [ -n "$title" ] && run_case; }
  while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
      "case: "*)
        flush_case
        title=${line#case: }
        setups=() checks=() nofiles=() file_names=() file_texts=() ignored=()
        run_words="" want_status=0 want_stdout="" want_stderr="" target=""
        ;;
      "|"*)
        line=${line:1}
        line=${line//\\t/$'\t'}$'\n'
        case "$target" in
          stdout) want_stdout+=$line ;;
          stderr) want_stderr+=$line ;;
          file) file_texts[${#file_texts[@]} - 1]+=$line ;;
        esac
        ;;
      "setup: "*) setups+=("${line#setup: }") ;;
      "check: "*) checks+=("${line#check: }") ;;
      "nofile: "*) nofiles+=("${line#nofile: }") ;;
      "ignore: "*) ignored+=("${line#ignore: }") ;;
      "run:"*) run_words=${line#run:} ;;
      "status: "*) want_status=${line#status: } ;;
      "stdout:") target=stdout ;;
      "stderr:") target=stderr ;;
      "file "*:)
        target=file
        name=${line#file }
        file_names+=("${name%:}")
        file_texts+=("")
        ;;
      "" | "#"*) ;;
      *) echo "$case_file: cannot read line: $line" && exit 2 ;;
    esac
  done <"$case_file"
  flush_case
done

echo "$passed passed, $failed failed"
((failed == 0))
