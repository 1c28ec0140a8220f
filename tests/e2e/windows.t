# What only the Windows program shows, run by Wine directly rather than through the wrapper: a
# pipe closed early, where a report's write fails with Windows' reason; and text beyond ASCII on
# a console, here a terminal that `script` opens (Wine's console shows code page 437 unless the
# program changes it), where the order of the two streams is Wine's. script gets an input of its
# own, so that it reads none of the transcript's. (The driver's flushes and write-error lines are
# the same code on every system: posix.t checks them.)

# A reader that stops early: Windows has no SIGPIPE, so the failed write is told, with the C
# library's reason, and the status is 1 (standard error kept apart, as head may close the pipe
# before it writes its line).
  $ { wine "$ZORVIC_BIN/zorvicxlsim.exe" --sim 100000 --list 2>err | head -1; echo "status ${PIPESTATUS[0]}"; cat err; } | tr -d '\r'
  list begin
  status 1
  zorvicxlsim: write error: Invalid argument
  $ LC_ALL=C.UTF-8 script -qec "wine '$ZORVIC_BIN/zorvicxlsim.exe' -p --sim --display 'Größe' --output x/ö --list ünï" /dev/null </dev/null |
  >   perl -pe 's/\e\[[?0-9;]*[A-Za-z]//g; s/\r//g' | grep -o 'display = "[^"]*"\|: x/.*\|^ü.*' | sort -u
  : x/\xc3\xb6: No such file or directory (esc)
  display = "Gr\xc3\xb6\xc3\x9fe" (esc)
  \xc3\xbcn\xc3\xaf (esc)
