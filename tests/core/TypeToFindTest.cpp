#include "ui/TypeToFind.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

TEST(TypeToFind, MatchesIgnoringAsciiCaseOnly) {
    const struct {
        const char* title;
        const char* text;
        bool matches;
    } cases[] = {
        {"Editor", "ed", true},       {"Editor", "ED", true},        {"My Editor", "r e", false},
        {"My Editor", "y e", true},   {"Editor", "", true},          {"Tool", "tools", false},
        {"Caf\xC9", "caf\xC9", true}, {"Caf\xC9", "caf\xE9", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(titleMatches(c.title, c.text), c.matches) << c.title << " / " << c.text;
}

TEST(TypeToFind, SearchNarrowsTheGroupsRowsAndLeavesTheHeights) {
    ItemTable table;
    for (const char* title : {"Editor", "Mail", "Red", "Notes"})
        table.addItem({title, "", "", "", "", "", "", ""}, IconImage{});
    table.setRowHeight(2, HiddenRowHeight); // another group's row
    EXPECT_EQ(applySearch(table, "E"), 2);  // Editor and Notes; Red stays hidden
    EXPECT_TRUE(table.isShown(0));
    EXPECT_FALSE(table.isShown(1));
    EXPECT_FALSE(table.isShown(2));
    EXPECT_TRUE(table.isShown(3));
    EXPECT_EQ(table.rowHeight(1), DefaultRowHeight);
    EXPECT_EQ(applySearch(table, "zz"), 0);
    EXPECT_EQ(applySearch(table, ""), 3);
    EXPECT_EQ(table.rowHeight(2), HiddenRowHeight);

    // A cleared search shows the empty table's blank row again, so the item
    // that the next add puts there is shown.
    ItemTable empty;
    EXPECT_EQ(applySearch(empty, "zz"), 0);
    EXPECT_EQ(applySearch(empty, ""), 1);
    empty.addItem({"Editor", "", "", "", "", "", "", ""}, IconImage{});
    EXPECT_TRUE(empty.isShown(0));
}

TEST(TypeToFind, LettersDigitsAndSpacesBuildTheTextAndBackspaceShortensIt) {
    std::string text;
    for (char c : std::string("a1 Z"))
        EXPECT_TRUE(editSearchText(text, c));
    EXPECT_EQ(text, "a1 Z");
    EXPECT_FALSE(editSearchText(text, '\r'));
    EXPECT_FALSE(editSearchText(text, '\x1B'));
    EXPECT_FALSE(editSearchText(text, '-'));
    EXPECT_TRUE(editSearchText(text, '\b'));
    EXPECT_EQ(text, "a1 ");
    text.clear();
    EXPECT_TRUE(editSearchText(text, '\b'));
    EXPECT_EQ(text, "");
}

} // namespace
} // namespace qd
