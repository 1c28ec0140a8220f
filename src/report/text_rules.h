// The text rules of PIE documents: inventory tools read them with real XML parsers, so a text
// from the command line must neither end an attribute nor start markup, and must parse whatever
// its bytes are.
#pragma once

#include <string>

namespace report {

// text as the value of a double-quoted XML attribute: markup characters, tab, line feed and
// carriage return as references; each ill-formed UTF-8 piece (a maximal subpart of a sequence,
// as Unicode counts them) and each character that XML 1.0 cannot carry (control characters,
// U+FFFE, U+FFFF) as U+FFFD; everything else as given.
std::string xml_attribute_text(const char* text);

}  // namespace report
