// The run writer: the entries of a report, one per device, alike but for a few numbers that go
// up by one from each device to the next. The entry is rendered once and copied per device,
// each copy taking its numbers' low digits from a table; the entry changes only when a number
// carries into its higher digits, and is rendered anew only when one grows a digit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "report/output_block.h"

namespace report {

// A number of the entry: device i shows i + offset in base 10 or 16, zero-filled to at least
// min_digits digits, as "%0Nd" and "%0Nx" write it.
struct NumberField {
  uint32_t offset;
  uint32_t base;
  size_t min_digits;
};

// Every device's entry: texts[0], number 0, texts[1], ..., number N-1, texts[N].
template <size_t N>
struct EntryForm {
  std::string texts[N + 1];
  NumberField numbers[N];
};

// Appends the entries of devices 0 .. count-1 (none when count is 0 or less) to the sink, in
// the sink's block; stops early once the sink has failed. Defined for N = 1 and N = 3.
template <size_t N>
void write_entries(Sink& sink, int32_t count, const EntryForm<N>& form);

}  // namespace report
