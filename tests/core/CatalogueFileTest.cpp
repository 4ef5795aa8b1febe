#include "catalogue/CatalogueFile.h"

#include "catalogue/IconStrip.h"
#include "common/Error.h"
#include "FileLikeBytes.h"
#include "ShiftJis.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qd {
namespace {

using namespace std::string_literals;

std::string le32(std::uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    return out;
}

IconImage iconWithCorner(std::uint32_t colour) {
    IconImage icon; // transparent elsewhere
    icon.at(0, 0) = colour;
    icon.at(IconSize - 1, IconSize - 1) = 0xFFFFFF;
    return icon;
}

RowCells item(const std::string& title) {
    return {title,
            "tools\\" + title + ".exe",
            title + ".exe",
            "2",
            "-x \"a b\"",
            "1",
            std::string(40, 'F'),
            "3"};
}

// The strip length and the strip of a catalogue.
std::string stripPart(const std::vector<IconImage>& images) {
    const std::string strip = encodeIconStrip(images);
    return le32(static_cast<std::uint32_t>(strip.size())) + strip;
}

// A catalogue of `images` icons followed by the given record texts.
std::string catalogue(int images, const std::vector<std::string>& records) {
    std::string out = stripPart(std::vector<IconImage>(images, iconWithCorner(1)));
    for (const std::string& text : records)
        out += le32(static_cast<std::uint32_t>(text.size())) + text;
    return out;
}

ItemTable tableOf(const std::vector<std::string>& titles) {
    ItemTable table;
    for (std::size_t i = 0; i < titles.size(); ++i)
        table.addItem(item(titles[i]),
                      iconWithCorner(0x102030 * static_cast<std::uint32_t>(i + 1)));
    return table;
}

TEST(CatalogueFile, RecordIsLengthThenCellsJoinedBySeparator) {
    EXPECT_EQ(encodeRowRecord({"Editor", "tools\\ed.exe", "ed.exe", "0", "", "0", "0", "0"}),
              "\x23\x00\x00\x00"s
              "Editor|tools\\ed.exe|ed.exe|0||0|0|0");
    EXPECT_EQ(encodeRowRecord(RowCells{}), le32(7) + "|||||||");
}

TEST(CatalogueFile, FileIsStripLengthStripThenRecordsInRowOrder) {
    const ItemTable table = tableOf({"One", "Two"});
    const std::string strip = encodeIconStrip({table.icon(0), table.icon(1)});
    EXPECT_EQ(encodeCatalogue(table), le32(static_cast<std::uint32_t>(strip.size())) + strip +
                                          encodeRowRecord(item("One")) +
                                          encodeRowRecord(item("Two")));
}

TEST(CatalogueFile, SaveThenLoadGivesTheSameRowsWithTransparentAsWhite) {
    ItemTable saved = tableOf({"One", "Two", "Three"});
    saved.setCell(ColFingerprint, 1, "0");
    saved.setCell(ColCommandLine, 2, "");
    saved.setRowHeight(1, HiddenRowHeight); // hidden rows are saved like the others

    ItemTable loaded = tableOf({"stale"});
    decodeCatalogue(encodeCatalogue(saved), loaded);
    ASSERT_EQ(loaded.rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(loaded.cells(r), saved.cells(r));
        IconImage expected = saved.icon(r);
        for (std::uint32_t& pixel : expected.pixels)
            if (pixel == IconImage::Transparent) pixel = IconImage::White;
        EXPECT_EQ(loaded.icon(r), expected);
        EXPECT_EQ(loaded.rowHeight(r), DefaultRowHeight);
    }
    EXPECT_EQ(loaded.trayEntryCount(), 0); // start-up builds them after validation
    EXPECT_EQ(loaded.trayFirstRow(), 3);
}

TEST(CatalogueFile, OneItemLoadsIntoRowZero) {
    ItemTable table;
    decodeCatalogue(encodeCatalogue(tableOf({"Solo"})), table);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.imageCount(), 1);
    EXPECT_EQ(table.cell(ColTitle, 0), "Solo");
}

TEST(CatalogueFile, SeparatorInACellIsWrittenAsBrokenBarAndKeepsEightCells) {
    RowCells cells = item("A");
    cells[ColCommandLine] = "x|y";
    ItemTable table;
    decodeCatalogue(stripPart({IconImage{}}) + encodeRowRecord(cells), table);
    EXPECT_EQ(table.cell(ColCommandLine, 0), "x\xA6y");
    EXPECT_EQ(table.cell(ColWindowStyle, 0), "1");
}

// In a double-byte code page '|' is also the second byte of characters, so
// paths and titles written in it must come back byte for byte.
TEST(CatalogueFile, DoubleByteTextKeepsItsBytesAndOnlyARealBarIsReplaced) {
    using qdtest::Hyo;
    using qdtest::Po;
    const qdtest::ShiftJisCodePage shiftJis;
    RowCells cells = item("A");
    cells[ColTitle] = std::string(Po) + "|" + Po;
    cells[ColRelativePath] = std::string("tools-") + Po + Hyo + "\\" + Po + ".exe";
    cells[ColFileName] = std::string(Po) + ".exe";
    cells[ColCommandLine] = std::string("-x ") + Po;
    ItemTable saved;
    saved.addItem(cells, IconImage{});

    ItemTable loaded;
    decodeCatalogue(encodeCatalogue(saved), loaded);
    RowCells expected = cells;
    expected[ColTitle] = std::string(Po) + SeparatorStandIn + Po;
    EXPECT_EQ(loaded.cells(0), expected);
}

TEST(CatalogueFile, ShortRecordLeavesTheRestEmptyAndExtraPiecesAreDropped) {
    ItemTable table;
    decodeCatalogue(catalogue(2, {"Tool|t.exe", "A|b|c|d|e|f|g|h|i|j"}), table);
    EXPECT_EQ(table.cells(0), (RowCells{"Tool", "t.exe", "", "", "", "", "", ""}));
    EXPECT_EQ(table.cells(1), (RowCells{"A", "b", "c", "d", "e", "f", "g", "h"}));
}

// A 24-bit bottom-up strip `width` pixels wide whose column x has colour(x).
std::string stripOfWidth(int width, std::uint32_t (*colour)(int x)) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string pixels(static_cast<std::size_t>(stride) * IconSize, '\0');
    for (int y = 0; y < IconSize; ++y)
        for (int x = 0; x < width; ++x)
            for (int b = 0; b < 3; ++b)
                pixels[y * stride + 3 * x + b] = static_cast<char>(colour(x) >> (8 * b) & 0xFF);
    std::string header = le32(40) + le32(static_cast<std::uint32_t>(width)) + le32(IconSize) +
                         "\x01\x00\x18\x00"s + le32(0) + le32(0) + le32(0) + le32(0) + le32(0) +
                         le32(0);
    const std::string bmp = "BM"s + le32(static_cast<std::uint32_t>(54 + pixels.size())) + le32(0) +
                            le32(54) + header + pixels;
    return le32(static_cast<std::uint32_t>(bmp.size())) + bmp;
}

std::string records(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts)
        out += le32(static_cast<std::uint32_t>(text.size())) + text;
    return out;
}

TEST(CatalogueFile, EveryRecordLoadsWhateverTheStripHolds) {
    IconImage white;
    white.pixels.fill(IconImage::White);
    ItemTable table;

    // Fewer images than records: the rows without one get a white icon.
    decodeCatalogue(catalogue(1, {"One|a", "Two|b", "Three|c"}), table);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.icon(0).at(0, 0), 1u);
    EXPECT_EQ(table.icon(1), white);
    EXPECT_EQ(table.icon(2), white);

    // More images than records: the surplus is dropped, image i stays row i's.
    decodeCatalogue(
        stripPart({iconWithCorner(0x111111), iconWithCorner(0x222222), iconWithCorner(0x333333)}) +
            records({"One|a", "Two|b"}),
        table);
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.icon(1).at(0, 0), 0x222222u);
    EXPECT_EQ(table.imageCount(), 2);

    // A width that is not a multiple of 21 gives its whole images only.
    decodeCatalogue(stripOfWidth(21 + 13, [](int x) { return x < 21 ? 0x0000FFu : 0x00FF00u; }) +
                        records({"One|a", "Two|b"}),
                    table);
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.icon(0).at(20, 10), 0x0000FFu);
    EXPECT_EQ(table.icon(1), white);
    decodeCatalogue(stripOfWidth(13, [](int) { return 0x00FF00u; }) + records({"One|a"}), table);
    EXPECT_EQ(table.cell(ColTitle, 0), "One");
    EXPECT_EQ(table.icon(0), white);
}

TEST(CatalogueFile, RecordWithEmptyTitleIsNamedAfterItsFile) {
    const std::string bytes =
        stripPart({iconWithCorner(0x111111), iconWithCorner(0x222222), iconWithCorner(0x333333),
                   iconWithCorner(0x444444)}) +
        encodeRowRecord({"", "tools\\first.exe", "first.exe", "0", "", "0", "FP", "0"}) +
        encodeRowRecord(RowCells{}) + encodeRowRecord(item("Kept")) +
        encodeRowRecord({"", "ghost\\g.exe", "", "", "", "", "", ""});
    ItemTable table;
    decodeCatalogue(bytes, table);
    ASSERT_EQ(table.rowCount(), 3);
    // Path and fingerprint are kept; only a record with nothing of an item goes.
    EXPECT_EQ(table.cells(0),
              (RowCells{"first.exe", "tools\\first.exe", "first.exe", "0", "", "0", "FP", "0"}));
    EXPECT_EQ(table.icon(0).at(0, 0), 0x111111u);
    EXPECT_EQ(table.cells(1), item("Kept"));
    EXPECT_EQ(table.icon(1).at(0, 0), 0x333333u);
    EXPECT_EQ(table.cell(ColTitle, 2), "ghost\\g.exe");
    EXPECT_EQ(table.icon(2).at(0, 0), 0x444444u);

    // Only empty records: the empty table, and no error.
    decodeCatalogue(catalogue(1, {"|"}), table);
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(table.rowCount(), 1);
}

TEST(CatalogueFile, DamagedFileGivesItsMessageAndLeavesTheTableEmpty) {
    const std::string good = catalogue(2, {"One|a", "Two|b"});
    const std::size_t stripEnd = good.size() - (4 + 5) * 2;
    auto withLength = [&](std::size_t at, std::uint32_t length) {
        return good.substr(0, at) + le32(length) + good.substr(at + 4);
    };
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const char* const Bitmap = "Bitmap image is not valid";
    const char* const Read = "Stream read error";
    const Case cases[] = {
        {"length field cut short", "\x01\x02\x03"s, Read},
        {"strip length 0", withLength(0, 0), Bitmap},
        {"strip length negative", withLength(0, 0xFFFFFFFF), Bitmap},
        {"strip length past the end", withLength(0, static_cast<std::uint32_t>(good.size())), Read},
        {"strip length largest", withLength(0, 0x7FFFFFFF), Read},
        {"strip not a BMP", le32(5) + "nobmp" + le32(5) + "One|a", Bitmap},
        {"strip not a BMP, records damaged too", le32(5) + "nobmp" + "tail", Bitmap},
        {"no record", good.substr(0, stripEnd), Read},
        {"record length negative", withLength(stripEnd, 0xFFFFFFFE), Read},
        {"record length past the end", withLength(stripEnd + 9, 6), Read},
        {"record length cut short", good + "\x01\x00"s, Read},
    };
    // Loaded from memory, and left in its file: the same message either way.
    const std::function<void(const std::string&, ItemTable&)> loaders[] = {
        [](const std::string& bytes, ItemTable& table) { decodeCatalogue(bytes, table); },
        [](const std::string& bytes, ItemTable& table) {
            decodeCatalogueLeavingImages(std::make_shared<qdtest::FileLikeBytes>(bytes), table);
        },
    };
    for (const Case& c : cases)
        for (const auto& load : loaders) {
            SCOPED_TRACE(c.name);
            ItemTable table = tableOf({"stale", "rows"});
            table.setCurrentRow(1);
            try {
                load(c.bytes, table);
                ADD_FAILURE() << "accepted";
            } catch (const EQuillDeck& e) {
                EXPECT_STREQ(e.what(), c.message);
            }
            EXPECT_TRUE(table.isEmpty());
            EXPECT_EQ(table.rowCount(), 1);
            EXPECT_EQ(table.cells(0), RowCells{});
            EXPECT_EQ(table.imageCount(), 0);
            EXPECT_EQ(table.trayEntryCount(), 0);
            EXPECT_EQ(table.currentRow(), 0);
        }
}

ItemTable manyItems(int count) {
    ItemTable table;
    for (int i = 0; i < count; ++i)
        table.addItem(item("Item" + std::to_string(i)),
                      iconWithCorner(static_cast<std::uint32_t>(0x010307 * (i + 1)) & 0xFFFFFF));
    return table;
}

TEST(CatalogueFile, LeftInItsFileOnlyHeadersAndRecordsAreReadUntilAnImageIsDrawn) {
    const ItemTable saved = manyItems(300);
    const std::string bytes = encodeCatalogue(saved);
    std::size_t recordBytes = 0;
    for (int r = 0; r < saved.rowCount(); ++r)
        recordBytes += encodeRowRecord(saved.cells(r)).size();
    ItemTable whole;
    decodeCatalogue(bytes, whole);

    const auto file = std::make_shared<qdtest::FileLikeBytes>(bytes);
    ItemTable table;
    decodeCatalogueLeavingImages(file, table);
    ASSERT_EQ(table.rowCount(), 300);
    for (int r = 0; r < table.rowCount(); ++r)
        EXPECT_EQ(table.cells(r), whole.cells(r));
    EXPECT_EQ(table.trayEntryCount(), 0);
    EXPECT_LE(file->bytesRead, 4 + IconStrip::HeadSize + recordBytes);

    // A drawn image costs its own 21 rows of 21 pixels, once.
    std::size_t before = file->bytesRead;
    EXPECT_EQ(table.icon(250), whole.icon(250));
    EXPECT_EQ(file->bytesRead - before, std::size_t{IconSize} * IconSize * 3);
    before = file->bytesRead;
    EXPECT_EQ(table.icon(250), whole.icon(250));
    EXPECT_EQ(file->bytesRead, before);

    // Held once for all the rows that share the file; what a save writes is
    // then what was read, every image included.
    table.holdImages();
    EXPECT_EQ(file->holds, 1);
    EXPECT_EQ(encodeCatalogue(table), bytes);
}

TEST(CatalogueFile, AnImageThatCannotBeReadIsWhiteUntilItCanAndIsNeverHeldWhite) {
    const std::string bytes = encodeCatalogue(manyItems(3));
    ItemTable whole;
    decodeCatalogue(bytes, whole);
    const auto file = std::make_shared<qdtest::FileLikeBytes>(bytes);
    ItemTable table;
    decodeCatalogueLeavingImages(file, table);

    file->failing = true;
    IconImage white;
    white.pixels.fill(IconImage::White);
    EXPECT_EQ(table.icon(1), white);
    EXPECT_THROW(table.holdImages(), EQuillDeck);
    file->failing = false;
    EXPECT_EQ(table.icon(1), whole.icon(1));
}

// An 8-bit strip of one image whose pixels are all palette entry 1 (blue).
std::string paletteStripPart() {
    const std::string header = le32(40) + le32(IconSize) + le32(IconSize) + "\x01\x00\x08\x00"s +
                               le32(0) + le32(0) + le32(0) + le32(0) + le32(2) + le32(0);
    const std::string palette = le32(0xFF0000) + le32(0x0000FF);
    const std::string pixels(std::size_t{24} * IconSize, '\x01'); // rows padded to 24 bytes
    const std::uint32_t offset = 14 + 40 + 8;
    const std::string bmp = "BM"s + le32(offset + static_cast<std::uint32_t>(pixels.size())) +
                            le32(0) + le32(offset) + header + palette + pixels;
    return le32(static_cast<std::uint32_t>(bmp.size())) + bmp;
}

TEST(CatalogueFile, AStripWithAPaletteIsHeldAndCheckedWhileTheCatalogueLoads) {
    const auto file =
        std::make_shared<qdtest::FileLikeBytes>(paletteStripPart() + records({"One|a"}));
    ItemTable table;
    decodeCatalogueLeavingImages(file, table);
    EXPECT_EQ(file->holds, 1);
    EXPECT_EQ(table.icon(0).at(5, 5), 0x0000FFu);

    // A pixel without its colour is damage, found now rather than when drawn.
    std::string damaged = paletteStripPart() + records({"One|a"});
    damaged[4 + 14 + 40 + 8 + 3] = '\x07';
    EXPECT_THROW(
        decodeCatalogueLeavingImages(std::make_shared<qdtest::FileLikeBytes>(damaged), table),
        EQuillDeck);
    EXPECT_TRUE(table.isEmpty());
}

TEST(CatalogueFile, EmptyFileIsTheEmptyTable) {
    ItemTable table = tableOf({"stale"});
    decodeCatalogue("", table);
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.imageCount(), 0);
}

TEST(CatalogueFile, EmptyTableIsNeverEncoded) {
    EXPECT_THROW(encodeCatalogue(ItemTable{}), std::invalid_argument);
}

} // namespace
} // namespace qd
