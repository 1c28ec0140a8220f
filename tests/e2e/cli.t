# The command line, end to end: options act strictly from left to right. The program runs as
# "zorvicxlsim" from PATH, so messages name it so; standard error is merged into the output.

# A bare command line prints the usage text: the version line, then 31 lines (src/app/usage_text.cpp)
# that the checksum pins; -vh the version line, then the usage text beginning with it again, and
# --help does not end the run.
  $ zorvicxlsim | sed 1d | cksum; zorvicxlsim -vh --verbose --list | uniq -c | sed -n '1p;$p'
  664228802 2178
        2 zorvicxlsim 0.0.1.0x59c2bd1
        1 list end

# Devices per report: the count is the next argument unless that begins with "-", and replaces
# an attached one; --sim alone counts 1; no digits, '=3', an empty count or 2^31 and up count 0.
  $ zorvicxlsim --list --sim --list --sim=3 2 -l -s3 4 -l --sim abc -l --sim '' -l -s=3 -l \
  >   --sim=-1 -l --sim= -l --sim 2147483648 -l | awk '/ begin$/ { n = 0 } /^[0-9]/ { n++ } / end$/ { printf "%d ", n }'
  0 1 2 4 0 0 0 0 0 0  (no-eol)

# A report shows the IDs given before it, not those after: sign, octal, bare prefix, overflow,
# empty value.
  $ zorvicxlsim --sim --VendorId -1 --DeviceId 011 --SubVendorId 0x100000000 --SubDeviceId= -l \
  >   --DeviceId 0x --SubVendorId 08 --SubDeviceId ' +0XfF' -l | grep mem1
  00 0xffffffff 0x0009 0xffffffff 0x0000 mem1\t0000:02:00.0 (esc)
  00 0xffffffff 0x0000 0x0000 0x00ff mem1\t0000:02:00.0 (esc)

# The first operand ends the options and everything from it is echoed, a hyphen inside it too;
# "--" is not echoed.
  $ zorvicxlsim x-ray --list; zorvicxlsim -p -- -x ''; zorvicxlsim --list foo -- | tail -n 3
  x-ray
  --list
  -x
  
  list end
  foo
  --

# A command-line error: one line after what was written before it (the version line here; a
# report before an error line in reports.t), nothing more done, status 1 (the parser's unit test
# has every message, and that a long name abbreviates nothing). --sim takes no count that begins
# with "-", so -1 is an invalid option.
  $ for args in '-v --nosuch -l' --VendorId '--sim -1' --abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ=1; do
  >   out=$(zorvicxlsim -p $args 2>&1); echo "$? $out"
  > done
  1 zorvicxlsim 0.0.1.0x59c2bd1
  zorvicxlsim: invalid option -- 'nosuch'
  1 zorvicxlsim: option requires an argument -- 'VendorId'
  1 zorvicxlsim: invalid option -- '1'
  1 zorvicxlsim: invalid option -- 'abcdefghijklmnopqrstuvwxyz0123456789ABCDEFG'
