#pragma once
#include <string>

namespace qd {

// Paths are carried as the catalogue stores them, in the system's ANSI code
// page; the file-system calls take them wide, converted here and nowhere else.
std::wstring WidePath(const std::string& path);

} // namespace qd
