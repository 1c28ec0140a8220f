// Option parser: each row walks a small vector and checks the parser's whole state after every
// call, as describe() writes it, and at the end the vector's order and the operands left.
#include "cmdline/option_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cmdline::ARG_NONE, cmdline::ARG_OPTIONAL, cmdline::ARG_REQUIRED;

struct Case {
  const char* spec;  // parse_short with this string, or parse_long with kTable when null
  bool permute;
  std::vector<const char*> args;  // after the program name
  std::vector<std::string> steps;
  std::string rest;  // the vector after the program name, "|", the operands
};

// Its short options read "lf:s::pp:n": p twice (the first row's kind governs, the last row's
// index is given), no short form for ids 0, 256 and up, or below 0 (-23 is the byte \xe9).
// clang-format off
constexpr cmdline::LongOption kTable[] = {
    {"list", 'l', ARG_NONE}, {"fw", 'f', ARG_REQUIRED}, {"sim", 's', ARG_OPTIONAL},
    {"verbose", 256, ARG_NONE}, {"pie", 'p', ARG_NONE}, {"also-p", 'p', ARG_REQUIRED},
    {nullptr, 'n', ARG_NONE}, {"zero", 0, ARG_NONE}, {"neg", -23, ARG_REQUIRED}, {nullptr, 0, ARG_NONE}};

const Case kCases[] = {
    {"lf:s::", false, {"-lfx", "-f", "-l", "-s5", "-sl", "-:", "-s", "--", "-"},
     {"108@1+1", "102@2+0 [x]", "102@4+0 [-l]", "115@5+0 [5]", "115@6+0 [l]",
      "63@7+0 id=58 invalid option -- ':'", "115@8+0", "-1@9+0 id=0"}, "-lfx -f -l -s5 -sl -: -s -- - | -"},
    {"aa:b:::", false, {"-ab", "-bc", "-ab", "", "-"}, {"97@1+1", "98@2+0", "98@3+0 [c]", "97@3+1"},
     "-ab -bc -ab  - | -ab  -"},
    {"l", true, {"--list", "a", "-lq", "b"}, {"108@1+1", "63@2+0 id=113 invalid option -- 'q'", "-1@2+0 id=0"},
     "-lq --list a b | --list a b"},
    {nullptr, false, {"--list", "--zero", "--fw", "--", "--sim=3", "--fw=a=b", "--fw=", "--li", "--listx",
      "--list=", "-lf", "x", "-n", "-p", "-x", "-\xe9", "--sim", "5"},
     {"108@2+0 #0", "0@3+0 #7", "102@5+0 [--] #1", "115@6+0 [3] #2", "102@7+0 [a=b] #1", "102@8+0 [] #1",
      "63@9+0 id=0 invalid option -- 'li'", "63@10+0 id=0 invalid option -- 'listx'",
      "63@11+0 id=108 option takes no arguments -- 'list' #0", "108@11+1 #0", "102@13+0 [x] #1",
      "110@14+0 #6", "112@15+0 #5", "63@16+0 id=120 invalid option -- 'x' #-1",
      "63@17+0 id=233 invalid option -- '\xe9' #-1", "115@18+0 #2", "-1@18+0 id=115"},
     "--list --zero --fw -- --sim=3 --fw=a=b --fw= --li --listx --list= -lf x -n -p -x -\xe9 --sim 5 | 5"},
    {nullptr, true, {"a", "b", "-f", "x", "c", "-lp", "d", "--sim=2", "--bad", "e", "--", "-l"},
     {"102@3+0 [x] #1", "108@3+1 #0", "112@4+0 #5", "115@5+0 [2] #2",
      "63@6+0 id=0 invalid option -- 'bad'", "-1@7+0 id=0 invalid option -- 'bad'"},
     "-f x -lp --sim=2 --bad -- a b c d e -l | a b c d e -l"},
    {nullptr, true, {"a", "-", "-f"}, {"63@2+0 id=102 option requires an argument -- 'f' #1",
      "-1@2+0 id=102 option requires an argument -- 'f'"}, "-f a - | a -"},
};
// clang-format on

// "return@next_index+cluster_offset", then id=option_id where it differs from the return,
// [option_arg] when there is one, error_text when it is not empty, and #index_out when the call
// wrote it (it stays 99 otherwise).
std::string describe(const cmdline::OptionParser& p, int32_t ret, int32_t index) {
  std::string out = std::to_string(ret) + "@" + std::to_string(p.next_index) + "+" +
                    std::to_string(p.cluster_offset);
  if (p.option_id != ret) (out += " id=") += std::to_string(p.option_id);
  if (p.option_arg != nullptr) ((out += " [") += p.option_arg) += "]";
  if (p.error_text[0] != '\0') (out += " ") += p.error_text;
  if (index != 99) (out += " #") += std::to_string(index);
  return out;
}

TEST(OptionParser, EveryCallLeavesTheDocumentedState) {
  for (const Case& c : kCases) {
    // The parser reorders the vector's entries but never writes their texts.
    std::vector<char*> argv{const_cast<char*>("prog")};
    for (const char* arg : c.args) argv.push_back(const_cast<char*>(arg));
    argv.push_back(nullptr);
    // Stale state: parser_init starts every walk afresh.
    cmdline::OptionParser p{nullptr, 0, 0, 0, "x", "x", 3};
    cmdline::parser_init(p, argv.data());
    EXPECT_TRUE(p.permute == 1 && p.option_arg == nullptr && p.error_text[0] == '\0');
    p.permute = c.permute ? 1 : 0;
    for (const std::string& expected : c.steps) {
      int32_t index = 99;
      const int32_t ret = c.spec != nullptr ? cmdline::parse_short(p, c.spec)
                                            : cmdline::parse_long(p, kTable, &index);
      EXPECT_EQ(expected, describe(p, ret, index));
    }
    std::string rest;
    for (size_t i = 1; argv[i] != nullptr; ++i) (rest += argv[i]) += " ";
    for (rest += "|"; const char* operand = cmdline::next_operand(p);) (rest += " ") += operand;
    EXPECT_EQ(c.rest, rest);
    EXPECT_EQ(0, p.cluster_offset);
  }
}

}  // namespace
