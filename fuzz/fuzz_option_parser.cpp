// Fuzzes the option parser with random tables and vectors, permutation on and off. After every
// call its state stays in bounds, an option comes without an error, and a short option met
// through a table is parsed exactly as through the short-option string the table stands for.
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/option_parser.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int32_t permute = in.ConsumeBool() ? 1 : 0;
  std::vector<std::string> texts(in.ConsumeIntegralInRange<size_t>(0, 300));
  std::vector<cmdline::LongOption> table;
  std::string spec;  // what the table stands for, up to its first terminating row
  for (std::string& name : texts) {
    name = in.ConsumeRandomLengthString(12);
    table.push_back({in.ConsumeIntegralInRange(0, 7) != 0 ? name.c_str() : nullptr,
                     in.ConsumeIntegralInRange<int32_t>(-20, 300),
                     static_cast<cmdline::ArgKind>(in.ConsumeIntegralInRange(0, 2))});
    const cmdline::LongOption& row = table.back();
    const auto colons = static_cast<size_t>(row.arg_kind);
    if (row.id >= 1 && row.id <= 126) spec += static_cast<char>(row.id) + std::string(colons, ':');
    if (row.name == nullptr && row.id == 0) spec += '\0';  // the table ends here, and so does c_str
  }
  table.push_back({nullptr, 0, cmdline::ARG_NONE});

  std::vector<std::string> entries{"prog"};
  while (entries.size() < 40 && in.remaining_bytes() > 0) {
    entries.push_back(std::string("--", in.ConsumeIntegralInRange<size_t>(0, 2)) +
                      in.ConsumeRandomLengthString(20));
  }
  std::vector<char*> argv;
  for (std::string& entry : entries) argv.push_back(entry.data());
  argv.push_back(nullptr);

  cmdline::OptionParser parser{};
  cmdline::parser_init(parser, argv.data());
  parser.permute = permute;
  for (int32_t ret = 0, calls = 0; ret != cmdline::PARSE_END && calls < 400; ++calls) {
    const char* entry = argv[static_cast<size_t>(parser.next_index)];
    cmdline::OptionParser by_spec = parser;
    ret = cmdline::parse_long(parser, table.data());
    require(parser.next_index >= 0 && static_cast<size_t>(parser.next_index) < argv.size() &&
            std::strlen(parser.error_text) <= 63);
    require(ret == cmdline::PARSE_END || ret == cmdline::PARSE_ERROR ||
            (ret == parser.option_id && parser.error_text[0] == '\0'));
    if (entry != nullptr && entry[0] == '-' && entry[1] != '\0' && entry[1] != '-') {
      require(cmdline::parse_short(by_spec, spec.c_str()) == ret &&
              std::memcmp(&by_spec, &parser, sizeof parser) == 0);
    }
  }
  return 0;
}
