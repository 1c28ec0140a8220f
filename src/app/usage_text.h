// The version line and the usage text, both written to standard output.
#pragma once

#include <cstdint>

namespace app {

extern const char* const VERSION_TEXT;
extern const char* const USAGE_BANNER;    // six lines: copyright, warning, rules of evaluation
extern const char* const USAGE_EXAMPLES;  // ten lines: "Examples:" and nine command lines

// Writes "<program> <VERSION_TEXT>\n"; returns 0.
int32_t print_version(const char* program);

// Writes the version line, the banner, one line per option and the examples; returns 0.
int32_t print_usage(const char* program);

}  // namespace app
