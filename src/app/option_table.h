// The program's command-line vocabulary: fifteen options, their ids and their help texts.
#pragma once

#include <cstdint>

#include "cmdline/option_parser.h"

namespace app {

// The id parse_long returns for each option; ids below 256 are also the short-option letters.
enum OptionId : int32_t {
  OPT_VERBOSE = 256,
  OPT_LIST = 'l',
  OPT_FWUPDATE = 512,
  OPT_PIE = 'p',
  OPT_SIM = 's',
  OPT_VENDOR_ID = 768,
  OPT_DEVICE_ID = 1024,
  OPT_SUB_VENDOR_ID = 1280,
  OPT_SUB_DEVICE_ID = 1536,
  OPT_FW = 'f',
  OPT_FW_VERSION = 1792,
  OPT_DISPLAY = 2048,
  OPT_OUTPUT = 'o',
  OPT_VERSION = 'v',
  OPT_HELP = 'h',
};

constexpr int32_t OPTION_COUNT = 15;

// The options in usage-text order, then the terminating row.
extern const cmdline::LongOption option_table[OPTION_COUNT + 1];

// option_help[i] is the help text of option_table[i]: example value, tab, description.
extern const char* const option_help[OPTION_COUNT];

}  // namespace app
