// The reference report writer: one fprintf per piece with the documented formats, and PIE texts
// escaped by a plain reading of the rules. The writer's tests and fuzzer compare the program's
// writer with it; the benchmarks measure the program against it (bench/baseline_report.cpp).
#pragma once

#include <cstdio>

#include "report/device_report.h"

namespace reference {

// Writes to out the report that settings ask for: sim_count devices, a PIE document when
// pie_format is non-zero, the IDs, the texts; an update when update is true, with the message
// for a firmware file found when found is true, else for one not found.
void write_report(FILE* out, const report::SimSettings& settings, bool update, bool found);

}  // namespace reference
