// Fuzzes the option parser with random tables and vectors, permutation on and off, and checks
// its invariants after every call; short options through a table are checked against parse_short
// over the short-option string the table stands for.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/option_parser.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

// The short-option string a table stands for: each row with an id from 1 to 126 adds its character
// and a colon per argument kind step.
std::string short_options_of(const std::vector<cmdline::LongOption>& table) {
  std::string spec;
  for (const cmdline::LongOption& row : table) {
    if (row.name == nullptr && row.id == 0) break;
    if (row.id < 1 || row.id > 126) continue;
    spec += static_cast<char>(row.id);
    if (row.arg_kind == cmdline::ARG_REQUIRED) spec += ":";
    if (row.arg_kind == cmdline::ARG_OPTIONAL) spec += "::";
  }
  return spec;
}

bool points_into(const char* text, const std::vector<std::string>& strings) {
  return std::any_of(strings.begin(), strings.end(), [text](const std::string& s) {
    return text >= s.data() && text <= s.data() + s.size();
  });
}

bool same_state(const cmdline::OptionParser& a, const cmdline::OptionParser& b) {
  return a.next_index == b.next_index && a.cluster_offset == b.cluster_offset &&
         a.option_id == b.option_id && a.option_arg == b.option_arg &&
         std::strcmp(a.error_text, b.error_text) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool permute = in.ConsumeBool();
  const bool use_table = in.ConsumeBool();

  const auto row_count = in.ConsumeIntegralInRange<size_t>(0, 300);
  std::vector<std::string> names(row_count);
  std::vector<cmdline::LongOption> table;
  for (size_t i = 0; i < row_count; ++i) {
    names[i] = in.ConsumeRandomLengthString(12);
    const bool named = in.ConsumeIntegralInRange(0, 7) != 0;
    const auto id = in.ConsumeIntegralInRange<int32_t>(-20, 300);
    const auto kind = static_cast<cmdline::ArgKind>(in.ConsumeIntegralInRange(0, 2));
    table.push_back({named ? names[i].c_str() : nullptr, id, kind});
  }
  table.push_back({nullptr, 0, cmdline::ARG_NONE});
  const std::string spec = short_options_of(table);

  std::vector<std::string> strings;
  const bool program_name = in.ConsumeIntegralInRange(0, 15) != 0;
  if (program_name) strings.emplace_back("prog");
  const auto entry_count = in.ConsumeIntegralInRange<size_t>(0, 40);
  for (size_t i = 0; i < entry_count; ++i) {
    static const char* const prefixes[] = {"", "-", "--", "-", "--"};
    std::string entry = prefixes[in.ConsumeIntegralInRange(0, 4)];
    entry += in.ConsumeRandomLengthString(20);
    strings.push_back(entry);
  }
  std::vector<char*> argv;
  for (std::string& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  const auto argc = static_cast<int32_t>(argv.size() - 1);
  std::vector<char*> original(argv.begin(), argv.end() - 1);
  std::sort(original.begin(), original.end());

  cmdline::OptionParser parser{};
  cmdline::parser_init(parser, argv.data());
  parser.permute = permute ? 1 : 0;
  for (int calls = 0; calls < 400; ++calls) {
    const char* entry = argv[static_cast<size_t>(parser.next_index)];
    const bool short_form =
        entry != nullptr && entry[0] == '-' && entry[1] != '\0' && entry[1] != '-';
    cmdline::OptionParser by_string = parser;
    int32_t index = -7;
    const int32_t ret = use_table ? cmdline::parse_long(parser, table.data(), &index)
                                  : cmdline::parse_short(parser, spec.c_str());

    require(parser.next_index >= 0 && parser.next_index <= argc);
    require(std::memchr(parser.error_text, '\0', sizeof parser.error_text) != nullptr);
    require(std::strlen(parser.error_text) <= 63);
    require(parser.option_arg == nullptr || points_into(parser.option_arg, strings));
    require(ret == cmdline::PARSE_END || ret == cmdline::PARSE_ERROR || parser.error_text[0] == 0);
    if (ret != cmdline::PARSE_END && ret != cmdline::PARSE_ERROR) {
      require(ret == parser.option_id);
      const bool is_row_id =
          std::any_of(table.begin(), table.end() - 1,
                      [ret](const cmdline::LongOption& r) { return r.id == ret; });
      require(use_table ? is_row_id
                        : ret > 0 && ret < 256 && std::strchr(spec.c_str(), ret) != nullptr);
    }
    if (use_table && index != -7) {
      require(index == -1 || (index >= 0 && static_cast<size_t>(index) < row_count));
    }
    if (use_table && short_form) {
      // The table's short options are exactly those of its short-option string.
      const int32_t string_ret = cmdline::parse_short(by_string, spec.c_str());
      require(string_ret == ret && same_state(by_string, parser));
    }
    if (ret == cmdline::PARSE_END) break;
  }
  while (const char* operand = cmdline::next_operand(parser)) {
    require(std::find(argv.begin(), argv.end() - 1, operand) != argv.end() - 1);
  }
  require(parser.next_index == argc && argv.back() == nullptr);
  std::vector<char*> after(argv.begin(), argv.end() - 1);
  std::sort(after.begin(), after.end());
  require(after == original);
  return 0;
}
