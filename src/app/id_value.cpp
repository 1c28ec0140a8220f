// parse_id_value: strtoul's rules, but 32 bits wide on every platform.
#include "app/id_value.h"

namespace app {
namespace {

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;  // a digit of no base
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

uint32_t parse_id_value(const char* text) {
  constexpr uint64_t MAX = 0xFFFFFFFFu;
  while (is_space(*text)) ++text;
  const bool negative = *text == '-';
  if (*text == '+' || *text == '-') ++text;
  uint64_t base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text += 2;
  } else if (text[0] == '0') {
    base = 8;
  }
  uint64_t value = 0;
  bool any_digit = false;
  for (; static_cast<uint64_t>(digit_value(*text)) < base; ++text) {
    any_digit = true;
    // Saturated stays saturated, so the value never grows past 36 bits here.
    value = value > MAX ? value : value * base + static_cast<uint64_t>(digit_value(*text));
  }
  if (!any_digit) return 0;
  if (value > MAX) return 0xFFFFFFFFu;
  const auto result = static_cast<uint32_t>(value);
  return negative ? 0u - result : result;
}

}  // namespace app
