#include "groups/Groups.h"

#include <gtest/gtest.h>

#include <map>

#include "FakeProfile.h"
#include "GroupedRows.h"

namespace qd {
namespace {

using Log = std::vector<std::string>;
using qdtest::columnCells;
using qdtest::tableOfGroups;

// Main, G1, G2, G3 as stored.
qdtest::FakeProfile fourGroups() {
    qdtest::FakeProfile file;
    file.values = {{"Groups", "4"}, {"2", "G1"}, {"3", "G2"}, {"4", "G3"}};
    return file;
}

std::vector<int> heights(const ItemTable& table) {
    std::vector<int> out;
    for (int r = 0; r < table.rowCount(); ++r)
        out.push_back(table.rowHeight(r));
    return out;
}

TEST(GroupList, ReadsMainThenTheNumberedKeys) {
    struct Case {
        std::map<std::string, std::string> values;
        GroupList expected;
    };
    for (const Case& c : {
             Case{{}, {"Main"}},
             Case{{{"Groups", "1"}, {"2", "stale"}}, {"Main"}},
             Case{{{"Groups", "-3"}}, {"Main"}},
             Case{{{"Groups", "3"}, {"2", "Games"}, {"3", "Tools"}}, {"Main", "Games", "Tools"}},
             // A missing name is an empty entry; stored names are not shortened.
             Case{{{"Groups", "3"}, {"3", "Longer than ten"}}, {"Main", "", "Longer than ten"}},
             // A count beyond the stored names ends at the last one stored.
             Case{{{"Groups", "1000000"}, {"2", "Games"}, {"4", "Tools"}},
                  {"Main", "Games", "", "Tools"}},
             Case{{{"Groups", "5"}, {"2", "Games"}, {"3", ""}}, {"Main", "Games", ""}},
             Case{{{"Groups", "1000000"}}, {"Main"}},
         }) {
        qdtest::FakeProfile file;
        file.values = c.values;
        EXPECT_EQ(readGroups(file), c.expected);
    }
}

TEST(GroupList, DamagedCountStopsAtTheLimit) {
    qdtest::FakeProfile file;
    file.values = {{"Groups", "2147483647"}};
    for (int key = 2; key <= MaxGroups + 100; ++key)
        file.values[std::to_string(key)] = "G";
    EXPECT_EQ(readGroups(file).size(), static_cast<size_t>(MaxGroups));
}

TEST(GroupList, SavedSelectionBeyondAHugeCountShowsEveryItem) {
    qdtest::FakeProfile file;
    file.values = {{"Groups", "1000000"}, {"2", "Games"}};
    ItemTable table = tableOfGroups({"0", "1", "0"});
    EXPECT_EQ(selectGroup(table, readGroups(file), 999), 0);
    EXPECT_EQ(heights(table), (std::vector<int>(3, DefaultRowHeight)));
}

TEST(GroupList, MainCaptionAndBrowsedName) {
    EXPECT_TRUE(isMainCaption("Main"));
    EXPECT_TRUE(isMainCaption("&Main"));
    EXPECT_FALSE(isMainCaption("main"));
    EXPECT_FALSE(isMainCaption("M&ain"));
    const GroupList groups{"&Main", "A&&B", "Tools"};
    EXPECT_EQ(browsedGroupName(groups, 1), "Main");
    EXPECT_EQ(browsedGroupName(groups, 2), "AB");
    EXPECT_EQ(browsedGroupName(groups, 9), "Tools");
    EXPECT_EQ(browsedGroupName(groups, 0), "Main");
}

TEST(GroupFilter, UserGroupShowsOnlyItsRowsAndMovesToTheFirst) {
    const GroupList groups{"Main", "Games", "Tools"};
    ItemTable table = tableOfGroups({"0", "2", "1", "2", "02"});
    table.setCurrentRow(2);
    EXPECT_EQ(selectGroup(table, groups, 2), 2);
    // Group 0 rows are hidden too, and the match is on the exact text.
    EXPECT_EQ(heights(table), (std::vector<int>{-1, 26, -1, 26, -1}));
    EXPECT_EQ(table.currentRow(), 1);

    // Main shows everything and keeps the current row.
    table.setCurrentRow(3);
    EXPECT_EQ(selectGroup(table, groups, 0), 0);
    EXPECT_EQ(heights(table), (std::vector<int>{26, 26, 26, 26, 26}));
    EXPECT_EQ(table.currentRow(), 3);
}

TEST(GroupFilter, NoMatchingRowLeavesTheCurrentRow) {
    ItemTable table = tableOfGroups({"0", "1"});
    table.setCurrentRow(1);
    EXPECT_EQ(selectGroup(table, {"Main", "Games", "Empty"}, 2), 2);
    EXPECT_EQ(heights(table), (std::vector<int>{-1, -1}));
    EXPECT_EQ(table.currentRow(), 1);
}

TEST(GroupFilter, RecognisesMainByCaptionAndOutOfRangeAsMain) {
    ItemTable table = tableOfGroups({"0", "1"});
    // A user group whose caption is "&Main" shows every row, like Main.
    EXPECT_EQ(selectGroup(table, {"Main", "&Main"}, 1), 1);
    EXPECT_EQ(heights(table), (std::vector<int>{26, 26}));
    for (int saved : {2, -1, 1000}) {
        selectGroup(table, {"Main", "G1"}, 1);
        EXPECT_EQ(selectGroup(table, {"Main", "G1"}, saved), 0) << saved;
        EXPECT_EQ(heights(table), (std::vector<int>{26, 26})) << saved;
    }
}

TEST(GroupAdding, WritesTheCountThenTheNameWithoutAmpersands) {
    qdtest::FakeProfile file;
    GroupList groups{"Main"};
    ASSERT_TRUE(addGroup(file, groups, "A&B"));
    ASSERT_TRUE(addGroup(file, groups, "Tools"));
    EXPECT_EQ(groups, (GroupList{"Main", "A&B", "Tools"}));
    EXPECT_EQ(file.log, (Log{"Groups=2", "2=AB", "Groups=3", "3=Tools"}));
    // After a restart the entry reads as stored.
    EXPECT_EQ(readGroups(file), (GroupList{"Main", "AB", "Tools"}));
}

TEST(GroupAdding, RefusesEmptyDuplicateAndFullListSilently) {
    qdtest::FakeProfile file;
    GroupList groups{"Main", "Tools"};
    for (const char* name : {"", "Main", "Tools"})
        EXPECT_FALSE(addGroup(file, groups, name)) << name;
    GroupList full(MaxGroups, "g");
    EXPECT_FALSE(addGroup(file, full, "one more"));
    EXPECT_TRUE(file.log.empty());
    EXPECT_EQ(groups.size(), 2u);
    // The comparison is case-sensitive.
    EXPECT_TRUE(addGroup(file, groups, "tools"));
}

TEST(GroupAdding, RefusedWriteAddsNothing) {
    qdtest::FakeProfile file;
    file.refusedKey = "2";
    GroupList groups{"Main"};
    EXPECT_THROW(addGroup(file, groups, "Games"), EQuillDeck);
    EXPECT_EQ(groups, GroupList{"Main"});
}

TEST(GroupDeleting, ShiftsTheLaterNamesDownOneKey) {
    struct Case {
        int position;
        Log writes;
        GroupList left;
    };
    for (const Case& c : {
             Case{2, {"2=G2", "3=G3", "Groups=3", "-4"}, {"Main", "G2", "G3"}},
             Case{3, {"3=G3", "Groups=3", "-4"}, {"Main", "G1", "G3"}},
             // At the last position no name moves.
             Case{4, {"Groups=3", "-4"}, {"Main", "G1", "G2"}},
         }) {
        qdtest::FakeProfile file = fourGroups();
        GroupList groups = readGroups(file);
        ItemTable table;
        ASSERT_TRUE(deleteGroup(file, groups, table, c.position, "G1")) << c.position;
        EXPECT_EQ(file.log, c.writes) << c.position;
        EXPECT_EQ(groups, c.left) << c.position;
        EXPECT_EQ(readGroups(file), c.left) << c.position;
    }
}

TEST(GroupDeleting, ItemsFollowTheirGroup) {
    qdtest::FakeProfile file = fourGroups();
    GroupList groups = readGroups(file);
    ItemTable table = tableOfGroups({"0", "1", "2", "3", "7", "x"});
    ASSERT_TRUE(deleteGroup(file, groups, table, 3, "G2"));
    // G2's item goes to Main, G3's becomes group 2 (still G3); others stay.
    EXPECT_EQ(columnCells(table, ColGroup),
              (std::vector<std::string>{"0", "1", "0", "2", "6", "x"}));
}

TEST(GroupDeleting, RefusesMainEmptyNameAndPositionsOutsideTheList) {
    struct Case {
        int position;
        const char* name;
    };
    for (const Case& c :
         {Case{2, "Main"}, Case{2, ""}, Case{1, "G1"}, Case{0, "G1"}, Case{5, "G1"}}) {
        qdtest::FakeProfile file = fourGroups();
        GroupList groups = readGroups(file);
        ItemTable table = tableOfGroups({"1"});
        EXPECT_FALSE(deleteGroup(file, groups, table, c.position, c.name)) << c.position;
        EXPECT_TRUE(file.log.empty());
        EXPECT_EQ(groups.size(), 4u);
        EXPECT_EQ(table.cell(ColGroup, 0), "1");
    }
}

TEST(GroupDeleting, RefusedWriteLeavesListAndItems) {
    qdtest::FakeProfile file = fourGroups();
    file.refusedKey = "2";
    GroupList groups = readGroups(file);
    ItemTable table = tableOfGroups({"1", "2"});
    EXPECT_THROW(deleteGroup(file, groups, table, 2, "G1"), EQuillDeck);
    EXPECT_EQ(groups.size(), 4u);
    EXPECT_EQ(columnCells(table, ColGroup), (std::vector<std::string>{"1", "2"}));
}

} // namespace
} // namespace qd
