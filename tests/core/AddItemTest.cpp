#include "items/AddItem.h"

#include <gtest/gtest.h>

#include "common/MessageText.h"
#include "integrity/SecHash.h"

namespace qd {
namespace {

constexpr char Launcher[] = "D:\\Apps\\Launcher\\";
const std::string Print(40, 'K');

ItemTable tableWith(std::initializer_list<const char*> relativePaths) {
    ItemTable table;
    for (const char* path : relativePaths)
        table.addItem({"T", path, "f.exe", "0", "", "0", Print, "0"}, IconImage{});
    return table;
}

TEST(AddItem, CellsComeFromTheLowerCasePath) {
    const ItemToAdd item =
        prepareAddItem(tableWith({"other.exe"}), Launcher, "D:\\Apps\\Launcher\\Sub\\My Tool.EXE");
    ASSERT_FALSE(item.isDuplicate());
    EXPECT_EQ(item.path, "d:\\apps\\launcher\\sub\\my tool.exe");
    EXPECT_EQ(
        newItemCells(item, "Tool Suite", Print, 3),
        (RowCells{"Tool Suite", "sub\\my tool.exe", "my tool.exe", "0", "", "0", Print, "3"}));
    // Without a ProductName the file name is the title.
    EXPECT_EQ(newItemCells(item, "", Print, 0)[ColTitle], "my tool.exe");
    EXPECT_EQ(newItemCells(item, "", Print, 12)[ColGroup], "12");
}

TEST(AddItem, OnAnotherDriveTheFullPathIsStored) {
    const ItemToAdd item = prepareAddItem(ItemTable{}, Launcher, "E:\\Kit\\Tool.exe");
    EXPECT_EQ(newItemCells(item, "", Print, 0)[ColRelativePath], "e:\\kit\\tool.exe");
}

TEST(AddItem, DuplicateIsRefusedWithUpperCaseName) {
    const ItemTable table = tableWith({"a.exe", "sub\\mytool.exe", "sub\\tool.exe"});
    const ItemToAdd dup = prepareAddItem(table, Launcher, "d:\\APPS\\launcher\\Sub\\Tool.exe");
    EXPECT_TRUE(dup.isDuplicate());
    EXPECT_EQ(dup.duplicateWarning, "Item ' TOOL.EXE' already exists on menu listing ...");

    // Same file name elsewhere, or a name that merely ends the same: no duplicate.
    for (const char* other : {"d:\\apps\\launcher\\tool.exe", "d:\\apps\\launcher\\sub\\ol.exe"})
        EXPECT_FALSE(prepareAddItem(table, Launcher, other).isDuplicate()) << other;
    // A huge file name is quoted short.
    const std::string longName = "sub\\" + std::string(300, 'x');
    const ItemToAdd longDup =
        prepareAddItem(tableWith({longName.c_str()}), Launcher, "d:\\apps\\launcher\\" + longName);
    EXPECT_EQ(longDup.duplicateWarning, "Item ' " + std::string(MaxQuotedLength - 3, 'X') +
                                            "...' already exists on menu listing ...");
    // The empty table's blank row matches nothing.
    EXPECT_FALSE(prepareAddItem(ItemTable{}, Launcher, "d:\\x.exe").isDuplicate());
}

TEST(AddItem, SeparatorNeverReachesACell) {
    const ItemToAdd item = prepareAddItem(ItemTable{}, Launcher, "d:\\apps\\launcher\\t.exe");
    const RowCells cells = newItemCells(item, "A|B|", Print, 0);
    EXPECT_EQ(cells[ColTitle], std::string("A") + SeparatorStandIn + "B" + SeparatorStandIn);
}

TEST(AddItem, PathWithoutFileNameIsRefused) {
    for (const char* path : {"d:\\apps\\launcher\\", "d:", ""}) {
        EXPECT_THROW(prepareAddItem(ItemTable{}, Launcher, path), ESecHashException) << path;
    }
}

} // namespace
} // namespace qd
