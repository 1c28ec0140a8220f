# fish completion for zorvicxlsim: the options with their short forms and help texts, and file
# names after --fw, -f, --output and -o. Nothing is offered where a number, an ID or a free text
# is expected; the count of --sim is optional, so the options are offered after it.
complete -c zorvicxlsim -f
complete -c zorvicxlsim -l verbose -d 'verbose output'
complete -c zorvicxlsim -s l -l list -d 'list the specified VendorId:DeviceId:SubVendorId:SubDeviceId devices'
complete -c zorvicxlsim -l fwupdate -d 'firmware update all non-zero VendorId:DeviceId:SubVendorId:SubDeviceId devices'
complete -c zorvicxlsim -s p -l pie -d 'PIEConfig.xml output format'
complete -c zorvicxlsim -s s -l sim -d 'simulate number of VendorId:DeviceId:SubVendorId:SubDeviceId devices'
complete -c zorvicxlsim -l VendorId -x -d 'Vendor ID'
complete -c zorvicxlsim -l DeviceId -x -d 'Device ID'
complete -c zorvicxlsim -l SubVendorId -x -d 'SubVendor ID'
complete -c zorvicxlsim -l SubDeviceId -x -d 'SubDevice ID'
complete -c zorvicxlsim -s f -l fw -r -F -d 'firmware file name'
complete -c zorvicxlsim -l fwversion -x -d 'firmware version'
complete -c zorvicxlsim -l display -x -d 'Vomu marketing name for this device'
complete -c zorvicxlsim -s o -l output -r -F -d 'output file name (instead of stdout)'
complete -c zorvicxlsim -s v -l version -d "display this program's version number"
complete -c zorvicxlsim -s h -l help -d help
