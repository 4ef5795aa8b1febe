#include "catalogue/ItemTable.h"
#include "integrity/Fingerprint.h"

#include <gtest/gtest.h>

#include <set>

namespace qd {
namespace {

TEST(Fingerprint, HexDigestIsFortyUpperCaseDigitsWithLeadingZeros) {
    const TSecHashDigest digest{{0x01234567u, 0x89ABCDEFu, 0u, 0xFEDCBA98u, 0xFu}};
    EXPECT_EQ(HexDigest(digest), "0123456789ABCDEF00000000FEDCBA980000000F");
}

TEST(Fingerprint, ScramblingAppliesBothKeysAndUndoesItself) {
    EXPECT_EQ(ScrambleText("AB", 0x01, 0x02), "BA"); // 'A' ^ 1 ^ 2 == 'B'
    const std::string text("My Tool \xC4|\x01", 11);
    const std::string once = ScrambleText(text, 0x9C, 0x33);
    EXPECT_EQ(once.size(), text.size());
    EXPECT_NE(once, text);
    EXPECT_EQ(ScrambleText(once, 0x9C, 0x33), text);
}

TEST(Fingerprint, ProgramKeysMapHexDigitsToDistinctStorableCharacters) {
    std::set<char> seen;
    for (const char digit : std::string("0123456789ABCDEF")) {
        const char c = ScrambleText(std::string(1, digit), FingerprintKey1, FingerprintKey2)[0];
        EXPECT_GE(c, 0x20) << digit;
        EXPECT_LE(c, 0x7E) << digit;
        EXPECT_NE(c, CellSeparator) << digit;
        seen.insert(c);
    }
    EXPECT_EQ(seen.size(), 16u);
}

TEST(Fingerprint, ItemFingerprintIsStableAndReadsBackAsTheHexDigest) {
    // Catalogue files keep fingerprints across versions: the form must not change.
    const TSecHashDigest abc{{0xA9993E36u, 0x4706816Au, 0xBA3E2571u, 0x7850C26Cu, 0x9CD0D89Du}};
    const std::string fingerprint = makeItemFingerprint(abc);
    EXPECT_EQ(fingerprint, "]%%%/Y/*(+,*$-*]^]/Y.)+-+$),_.*_%_X,X$%X");
    EXPECT_EQ(ScrambleText(fingerprint, FingerprintKey1, FingerprintKey2), HexDigest(abc));
}

} // namespace
} // namespace qd
