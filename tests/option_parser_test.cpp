// Option parser: each row walks a small vector and checks what every call returns and leaves in
// option_id, option_arg, error_text and index_out, and at the end the vector's order and the
// operands left. Where a call stops (next_index, cluster_offset) shows in what the next call and
// the operands find.
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
  size_t calls;
  std::string walk;  // each call (see the test), ";", the vector after the program name, "|", the
                     // operands
};

// Its short options read "lf:s::pp:n": p twice (the first row's kind governs, the last row's
// index is given), no short form for ids 0, 256 and up, or below 0 (-23 is the byte \xe9).
// clang-format off
constexpr cmdline::LongOption kTable[] = {
    {"list", 'l', ARG_NONE}, {"fw", 'f', ARG_REQUIRED}, {"sim", 's', ARG_OPTIONAL},
    {"verbose", 256, ARG_NONE}, {"pie", 'p', ARG_NONE}, {"also-p", 'p', ARG_REQUIRED},
    {nullptr, 'n', ARG_NONE}, {"zero", 0, ARG_NONE}, {"neg", -23, ARG_REQUIRED}, {nullptr, 0, ARG_NONE}};

const Case kCases[] = {
    {"lf:s::", false, {"-lfx", "-f", "-l", "-s5", "-sl", "-:", "-s", "--", "-"}, 8,
     "108, 102 [x], 102 [-l], 115 [5], 115 [l], 63 id=58 invalid option -- ':', 115, -1 id=0; "
     "-lfx -f -l -s5 -sl -: -s -- - | -"},
    // Operands taken in the middle of a cluster begin with its entry.
    {"aa:b:::", false, {"-ab", "-bc", "-ab", "", "-"}, 4, "97, 98, 98 [c], 97; -ab -bc -ab  - | -ab  -"},
    {"l", true, {"--list", "a", "-lq", "b"}, 3,
     "108, 63 id=113 invalid option -- 'q', -1 id=0; -lq --list a b | --list a b"},
    // At the end parse_long leaves option_id as it was, here as the walk began.
    {nullptr, false, {}, 1, "-1 id=9; |"},
    {nullptr, false, {"--list", "--zero", "--fw", "--", "--sim=3", "--fw=a=b", "--fw=", "--li", "--listx",
      "--list=", "-lf", "x", "-n", "-p", "-x", "-\xe9", "--sim", "5"}, 17,
     "108 #0, 0 #7, 102 [--] #1, 115 [3] #2, 102 [a=b] #1, 102 [] #1, 63 id=0 invalid option -- 'li', "
     "63 id=0 invalid option -- 'listx', 63 id=108 option takes no arguments -- 'list' #0, 108 #0, "
     "102 [x] #1, 110 #6, 112 #5, 63 id=120 invalid option -- 'x' #-1, "
     "63 id=233 invalid option -- '\xe9' #-1, 115 #2, -1 id=115; "
     "--list --zero --fw -- --sim=3 --fw=a=b --fw= --li --listx --list= -lf x -n -p -x -\xe9 --sim 5 | 5"},
    {nullptr, true, {"a", "b", "-f", "x", "c", "-lp", "d", "--sim=2", "--bad", "e", "--", "-l"}, 6,
     "102 [x] #1, 108 #0, 112 #5, 115 [2] #2, 63 id=0 invalid option -- 'bad', "
     "-1 id=0 invalid option -- 'bad'; -f x -lp --sim=2 --bad -- a b c d e -l | a b c d e -l"},
    {nullptr, true, {"a", "-", "-f"}, 2, "63 id=102 option requires an argument -- 'f' #1, "
     "-1 id=102 option requires an argument -- 'f'; -f a - | a -"},
};
// clang-format on

TEST(OptionParser, EveryCallLeavesTheDocumentedState) {
  for (const Case& c : kCases) {
    // The parser reorders the vector's entries but never writes their texts.
    std::vector<char*> argv{const_cast<char*>("prog")};
    for (const char* arg : c.args) argv.push_back(const_cast<char*>(arg));
    argv.push_back(nullptr);
    // Stale state: parser_init starts every walk afresh, but for option_id, which means something
    // only after a parse call.
    cmdline::OptionParser p{nullptr, 0, 0, 9, "x", "x", 3};
    cmdline::parser_init(p, argv.data());
    EXPECT_TRUE(p.permute == 1 && p.option_arg == nullptr && p.error_text[0] == '\0');
    p.permute = c.permute ? 1 : 0;
    std::string walk;
    // Each call: the return, then id=option_id where it differs from the return, [option_arg]
    // when there is one, error_text when it is not empty, and #index_out when the call wrote it.
    for (size_t call = 0; call < c.calls; ++call) {
      int32_t index = 99;
      const int32_t ret = c.spec != nullptr ? cmdline::parse_short(p, c.spec)
                                            : cmdline::parse_long(p, kTable, &index);
      (walk += call == 0 ? "" : ", ") += std::to_string(ret);
      if (p.option_id != ret) (walk += " id=") += std::to_string(p.option_id);
      if (p.option_arg != nullptr) ((walk += " [") += p.option_arg) += "]";
      if (p.error_text[0] != '\0') (walk += " ") += p.error_text;
      if (index != 99) (walk += " #") += std::to_string(index);
    }
    walk += ";";
    for (size_t i = 1; argv[i] != nullptr; ++i) (walk += " ") += argv[i];
    for (walk += " |"; const char* operand = cmdline::next_operand(p);) (walk += " ") += operand;
    EXPECT_EQ(c.walk, walk);
    EXPECT_EQ(0, p.cluster_offset);
  }
}

}  // namespace
