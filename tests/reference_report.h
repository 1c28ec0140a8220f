// The reference report writer: one fprintf per piece with the documented formats, and PIE texts
// escaped by a plain reading of the rules. The writer's tests and fuzzer compare the program's
// writer with it; the benchmarks measure the program against it (bench/baseline_report.cpp).
#pragma once

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "report/device_report.h"

namespace reference {

// Writes to out the report that settings ask for: sim_count devices, a PIE document when
// pie_format is non-zero, the IDs, the texts; an update when update is true, with the message
// for a firmware file found when found is true, else for one not found.
void write_report(FILE* out, const report::SimSettings& settings, bool update, bool found);

inline std::string contents(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Whether the program's writer, into s.output_file, and the reference writer, into
// reference_file, write the same report of s, and the program's writer tells no failure.
inline bool same_as_reference(const report::SimSettings& s, bool update, bool found,
                              const char* reference_file) {
  const report::ReportResult result = report::write_device_report(
      s, s.sim_count, s.pie_format, s.pci_vendor_id, s.pci_device_id, s.pci_sub_vendor_id,
      s.pci_sub_device_id, update ? report::REPORT_FWUPDATE : report::REPORT_LIST);
  FILE* out = std::fopen(reference_file, "w");
  if (out != nullptr) write_report(out, s, update, found);
  return out != nullptr && std::fclose(out) == 0 && result.file_error == 0 &&
         result.stdout_error == 0 && contents(s.output_file) == contents(reference_file);
}

}  // namespace reference
