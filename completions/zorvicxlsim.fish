# fish completion for zorvicxlsim: the options with their short forms and descriptions (the usage
# text's, but for --verbose and --fwupdate, whose help texts promise what the program does not
# do), and file names after --fw, -f, --output and -o. Nothing is offered where a number, an ID
# or a free text is expected; the count of --sim is optional, so the options are offered after
# it. The program takes every word after "--" or after its first operand as an operand, so
# nothing is offered there either.

# True while the words before the cursor, read as the program reads them, leave it reading options.
function __zorvicxlsim_options
    set -l words (commandline -opc)
    set -e words[1]
    set -l next option
    for word in $words
        if test $next = value
            set next option
            continue
        else if test $next = count # --sim's count, when it is no option
            set next option
            string match -q -- '-*' "$word"; or continue
        end
        if test "$word" = --
            return 1
        else if string match -qr -- '^(--sim(=.*)?|-[lpvh]*s.*)$' "$word"
            set next count
        else if string match -qr -- '^(--(VendorId|DeviceId|SubVendorId|SubDeviceId|fw|fwversion|display|output)|-[lpvh]*[fo])$' "$word"
            set next value
        else if not string match -q -- '-?*' "$word"
            return 1 # the first operand
        end
    end
    return 0
end

complete -c zorvicxlsim -f
complete -c zorvicxlsim -n __zorvicxlsim_options -l verbose -d 'accepted, changes nothing'
complete -c zorvicxlsim -n __zorvicxlsim_options -s l -l list -d 'list the specified VendorId:DeviceId:SubVendorId:SubDeviceId devices'
complete -c zorvicxlsim -n __zorvicxlsim_options -l fwupdate -d 'write the firmware-update result of every simulated device'
complete -c zorvicxlsim -n __zorvicxlsim_options -s p -l pie -d 'PIEConfig.xml output format'
complete -c zorvicxlsim -n __zorvicxlsim_options -s s -l sim -d 'simulate number of VendorId:DeviceId:SubVendorId:SubDeviceId devices'
complete -c zorvicxlsim -n __zorvicxlsim_options -l VendorId -x -d 'Vendor ID'
complete -c zorvicxlsim -n __zorvicxlsim_options -l DeviceId -x -d 'Device ID'
complete -c zorvicxlsim -n __zorvicxlsim_options -l SubVendorId -x -d 'SubVendor ID'
complete -c zorvicxlsim -n __zorvicxlsim_options -l SubDeviceId -x -d 'SubDevice ID'
complete -c zorvicxlsim -n __zorvicxlsim_options -s f -l fw -r -F -d 'firmware file name'
complete -c zorvicxlsim -n __zorvicxlsim_options -l fwversion -x -d 'firmware version'
complete -c zorvicxlsim -n __zorvicxlsim_options -l display -x -d 'Vomu marketing name for this device'
complete -c zorvicxlsim -n __zorvicxlsim_options -s o -l output -r -F -d 'output file name (instead of stdout)'
complete -c zorvicxlsim -n __zorvicxlsim_options -s v -l version -d "display this program's version number"
complete -c zorvicxlsim -n __zorvicxlsim_options -s h -l help -d help
