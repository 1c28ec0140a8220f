// The option table and its help texts, row for row in the order the usage text lists them.
#include "app/option_table.h"

namespace app {

using cmdline::ARG_NONE;
using cmdline::ARG_OPTIONAL;
using cmdline::ARG_REQUIRED;

const cmdline::LongOption option_table[OPTION_COUNT + 1] = {
    {"verbose", OPT_VERBOSE, ARG_NONE},
    {"list", OPT_LIST, ARG_NONE},
    {"fwupdate", OPT_FWUPDATE, ARG_NONE},
    {"pie", OPT_PIE, ARG_NONE},
    {"sim", OPT_SIM, ARG_OPTIONAL},
    {"VendorId", OPT_VENDOR_ID, ARG_REQUIRED},
    {"DeviceId", OPT_DEVICE_ID, ARG_REQUIRED},
    {"SubVendorId", OPT_SUB_VENDOR_ID, ARG_REQUIRED},
    {"SubDeviceId", OPT_SUB_DEVICE_ID, ARG_REQUIRED},
    {"fw", OPT_FW, ARG_REQUIRED},
    {"fwversion", OPT_FW_VERSION, ARG_REQUIRED},
    {"display", OPT_DISPLAY, ARG_REQUIRED},
    {"output", OPT_OUTPUT, ARG_REQUIRED},
    {"version", OPT_VERSION, ARG_NONE},
    {"help", OPT_HELP, ARG_NONE},
    {nullptr, 0, ARG_NONE},
};

const char* const option_help[OPTION_COUNT] = {
    "\tverbose output",
    "\tlist the specified VendorId:DeviceId:SubVendorId:SubDeviceId devices",
    "\tfirmware update all non-zero VendorId:DeviceId:SubVendorId:SubDeviceId devices",
    "\tPIEConfig.xml output format",
    ("number\tsimulate number of VendorId:DeviceId:SubVendorId:SubDeviceId devices (--sim "
     "default=1; 0 if --sim is not present)"),
    "0x1235\tVendor ID",
    "0xc240\tDevice ID",
    "0x1028\tSubVendor ID",
    "0x2382\tSubDevice ID",
    "fw.bin\tfirmware file name",
    "\"04.004.006.00E\"\tfirmware version",
    "\"Vomu 4-DIMM AIC\"\tVomu marketing name for this device",
    "out.txt\toutput file name (instead of stdout)",
    "\tdisplay this program's version number",
    "\thelp",
};

}  // namespace app
