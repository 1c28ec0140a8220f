// Device report writer (see device_report.h): where a report goes, and which format writes it.
// Its parts: output_block (the block and its sink), formats (the text table and the PIE
// document), run_writer (the entries per device) and text_rules (texts in PIE documents).
#include "report/device_report.h"

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"
#include "report/formats.h"
#include "report/output_block.h"
#include "report/status_messages.h"

namespace report {

ReportResult write_device_report(const SimSettings& settings, int32_t device_count, int32_t pie,
                                 uint32_t pci_vendor_id, uint32_t pci_device_id,
                                 uint32_t pci_sub_vendor_id, uint32_t pci_sub_device_id,
                                 ReportKind kind) {
  ReportResult result{0, 0};
  // The firmware test comes first: the output file may be the firmware file itself.
  const bool success =
      settings.fw_file != nullptr && platform::firmware_file_openable(settings.fw_file);
  const char* message = status_messages[success ? STATUS_SUCCESS : STATUS_FILE_NOT_FOUND];

  FILE* stream = stdout;
  if (settings.output_file != nullptr) {
    // What the run wrote before stays ahead of a report sent to the same place.
    if (std::fflush(stdout) != 0) result.stdout_error = errno;
    // Truncated anew by every report: the file holds the last report of the run.
    stream = platform::open_output_file(settings.output_file);
    if (stream == nullptr) {
      result.file_error = errno;
      stream = stdout;
    }
  }

  const Identity id{pci_vendor_id, pci_device_id, pci_sub_vendor_id, pci_sub_device_id};
  Sink sink{stream};
  const bool update = kind == REPORT_FWUPDATE;
  if (pie != 0) {
    write_pie(sink, update ? "SVMExecution" : "SVMInventory", device_count, id, settings,
              update ? message : nullptr, success);
  } else {
    write_text(sink, update ? "fwupdate" : "list", device_count, id, update ? message : nullptr);
  }
  drain(sink);

  if (stream == stdout) {
    if (sink.error != 0) result.stdout_error = sink.error;
  } else {
    result.file_error = sink.error;
    if (std::fclose(stream) != 0 && result.file_error == 0) result.file_error = errno;
  }
  return result;
}

ReportResult report_list(const SimSettings& settings, int32_t device_count, int32_t pie,
                         uint32_t pci_vendor_id, uint32_t pci_device_id, uint32_t pci_sub_vendor_id,
                         uint32_t pci_sub_device_id) {
  return write_device_report(settings, device_count, pie, pci_vendor_id, pci_device_id,
                             pci_sub_vendor_id, pci_sub_device_id, REPORT_LIST);
}

ReportResult report_fwupdate(const SimSettings& settings, int32_t device_count, int32_t pie,
                             uint32_t pci_vendor_id, uint32_t pci_device_id,
                             uint32_t pci_sub_vendor_id, uint32_t pci_sub_device_id) {
  return write_device_report(settings, device_count, pie, pci_vendor_id, pci_device_id,
                             pci_sub_vendor_id, pci_sub_device_id, REPORT_FWUPDATE);
}

}  // namespace report
