# Reports end to end: both worked examples, the firmware-file test, the output file, texts in
# PIE documents, and the failures told on standard error (merged into the output here).

# A PIE firmware update of one device whose firmware file exists, its Device up to the message
# (the unit grid checks every byte of both forms), and the part that differs without one (the
# text form is below, with an output file that cannot be opened).
  $ : >fw.bin; mkdir dir; zorvicxlsim --sim 1 --pie --VendorId 0xabcd --DeviceId 0x123 --fwversion 1.0 --fw fw.bin --fwupdate | sed -n 3,6p
   <Device vendorID = "abcd" deviceID = "0123" subVendorID = "0000" subDeviceID = "0000" bus = "02" device = "00" function = "00" display = "zorvicxlsim_display_text">
    <Application componentType = "FRMW" version = "1.0" display = "zorvicxlsim_display_text">
     <SPStatus result = "true" >
      <Message id = "0">Update Success. Power OFF the system to run the new firmware.< / Message>
  $ zorvicxlsim -p --sim --fwupdate | grep -A1 '<SPStatus'
     <SPStatus result = "false" >
      <Message id = "7">File not found< / Message>

# Only an openable file that is no directory is a firmware file: an empty name, a missing file
# and a directory are not, an empty file is. The firmware file is tested before the same-named
# output file is opened, so the update that creates it finds none and the next one finds it.
  $ for fw in same same '' nope dir fw.bin; do zorvicxlsim -p --sim --fw "$fw" --output same --fwupdate
  >   grep -o 'true\|false' same; done | xargs
  false true false false false true

# A report before --output goes to standard output; each report truncates the output file;
# --output and --fw alone touch no file.
  $ zorvicxlsim --list --output out.txt --fwupdate -p --list --output new.txt --fw new.bin | head -n 1 &&
  >   head -n 1 out.txt && ! test -e new.txt && ! test -e new.bin
  list begin
  <?xml version="1.0" encoding="UTF-8"?>

# Texts and file names beyond ASCII, markup, tab, CR and LF reach the program as typed: the
# firmware file is found, the output file gets its name, the inventory parses and gives back the
# display name's and the version's bytes.
  $ : >'fw é.bin'; zorvicxlsim --sim -p --display $'Vomu é <&"\'>' --fwversion $'1\t2\r\n' --fw 'fw é.bin' \
  >   --fwupdate --output 'inv é.xml' --list | grep -o 'true'; xmllint --xpath 'concat(//Device/@display, "|", //Application/@version, "|")' 'inv é.xml'
  true
  Vomu \xc3\xa9 <&"'>|1\t2\r (esc)
  |

# An output file that cannot be opened: the report (a text update without a firmware file here)
# goes to standard output after what was written before it, and the failure is told. A report
# that cannot be written whole is told with the system's reason (/dev/full, also under Wine).
# The status stays 1 after a good report.
  $ zorvicxlsim --version --sim --VendorId 0xabcd --DeviceId 0x123 --output missing/out.txt --fwupdate \
  >   --output /dev/full --sim 3 --list --output ok.txt --list
  zorvicxlsim 0.0.1.0x59c2bd1
  fwupdate begin
  id VndrId DevcId SubVID SubDID memdev\thost (esc)
  00 0xabcd 0x0123 0x0000 0x0000 mem1\t0000:02:00.0 <Message id = "7">File not found< / Message> (esc)
  fwupdate end
  zorvicxlsim: missing/out.txt: No such file or directory
  zorvicxlsim: /dev/full: No space left on device
  [1]
