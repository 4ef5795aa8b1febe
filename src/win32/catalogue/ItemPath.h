#pragma once
#include <string>

namespace qd {

// Full path of an item's RelativePath: the launcher folder becomes the current
// directory and the path is expanded against it. The launcher folder is set
// every time, because a launch may have moved the current directory. The
// launcher folder and the result are UTF-8 paths; RelativePath is ANSI text.
std::string ResolveItemPath(const std::string& launcherFolder, const std::string& relativePath);

} // namespace qd
