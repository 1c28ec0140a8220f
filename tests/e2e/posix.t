# What only a POSIX system has: FIFOs, /dev/null, /dev/stdout, and standard output on /dev/full,
# closed, or a pipe closed early. Standard error is merged into the output.

# /dev/null and a FIFO without a writer are firmware files, and do not hang; with standard
# input closed, the file opened as descriptor 0 counts as well. An output file that is standard
# output itself gets the report after what the run wrote before it, the version line here, which
# waits in the stream's buffer when standard output is a pipe.
  $ mkfifo fifo; zorvicxlsim -p --sim --fw /dev/null --fwupdate --fw fifo --fwupdate <&- | grep -c true
  2
  $ zorvicxlsim --version --output /dev/stdout --list | sed -n 1p
  zorvicxlsim 0.0.1.0x59c2bd1

# A closed and a full standard output are told: after a report, at the end (the version line
# waits in the stream's buffer until then), with the reason of an echo too long for that buffer,
# which fails at once, and after a command-line error's line.
  $ zorvicxlsim --list >&- || zorvicxlsim --version >/dev/full || zorvicxlsim "$(printf %5000s)" >/dev/full ||
  >   zorvicxlsim --version --nosuch >/dev/full
  zorvicxlsim: write error: Bad file descriptor
  zorvicxlsim: write error: No space left on device
  zorvicxlsim: write error: No space left on device
  zorvicxlsim: invalid option -- 'nosuch'
  zorvicxlsim: write error: No space left on device
  [1]

# A reader that stops early ends the program by SIGPIPE, as it ends cat: status 128 + 13 and
# nothing on standard error. (Started with SIGPIPE ignored, it tells the failed write as for a
# full disk above, with the reason "Broken pipe".)
  $ zorvicxlsim --sim 100000 --list | head -1; echo ${PIPESTATUS[0]}
  list begin
  141
