// What both fuzz targets share: the input reader, the failed check that libFuzzer reports as a
// finding, and texts that the sanitizer guards to the byte.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>
#include <string.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

inline void require(bool condition) {
  if (!condition) std::abort();
}

// Copies of texts, each in a block of its own length: a read past a terminator is a finding. The
// copies live as long as the holder.
struct ExactTexts {
  std::vector<std::unique_ptr<char, decltype(&free)>> held;
  char* operator()(const std::string& t) {
    return held.emplace_back(strdup(t.c_str()), free).get();
  }
};
