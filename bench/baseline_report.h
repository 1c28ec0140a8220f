// The straightforward report writer: the reference writer of the tests (tests/, one fprintf per
// piece) behind the program writer's interface, the yardstick the program's writer is measured
// against. Not part of the program.
#pragma once

#include "report/device_report.h"

namespace baseline {

// Same contract as report::write_device_report, but for the firmware test (whatever fopen
// reads) and file_error (a failed close only).
report::ReportResult write_device_report(const report::SimSettings& settings, int32_t device_count,
                                         int32_t pie, uint32_t pci_vendor_id,
                                         uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                                         uint32_t pci_sub_device_id, report::ReportKind kind);

}  // namespace baseline
