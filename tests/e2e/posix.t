# What only a POSIX system has: FIFOs, /dev/null, /dev/stdout, standard output on /dev/full or
# closed, and argument bytes that are not UTF-8. Standard error is merged into the output.

# /dev/null and a FIFO without a writer are firmware files, and do not hang; with standard
# input closed, the file opened as descriptor 0 counts as well.
  $ mkfifo fifo; zorvicxlsim -p --sim --fw /dev/null --fwupdate --fw fifo --fwupdate <&- | grep -c true
  2

# Any text makes an inventory that an XML parser reads: escapes for markup, tab, line feed and
# carriage return; U+FFFD for a control byte, a truncated sequence, a stray byte, a surrogate,
# U+FFFE, a code point above U+10FFFF and overlong sequences.
  $ zorvicxlsim --sim 2 -p --display $'A&B <"C"> \'D\'\x01\t\xe2\x82\xff' --fwversion $'1\r2\n\xed\xa0\x80\xef\xbf\xbe\xf4\x90\x80\x80\xc0\xaf\xe0\x80\x80\xf0\x80\x80\x80' \
  >   --output inv.xml --list; grep -o 'version = .*' inv.xml | uniq; xmllint --xpath 'string(//@display)' inv.xml
  version = "1&#13;2&#10;\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd" display = "A&amp;B &lt;&quot;C&quot;&gt; &apos;D&apos;\xef\xbf\xbd&#9;\xef\xbf\xbd\xef\xbf\xbd"> (esc)
  A&B <"C"> 'D'\xef\xbf\xbd\t\xef\xbf\xbd\xef\xbf\xbd (esc)

# An output file that is standard output itself gets the report after what the run wrote before
# it, the version line here, which waits in the stream's buffer when standard output is a pipe.
  $ zorvicxlsim --version --output /dev/stdout --list | sed -n 1p
  zorvicxlsim 0.0.1.0x59c2bd1

# A closed and a full standard output are told, for a report and after a command-line error.
  $ zorvicxlsim --list >&-; echo "status $?"; zorvicxlsim --version --nosuch >/dev/full
  zorvicxlsim: write error: Bad file descriptor
  status 1
  zorvicxlsim: invalid option -- 'nosuch'
  zorvicxlsim: write error: No space left on device
  [1]
