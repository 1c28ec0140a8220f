// The straightforward writer: fprintf per piece, straight from the documented format strings.
#include "bench/baseline_report.h"

#include <cerrno>
#include <cstdio>

#include "report/status_messages.h"

namespace baseline {

report::ReportResult write_device_report(const report::SimSettings& settings, int32_t device_count,
                                         int32_t pie, uint32_t pci_vendor_id,
                                         uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                                         uint32_t pci_sub_device_id, report::ReportKind kind) {
  report::ReportResult result{0, 0};
  int32_t status = 0;
  if (settings.fw_file == nullptr) {
    status = 7;
  } else if (FILE* fw = std::fopen(settings.fw_file, "rb")) {
    std::fclose(fw);
  } else {
    status = 7;
  }
  const char* message = report::status_messages[status];
  FILE* out = stdout;
  if (settings.output_file != nullptr) {
    std::fflush(stdout);
    out = std::fopen(settings.output_file, "w");
    if (out == nullptr) out = stdout;
  }
  const bool update = kind == report::REPORT_FWUPDATE;
  const char* word = update ? "fwupdate" : "list";
  const char* root = update ? "SVMExecution" : "SVMInventory";
  const char* version = settings.fw_version != nullptr ? settings.fw_version : "(null)";
  if (pie != 0) {
    std::fprintf(out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%s lang=\"en\">\n", root);
  } else {
    std::fprintf(out, "%s begin\nid VndrId DevcId SubVID SubDID memdev\thost\n", word);
  }
  for (int32_t i = 0; i < device_count; ++i) {
    const auto bus = static_cast<uint32_t>(i) + 2;
    if (pie == 0) {
      std::fprintf(out,
                   update ? "%02d 0x%04x 0x%04x 0x%04x 0x%04x mem%d\t0000:%02x:00.0 %s\n"
                          : "%02d 0x%04x 0x%04x 0x%04x 0x%04x mem%d\t0000:%02x:00.0\n",
                   i, pci_vendor_id, pci_device_id, pci_sub_vendor_id, pci_sub_device_id, i + 1,
                   bus, message);
      continue;
    }
    std::fprintf(out,
                 " <Device vendorID = \"%04x\" deviceID = \"%04x\" subVendorID = \"%04x\" "
                 "subDeviceID = \"%04x\" bus = \"%02x\" device = \"00\" function = \"00\" "
                 "display = \"%s\">\n  <Application componentType = \"FRMW\" version = \"%s\" "
                 "display = \"%s\">\n",
                 pci_vendor_id, pci_device_id, pci_sub_vendor_id, pci_sub_device_id, bus,
                 settings.display_name, version, settings.display_name);
    if (update) {
      std::fprintf(out, "   <SPStatus result = \"%s\" >\n    %s\n   </SPStatus>\n",
                   status == 0 ? "true" : "false", message);
    }
    std::fprintf(out, "  </Application>\n </Device>\n");
  }
  if (pie != 0) {
    std::fprintf(out, "</%s>\n", root);
  } else {
    std::fprintf(out, "%s end\n", word);
  }
  if (out != stdout && std::fclose(out) != 0) result.file_error = errno;
  return result;
}

}  // namespace baseline
