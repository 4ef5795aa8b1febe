#pragma once
#include <string>
#include <string_view>

namespace qd {

// "d:" for a path on a drive, "\\server\share" for a network path, else "".
std::string_view drivePart(std::string_view path);

// The text after the last '\' or ':'.
std::string_view fileNamePart(std::string_view path);

// The RelativePath an item is stored under: `fullPath` (any letter case; the
// result is lower case) relative to the launcher folder, which ends with a
// backslash. On another drive or share the lower-case full path itself.
std::string makeRelativePath(std::string_view launcherFolder, std::string_view fullPath);

} // namespace qd
