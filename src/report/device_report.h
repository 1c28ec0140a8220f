// Device report writer: the simulated device list and firmware-update result, as a text
// table or a PIE document, to standard output or to the output file of the settings.
#pragma once

#include <cstdint>

#include "report/sim_settings.h"

namespace report {

enum ReportKind : int32_t {
  REPORT_LIST = 0,      // "list" / SVMInventory
  REPORT_FWUPDATE = 1,  // "fwupdate" / SVMExecution
};

// What went wrong while writing one report; both 0 when it was written in full.
struct ReportResult {
  int32_t file_error;    // errno of a failed open, write or close of settings.output_file
  int32_t stdout_error;  // errno of a failed write to standard output
};

// Writes one complete report of device_count devices (none when it is 0 or less), as a PIE
// document when pie is non-zero. Reads fw_file, output_file, fw_version and display_name from
// settings; a PIE document writes the two texts so that any XML parser reads them back, with
// U+FFFD for what XML cannot carry. The output file is truncated by every report; when it cannot
// be opened the report goes to standard output instead and file_error says why. Not
// re-entrant: every report is collected in one static block.
ReportResult write_device_report(const SimSettings& settings, int32_t device_count, int32_t pie,
                                 uint32_t pci_vendor_id, uint32_t pci_device_id,
                                 uint32_t pci_sub_vendor_id, uint32_t pci_sub_device_id,
                                 ReportKind kind);

// write_device_report with REPORT_LIST.
ReportResult report_list(const SimSettings& settings, int32_t device_count, int32_t pie,
                         uint32_t pci_vendor_id, uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                         uint32_t pci_sub_device_id);

// write_device_report with REPORT_FWUPDATE.
ReportResult report_fwupdate(const SimSettings& settings, int32_t device_count, int32_t pie,
                             uint32_t pci_vendor_id, uint32_t pci_device_id,
                             uint32_t pci_sub_vendor_id, uint32_t pci_sub_device_id);

}  // namespace report
