// Option parser: each row walks a small vector and checks the parser's whole
// state after every call, then the vector's order and the operands left.
#include "cmdline/option_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using cmdline::ARG_NONE;
using cmdline::ARG_OPTIONAL;
using cmdline::ARG_REQUIRED;
using cmdline::LongOption;

// 43 characters of name fit behind "invalid option -- '" (62 - 19).
constexpr const char* kLongNone = "a-rather-long-option-name-that-takes-no-value";     // 45
constexpr const char* kLongRequired = "a-rather-long-option-name-that-needs-a-value";  // 44

constexpr LongOption kTable[] = {
    {"list", 'l', ARG_NONE},    {"fw", 'f', ARG_REQUIRED},
    {"sim", 's', ARG_OPTIONAL}, {"verbose", 256, ARG_NONE},
    {"pie", 'p', ARG_NONE},     {"also-p", 'p', ARG_REQUIRED},
    {kLongNone, 512, ARG_NONE}, {kLongRequired, 513, ARG_REQUIRED},
    {nullptr, 'n', ARG_NONE},   {"zero", 0, ARG_NONE},
    {"neg", -5, ARG_REQUIRED},  {nullptr, 0, ARG_NONE},
};
// The short-option string that kTable stands for.
constexpr const char* kTableShortOptions = "lf:s::pp:n";

enum Mode { SHORT, LONG };

struct Case {
  const char* title;
  Mode mode;
  bool permute;
  std::vector<const char*> args;      // after the program name
  std::vector<std::string> steps;     // the state after each parse call, as describe() writes it
  std::vector<std::string> operands;  // what next_operand yields afterwards
  std::string vector_after = "";      // the entries after the program name, when the order matters
};

std::string describe(const cmdline::OptionParser& p, int32_t ret, Mode mode, int32_t index) {
  char text[256];
  std::snprintf(text, sizeof text, "%d @%d+%d id=%d arg=%s%s%s err=%s", ret, p.next_index,
                p.cluster_offset, p.option_id, p.option_arg ? "[" : "-",
                p.option_arg ? p.option_arg : "", p.option_arg ? "]" : "", p.error_text);
  std::string out = text;
  if (mode == LONG) out += " idx=" + std::to_string(index);
  return out;
}

bool points_into(const char* text, const std::vector<std::string>& storage) {
  for (const std::string& s : storage) {
    if (text >= s.data() && text <= s.data() + s.size()) return true;
  }
  return false;
}

void run_case(const Case& c) {
  SCOPED_TRACE(c.title);
  std::vector<std::string> storage{"prog"};
  storage.insert(storage.end(), c.args.begin(), c.args.end());
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  cmdline::OptionParser p{};
  cmdline::parser_init(p, argv.data());
  p.permute = c.permute ? 1 : 0;
  for (const std::string& expected : c.steps) {
    int32_t index = 99;  // 99 stays when the call writes no index
    const int32_t ret = c.mode == SHORT ? cmdline::parse_short(p, kTableShortOptions)
                                        : cmdline::parse_long(p, kTable, &index);
    EXPECT_EQ(expected, describe(p, ret, c.mode, index));
    if (p.option_arg != nullptr) {
      EXPECT_TRUE(points_into(p.option_arg, storage));
    }
  }
  if (!c.vector_after.empty()) {
    std::string order;
    for (size_t i = 1; argv[i] != nullptr; ++i) {
      if (i > 1) order += ' ';
      order += argv[i];
    }
    EXPECT_EQ(c.vector_after, order);
  }
  std::vector<std::string> operands;
  while (const char* operand = cmdline::next_operand(p)) operands.emplace_back(operand);
  EXPECT_EQ(c.operands, operands);
  EXPECT_EQ(nullptr, cmdline::next_operand(p));
}

// clang-format off
const Case kShortCases[] = {
    {"program name only", SHORT, false, {}, {"-1 @1+0 id=0 arg=- err="}, {}},
    {"cluster, argument attached", SHORT, false, {"-lfx"},
     {"108 @1+1 id=108 arg=- err=", "102 @2+0 id=102 arg=[x] err=", "-1 @2+0 id=0 arg=- err="}, {}},
    {"cluster, argument in the next entry", SHORT, false, {"-lf", "x", "y"},
     {"108 @1+1 id=108 arg=- err=", "102 @3+0 id=102 arg=[x] err=", "-1 @3+0 id=0 arg=- err="},
     {"y"}},
    {"required argument is taken whatever it looks like", SHORT, false, {"-f", "-l", "-f", "--"},
     {"102 @3+0 id=102 arg=[-l] err=", "102 @5+0 id=102 arg=[--] err="}, {}},
    {"required argument missing", SHORT, false, {"-f"},
     {"63 @2+0 id=102 arg=- err=option requires an argument -- 'f'"}, {}},
    {"optional argument only attached", SHORT, false, {"-s", "5", "-s5", "-sl"},
     {"115 @2+0 id=115 arg=- err="}, {"5", "-s5", "-sl"}},
    {"optional argument attached, cluster rest is its argument", SHORT, false, {"-s5", "-sl"},
     {"115 @2+0 id=115 arg=[5] err=", "115 @3+0 id=115 arg=[l] err="}, {}},
    {"invalid options, caller goes on", SHORT, false, {"-lx", "-fy", "-:", "-\xe9"},
     {"108 @1+1 id=108 arg=- err=", "63 @2+0 id=120 arg=- err=invalid option -- 'x'",
     "102 @3+0 id=102 arg=[y] err=", "63 @4+0 id=58 arg=- err=invalid option -- ':'",
     "63 @5+0 id=233 arg=- err=invalid option -- '\xe9'"}, {}},
    {"single dash, empty entry and long form are operands", SHORT, false, {"-", "", "--list"},
     {"-1 @1+0 id=0 arg=- err="}, {"-", "", "--list"}},
    {"end marker is consumed", SHORT, false, {"--", "-l"}, {"-1 @2+0 id=0 arg=- err="}, {"-l"}},
    {"next_operand drops the rest of a cluster", SHORT, false, {"-ll", "x"},
     {"108 @1+1 id=108 arg=- err="}, {"-ll", "x"}},
    {"permute: long form is an operand to parse_short", SHORT, true, {"--list", "a", "-l"},
     {"108 @2+0 id=108 arg=- err=", "-1 @2+0 id=0 arg=- err="}, {"--list", "a"}, "-l --list a"},
};
// clang-format on

// clang-format off
const Case kLongCases[] = {
    {"long options by exact name", LONG, false, {"--list", "--verbose", "--zero", "--sim"},
     {"108 @2+0 id=108 arg=- err= idx=0", "256 @3+0 id=256 arg=- err= idx=3",
     "0 @4+0 id=0 arg=- err= idx=9", "115 @5+0 id=115 arg=- err= idx=2",
     "-1 @5+0 id=115 arg=- err= idx=99"}, {}},
    {"values after '=' for required and optional", LONG, false, {"--fw=a=b", "--fw=", "--sim=3"},
     {"102 @2+0 id=102 arg=[a=b] err= idx=1", "102 @3+0 id=102 arg=[] err= idx=1",
     "115 @4+0 id=115 arg=[3] err= idx=2", "-1 @4+0 id=115 arg=[3] err= idx=99"}, {}},
    {"required value from the next entry, end marker included", LONG, false,
     {"--fw", "--", "--fw", "-l"},
     {"102 @3+0 id=102 arg=[--] err= idx=1", "102 @5+0 id=102 arg=[-l] err= idx=1"}, {}},
    {"optional long value only after '='", LONG, false, {"--sim", "5"},
     {"115 @2+0 id=115 arg=- err= idx=2", "-1 @2+0 id=115 arg=- err= idx=99"}, {"5"}},
    {"no abbreviations, no case folding", LONG, false, {"--li", "--LIST", "--nosuch=3", "---x"},
     {"63 @2+0 id=0 arg=- err=invalid option -- 'li' idx=99",
     "63 @3+0 id=0 arg=- err=invalid option -- 'LIST' idx=99",
     "63 @4+0 id=0 arg=- err=invalid option -- 'nosuch=3' idx=99",
     "63 @5+0 id=0 arg=- err=invalid option -- '-x' idx=99"}, {}},
    {"value given to an option that takes none", LONG, false, {"--list=1", "--list="},
     {"63 @2+0 id=108 arg=- err=option takes no arguments -- 'list' idx=0",
     "63 @3+0 id=108 arg=- err=option takes no arguments -- 'list' idx=0"}, {}},
    {"required value missing at the end", LONG, false, {"--fw"},
     {"63 @2+0 id=102 arg=- err=option requires an argument -- 'fw' idx=1"}, {}},
    {"details cut at 43, 32 and 30 bytes", LONG, false,
     {"--abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMN",
     "--a-rather-long-option-name-that-takes-no-value=1",
     "--abcdefghijklmnopqrstuvwxyz0123456789ABCDEF\xc3\xa9",
     "--a-rather-long-option-name-that-needs-a-value"},
     {"63 @2+0 id=0 arg=- err=invalid option -- 'abcdefghijklmnopqrstuvwxyz0123456789ABCDEFG' " "idx=99",
     "63 @3+0 id=512 arg=- err=option takes no arguments -- 'a-rather-long-option-name-that-t' " "idx=6",
     "63 @4+0 id=0 arg=- err=invalid option -- 'abcdefghijklmnopqrstuvwxyz0123456789ABCDEF\xc3' " "idx=99",
     "63 @5+0 id=513 arg=- err=option requires an argument -- 'a-rather-long-option-name-that' " "idx=7"},
     {}},
    {"short options through the table", LONG, false, {"-lf", "x", "-s5", "-n", "-x", "-f"},
     {"108 @1+1 id=108 arg=- err= idx=0", "102 @3+0 id=102 arg=[x] err= idx=1",
     "115 @4+0 id=115 arg=[5] err= idx=2", "110 @5+0 id=110 arg=- err= idx=8",
     "63 @6+0 id=120 arg=- err=invalid option -- 'x' idx=-1",
     "63 @7+0 id=102 arg=- err=option requires an argument -- 'f' idx=1"}, {}},
    {"repeated short id: first row's kind, last row's index", LONG, false, {"-p", "x"},
     {"112 @2+0 id=112 arg=- err= idx=5"}, {"x"}},
    {"negative ids have no short form", LONG, false, {"-\xfb", "--neg", "v"},
     {"63 @2+0 id=251 arg=- err=invalid option -- '\xfb' idx=-1",
     "-5 @4+0 id=-5 arg=[v] err= idx=10"}, {}},
    {"end marker and operands stop without touching the state", LONG, false, {"--fw=v", "--", "x"},
     {"102 @2+0 id=102 arg=[v] err= idx=1", "-1 @3+0 id=102 arg=[v] err= idx=99"}, {"x"}},
    {"permute: operand moves behind the option", LONG, true, {"a", "-l", "b"},
     {"108 @2+0 id=108 arg=- err= idx=0", "-1 @2+0 id=108 arg=- err= idx=99"}, {"a", "b"},
     "-l a b"},
    {"permute: operands move behind a separate argument", LONG, true, {"a", "b", "-f", "x", "c"},
     {"102 @3+0 id=102 arg=[x] err= idx=1", "-1 @3+0 id=102 arg=[x] err= idx=99"}, {"a", "b", "c"},
     "-f x a b c"},
    {"permute: end marker moves in front", LONG, true, {"a", "--", "-l"},
     {"-1 @2+0 id=0 arg=- err= idx=99"}, {"a", "-l"}, "-- a -l"},
    {"permute: a cluster moves on the call that finishes it", LONG, true, {"a", "-lp", "b"},
     {"108 @1+1 id=108 arg=- err= idx=0", "112 @2+0 id=112 arg=- err= idx=5",
     "-1 @2+0 id=112 arg=- err= idx=99"}, {"a", "b"}, "-lp a b"},
    {"permute: long options and errors move too", LONG, true, {"a", "--sim=2", "b", "--bad"},
     {"115 @2+0 id=115 arg=[2] err= idx=2", "63 @3+0 id=0 arg=- err=invalid option -- 'bad' idx=99",
     "-1 @3+0 id=0 arg=- err=invalid option -- 'bad' idx=99"}, {"a", "b"}, "--sim=2 --bad a b"},
    {"permute: only operands, nothing moves", LONG, true, {"a", "b"},
     {"-1 @1+0 id=0 arg=- err= idx=99"}, {"a", "b"}, "a b"},
};
// clang-format on

TEST(OptionParser, ShortOptionsFollowTheSpec) {
  for (const Case& c : kShortCases) run_case(c);
}

TEST(OptionParser, LongOptionsFollowTheTable) {
  for (const Case& c : kLongCases) run_case(c);
}

TEST(OptionParser, EmptyVectorHasNothingToParse) {
  char* argv[] = {nullptr};
  cmdline::OptionParser p{};
  cmdline::parser_init(p, argv);
  EXPECT_EQ(0, p.next_index);
  EXPECT_EQ(1, p.permute);
  EXPECT_EQ(-1, cmdline::parse_long(p, kTable));
  EXPECT_EQ(-1, cmdline::parse_short(p, "l"));
  EXPECT_EQ(nullptr, cmdline::next_operand(p));
  EXPECT_EQ(0, p.next_index);
}

TEST(OptionParser, ShortOptionStringColonsAndRepeats) {
  struct Row {
    const char* spec;
    const char* entry;
    const char* expected;
  };
  const Row rows[] = {
      {"a:::", "-ab", "97 @2+0 id=97 arg=[b] err="},  // a third colon changes nothing
      {"aa:", "-ab", "97 @1+1 id=97 arg=- err="},     // the first occurrence governs
      {":a", "-:", "63 @2+0 id=58 arg=- err=invalid option -- ':'"},
      {"", "-a", "63 @2+0 id=97 arg=- err=invalid option -- 'a'"},
  };
  for (const Row& row : rows) {
    std::string entry = row.entry;
    char* argv[] = {entry.data(), entry.data(), nullptr};
    cmdline::OptionParser p{};
    cmdline::parser_init(p, argv);
    const int32_t ret = cmdline::parse_short(p, row.spec);
    EXPECT_EQ(row.expected, describe(p, ret, SHORT, 0)) << row.spec;
  }
}

}  // namespace
