#pragma once
#include <string>

namespace qd {

// Stored text is ANSI; the wide calls that take long paths get it converted
// with the system code page, and their answers come back the same way.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);

} // namespace qd
