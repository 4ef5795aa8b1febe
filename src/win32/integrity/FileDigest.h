#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "integrity/CollisionDetectingHash.h"
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

// Reads an open file front to back for a digest's stream; a failed read
// throws EFileReadError naming `path`, which, like `betweenReads`, must
// outlive the reader.
TSecHash::Reader FileReader(HANDLE file, const std::string& path,
                           const std::function<void()>& betweenReads = {});

// The same through a handle the caller opened, from its current position.
TSecHashDigest DigestOpenFile(TSecHash& hash, HANDLE file, const std::string& path);

// The fingerprint to store for a file (adding, Reset Security), taken with
// collision detection: opened and read as DigestFile does, and for a file that
// carries a SHA-1 collision attack EQuillDeck with `refusal` followed by
// CollisionAttackReason.
std::string StoredFingerprintOf(const std::string& path, const std::string& refusal);

} // namespace qd
