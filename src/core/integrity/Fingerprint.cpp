#include "integrity/Fingerprint.h"

namespace qd {

std::string HexDigest(const TSecHashDigest& digest) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(40);
    for (const std::uint32_t word : digest.h)
        for (int shift = 28; shift >= 0; shift -= 4)
            text += Digits[(word >> shift) & 0xF];
    return text;
}

std::string ScrambleText(std::string_view text, std::uint8_t key1, std::uint8_t key2) {
    std::string scrambled(text);
    for (char& c : scrambled)
        c = static_cast<char>(static_cast<std::uint8_t>(c) ^ key1 ^ key2);
    return scrambled;
}

std::string makeItemFingerprint(const TSecHashDigest& digest) {
    return ScrambleText(HexDigest(digest), FingerprintKey1, FingerprintKey2);
}

std::string makeStoredFingerprint(const TCheckedDigest& checked, const std::string& refusal) {
    if (checked.collisionAttack) throw EQuillDeck(refusal + CollisionAttackReason);
    return makeItemFingerprint(checked.digest);
}

} // namespace qd
