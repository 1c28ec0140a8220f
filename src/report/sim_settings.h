// The one run-state record: the driver fills it from the command line, each report reads it.
// It lives with the report writer, its reader, so that the writer needs nothing from above.
#pragma once

#include <cstdint>

namespace report {

constexpr const char* DEFAULT_DISPLAY_NAME = "zorvicxlsim_display_text";

// Texts point into the argument vector (the default display name excepted), never copies.
struct SimSettings {
  int32_t pie_format = 0;  // how many --pie options so far; non-zero selects the PIE document
  int32_t sim_count = 0;   // simulated devices; signed, so counts of 2^31 and up write none
  uint32_t pci_vendor_id = 0;
  uint32_t pci_device_id = 0;
  uint32_t pci_sub_vendor_id = 0;
  uint32_t pci_sub_device_id = 0;
  const char* fw_version = nullptr;   // absent: PIE documents show "(null)"
  const char* fw_file = nullptr;      // absent: a firmware update finds no file
  const char* output_file = nullptr;  // absent: reports go to standard output
  const char* display_name = DEFAULT_DISPLAY_NAME;
};

}  // namespace report
