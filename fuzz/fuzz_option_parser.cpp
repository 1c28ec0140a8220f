// Fuzzes the option parser with random tables and vectors, permutation on and off. After every
// call its state stays in bounds and points into the vector; a short option met through a table
// is parsed exactly as through the short-option string the table stands for; and the walk ends
// with every entry still in the vector.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/option_parser.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int32_t permute = in.ConsumeBool() ? 1 : 0;
  const bool use_table = in.ConsumeBool();
  std::vector<std::string> names(in.ConsumeIntegralInRange<size_t>(0, 300));
  std::vector<cmdline::LongOption> table;
  std::string spec;  // what the table stands for, up to its first terminating row
  bool ended = false;
  for (std::string& name : names) {
    name = in.ConsumeRandomLengthString(12);
    const cmdline::LongOption row{in.ConsumeIntegralInRange(0, 7) != 0 ? name.c_str() : nullptr,
                                  in.ConsumeIntegralInRange<int32_t>(-20, 300),
                                  static_cast<cmdline::ArgKind>(in.ConsumeIntegralInRange(0, 2))};
    ended = ended || (row.name == nullptr && row.id == 0);
    if (!ended && row.id >= 1 && row.id <= 126) {
      spec += static_cast<char>(row.id) + std::string(static_cast<size_t>(row.arg_kind), ':');
    }
    table.push_back(row);
  }
  table.push_back({nullptr, 0, cmdline::ARG_NONE});

  std::vector<std::string> strings{"prog"};
  while (strings.size() < 40 && in.remaining_bytes() > 0) {
    strings.push_back(std::string("--", in.ConsumeIntegralInRange<size_t>(0, 2)) +
                      in.ConsumeRandomLengthString(20));
  }
  std::vector<char*> argv;
  for (std::string& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  std::vector<char*> entries(argv.begin(), argv.end() - 1);
  std::sort(entries.begin(), entries.end());

  cmdline::OptionParser parser{};
  cmdline::parser_init(parser, argv.data());
  parser.permute = permute;
  for (int32_t ret = 0, calls = 0; ret != cmdline::PARSE_END && calls < 400; ++calls) {
    const char* entry = argv[static_cast<size_t>(parser.next_index)];
    cmdline::OptionParser by_spec = parser;
    ret = use_table ? cmdline::parse_long(parser, table.data()) : parse_short(parser, spec.c_str());
    require(parser.next_index >= 0 && static_cast<size_t>(parser.next_index) < argv.size());
    require(std::strlen(parser.error_text) <= 63);
    require(parser.option_arg == nullptr ||
            std::any_of(strings.begin(), strings.end(), [&parser](const std::string& s) {
              return parser.option_arg >= s.data() && parser.option_arg <= s.data() + s.size();
            }));
    if (ret != cmdline::PARSE_END && ret != cmdline::PARSE_ERROR) {
      require(ret == parser.option_id && parser.error_text[0] == '\0');
    }
    if (use_table && entry != nullptr && entry[0] == '-' && entry[1] != '\0' && entry[1] != '-') {
      require(cmdline::parse_short(by_spec, spec.c_str()) == ret &&
              std::memcmp(&by_spec, &parser, sizeof parser) == 0);
    }
  }
  while (cmdline::next_operand(parser) != nullptr) {
  }
  std::vector<char*> after(argv.begin(), argv.end() - 1);
  std::sort(after.begin(), after.end());
  require(after == entries && argv.back() == nullptr);
  return 0;
}
