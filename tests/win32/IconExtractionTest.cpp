#include "items/IconExtraction.h"

#include <gtest/gtest.h>

#include "support/DialogWatcher.h"

namespace qd {
namespace {

const std::string ManyIcons = qdtest::builtFile(QD_SAMPLE_MANY_ICONS);
const std::string Versioned = qdtest::builtFile(QD_SAMPLE_VERSIONED);
const std::string Bare = qdtest::builtFile(QD_SAMPLE_BARE);

IconImage filled(std::uint32_t colour) {
    IconImage image;
    image.pixels.fill(colour);
    return image;
}

TEST(ItemIcons, CountPerProgram) {
    EXPECT_EQ(IconCount(ManyIcons), 3);
    EXPECT_EQ(IconCount(Versioned), 0);
    EXPECT_EQ(IconCount(Bare), 0);
    qdtest::TempFolder folder;
    EXPECT_EQ(IconCount(folder.file("missing.exe")), 0);
}

// Icon 0 is 32 x 32 in quadrants: red, green / fuchsia, see-through. Scaled
// to 21 x 21 the quadrants meet between pixels 10 and 11; those two lines
// depend on how the scaling rounds and are left out.
TEST(ItemIcons, FirstIconKeepsItsColoursAndFuchsiaIsTransparent) {
    const IconImage image = ExtractItemIcon(ManyIcons, 0);
    for (int y = 0; y < IconSize; ++y) {
        for (int x = 0; x < IconSize; ++x) {
            if (x == 10 || x == 11 || y == 10 || y == 11) continue;
            const bool left = x < 10;
            const std::uint32_t expected = y < 10
                                               ? (left ? 0xFF0000u : 0x00A000u)
                                               : (left ? IconImage::Transparent : IconImage::White);
            ASSERT_EQ(image.at(x, y), expected) << x << "," << y;
        }
    }
}

TEST(ItemIcons, EachIndexGivesItsOwnIcon) {
    EXPECT_EQ(ExtractItemIcon(ManyIcons, 1), filled(0x0000FF));
    EXPECT_EQ(ExtractItemIcon(ManyIcons, 2), filled(0xFFDC00));
}

TEST(ItemIcons, NoIconThereGivesWhiteImage) {
    qdtest::TempFolder folder;
    const std::string text = folder.file("notes.exe");
    qdtest::writeFile(text, "not a program");
    struct Case {
        std::string path;
        int index;
    };
    for (const Case& c : {Case{Bare, 0}, Case{ManyIcons, 3}, Case{ManyIcons, -1},
                          Case{ManyIcons, -2}, Case{text, 0}, Case{folder.file("missing.exe"), 0}})
        EXPECT_EQ(ExtractItemIcon(c.path, c.index), filled(IconImage::White))
            << c.path << " #" << c.index;
}

} // namespace
} // namespace qd
