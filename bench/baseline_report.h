// The straightforward report writer, one fprintf per piece with the documented formats: the
// yardstick the program's writer is measured against, and the reference its tests compare it
// with. Not part of the program.
#pragma once

#include "report/device_report.h"

namespace baseline {

// Same contract as report::write_device_report, without XML escaping.
report::ReportResult write_device_report(const report::SimSettings& settings, int32_t device_count,
                                         int32_t pie, uint32_t pci_vendor_id,
                                         uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                                         uint32_t pci_sub_device_id, report::ReportKind kind);

}  // namespace baseline
