#include "items/ItemEdit.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

const std::string Print(40, 'K');
const RowCells Stored{"Tool", "sub\\tool.exe", "tool.exe", "1", "-x", "0", Print, "3"};

ItemEditValues unchanged() {
    ItemEditValues values;
    values.title = "Tool";
    values.iconIndex = 1;
    values.commandLine = "-x";
    values.windowStyle = 0;
    values.group = 2; // what the spin shows for group 3 when only Main + 2 exist
    return values;
}

TEST(ItemEdit, ConfirmedValuesReplaceTheirCellsOnly) {
    struct Case {
        const char* what;
        void (*change)(ItemEditValues&);
        RowCells expected;
        bool iconChanged;
    };
    const Case cases[] = {
        {"nothing", [](ItemEditValues&) {}, Stored, false},
        {"title",
         [](ItemEditValues& v) { v.title = "Renamed"; },
         {"Renamed", "sub\\tool.exe", "tool.exe", "1", "-x", "0", Print, "3"},
         false},
        {"icon",
         [](ItemEditValues& v) { v.iconIndex = 2; },
         {"Tool", "sub\\tool.exe", "tool.exe", "2", "-x", "0", Print, "3"},
         true},
        {"no icon selected", [](ItemEditValues& v) { v.iconIndex.reset(); }, Stored, false},
        {"command line and style",
         [](ItemEditValues& v) {
             v.commandLine = "";
             v.windowStyle = 2;
         },
         {"Tool", "sub\\tool.exe", "tool.exe", "1", "", "2", Print, "3"},
         false},
        {"group chosen",
         [](ItemEditValues& v) {
             v.group = 0;
             v.groupMoved = true;
         },
         {"Tool", "sub\\tool.exe", "tool.exe", "1", "-x", "0", Print, "0"},
         false},
        {"separators",
         [](ItemEditValues& v) {
             v.title = "a|b";
             v.commandLine = "|x";
         },
         {std::string("a") + SeparatorStandIn + "b", "sub\\tool.exe", "tool.exe", "1",
          std::string(1, SeparatorStandIn) + "x", "0", Print, "3"},
         false},
    };
    for (const Case& c : cases) {
        ItemEditValues values = unchanged();
        c.change(values);
        const ItemEditOutcome outcome = confirmItemEdit(Stored, values);
        EXPECT_TRUE(outcome.accepted()) << c.what;
        EXPECT_EQ(outcome.cells, c.expected) << c.what;
        EXPECT_EQ(outcome.iconChanged, c.iconChanged) << c.what;
    }
}

TEST(ItemEdit, DamagedIconIndexCountsAsChanged) {
    RowCells damaged = Stored;
    for (const char* cell : {"", "x", "-1"}) {
        damaged[ColIconIndex] = cell;
        const ItemEditOutcome outcome = confirmItemEdit(damaged, unchanged());
        EXPECT_TRUE(outcome.iconChanged) << cell;
        EXPECT_EQ(outcome.cells[ColIconIndex], "1") << cell;
    }
}

TEST(ItemEdit, EmptyTitleIsRefused) {
    ItemEditValues values = unchanged();
    values.title = "";
    const ItemEditOutcome outcome = confirmItemEdit(Stored, values);
    EXPECT_FALSE(outcome.accepted());
    EXPECT_EQ(outcome.refusal, "The title cannot be empty.");
    // A title of blanks is still a title. (Built as a string: assigning the
    // literal trips a false -Wrestrict in optimised GCC 12 builds.)
    values.title = std::string(1, ' ');
    EXPECT_TRUE(confirmItemEdit(Stored, values).accepted());
}

TEST(ItemEdit, SpinPositionIsClampedNumber) {
    struct Case {
        const char* cell;
        int maximum;
        int position;
    };
    for (const Case& c : {Case{"1", 2, 1}, Case{"3", 2, 2}, Case{"3", 0, 0}, Case{"-1", 2, 0},
                          Case{"", 2, 0}, Case{"2x", 2, 0}})
        EXPECT_EQ(spinPositionOf(c.cell, c.maximum), c.position) << c.cell << " / " << c.maximum;
}

TEST(ItemEdit, OpensOneRowBelowTheListTopAndShiftedRight) {
    // The halving truncates toward zero, also for an editor narrower than the main window.
    EXPECT_EQ(itemEditorPosition(300, 100, 170, 265, 19, 24, 26),
              (ScreenPoint{300 - 47 + 15, 169}));
    EXPECT_EQ(itemEditorPosition(300, 100, 270, 265, 19, 24, 26), (ScreenPoint{300 + 2 + 15, 169}));
}

} // namespace
} // namespace qd
