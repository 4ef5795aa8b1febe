#pragma once
#include <string>
#include <string_view>

namespace qd {

// The launcher may live in a folder named in any script, while the catalogue
// and the INI file hold text in the system's ANSI code page. So paths the
// program carries (the launcher folder, resolved item paths) are UTF-8, stored
// text stays ANSI, and both become wide only where they meet a "W" call.

// Tells the text routines which bytes of the system's ANSI code page start
// two-byte characters (AnsiText.h).
void UseSystemCodePage();

std::wstring WidePath(const std::string& path);
std::string PathFromWide(std::wstring_view path);

std::wstring WideFromAnsi(const std::string& text);
// Characters the code page lacks become '?'.
std::string AnsiFromWide(const std::wstring& text);

// A path read from stored text, and a path for the few places (messages,
// ANSI-only dialogs) that take ANSI text.
std::string PathFromAnsi(const std::string& text);
std::string AnsiFromPath(const std::string& path);

} // namespace qd
