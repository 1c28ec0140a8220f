# Reports end to end: both worked examples, the firmware-file test, the output file, texts in
# PIE documents, and the failures told on standard error (merged into the output here).

# A text list of two devices; a PIE firmware update of one device whose firmware file exists.
  $ zorvicxlsim --sim 2 --VendorId 0xabcd --DeviceId 0x123 --list
  list begin
  id VndrId DevcId SubVID SubDID memdev\thost (esc)
  00 0xabcd 0x0123 0x0000 0x0000 mem1\t0000:02:00.0 (esc)
  01 0xabcd 0x0123 0x0000 0x0000 mem2\t0000:03:00.0 (esc)
  list end
  $ : >fw.bin; mkdir dir
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
# and a directory are not, an empty file is.
  $ zorvicxlsim -p --sim --fw '' --fwupdate --fw nope --fwupdate --fw dir --fwupdate --fw fw.bin \
  >   --fwupdate | grep -o 'true\|false' | xargs
  false false false true

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

# Texts and file names beyond ASCII reach the program as typed: the firmware file is found, the
# output file gets its name, the inventory parses and gives back the display name's bytes;
# markup, tab, line feed and carriage return are escaped.
  $ : >'fw é.bin'; zorvicxlsim --sim -p --display $'Vomu é <&"\'>' --fwversion $'1\t2\r\n' --fw 'fw é.bin' \
  >   --fwupdate --output 'inv é.xml' --list | grep -o 'true'
  true
  $ grep -o 'version = .*' 'inv é.xml'; xmllint --xpath 'string(//Device/@display)' 'inv é.xml'
  version = "1&#9;2&#13;&#10;" display = "Vomu \xc3\xa9 &lt;&amp;&quot;&apos;&gt;"> (esc)
  Vomu \xc3\xa9 <&"'> (esc)

# An output file that cannot be opened: the report goes to standard output after what was
# written before it, the failure is told, and the status stays 1 after a good report.
  $ zorvicxlsim --version --output missing/out.txt --list --output ok.txt --list
  zorvicxlsim 0.0.1.0x59c2bd1
  list begin
  id VndrId DevcId SubVID SubDID memdev\thost (esc)
  list end
  zorvicxlsim: missing/out.txt: No such file or directory
  [1]

# A report that cannot be written whole is told with the system's reason, whether it fails while
# it is written or only when its file is closed (/dev/full, also under Wine).
  $ zorvicxlsim --output /dev/full --sim 2000 --list --sim 3 --list --sim 0 --output ok.txt --list
  zorvicxlsim: /dev/full: No space left on device
  zorvicxlsim: /dev/full: No space left on device
  [1]
