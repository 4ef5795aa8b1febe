#pragma once
#include <array>
#include <string>
#include <string_view>

namespace qd {

// Case changes touch only ASCII A-Z/a-z: every other ANSI byte stays as it is,
// whatever the code page or C locale says.
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);

// Bytes of the system's ANSI code page that start a two-byte character. In the
// East Asian pages the second byte may be any of 0x40..0xFE, '|' and '\\'
// among them ("\x83\x7C" is one katakana in Shift-JIS), so a scan for such a
// byte must step over whole characters. Single-byte pages, the default, have
// none. Set once at start-up from the system.
using LeadByteTable = std::array<bool, 256>;
void setAnsiLeadBytes(const LeadByteTable& leadBytes);

// Offset of the first character `c` (a single-byte character) at or after
// `from`, or npos; the second byte of a two-byte character never matches.
std::size_t findAnsiChar(std::string_view text, char c, std::size_t from = 0);
// The longest length up to `limit` that does not end inside a character.
std::size_t ansiPrefixLength(std::string_view text, std::size_t limit);

// Strict decimal conversion of a table cell: optional '-', digits only, fits in
// an int. Anything else (empty, spaces, "1x", overflow) gives no value.
bool parseDecimal(std::string_view text, int& value);

} // namespace qd
