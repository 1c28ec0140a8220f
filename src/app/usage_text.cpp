// The version and usage texts; tools that scrape the usage text rely on its tabs and spacing.
#include "app/usage_text.h"

#include <cstdio>

#include "app/option_table.h"

namespace app {

const char* const VERSION_TEXT = "0.0.1.0x59c2bd1";

const char* const USAGE_BANNER =
    "Copyright (C) 2026 The zorvicxlsim authors. Licensed under the MIT License.\n"
    "WARNING: This program is a simulator!\n"
    "         No devices will be detected and no firmware will be updated!\n"
    "Options are case-sensitive.\n"
    "Options will be evaluated in order from left to right.\n"
    "--list and --fwupdate must follow _after_ their required options.\n";

const char* const USAGE_EXAMPLES =
    "Examples:\n"
    "\t--VendorId 0x1235 --DeviceId 0xc240 --list # 0 simulated devices\n"
    "\t--sim 0 --VendorId 0x1235 --DeviceId 0xc240 --list # 0 simulated devices\n"
    "\t--sim --VendorId 0x1235 --DeviceId 0xc240 --list\n"
    "\t--sim 2 --pie --VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0 --SubDeviceId 0 --list\n"
    "\t--sim 2 --pie --output out.txt --VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0x1028 "
    "--SubDeviceId 0x5000 --list; cat out.txt\n"
    "\t--sim 2 --pie --VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0x1028 --SubDeviceId "
    "0x2382 --list\n"
    "\t--sim --VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0x1028 --SubDeviceId 0x2382 "
    "--fwversion \"04.004.006.00E\" --display \"Vomu 4-DIMM AIC\" -l --fw fw.bin --fwupdate\n"
    "\t-s 2 -p --VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0x1028 --SubDeviceId 0x2382 "
    "--fwversion \"04.004.006.00E\" --display \"Vomu 4-DIMM AIC\" -f fw.bin --fwupdate\n"
    "\t--sim 16 --pie --output out.txt --VendorId 0x1235 --DeviceId 0xc240 --SubVendorId 0x1028 "
    "--SubDeviceId 0x2382 -l --fwversion \"04.004.006.00E\" --display \"Vomu 4-DIMM AIC\" -f "
    "fw.bin --fwupdate; cat out.txt\n";

int32_t print_version(const char* program) {
  std::printf("%s %s\n", program, VERSION_TEXT);
  return 0;
}

int32_t print_usage(const char* program) {
  print_version(program);
  std::fputs(USAGE_BANNER, stdout);
  for (int32_t i = 0; option_table[i].name != nullptr; ++i) {
    std::printf("\t--%s ", option_table[i].name);
    if (option_table[i].id < 256) std::printf("| -%c ", static_cast<char>(option_table[i].id));
    std::printf("%s\n", option_help[i]);
  }
  std::fputs(USAGE_EXAMPLES, stdout);
  return 0;
}

}  // namespace app
