#pragma once
#include <cstdint>
#include <string>

namespace qd {

// One string of an executable's version resource, looked up under the first
// translation only. "" when the file, the resource, the translation or the key
// is missing; never throws.
// The path is UTF-8; the string comes back as ANSI text.
std::string ReadVersionString(const std::string& path, const std::string& key);

// "StringFileInfo\LLLLCCCC\key" for a translation entry (language in the low
// word, code page in the high word), four upper-case hex digits each.
std::string VersionStringPath(std::uint32_t translation, const std::string& key);

} // namespace qd
