#pragma once
#include <string>
#include <string_view>

namespace qd {

// Case changes touch only ASCII A-Z/a-z: every other ANSI byte stays as it is,
// whatever the code page or C locale says.
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);

// Strict decimal conversion of a table cell: optional '-', digits only, fits in
// an int. Anything else (empty, spaces, "1x", overflow) gives no value.
bool parseDecimal(std::string_view text, int& value);

} // namespace qd
