// parse_id_value: prefixes choose the base, overflow saturates whatever the sign.
#include "app/id_value.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseIdValue, FollowsPrefixSignAndOverflowRules) {
  struct Row {
    const char* text;
    uint32_t expected;
  };
  const Row rows[] = {
      {"0x1235", 0x1235},
      {"0X1235", 0x1235},
      {"4661", 4661},
      {"011", 9},
      {"08", 0},
      {"0", 0},
      {"0x", 0},
      {"0xg", 0},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {" \t\n\v\f\r+7", 7},
      {"+", 0},
      {"-", 0},
      {"- 1", 0},
      {"-1", 4294967295u},
      {"-0x10", 0xfffffff0u},
      {"4294967295", 4294967295u},
      {"4294967296", 4294967295u},
      {"-4294967296", 4294967295u},
      {"0x100000000", 4294967295u},
      {"0xFFFFFFFF", 4294967295u},
      {"99999999999999999999999999", 4294967295u},
      {"2147483648", 2147483648u},
      {"0xC240", 0xc240},
      {"00x5", 0},
      {"++1", 0},
  };
  for (const Row& row : rows) EXPECT_EQ(row.expected, app::parse_id_value(row.text)) << row.text;
}

}  // namespace
