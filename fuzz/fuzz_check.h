// What both fuzz targets share: the input reader, and the failed check that libFuzzer reports
// as a finding.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

inline void require(bool condition) {
  if (!condition) std::abort();
}
