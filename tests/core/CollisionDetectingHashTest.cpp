#include "integrity/CollisionDetectingHash.h"
#include "integrity/Fingerprint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace qd {
namespace {

std::vector<std::uint8_t> readAttackFile(const std::string& name) {
    std::ifstream in(std::string(QD_SHA1DC_TEST_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Feeds the bytes in reads of at most `step`, whatever the reader is offered.
TCheckedDigest streamed(TCollisionDetectingHash& hash, const std::vector<std::uint8_t>& bytes,
                        std::size_t step) {
    std::size_t offset = 0;
    return hash.digestStream([&](std::uint8_t* buffer, std::size_t capacity) {
        const std::size_t got = std::min({capacity, step, bytes.size() - offset});
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), got, buffer);
        offset += got;
        return got;
    });
}

struct KnownAnswer {
    const char* file;
    const char* sha1cdsum; // what `sha1cdsum` prints for the file
    bool attack;           // `sha1cdsum` marks it "*coll*"
};

// Both twins of SHAttered (identical-prefix) and of "SHA-1 is a Shambles"
// (chosen-prefix) share a plain SHA-1 and are caught; a reduced-round
// collision is no attack on SHA-1 and digests as usual.
TEST(CollisionDetectingHash, AgreesWithSha1cdsumOnAttackFilesInAnyReadSize) {
    const KnownAnswer cases[] = {
        {"shattered-1.pdf", "16E96B70000DD1E7C85B8368EE197754400E58EC", true},
        {"shattered-2.pdf", "E1761773E6A35916D99F891B77663E6405313587", true},
        {"sha-mbles-1.bin", "4F3D9BE4A472C4DAE83C6314AA6C36A064C1FD14", true},
        {"sha-mbles-2.bin", "9ED5D77A4F48BE1DBF3E9E15650733EB850897F2", true},
        {"sha1_reducedsha_coll.bin", "A56374E1CF4C3746499BC7C0ACB39498AD2EE185", false},
    };
    TCollisionDetectingHash hash;
    for (const KnownAnswer& known : cases) {
        const std::vector<std::uint8_t> bytes = readAttackFile(known.file);
        ASSERT_FALSE(bytes.empty()) << known.file;
        for (const std::size_t step : {TSecHash::ReadBlockSize, std::size_t{61}}) {
            const TCheckedDigest checked = streamed(hash, bytes, step);
            EXPECT_EQ(HexDigest(checked.digest), known.sha1cdsum) << known.file << " " << step;
            EXPECT_EQ(checked.collisionAttack, known.attack) << known.file << " " << step;
        }
    }
}

// Ordinary data keeps its standard digest, so stored fingerprints do not change.
TEST(CollisionDetectingHash, OrdinaryDataGivesTheStandardDigest) {
    TCollisionDetectingHash hash;
    const std::string abc = "abc";
    hash.update(reinterpret_cast<const std::uint8_t*>(abc.data()), abc.size());
    const TCheckedDigest known = hash.finish();
    EXPECT_EQ(HexDigest(known.digest), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_FALSE(known.collisionAttack);
    EXPECT_EQ(HexDigest(hash.finish().digest), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");

    std::mt19937 random(7);
    for (const std::size_t size : {std::size_t{55}, std::size_t{64}, std::size_t{3 << 20}}) {
        std::vector<std::uint8_t> bytes(size);
        for (std::uint8_t& b : bytes)
            b = static_cast<std::uint8_t>(random());
        TSecHash plain(Sha1Engine::Scalar);
        plain.update(bytes.data(), bytes.size());
        const TCheckedDigest checked = streamed(hash, bytes, 1000);
        EXPECT_EQ(checked.digest, plain.finish()) << size;
        EXPECT_FALSE(checked.collisionAttack) << size;
    }
}

TEST(CollisionDetectingHash, StoredFingerprintIsRefusedForAnAttackOnly) {
    const TSecHashDigest abc{{0xA9993E36u, 0x4706816Au, 0xBA3E2571u, 0x7850C26Cu, 0x9CD0D89Du}};
    EXPECT_EQ(makeStoredFingerprint({abc, false}, "Cannot add \"x\""), makeItemFingerprint(abc));
    try {
        makeStoredFingerprint({abc, true}, "Cannot add \"e:\\kit\\x.exe\"");
        FAIL() << "an attack file got a fingerprint";
    } catch (const EQuillDeck& e) {
        EXPECT_STREQ(e.what(),
                     "Cannot add \"e:\\kit\\x.exe\": the file carries a SHA-1 collision attack.");
    }
}

} // namespace
} // namespace qd
