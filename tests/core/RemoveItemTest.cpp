#include "items/RemoveItem.h"

#include <gtest/gtest.h>

#include "GroupedRows.h"

namespace qd {
namespace {

using Outcome = RemoveItemResult::Outcome;

TEST(RemoveItem, GuardConfirmationAndCatalogueDeletion) {
    struct Case {
        const char* name;
        std::vector<std::string> groups;
        int current;
        int selectedGroup;
        bool confirmDelete;
        bool answer;
        // Expected:
        bool asked;
        Outcome outcome;
        std::vector<std::string> titlesLeft;
        int currentAfter;
        bool deleteCatalogue;
    };
    const Case cases[] = {
        {"Main removes any group, unasked",
         {"0", "2", "0"},
         1,
         0,
         false,
         true,
         false,
         Outcome::Removed,
         {"item0", "item2"},
         1,
         false},
        {"asked and confirmed",
         {"0", "0", "0"},
         1,
         0,
         true,
         true,
         true,
         Outcome::Removed,
         {"item0", "item2"},
         1,
         false},
        {"asked and declined",
         {"0", "0", "0"},
         1,
         0,
         true,
         false,
         true,
         Outcome::Cancelled,
         {"item0", "item1", "item2"},
         1,
         false},
        {"first of three: the selection ends on the last row",
         {"0", "0", "0"},
         0,
         0,
         false,
         true,
         false,
         Outcome::Removed,
         {"item1", "item2"},
         1,
         false},
        {"row of the shown group",
         {"1", "2", "2"},
         1,
         2,
         true,
         true,
         true,
         Outcome::Removed,
         {"item0", "item2"},
         1,
         false},
        {"row hidden by the group filter: kept, unasked",
         {"1", "2"},
         0,
         2,
         true,
         true,
         false,
         Outcome::Kept,
         {"item0", "item1"},
         0,
         false},
        {"Group compared as text",
         {"02"},
         0,
         2,
         false,
         true,
         false,
         Outcome::Kept,
         {"item0"},
         0,
         false},
        {"only item: empty table and no catalogue",
         {"3"},
         0,
         3,
         false,
         true,
         false,
         Outcome::Removed,
         {""},
         0,
         true},
        {"only item, declined: catalogue stays",
         {"0"},
         0,
         0,
         true,
         false,
         true,
         Outcome::Cancelled,
         {"item0"},
         0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItemTable table = qdtest::tableOfGroups(c.groups);
        table.setCurrentRow(c.current);
        bool asked = false;
        const RemoveItemResult result =
            RemoveCurrentItem(table, c.selectedGroup, c.confirmDelete, [&] {
                asked = true;
                return c.answer;
            });
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(qdtest::columnCells(table, ColTitle), c.titlesLeft);
        EXPECT_EQ(table.currentRow(), c.currentAfter);
        EXPECT_EQ(result.deleteCatalogue, c.deleteCatalogue);
    }
}

} // namespace
} // namespace qd
