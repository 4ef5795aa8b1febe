#include "ui/MainMenu.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

std::string shown(const std::vector<MenuEntry>& entries) {
    std::string out;
    for (const MenuEntry& e : entries)
        if (e.visible) out += e.caption + (e.enabled ? "" : "(off)") + ";";
    return out;
}

TEST(MainMenu, EntriesFollowTheCurrentRowAndGroups) {
    MainMenuState empty; // the empty table: Edit and Remove off
    EXPECT_EQ(shown(mainMenuEntries(empty)),
              "&Add Item;&Edit Item(off);&Remove Item(off);-;Minimi&ze;Stay on &Top;&Options ...;"
              "&Help ...(off);A&bout...;-;E&xit;");

    MainMenuState disabledRow{true, true, true, 2, false, true};
    EXPECT_EQ(shown(mainMenuEntries(disabledRow)),
              "&Add Item;&Edit Item;&Remove Item;-;Reset Security *;-;&Groups [show];-;Minimi&ze;"
              "Stay on &Top;&Options ...;&Help ...(off);A&bout...;-;E&xit;");

    MainMenuState restricted;
    restricted.optionsEnabled = false;
    restricted.stayOnTop = true;
    const auto entries = mainMenuEntries(restricted);
    EXPECT_FALSE(findShortcut(entries, true, 'O')->enabled);
    EXPECT_TRUE(findShortcut(entries, true, 'T')->checked);
}

TEST(MainMenu, ShortcutsReachHiddenEntriesAndReportDisabledOnes) {
    const auto entries = mainMenuEntries(MainMenuState{});
    const MenuEntry* showMenu = findShortcut(entries, true, 'S');
    ASSERT_NE(showMenu, nullptr);
    EXPECT_EQ(showMenu->command, Pop1_ShowMenu);
    EXPECT_FALSE(showMenu->visible);
    EXPECT_TRUE(showMenu->enabled);
    EXPECT_FALSE(findShortcut(entries, false, KeyF1)->enabled);
    EXPECT_FALSE(findShortcut(entries, true, 'E')->enabled);
    EXPECT_EQ(findShortcut(entries, true, 'X')->command, Pop1_Exit);
    EXPECT_EQ(findShortcut(entries, false, 'X'), nullptr);
    EXPECT_EQ(findShortcut(entries, true, 'Q'), nullptr);
    EXPECT_EQ(findShortcut(entries, true, 'D')->shortcutText(), "Alt+D");
    EXPECT_EQ(findShortcut(entries, false, KeyF1)->shortcutText(), "F1");
}

} // namespace
} // namespace qd
