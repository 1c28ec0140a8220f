# Reports end to end: both worked examples, the firmware-file test, the output file, texts in
# PIE documents, and the failures told on standard error (merged into the output here).

# A text list of two devices; a PIE firmware update of one device whose firmware file exists.
  $ zorvicxlsim --sim 2 --VendorId 0xabcd --DeviceId 0x123 --list
  list begin
  id VndrId DevcId SubVID SubDID memdev\thost (esc)
  00 0xabcd 0x0123 0x0000 0x0000 mem1\t0000:02:00.0 (esc)
  01 0xabcd 0x0123 0x0000 0x0000 mem2\t0000:03:00.0 (esc)
  list end
  $ : >fw.bin; mkdir dir; mkfifo fifo
  $ zorvicxlsim --sim 1 --pie --VendorId 0xabcd --DeviceId 0x123 --fwversion 1.0 --fw fw.bin --fwupdate
  <?xml version="1.0" encoding="UTF-8"?>
  <SVMExecution lang="en">
   <Device vendorID = "abcd" deviceID = "0123" subVendorID = "0000" subDeviceID = "0000" bus = "02" device = "00" function = "00" display = "zorvicxlsim_display_text">
    <Application componentType = "FRMW" version = "1.0" display = "zorvicxlsim_display_text">
     <SPStatus result = "true" >
      <Message id = "0">Update Success. Power OFF the system to run the new firmware.< / Message>
     </SPStatus>
    </Application>
   </Device>
  </SVMExecution>

# Only an openable file that is no directory is a firmware file: an empty name, a missing file
# and a directory are not; /dev/null and a FIFO without a writer are, and do not hang. With
# standard input closed, the file opened as descriptor 0 counts as well.
  $ zorvicxlsim -p --sim --fw /dev/null --fwupdate --fw '' --fwupdate --fw nope --fwupdate --fw dir \
  >   --fwupdate --fw fifo --fwupdate --fw fw.bin --fwupdate <&- | grep -o 'true\|false' | xargs
  true false false false true true

# A report before --output goes to standard output; each report truncates the output file;
# --output and --fw alone touch no file; the firmware file is tested before the same-named
# output file is opened, so the update that creates it finds none and the next one finds it.
  $ zorvicxlsim --list --output out.txt --fwupdate -p --list --output new.txt --fw new.bin | head -n 1
  list begin
  $ head -n 2 out.txt; test -e new.txt || test -e new.bin || echo untouched
  <?xml version="1.0" encoding="UTF-8"?>
  <SVMInventory lang="en">
  untouched
  $ for run in 1 2; do zorvicxlsim --sim --fw same --output same --fwupdate; grep -o 'Success\|not found' same; done
  not found
  Success

# Any text makes an inventory that an XML parser reads: escapes for markup, tab, line feed and
# carriage return; U+FFFD for a control byte, a truncated sequence, a stray byte, a surrogate,
# U+FFFE, a code point above U+10FFFF and overlong sequences.
  $ zorvicxlsim --sim 2 -p --display $'A&B <"C"> \'D\'\x01\t\xe2\x82\xff' --fwversion $'1\r2\n\xed\xa0\x80\xef\xbf\xbe\xf4\x90\x80\x80\xc0\xaf\xe0\x80\x80\xf0\x80\x80\x80' \
  >   --output inv.xml --list; grep -o 'version = .*' inv.xml | uniq
  version = "1&#13;2&#10;\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd" display = "A&amp;B &lt;&quot;C&quot;&gt; &apos;D&apos;\xef\xbf\xbd&#9;\xef\xbf\xbd\xef\xbf\xbd"> (esc)
  $ xmllint --xpath 'string(//Device[2]/@display)' inv.xml; xmllint --xpath 'string((//Application)[2]/@version)' inv.xml | od -An -c -w64
  A&B <"C"> 'D'\xef\xbf\xbd\t\xef\xbf\xbd\xef\xbf\xbd (esc)
     1  \r   2  \n 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275 357 277 275  \n

# Output that cannot be opened or written: the report goes to standard output after what was
# written before it, each failure is told (a report large enough to fail while it is written,
# not only when its file is closed), the status stays 1 after a good report, and a command-line
# error is told as well.
  $ zorvicxlsim --version --output missing/out.txt --list --output /dev/full --sim 2000 --list \
  >   --sim 0 --output ok.txt --list
  zorvicxlsim 0.0.1.0x59c2bd1
  list begin
  id VndrId DevcId SubVID SubDID memdev\thost (esc)
  list end
  zorvicxlsim: missing/out.txt: No such file or directory
  zorvicxlsim: /dev/full: No space left on device
  [1]
  $ zorvicxlsim --version >&-; echo "status $?"; zorvicxlsim --version --nosuch >/dev/full
  zorvicxlsim: write error: Bad file descriptor
  status 1
  zorvicxlsim: invalid option -- 'nosuch'
  zorvicxlsim: write error: No space left on device
  [1]
