#pragma once
#include <string>

#include "integrity/SecHash.h"

namespace qd {

// The launcher's digest over a file read with stdio, for native tools.
// Throws ESecHashException when the file cannot be opened (or is a folder),
// EFileReadError when a read fails part-way.
TSecHashDigest digestStdioFile(TSecHash& hash, const std::string& path);

} // namespace qd
