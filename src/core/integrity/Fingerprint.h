#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "integrity/CollisionDetectingHash.h"
#include "integrity/SecHash.h"

namespace qd {

// The usual printed form of a SHA-1 digest, upper case: H0..H4, 8 digits each.
std::string HexDigest(const TSecHashDigest& digest);

// Every character XOR key1, then XOR key2. Applied twice it gives the text back.
std::string ScrambleText(std::string_view text, std::uint8_t key1, std::uint8_t key2);

// The program's pair, used for every fingerprint. Together they map the 16
// hex digits to distinct printable characters other than the catalogue's '|'.
constexpr std::uint8_t FingerprintKey1 = 0x5A;
constexpr std::uint8_t FingerprintKey2 = 0x46;

// The text kept in an item's Fingerprint cell and compared exactly.
std::string makeItemFingerprint(const TSecHashDigest& digest);

// Why no fingerprint is stored for a file that carries a collision attack:
// its twin, harmless or not, would match it.
constexpr char CollisionAttackReason[] = ": the file carries a SHA-1 collision attack.";

// The fingerprint to store (adding, Reset Security) for a collision-checked
// digest. For a file with an attack it throws EQuillDeck with `refusal`
// followed by CollisionAttackReason ("Cannot add \"x.exe\"" + reason).
std::string makeStoredFingerprint(const TCheckedDigest& checked, const std::string& refusal);

} // namespace qd
