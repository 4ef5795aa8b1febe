#pragma once
#include <string>

namespace qd {

// What the start-up pass may conclude about an item's executable. Only a
// file system that answers "not there" makes it Missing: a drive or share
// that is not attached, a denied or failed lookup leaves it Unknown, and the
// item is then kept as it is.
enum class FileState { Exists, Missing, Unknown };

// How a lookup of a full path ended, in the platform's terms.
enum class LookupOutcome { File, Folder, FileNotFound, PathNotFound, OtherError };

// A file or path that was not found is missing only when the path's drive
// or share root answers (`rootReachable`).
FileState judgeLookup(LookupOutcome outcome, bool rootReachable);

// The drive or share root of a full path with its trailing backslash
// ("C:\", "\\server\share\"), or "" when the path names none.
std::string pathRoot(const std::string& fullPath);

// Full paths of MAX_PATH (260) characters or more get the extended-length
// prefix ("\\?\C:\...", "\\?\UNC\server\share\...") that lets the file
// system take them; shorter ones and other forms come back unchanged.
std::string extendedLengthPath(const std::string& fullPath);

} // namespace qd
