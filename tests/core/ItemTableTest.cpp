#include "catalogue/ItemTable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace qd {
namespace {

RowCells item(const std::string& title) {
    return {title, "tools\\" + title + ".exe", title + ".exe", "0", "", "0", "", "0"};
}

IconImage solid(std::uint32_t colour) {
    IconImage icon;
    icon.pixels.fill(colour);
    return icon;
}

// Items A, B, C, ... each with its own icon colour.
ItemTable tableOf(const std::string& titles) {
    ItemTable table;
    for (char t : titles)
        table.addItem(item(std::string(1, t)), solid(t));
    return table;
}

std::string titles(const ItemTable& table) {
    std::string out;
    for (int r = 0; r < table.rowCount(); ++r)
        out += table.cell(ColTitle, r);
    return out;
}

void expectEmptyTable(const ItemTable& table) {
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.cells(0), RowCells{});
    EXPECT_EQ(table.icon(0), IconImage{});
    EXPECT_EQ(table.rowHeight(0), DefaultRowHeight);
    EXPECT_EQ(table.imageCount(), 0);
    EXPECT_EQ(table.trayEntryCount(), 0);
    EXPECT_EQ(table.currentRow(), 0);
}

TEST(ItemTable, StartsAsTheEmptyTable) {
    expectEmptyTable(ItemTable{});
}

TEST(ItemTable, AddFillsRowZeroOfTheEmptyTableThenAppends) {
    ItemTable table;
    EXPECT_EQ(table.addItem(item("A"), solid('A')), 0);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.imageCount(), 1);
    EXPECT_EQ(table.rowOfTrayPosition(2), 0);

    EXPECT_EQ(table.addItem(item("B"), solid('B')), 1);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cells(1), item("B"));
    EXPECT_EQ(table.icon(1), solid('B'));
    EXPECT_EQ(table.trayEntryCount(), 2);
    EXPECT_EQ(table.rowOfTrayPosition(3), 1);
}

TEST(ItemTable, DeleteShiftsRowsUpAndTheLastDeleteGivesTheEmptyTable) {
    ItemTable table = tableOf("ABC");
    table.setCurrentRow(2);
    table.deleteRow(1);
    EXPECT_EQ(titles(table), "AC");
    EXPECT_EQ(table.icon(1), solid('C'));
    EXPECT_EQ(table.currentRow(), 1);

    table.setRowHeight(0, HiddenRowHeight);
    table.deleteRow(0);
    table.deleteRow(0);
    expectEmptyTable(table);

    // Nothing of a removed row comes back in the next one.
    table.addItem({"D", "", "", "", "", "", "", ""}, solid('D'));
    EXPECT_EQ(table.cells(0), (RowCells{"D", "", "", "", "", "", "", ""}));
    EXPECT_EQ(table.rowHeight(0), DefaultRowHeight);
}

TEST(ItemTable, MoveRowCarriesCellsIconAndHeight) {
    struct Case {
        int from, to;
        std::string order;
    };
    for (const Case& c : {Case{0, 2, "BCAD"}, Case{3, 0, "DABC"}, Case{1, 1, "ABCD"}}) {
        SCOPED_TRACE(c.order);
        ItemTable table = tableOf("ABCD");
        table.setRowHeight(1, HiddenRowHeight); // B
        table.moveRow(c.from, c.to);
        ASSERT_EQ(titles(table), c.order);
        for (int r = 0; r < table.rowCount(); ++r) {
            const char title = c.order[r];
            EXPECT_EQ(table.cells(r), item(std::string(1, title)));
            EXPECT_EQ(table.icon(r), solid(title));
            EXPECT_EQ(table.isShown(r), title != 'B');
        }
    }
}

TEST(ItemTable, TrayEntriesAreTheRowsFromTrayFirstRowOn) {
    ItemTable table = tableOf("ABCD");
    table.closeTrayEntries();
    EXPECT_EQ(table.trayEntryCount(), 0);
    EXPECT_EQ(table.rowOfTrayPosition(2), -1);

    // The start-up pass opens them from the last row up.
    table.openTrayEntriesFrom(3);
    table.openTrayEntriesFrom(1);
    EXPECT_EQ(table.trayEntryCount(), 3);
    EXPECT_EQ(table.rowOfTrayPosition(1), -1);
    EXPECT_EQ(table.rowOfTrayPosition(2), 1);
    EXPECT_EQ(table.rowOfTrayPosition(4), 3);
    EXPECT_EQ(table.rowOfTrayPosition(5), -1);

    // A row without an entry goes without taking one of the entries along.
    table.deleteRow(0);
    EXPECT_EQ(table.trayFirstRow(), 0);
    EXPECT_EQ(table.trayEntryCount(), 3);
    EXPECT_EQ(table.cell(ColTitle, table.rowOfTrayPosition(2)), "B");

    table.deleteRow(1); // C, with its entry
    EXPECT_EQ(table.trayEntryCount(), 2);
    EXPECT_EQ(table.cell(ColTitle, table.rowOfTrayPosition(3)), "D");

    table.addItem(item("E"), solid('E'));
    EXPECT_EQ(table.trayEntryCount(), 3);
    EXPECT_EQ(table.cell(ColTitle, table.rowOfTrayPosition(4)), "E");
}

TEST(ItemTable, SeparatorInACellIsStoredAsBrokenBar) {
    ItemTable table;
    table.addItem({"a|b", "", "", "", "", "", "", ""}, IconImage{});
    table.setCell(ColCommandLine, 0, "|x|");
    EXPECT_EQ(table.cell(ColTitle, 0), "a\xA6"
                                       "b");
    EXPECT_EQ(table.cell(ColCommandLine, 0), "\xA6x\xA6");
    // A path is the file system's and is kept as it is.
    table.setCell(ColRelativePath, 0, "a\x83|b");
    EXPECT_EQ(table.cell(ColRelativePath, 0), "a\x83|b");
}

TEST(ItemTable, RowStateAccessors) {
    ItemTable table = tableOf("AB");
    EXPECT_THROW(table.setCurrentRow(2), std::out_of_range);
    EXPECT_THROW(table.setCurrentRow(-1), std::out_of_range);
    EXPECT_EQ(table.currentRow(), 0);

    table.setRowHeight(1, -7);
    EXPECT_EQ(table.rowHeight(1), HiddenRowHeight);
    EXPECT_FALSE(table.isShown(1));

    table.setCell(ColFingerprint, 0, "0");
    table.setCell(ColFingerprint, 1, "00");
    EXPECT_TRUE(table.isDisabled(0));
    EXPECT_FALSE(table.isDisabled(1));
}

} // namespace
} // namespace qd
