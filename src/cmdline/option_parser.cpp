// Option parser: sorting entries into forms, short clusters, long names,
// error messages, and moving operands behind the options that follow them.
#include "cmdline/option_parser.h"

#include <algorithm>
#include <cstring>

namespace cmdline {
namespace {

constexpr int32_t NOT_AN_OPTION = -1;
constexpr size_t ERROR_DETAIL_END = 62;  // room left for the closing quote and terminator

bool is_end_marker(const char* entry) {
  return entry[0] == '-' && entry[1] == '-' && entry[2] == '\0';
}

bool is_short_form(const char* entry) {
  return entry[0] == '-' && entry[1] != '\0' && entry[1] != '-';
}

bool is_long_form(const char* entry) {
  return entry[0] == '-' && entry[1] == '-' && entry[2] != '\0';
}

// For parse_short every entry that is not "--" or a short option is an operand,
// long options included; parse_long also takes long options as options.
bool is_short_operand(const char* entry) { return !is_end_marker(entry) && !is_short_form(entry); }

bool is_long_operand(const char* entry) { return is_short_operand(entry) && !is_long_form(entry); }

bool is_table_end(const LongOption& row) { return row.name == nullptr && row.id == 0; }

void clear_result(OptionParser& parser) {
  parser.error_text[0] = '\0';
  parser.option_id = 0;
  parser.option_arg = nullptr;
}

int32_t set_error(OptionParser& parser, const char* message, const char* detail) {
  size_t length = 0;
  for (const char* part : {message, " -- '"}) {
    for (; *part != '\0'; ++part) parser.error_text[length++] = *part;
  }
  for (; length < ERROR_DETAIL_END && *detail != '\0'; ++detail) {
    parser.error_text[length++] = *detail;
  }
  parser.error_text[length++] = '\'';
  parser.error_text[length] = '\0';
  return PARSE_ERROR;
}

int32_t colons_for(ArgKind kind) { return kind == ARG_REQUIRED ? 1 : kind == ARG_OPTIONAL ? 2 : 0; }

// Kind of ch in a short-option string: its first occurrence governs, read from the colons after it.
int32_t short_arg_kind(const char* spec, unsigned char ch) {
  if (ch == ':') return NOT_AN_OPTION;
  const auto* at = reinterpret_cast<const unsigned char*>(spec);
  while (*at != '\0' && *at != ch) ++at;
  if (*at == '\0') return NOT_AN_OPTION;
  if (at[1] != ':') return ARG_NONE;
  return at[2] == ':' ? ARG_OPTIONAL : ARG_REQUIRED;
}

// The same answer as short_arg_kind over the short-option string the table stands for (each row
// with an id from 1 to 126 adds its character and 0, 1 or 2 colons), read straight from the rows so
// that no table, however long, needs working storage.
int32_t table_arg_kind(const LongOption* table, unsigned char ch) {
  if (ch == ':') return NOT_AN_OPTION;
  enum { SEARCHING, FOUND, FOUND_ONE_COLON } state = SEARCHING;
  for (const LongOption* row = table; !is_table_end(*row); ++row) {
    if (row->id < 1 || row->id > 126) continue;
    const int32_t colons = colons_for(row->arg_kind);
    for (int32_t k = 0; k <= colons; ++k) {
      const int32_t byte = k == 0 ? row->id : ':';
      if (state == SEARCHING) {
        if (byte == ch) state = FOUND;
      } else if (state == FOUND) {
        if (byte != ':') return ARG_NONE;
        state = FOUND_ONE_COLON;
      } else {
        return byte == ':' ? ARG_OPTIONAL : ARG_REQUIRED;
      }
    }
  }
  return state == SEARCHING ? NOT_AN_OPTION : state == FOUND ? ARG_NONE : ARG_REQUIRED;
}

// Handles the option character at cluster_offset of the short-form entry at next_index.
template <typename KindOf>
int32_t parse_short_entry(OptionParser& parser, KindOf kind_of) {
  const char* entry = parser.args[parser.next_index];
  const auto ch = static_cast<unsigned char>(entry[parser.cluster_offset + 1]);
  const char* rest = entry + parser.cluster_offset + 2;
  parser.option_id = ch;
  const int32_t kind = kind_of(ch);
  if (kind == ARG_NONE && *rest != '\0') {
    ++parser.cluster_offset;
    return ch;
  }
  parser.cluster_offset = 0;
  ++parser.next_index;
  if (kind == NOT_AN_OPTION) {
    const char detail[2] = {static_cast<char>(ch), '\0'};
    return set_error(parser, "invalid option", detail);
  }
  if (*rest != '\0') {
    parser.option_arg = rest;
  } else if (kind == ARG_REQUIRED) {
    if (parser.args[parser.next_index] == nullptr) {
      const char detail[2] = {static_cast<char>(ch), '\0'};
      return set_error(parser, "option requires an argument", detail);
    }
    parser.option_arg = parser.args[parser.next_index++];
  }
  return ch;
}

// Moves the operands at [first, option_at) right behind what the parse from option_at
// consumed, keeping their order, and leaves next_index on the first of them. Doing the
// whole run at once needs no recursion per operand, so no vector can exhaust the stack.
void move_operands_behind(OptionParser& parser, int32_t first, int32_t option_at) {
  std::rotate(parser.args + first, parser.args + option_at, parser.args + parser.next_index);
  parser.next_index = first + (parser.next_index - option_at);
}

// Permutation: passes over the run of operands at next_index, parses what follows them
// with parse (which then meets no operand), and moves the operands behind it.
template <typename IsOperand, typename Parse>
int32_t parse_behind_operands(OptionParser& parser, IsOperand is_operand, Parse parse) {
  const int32_t first = parser.next_index;
  while (parser.args[parser.next_index] != nullptr && is_operand(parser.args[parser.next_index])) {
    ++parser.next_index;
  }
  const int32_t option_at = parser.next_index;
  const int32_t result = parse();
  move_operands_behind(parser, first, option_at);
  return result;
}

int32_t parse_table_short(OptionParser& parser, const LongOption* table, int32_t* index_out) {
  clear_result(parser);
  const int32_t result =
      parse_short_entry(parser, [table](unsigned char ch) { return table_arg_kind(table, ch); });
  if (index_out == nullptr) return result;
  *index_out = -1;
  if (result == PARSE_END) return result;
  for (int32_t i = 0; !is_table_end(table[i]); ++i) {
    if (table[i].id == parser.option_id) *index_out = i;
  }
  return result;
}

int32_t find_long_row(const LongOption* table, const char* name, size_t name_length) {
  for (int32_t i = 0; !is_table_end(table[i]); ++i) {
    const char* row_name = table[i].name;
    if (row_name != nullptr && std::strncmp(row_name, name, name_length) == 0 &&
        row_name[name_length] == '\0') {
      return i;
    }
  }
  return -1;
}

}  // namespace

void parser_init(OptionParser& parser, char** args) {
  parser.args = args;
  parser.permute = 1;
  parser.next_index = args[0] == nullptr ? 0 : 1;
  parser.cluster_offset = 0;
  parser.option_arg = nullptr;
  parser.error_text[0] = '\0';
}

int32_t parse_short(OptionParser& parser, const char* spec) {
  clear_result(parser);
  const char* entry = parser.args[parser.next_index];
  if (entry == nullptr) return PARSE_END;
  if (is_end_marker(entry)) {
    ++parser.next_index;
    return PARSE_END;
  }
  if (is_short_form(entry)) {
    return parse_short_entry(parser, [spec](unsigned char ch) { return short_arg_kind(spec, ch); });
  }
  if (parser.permute == 0) return PARSE_END;
  return parse_behind_operands(parser, is_short_operand,
                               [&parser, spec] { return parse_short(parser, spec); });
}

int32_t parse_long(OptionParser& parser, const LongOption* table, int32_t* index_out) {
  const char* entry = parser.args[parser.next_index];
  if (entry == nullptr) return PARSE_END;
  if (is_end_marker(entry)) {
    ++parser.next_index;
    return PARSE_END;
  }
  if (is_short_form(entry)) return parse_table_short(parser, table, index_out);
  if (!is_long_form(entry)) {
    if (parser.permute == 0) return PARSE_END;
    return parse_behind_operands(parser, is_long_operand, [&parser, table, index_out] {
      return parse_long(parser, table, index_out);
    });
  }

  clear_result(parser);
  const char* name = entry + 2;
  ++parser.next_index;
  const char* equals = std::strchr(name, '=');
  const size_t name_length =
      equals != nullptr ? static_cast<size_t>(equals - name) : std::strlen(name);
  const int32_t row_index = find_long_row(table, name, name_length);
  if (row_index < 0) return set_error(parser, "invalid option", name);
  if (index_out != nullptr) *index_out = row_index;

  const LongOption& row = table[row_index];
  parser.option_id = row.id;
  const char* value = equals != nullptr ? equals + 1 : nullptr;
  if (row.arg_kind == ARG_NONE && value != nullptr) {
    return set_error(parser, "option takes no arguments", row.name);
  }
  if (value != nullptr) {
    parser.option_arg = value;
  } else if (row.arg_kind == ARG_REQUIRED) {
    if (parser.args[parser.next_index] == nullptr) {
      return set_error(parser, "option requires an argument", row.name);
    }
    parser.option_arg = parser.args[parser.next_index++];
  }
  return parser.option_id;
}

const char* next_operand(OptionParser& parser) {
  const char* entry = parser.args[parser.next_index];
  parser.cluster_offset = 0;
  if (entry != nullptr) ++parser.next_index;
  return entry;
}

}  // namespace cmdline
