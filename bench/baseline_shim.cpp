// Routes the program's reports to the straightforward writer, for the baseline program.
#include "bench/baseline_report.h"

namespace report {

ReportResult report_list(const report::SimSettings& settings, int32_t device_count, int32_t pie,
                         uint32_t pci_vendor_id, uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                         uint32_t pci_sub_device_id) {
  return baseline::write_device_report(settings, device_count, pie, pci_vendor_id, pci_device_id,
                                       pci_sub_vendor_id, pci_sub_device_id, REPORT_LIST);
}

ReportResult report_fwupdate(const report::SimSettings& settings, int32_t device_count, int32_t pie,
                             uint32_t pci_vendor_id, uint32_t pci_device_id,
                             uint32_t pci_sub_vendor_id, uint32_t pci_sub_device_id) {
  return baseline::write_device_report(settings, device_count, pie, pci_vendor_id, pci_device_id,
                                       pci_sub_vendor_id, pci_sub_device_id, REPORT_FWUPDATE);
}

}  // namespace report
