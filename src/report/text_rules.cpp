// The text rules of PIE documents (see text_rules.h): one UTF-8 step at a time, each step kept,
// replaced by U+FFFD, or written as an entity.
#include "report/text_rules.h"

#include <cstdint>

namespace report {
namespace {

// One step through a text as UTF-8: a whole well-formed sequence and its code point, or the
// maximal subpart of an ill-formed one (valid false), which stands for one U+FFFD.
struct Utf8Step {
  size_t length;
  uint32_t code_point;
  bool valid;
};

Utf8Step next_utf8(const unsigned char* at) {
  const uint32_t lead = at[0];
  if (lead < 0x80) return {1, lead, true};
  size_t trailing = 0;
  uint32_t low = 0x80;   // the range of the first trailing byte rules out overlongs, surrogates
  uint32_t high = 0xBF;  // and code points above U+10FFFF
  uint32_t code_point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trailing = 1;
    code_point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trailing = 2;
    code_point = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trailing = 3;
    code_point = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, 0, false};
  }
  for (size_t length = 1; length <= trailing; ++length) {
    const uint32_t next = at[length];  // the terminating NUL is out of every range
    if (next < low || next > high) return {length, 0, false};
    code_point = code_point << 6 | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {trailing + 1, code_point, true};
}

// The entity that stands for code_point in an attribute value, or nullptr when it stands for
// itself. Tab, line feed and carriage return are written as references because a parser turns
// them into blanks inside an attribute.
const char* xml_entity(uint32_t code_point) {
  switch (code_point) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\'': return "&apos;";
    case '\t': return "&#9;";
    case '\n': return "&#10;";
    case '\r': return "&#13;";
    default: return nullptr;
  }
}

}  // namespace

std::string xml_attribute_text(const char* text) {
  std::string out;
  for (const auto* at = reinterpret_cast<const unsigned char*>(text); *at != 0;) {
    const Utf8Step step = next_utf8(at);
    const uint32_t code_point = step.code_point;
    const char* entity = xml_entity(code_point);
    if (entity != nullptr) {
      out += entity;
    } else if (!step.valid || code_point < 0x20 || code_point == 0xFFFE || code_point == 0xFFFF) {
      out += "\xEF\xBF\xBD";  // U+FFFD REPLACEMENT CHARACTER
    } else {
      out.append(reinterpret_cast<const char*>(at), step.length);
    }
    at += step.length;
  }
  return out;
}

}  // namespace report
