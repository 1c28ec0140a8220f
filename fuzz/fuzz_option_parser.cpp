// Fuzzes the option parser with vectors of any bytes and length, through a random short-option
// string or a random table, permutation on and off. After every call the index and message stay
// in bounds, an option's argument points into an entry, the vector holds the same entries (in
// the same order unless permuting), and a call that did not end the walk consumed something; a
// short option met through a table is parsed exactly as through the string the table stands for.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/option_parser.h"
#include "fuzz_check.h"

using namespace cmdline;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  ExactTexts text;
  const int32_t permute = in.ConsumeBool() ? 1 : 0;
  const bool by_table = in.ConsumeBool();
  std::vector<LongOption> table;
  std::string spec;  // what the table stands for
  for (size_t rows = by_table ? in.ConsumeIntegralInRange<size_t>(0, 64) : 0; rows > 0; --rows) {
    const LongOption row{
        in.ConsumeIntegralInRange(0, 7) != 0 ? text(in.ConsumeRandomLengthString(12)) : nullptr,
        in.ConsumeIntegralInRange<int32_t>(-20, 300),
        static_cast<ArgKind>(in.ConsumeIntegralInRange(0, 2))};
    if (row.name == nullptr && row.id == 0) break;  // the terminating row comes last
    table.push_back(row);
    if (row.id >= 1 && row.id <= 126) spec += char(row.id) + std::string(size_t(row.arg_kind), ':');
  }
  table.push_back({nullptr, 0, ARG_NONE});
  const char* const short_spec = text(by_table ? spec : in.ConsumeRandomLengthString(40));

  // Entry 0 too is fuzzed: an empty vector has none, and the parser never examines it.
  std::vector<char*> argv;
  size_t budget = 1;  // each call but the last handles an option character or an entry at least
  while (argv.size() < 32 && in.remaining_bytes() > 0) {
    const std::string dashes("--", in.ConsumeIntegralInRange<size_t>(0, 2));
    budget += 1 + std::strlen(argv.emplace_back(text(dashes + in.ConsumeRandomLengthString())));
  }
  argv.push_back(nullptr);

  OptionParser p{};
  parser_init(p, argv.data());
  p.permute = permute;
  for (int32_t ret = 0; ret != PARSE_END;) {
    require(budget-- > 0);
    const char* entry = argv[size_t(p.next_index)];
    const std::vector<char*> before = argv;
    OptionParser by_spec;  // a copy to the last byte, so that memcmp compares
    std::memcpy(&by_spec, &p, sizeof p);
    int32_t row = -2;  // index_out: untouched, -1 for a short option, or a row of the option
    ret = by_table ? parse_long(p, table.data(), &row) : parse_short(p, short_spec);
    require(row >= -2 &&
            (row < 0 || (size_t(row) + 1 < table.size() && table[size_t(row)].id == p.option_id)));
    require(p.next_index >= 0 && size_t(p.next_index) < argv.size() && argv.back() == nullptr &&
            std::memchr(p.error_text, '\0', sizeof p.error_text) != nullptr);
    require(!p.option_arg || std::any_of(argv.begin(), argv.end() - 1, [&p](const char* e) {
      return uintptr_t(p.option_arg) - uintptr_t(e) <= std::strlen(e);  // within e or its end
    }));
    require(ret == PARSE_END || (ret == PARSE_ERROR && p.error_text[0] != '\0') ||
            (ret == p.option_id && p.error_text[0] == '\0'));
    require(argv == before ||
            (permute != 0 && std::is_permutation(argv.begin(), argv.end(), before.begin())));
    if (by_table && entry && entry[0] == '-' && entry[1] != '\0' && entry[1] != '-')
      require(parse_short(by_spec, short_spec) == ret && std::memcmp(&by_spec, &p, sizeof p) == 0);
  }
  return 0;
}
