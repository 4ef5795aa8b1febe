#include "catalogue/RowNavigation.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

ItemTable rows(int count, std::initializer_list<int> hidden) {
    ItemTable table;
    for (int i = 0; i < count; ++i)
        table.addItem({"Item" + std::to_string(i), "p", "f", "0", "", "0", "0", "0"}, IconImage{});
    for (int r : hidden)
        table.setRowHeight(r, HiddenRowHeight);
    return table;
}

TEST(RowNavigation, ArrowsSkipHiddenRowsAndStopAtTheEnds) {
    struct Case {
        int count;
        std::initializer_list<int> hidden;
        int from, step, expected;
    };
    const Case cases[] = {
        // Rows 0 and 3 of four shown.
        {4, {1, 2}, 0, +1, 3},
        {4, {1, 2}, 3, +1, 3},
        {4, {1, 2}, 3, -1, 0},
        {4, {1, 2}, 0, -1, 0},
        // Every other row hidden: the selection stays.
        {3, {0, 2}, 1, +1, 1},
        {3, {0, 2}, 1, -1, 1},
        // All shown: one row at a time.
        {3, {}, 1, +1, 2},
        {3, {}, 1, -1, 0},
        // The empty table.
        {0, {}, 0, +1, 0},
    };
    for (const Case& c : cases) {
        const ItemTable table = rows(c.count, c.hidden);
        EXPECT_EQ(nextShownRow(table, c.from, c.step), c.expected)
            << c.count << " rows, from " << c.from << " step " << c.step;
    }
}

TEST(RowNavigation, HomeEndAndPagesOnlyLandOnShownRows) {
    const ItemTable table = rows(6, {0, 2, 5});
    EXPECT_EQ(firstShownRow(table, 4), 1);
    EXPECT_EQ(lastShownRow(table, 1), 4);
    EXPECT_EQ(pageShownRows(table, 1, +1, 2), 4);
    EXPECT_EQ(pageShownRows(table, 1, +1, 10), 4);
    EXPECT_EQ(pageShownRows(table, 4, -1, 10), 1);
}

} // namespace
} // namespace qd
