// The straightforward report writer (see baseline_report.h).
#include "bench/baseline_report.h"

#include <cerrno>
#include <cstdio>

#include "tests/reference_report.h"

namespace baseline {

report::ReportResult write_device_report(const report::SimSettings& settings, int32_t device_count,
                                         int32_t pie, uint32_t pci_vendor_id,
                                         uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                                         uint32_t pci_sub_device_id, report::ReportKind kind) {
  report::ReportResult result{0, 0};
  FILE* fw = settings.fw_file != nullptr ? std::fopen(settings.fw_file, "rb") : nullptr;
  const bool found = fw != nullptr;
  if (found) std::fclose(fw);
  FILE* out = stdout;
  if (settings.output_file != nullptr) {
    std::fflush(stdout);
    out = std::fopen(settings.output_file, "w");
    if (out == nullptr) out = stdout;
  }
  report::SimSettings s = settings;
  s.sim_count = device_count;
  s.pie_format = pie;
  s.pci_vendor_id = pci_vendor_id;
  s.pci_device_id = pci_device_id;
  s.pci_sub_vendor_id = pci_sub_vendor_id;
  s.pci_sub_device_id = pci_sub_device_id;
  reference::write_report(out, s, kind == report::REPORT_FWUPDATE, found);
  if (out != stdout && std::fclose(out) != 0) result.file_error = errno;
  return result;
}

}  // namespace baseline
