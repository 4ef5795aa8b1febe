#include "integrity/Fingerprint.h"
#include "integrity/SecHash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qd {
namespace {

std::vector<std::uint8_t> pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i % 251);
    return bytes;
}

std::string hexOf(TSecHash& hash, const std::string& text) {
    hash.update(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return HexDigest(hash.finish());
}

// Feeds the bytes to digestStream in reads as large as it asks for, the way
// a file reader does.
TSecHashDigest streamed(TSecHash& hash, const std::vector<std::uint8_t>& bytes) {
    std::size_t offset = 0;
    return hash.digestStream([&](std::uint8_t* buffer, std::size_t capacity) {
        const std::size_t got = std::min(capacity, bytes.size() - offset);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), got, buffer);
        offset += got;
        return got;
    });
}

// Every test of the digest itself runs on both compression paths.
class SecHashEngine : public ::testing::TestWithParam<Sha1Engine> {
  protected:
    void SetUp() override {
        if (GetParam() == Sha1Engine::ShaNi && !shaNiSupported())
            GTEST_SKIP() << "no SHA instructions on this processor";
    }
    std::string oneShotHex(const std::vector<std::uint8_t>& bytes) {
        TSecHash hash(GetParam());
        hash.update(bytes.data(), bytes.size());
        return HexDigest(hash.finish());
    }
};

TEST_P(SecHashEngine, Fips180KnownAnswers) {
    TSecHash hash(GetParam());
    EXPECT_EQ(hexOf(hash, "abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_EQ(hexOf(hash, "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
    EXPECT_EQ(hexOf(hash, std::string(1000000, 'a')), "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
}

TEST_P(SecHashEngine, StreamsAroundThePaddingBoundaries) {
    // 55 bytes fit one block with the length; 56..63 need a second; 64 and 65
    // put the 0x80 into the second block.
    const std::pair<std::size_t, const char*> cases[] = {
        {0, "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        {55, "8AE2D46729CFE68FF927AF5EEC9C7D1B66D65AC2"},
        {56, "636E2EC698DAC903498E648BD2F3AF641D3C88CB"},
        {63, "6D942DA0C4392B123528F2905C713A3CE28364BD"},
        {64, "C6138D514FFA2135BFCE0ED0B8FAC65669917EC7"},
        {65, "69BD728AD6E13CD76FF19751FDE427B00E395746"},
    };
    TSecHash hash(GetParam());
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(HexDigest(streamed(hash, pattern(size))), expected) << size << " bytes";
}

TEST_P(SecHashEngine, StreamsStraddlingTheReadBlock) {
    constexpr std::size_t Block = TSecHash::ReadBlockSize;
    TSecHash hash(GetParam());
    for (const std::size_t size : {Block - 1, Block, Block + 1, 2 * Block + 70}) {
        const std::vector<std::uint8_t> bytes = pattern(size);
        EXPECT_EQ(HexDigest(streamed(hash, bytes)), oneShotHex(bytes)) << size << " bytes";
    }
}

TEST_P(SecHashEngine, ChunksOfAnySizeGiveTheOneShotDigest) {
    // Chunks of 1, 2, ... 130 bytes leave every possible part-block behind.
    const std::vector<std::uint8_t> bytes = pattern(130 * 131 / 2);
    std::size_t offset = 0;
    std::size_t chunk = 0;
    TSecHash hash(GetParam());
    const TSecHashDigest streamed =
        hash.digestStream([&](std::uint8_t* buffer, std::size_t capacity) {
            chunk = std::min({capacity, bytes.size() - offset, chunk + 1});
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), chunk, buffer);
            offset += chunk;
            return chunk;
        });
    EXPECT_EQ(HexDigest(streamed), oneShotHex(bytes));
}

TEST_P(SecHashEngine, FailedDigestLeavesNothingBehind) {
    const std::vector<std::uint8_t> abc{'a', 'b', 'c'};
    TSecHash hash(GetParam());
    bool fed = false;
    EXPECT_THROW(hash.digestStream([&](std::uint8_t* buffer, std::size_t capacity) -> std::size_t {
        if (fed) throw EQuillDeck("device gone");
        fed = true;
        std::fill_n(buffer, capacity, 0x55);
        return capacity;
    }),
                 EQuillDeck);
    EXPECT_EQ(HexDigest(streamed(hash, abc)), "A9993E364706816ABA3E25717850C26C9CD0D89D");

    // A caller that updated by hand and gave up is not carried into a stream.
    hash.update(abc.data(), abc.size());
    EXPECT_EQ(HexDigest(streamed(hash, abc)), "A9993E364706816ABA3E25717850C26C9CD0D89D");
}

TEST_P(SecHashEngine, MillionCharacterKnownAnswerOverSeveralReads) {
    // Four read blocks, the last one partial.
    TSecHash hash(GetParam());
    EXPECT_EQ(HexDigest(streamed(hash, std::vector<std::uint8_t>(1000000, 'a'))),
              "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F");
}

INSTANTIATE_TEST_SUITE_P(Engines, SecHashEngine,
                         ::testing::Values(Sha1Engine::Scalar, Sha1Engine::ShaNi),
                         [](const auto& info) {
                             return info.param == Sha1Engine::Scalar ? "Scalar" : "ShaNi";
                         });

TEST(SecHash, ShaNiAndScalarAgreeOnRandomData) {
    if (!shaNiSupported()) GTEST_SKIP() << "no SHA instructions on this processor";
    TSecHash fast(Sha1Engine::ShaNi);
    TSecHash scalar(Sha1Engine::Scalar);
    EXPECT_EQ(TSecHash().engine(), Sha1Engine::ShaNi);
    std::mt19937 random(20240601);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> bytes(round < 290 ? random() % 5000 : random() % 3000000);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        fast.update(bytes.data(), bytes.size());
        scalar.update(bytes.data(), bytes.size());
        ASSERT_EQ(fast.finish(), scalar.finish()) << bytes.size() << " bytes";
    }
}

} // namespace
} // namespace qd
