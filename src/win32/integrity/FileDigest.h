#pragma once
#include <functional>
#include <string>

#include "integrity/SecHash.h"

namespace qd {

// The SHA-1 digest of a file, read in large blocks under the busy cursor.
// The file is opened for reading only and shared in every way, so read-only
// media and files that other programs hold open still digest. Throws
// ESecHashException when it cannot be opened (or is a folder), EQuillDeck when
// a read fails part-way.
// `betweenReads`, when given, runs after each block: a big file takes
// seconds, and the caller may let waiting messages run meanwhile.
TSecHashDigest DigestFile(TSecHash& hash, const std::string& path,
                          const std::function<void()>& betweenReads = {});

} // namespace qd
