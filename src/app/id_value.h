// Conversion of ID and count arguments to numbers.
#pragma once

#include <cstdint>

namespace app {

// Reads an optionally signed number in the base its prefix gives ("0x"/"0X" hexadecimal, "0"
// octal, else decimal), stopping at the first non-digit. Never fails: no digits give 0, a value
// above 4294967295 gives 4294967295 whatever the sign, and "-" negates modulo 2^32.
uint32_t parse_id_value(const char* text);

}  // namespace app
