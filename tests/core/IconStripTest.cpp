#include "catalogue/IconStrip.h"

#include "common/Error.h"
#include "FileLikeBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace qd {
namespace {

constexpr std::uint32_t Fuchsia = 0xFF00FF;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;
constexpr int StripWidth = 2 * IconSize;

void putLE(std::string& out, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

std::string le(std::uint32_t value, int bytes) {
    std::string out(bytes, '\0');
    putLE(out, 0, value, bytes);
    return out;
}

// How a test bitmap stores its pixels, as the writers of earlier versions
// might have at the display's depth.
struct Depth {
    const char* name;
    std::uint16_t bits;
    std::uint32_t compression;
    std::array<std::uint32_t, 3> masks; // red, green, blue; 16 and 32 bits only
    std::uint32_t headerSize;           // info, V4 or V5 header
    std::uint32_t coloursUsed;          // palette entries written; 0 = full palette
    std::vector<std::uint32_t> colours; // what the picture is painted with
};

const std::vector<std::uint32_t> AnyColours = {Fuchsia, 0x123456, 0xABCDEF, 0x000000, 0xFFFFFF};
// 16-bit pixels hold full-scale channels exactly.
const std::vector<std::uint32_t> FullScale = {Fuchsia,  0xFF0000, 0x00FF00,
                                              0x0000FF, 0xFFFFFF, 0x000000};
constexpr std::array<std::uint32_t, 3> Masks555 = {0x7C00, 0x03E0, 0x001F};
constexpr std::array<std::uint32_t, 3> Masks565 = {0xF800, 0x07E0, 0x001F};
constexpr std::array<std::uint32_t, 3> Masks888 = {0xFF0000, 0x00FF00, 0x0000FF};

const std::vector<Depth> Depths = {
    {"1 bit", 1, BiRgb, {}, 40, 2, {Fuchsia, 0x123456}},
    {"4 bits, short palette", 4, BiRgb, {}, 40, 5, AnyColours},
    {"8 bits, full palette", 8, BiRgb, {}, 40, 0, AnyColours},
    {"16 bits 5-5-5", 16, BiRgb, Masks555, 40, 0, FullScale},
    {"16 bits 5-6-5 bitfields", 16, BiBitfields, Masks565, 40, 0, FullScale},
    {"16 bits 5-6-5 bitfields, V4 header", 16, BiBitfields, Masks565, 108, 0, FullScale},
    {"24 bits", 24, BiRgb, {}, 40, 0, AnyColours},
    {"32 bits", 32, BiRgb, Masks888, 40, 0, AnyColours},
    {"32 bits bitfields, blue high",
     32,
     BiBitfields,
     {0x0000FF, 0x00FF00, 0xFF0000},
     40,
     0,
     AnyColours},
    {"32 bits bitfields, V5 header", 32, BiBitfields, Masks888, 124, 0, AnyColours},
};

// Colour indices of a strip of two images, in an irregular pattern so that a
// flipped, shifted or mirrored read shows.
using Picture = std::array<std::array<int, StripWidth>, IconSize>;

Picture paint(int colourCount) {
    Picture picture{};
    std::uint32_t seed = 12345;
    for (auto& row : picture)
        for (int& index : row) {
            seed = seed * 1103515245 + 12345;
            index = static_cast<int>(seed >> 16) % colourCount;
        }
    return picture;
}

std::uint32_t packChannels(std::uint32_t colour, const std::array<std::uint32_t, 3>& masks) {
    std::uint32_t pixel = 0;
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t value = colour >> (16 - 8 * c) & 0xFF;
        const int shift = __builtin_ctz(masks[c]);
        pixel |= (value * (masks[c] >> shift) / 255) << shift;
    }
    return pixel;
}

std::string writeBmp(const Depth& depth, const Picture& picture, bool topDown) {
    const std::uint32_t bits = depth.bits;
    const bool bitfields = depth.compression == BiBitfields;
    std::string header(depth.headerSize, '\0');
    putLE(header, 0, depth.headerSize, 4);
    putLE(header, 4, StripWidth, 4);
    putLE(header, 8, topDown ? -IconSize : IconSize, 4);
    putLE(header, 12, 1, 2);
    putLE(header, 14, bits, 2);
    putLE(header, 16, depth.compression, 4);
    putLE(header, 32, depth.coloursUsed, 4);
    std::string tables;
    if (bitfields && depth.headerSize > 40) // V4 and V5 hold the masks themselves
        for (int c = 0; c < 3; ++c)
            putLE(header, 40 + 4 * c, depth.masks[c], 4);
    else if (bitfields)
        for (std::uint32_t mask : depth.masks)
            tables += le(mask, 4);
    if (bits <= 8) {
        const std::uint32_t entries = depth.coloursUsed ? depth.coloursUsed : 1u << bits;
        for (std::uint32_t i = 0; i < entries; ++i)
            tables += le(i < depth.colours.size() ? depth.colours[i] : 0x010203, 4);
    }

    const std::size_t stride = (StripWidth * bits + 31) / 32 * 4;
    std::string pixels(stride * IconSize, '\0');
    // Bits no mask covers carry junk, which the reader must ignore.
    const std::uint32_t junk =
        (bits == 16 ? 0x8000 : 0xAB000000) & ~(depth.masks[0] | depth.masks[1] | depth.masks[2]);
    for (int fileRow = 0; fileRow < IconSize; ++fileRow) {
        const int y = topDown ? fileRow : IconSize - 1 - fileRow;
        const std::size_t row = fileRow * stride;
        for (int x = 0; x < StripWidth; ++x) {
            const int index = picture[y][x];
            const std::uint32_t colour = depth.colours[index];
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const std::size_t bit = x * bits;
                pixels[row + bit / 8] |= static_cast<char>(index << (8 - bits - bit % 8));
                break;
            }
            case 16:
                putLE(pixels, row + 2 * x, packChannels(colour, depth.masks) | junk, 2);
                break;
            case 24:
                putLE(pixels, row + 3 * x, colour, 3);
                break;
            default:
                putLE(pixels, row + 4 * x, packChannels(colour, depth.masks) | junk, 4);
            }
        }
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + header.size() + tables.size());
    return "BM" + le(offset + static_cast<std::uint32_t>(pixels.size()), 4) + le(0, 4) +
           le(offset, 4) + header + tables + pixels;
}

TEST(IconStrip, DecodesEveryDepthAndRowOrderWithFuchsiaTransparent) {
    for (const Depth& depth : Depths)
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::string(depth.name) + (topDown ? ", top-down" : ", bottom-up"));
            const Picture picture = paint(static_cast<int>(depth.colours.size()));
            const std::string bmp = writeBmp(depth, picture, topDown);
            const std::vector<IconImage> images = decodeIconStrip(bmp);
            ASSERT_EQ(images.size(), 2u);
            // Kept, each image is read from the strip's bytes when asked for.
            const auto kept =
                IconStrip::Keep(std::make_shared<qdtest::FileLikeBytes>(bmp), 0, bmp.size());
            if (depth.bits <= 8) {
                EXPECT_EQ(kept, nullptr); // a palette is checked at load, in full
            } else {
                ASSERT_NE(kept, nullptr);
                ASSERT_EQ(kept->ImageCount(), 2u);
                EXPECT_EQ(kept->Image(1), images[1]);
                EXPECT_EQ(kept->Image(0), images[0]);
            }
            int mismatches = 0;
            for (int x = 0; x < StripWidth; ++x)
                for (int y = 0; y < IconSize; ++y) {
                    const std::uint32_t colour = depth.colours[picture[y][x]];
                    const std::uint32_t expected =
                        colour == Fuchsia ? IconImage::Transparent : colour;
                    mismatches += images[x / IconSize].at(x % IconSize, y) != expected;
                }
            EXPECT_EQ(mismatches, 0);
        }
}

TEST(IconStrip, FiveBitChannelsScaleToFullRange) {
    // 5-5-5 red 16 of 31 and blue 1 of 31; a plain shift would give 0x800008.
    const Depth depth = Depths[3];
    std::string bmp = writeBmp(depth, Picture{}, false);
    putLE(bmp, bmp.size() - 4, 16 << 10 | 1, 2); // last row written is y = 0
    EXPECT_EQ(decodeIconStrip(bmp)[1].at(IconSize - 2, 0), 0x840008u);
}

const Depth& depthNamed(const std::string& name) {
    for (const Depth& depth : Depths)
        if (depth.name == name) return depth;
    throw std::logic_error("no depth " + name);
}

TEST(IconStrip, RejectsWhatIsNotSuchABitmap) {
    struct Case {
        const char* name;
        const char* depth;
        std::function<void(std::string&)> damage;
    };
    auto set32 = [](std::size_t at, std::uint32_t value) {
        return [=](std::string& bmp) { putLE(bmp, at, value, 4); };
    };
    auto set16 = [](std::size_t at, std::uint32_t value) {
        return [=](std::string& bmp) { putLE(bmp, at, value, 2); };
    };
    auto cutTo = [](std::size_t size) { return [=](std::string& bmp) { bmp.resize(size); }; };
    const Case cases[] = {
        {"empty", "24 bits", cutTo(0)},
        {"file header only", "24 bits", cutTo(14)},
        {"info header cut short", "24 bits", cutTo(14 + 39)},
        {"no BM", "24 bits", [](std::string& bmp) { bmp[1] = 'A'; }},
        {"core header", "24 bits", set32(14, 12)},
        {"unknown header size", "24 bits", set32(14, 64)},
        {"height 20", "24 bits", set32(22, 20)},
        {"height -22", "24 bits", set32(22, static_cast<std::uint32_t>(-22))},
        {"height INT_MIN", "24 bits", set32(22, 0x80000000)},
        {"width 0", "24 bits", set32(18, 0)},
        {"width negative", "24 bits", set32(18, static_cast<std::uint32_t>(-42))},
        {"width far past the data", "1 bit", set32(18, 21 * 100000000)},
        {"width largest multiple of 21", "32 bits", set32(18, 2147483646)},
        {"two planes", "24 bits", set16(26, 2)},
        {"2 bits", "24 bits", set16(28, 2)},
        {"0 bits", "24 bits", set16(28, 0)},
        {"64 bits", "32 bits", set16(28, 64)},
        {"RLE8", "8 bits, full palette", set32(30, 1)},
        {"RLE4", "4 bits, short palette", set32(30, 2)},
        {"bitfields at 24 bits", "24 bits", set32(30, BiBitfields)},
        {"JPEG", "24 bits", set32(30, 4)},
        {"alpha bitfields", "32 bits bitfields, V5 header", set32(30, 6)},
        {"more colours than the depth has", "4 bits, short palette", set32(46, 17)},
        {"palette cut short", "8 bits, full palette", cutTo(14 + 40 + 4 * 100)},
        {"index past a short palette", "4 bits, short palette",
         [](std::string& bmp) { bmp[14 + 40 + 4 * 5] = '\xF0'; }},
        {"pixel data cut short", "24 bits", [](std::string& bmp) { bmp.pop_back(); }},
        {"pixel data before the tables end", "4 bits, short palette", set32(10, 14 + 40 + 4 * 4)},
        {"pixel data past the end", "24 bits", set32(10, 0xFFFFFFF0)},
        {"zero mask", "16 bits 5-6-5 bitfields", set32(14 + 40 + 4, 0)},
        {"mask with a gap", "16 bits 5-6-5 bitfields", set32(14 + 40, 0xE800)},
        {"overlapping masks", "16 bits 5-6-5 bitfields", set32(14 + 40, 0xFC00)},
        {"mask wider than the pixel", "16 bits 5-6-5 bitfields", set32(14 + 40, 0x1F800)},
        {"masks cut short", "16 bits 5-6-5 bitfields", cutTo(14 + 40 + 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Depth& depth = depthNamed(c.depth);
        std::string bmp = writeBmp(depth, paint(static_cast<int>(depth.colours.size())), false);
        ASSERT_NO_THROW(decodeIconStrip(bmp));
        c.damage(bmp);
        try {
            decodeIconStrip(bmp);
            ADD_FAILURE() << "accepted";
        } catch (const EQuillDeck& e) {
            EXPECT_STREQ(e.what(), "Bitmap image is not valid");
        }
        // Kept, it is refused too, or left to the full decode that refuses it.
        try {
            EXPECT_EQ(IconStrip::Keep(std::make_shared<qdtest::FileLikeBytes>(bmp), 0, bmp.size()),
                      nullptr);
        } catch (const EQuillDeck& e) {
            EXPECT_STREQ(e.what(), "Bitmap image is not valid");
        }
    }
}

IconImage sampleIcon(int seed) {
    IconImage icon;
    for (int y = 0; y < IconSize; ++y)
        for (int x = 0; x < IconSize; ++x)
            if ((x + y + seed) % 4 != 0) // the rest stays transparent
                icon.at(x, y) = static_cast<std::uint32_t>(seed * 0x010203 + x * 0x0B0000 + y * 7);
    return icon;
}

TEST(IconStrip, EncodesA24BitBottomUpStripWithTransparentAsWhite) {
    IconImage icon;
    icon.at(0, 0) = 0x102030;            // top left
    icon.at(0, IconSize - 1) = 0xA0B0C0; // bottom left
    const std::string bmp = encodeIconStrip({icon});
    constexpr std::size_t Stride = 64; // 63 bytes of pixels, padded
    ASSERT_EQ(bmp.size(), 54 + Stride * IconSize);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.substr(2, 4), le(static_cast<std::uint32_t>(bmp.size()), 4));
    EXPECT_EQ(bmp.substr(10, 8), le(54, 4) + le(40, 4));
    EXPECT_EQ(bmp.substr(18, 12), le(IconSize, 4) + le(IconSize, 4) + le(1, 2) + le(24, 2));
    EXPECT_EQ(bmp.substr(30, 4), le(BiRgb, 4));
    // The first row in the file is the bottom one; blue, green, red.
    EXPECT_EQ(bmp.substr(54, 6), "\xC0\xB0\xA0\xFF\xFF\xFF");
    EXPECT_EQ(bmp[54 + 63], '\0');
    EXPECT_EQ(bmp.substr(54 + 20 * Stride, 3), "\x30\x20\x10");
}

TEST(IconStrip, RoundTripKeepsPixelsWhateverTheRowPadding) {
    // Widths of 1 to 4 images need 1, 2, 3 and 0 bytes of padding per row.
    for (int count = 1; count <= 4; ++count) {
        SCOPED_TRACE(count);
        std::vector<IconImage> images;
        for (int i = 0; i < count; ++i)
            images.push_back(sampleIcon(i));
        images[0].at(3, 5) = Fuchsia; // opaque fuchsia reads back as transparent
        std::vector<IconImage> expected = images;
        for (IconImage& image : expected)
            for (std::uint32_t& pixel : image.pixels)
                if (pixel == IconImage::Transparent) pixel = IconImage::White;
        expected[0].at(3, 5) = IconImage::Transparent;
        EXPECT_EQ(decodeIconStrip(encodeIconStrip(images)), expected);
    }
}

TEST(IconStrip, EncodingNoImagesIsRefused) {
    EXPECT_THROW(encodeIconStrip({}), std::invalid_argument);
}

} // namespace
} // namespace qd
