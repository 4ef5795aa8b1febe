#include "shell/TrayMenu.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

ItemTable tableOf(const std::vector<std::string>& titles) {
    ItemTable table;
    for (const std::string& t : titles)
        table.addItem({t, t + ".exe", t + ".exe", "0", "", "0", "", "0"}, IconImage{});
    return table;
}

// "caption*" marks the default entry, "-" a separator, "caption@row" a launch entry.
std::string layout(const std::vector<TrayMenuEntry>& entries) {
    std::string out;
    for (const TrayMenuEntry& e : entries) {
        out += e.kind == TrayMenuEntry::Kind::Separator ? "-" : e.caption;
        if (e.isDefault) out += "*";
        if (e.kind == TrayMenuEntry::Kind::Launch) out += '@' + std::to_string(e.row);
        out += ";";
    }
    return out;
}

TEST(TrayMenu, EmptyTableHasOneSeparatorAndRestoreIsDefaultOnlyWhileHidden) {
    ItemTable empty;
    EXPECT_EQ(layout(trayMenuEntries(empty, false)), "&Restore;-;E&xit;");
    EXPECT_EQ(layout(trayMenuEntries(empty, true)), "&Restore*;-;E&xit;");
}

TEST(TrayMenu, OneEntryPerRowInRowOrderAtItsPosition) {
    ItemTable table = tableOf({"Alpha", "Beta", "Gamma"});
    table.setCell(ColFingerprint, 1, DisabledMark); // disabled items keep their entry
    table.setRowHeight(2, HiddenRowHeight);         // so do rows the group filter hides
    const auto entries = trayMenuEntries(table, true);
    EXPECT_EQ(layout(entries), "&Restore*;-;Alpha@0;Beta@1;Gamma@2;-;E&xit;");
    for (int p = 0; p < static_cast<int>(entries.size()); ++p)
        EXPECT_EQ(entries[p].row, table.rowOfTrayPosition(p)) << p;

    table.moveRow(0, 2);
    EXPECT_EQ(layout(trayMenuEntries(table, false)), "&Restore;-;Beta@0;Gamma@1;Alpha@2;-;E&xit;");
}

TEST(TrayMenu, OnlyRowsWithTrayEntriesAreListed) {
    // Right after a load there are no entries; the start-up pass opens them
    // from the last row up. The second separator follows the table, not them.
    ItemTable table = tableOf({"Alpha", "Beta", "Gamma"});
    table.closeTrayEntries();
    EXPECT_EQ(layout(trayMenuEntries(table, false)), "&Restore;-;-;E&xit;");
    table.openTrayEntriesFrom(1);
    EXPECT_EQ(layout(trayMenuEntries(table, false)), "&Restore;-;Beta@1;Gamma@2;-;E&xit;");
}

TEST(TrayMenu, AmpersandInATitleShowsLiterally) {
    ItemTable table = tableOf({"Tom & Jerry", "A&&B"});
    EXPECT_EQ(layout(trayMenuEntries(table, false)), "&Restore;-;Tom && Jerry@0;A&&&&B@1;-;E&xit;");
}

} // namespace
} // namespace qd
