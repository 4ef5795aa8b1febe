#pragma once
#include <string>

namespace qd {

// The RelativePath under which the catalogue stores `path` (UTF-8, any letter
// case), relative to the launcher folder (UTF-8). The catalogue holds ANSI
// text: a name the code page cannot spell is stored by its short (8.3) name,
// lower case, which the volume keeps wherever the stick goes. A name with no
// short name (exFAT, short names off) is refused with EQuillDeck saying why;
// a path that names no file throws ESecHashException ("File not found !").
std::string StoredRelativePath(const std::string& launcherFolder, const std::string& path);

} // namespace qd
