// Differential fuzzing of the report writer: it must write the same bytes as the reference
// writer (tests/) for any IDs and texts, in both forms and kinds. Counts stay small but for the
// inputs whose hash picks them, one in 1,024 up to 1,100 and one in 262,144 past 100,000: those
// carry through several digits and grow a digit in every number (index 99999/100000, mem
// 99999/100000, bus 0xff/0x100, 0xffff/0x10000), and are rare enough to keep fuzzing fast. The
// seed corpus holds one of each kind in each form, so that every run starts with them.
#include <sys/mman.h>

#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "tests/reference_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Reports go to files in memory: no disk in the loop.
  static const std::string program = "/proc/self/fd/" + std::to_string(memfd_create("p", 0));
  static const std::string reference = "/proc/self/fd/" + std::to_string(memfd_create("r", 0));
  // A hash of the whole input, which no mutation aims at.
  const size_t hash = std::hash<std::string_view>()({reinterpret_cast<const char*>(data), size});
  const bool large = hash % 262144 == 0;
  FuzzedDataProvider in(data, size);
  const int32_t count = large ? in.ConsumeIntegralInRange(99990, 100300)
                              : in.ConsumeIntegralInRange(-1, hash % 1024 == 0 ? 1100 : 12);
  const bool pie = in.ConsumeBool(), update = in.ConsumeBool(), found = in.ConsumeBool();
  uint32_t id[4];
  for (uint32_t& value : id) value = in.ConsumeIntegral<uint32_t>();
  ExactTexts text;  // each ends at its first NUL, as an argument does
  const size_t longest = large ? 8 : 256;
  const char* version = in.ConsumeBool() ? text(in.ConsumeRandomLengthString(longest)) : nullptr;
  const char* display = text(in.ConsumeRandomLengthString(longest));
  const char* fw = found ? "/dev/null" : nullptr;
  const report::SimSettings s{pie,   count,   id[0], id[1],           id[2],
                              id[3], version, fw,    program.c_str(), display};
  require(reference::same_as_reference(s, update, found, reference.c_str()));
  return 0;
}
