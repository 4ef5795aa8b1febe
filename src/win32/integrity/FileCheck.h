#pragma once
#include <string>

#include "integrity/FileState.h"

namespace qd {

// A full path (UTF-8) as the wide file-system calls take it at any length:
// the extended-length form from MAX_PATH on.
std::wstring FileSystemPath(const std::string& fullPath);

// Whether the executable at a full path is there. Missing only when the file
// system says so: an unattached drive or share, a denied or failed lookup
// gives Unknown.
FileState CheckItemFile(const std::string& fullPath);

} // namespace qd
