#pragma once
#include <string>

#include "integrity/CollisionDetectingHash.h"
#include "integrity/SecHash.h"

namespace qd {

// The launcher's digests over a file read with stdio, for native tools.
// Throw ESecHashException when the file cannot be opened (or is a folder),
// EFileReadError when a read fails part-way.
TSecHashDigest digestStdioFile(TSecHash& hash, const std::string& path);
TCheckedDigest digestStdioFile(TCollisionDetectingHash& hash, const std::string& path);

} // namespace qd
