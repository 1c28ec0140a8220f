// Option parser: walks an argument vector one option at a time against a
// short-option string or a table of long options. Prints nothing, allocates
// nothing; every text it hands back points into the vector itself.
#pragma once

#include <cstdint>

namespace cmdline {

// What kind of argument an option takes.
enum ArgKind : int32_t {
  ARG_NONE = 0,      // no argument
  ARG_REQUIRED = 1,  // attached, or else the whole next entry
  ARG_OPTIONAL = 2,  // only when attached ("-s5", "--sim=5")
};

// One row of a long-option table. A table ends with the row {nullptr, 0, ARG_NONE}.
struct LongOption {
  const char* name;  // matched byte for byte in full; a row without a name is short-only
  int32_t id;        // returned for the option; 1..126 is also its short-option character
  ArgKind arg_kind;
};

// The whole state of one walk over one vector; fields are open to the caller.
struct OptionParser {
  char** args;             // the vector, ended by a null entry; reordered only when permuting
  int32_t permute;         // non-zero: operands met before an option are moved behind it
  int32_t next_index;      // the next entry to examine
  int32_t option_id;       // the option last seen, an invalid one too (0 for an unknown long
                           // name); a call that ends the walk leaves it as it was
  const char* option_arg;  // its argument, pointing into an entry of args, or null
  char error_text[64];     // empty, or the message of the last error (<= 63 characters)
  int32_t cluster_offset;  // option characters of args[next_index] already handled
};

// Return values of the parse calls besides an option's character or id.
constexpr int32_t PARSE_END = -1;    // no more options
constexpr int32_t PARSE_ERROR = 63;  // error; the message is in error_text

// Starts a walk over args (null-terminated; an empty vector is allowed), with permute on.
// option_id is left as it was: it means something only after a parse call has set it.
void parser_init(OptionParser& parser, char** args);

// Returns the next short option's character, PARSE_END or PARSE_ERROR. spec lists the option
// characters, each followed by no colon, ":" (argument required) or "::" (optional): "ab:c::".
int32_t parse_short(OptionParser& parser, const char* spec);

// Returns the next option's id (a short option's character), PARSE_END or PARSE_ERROR.
// When index_out is given it receives the matched row's index (-1 first for a short option);
// it is left alone when nothing or no row matched. A call that returns PARSE_END (the end of
// the vector, "--", or an operand while not permuting) leaves option_id, option_arg and
// error_text as the previous call left them: after the last option, they still describe it.
int32_t parse_long(OptionParser& parser, const LongOption* table, int32_t* index_out = nullptr);

// Returns the next remaining entry and steps past it, or null at the end of the vector.
const char* next_operand(OptionParser& parser);

}  // namespace cmdline
