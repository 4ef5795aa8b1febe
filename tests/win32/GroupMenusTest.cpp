#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "groups/GroupMenus.h"
#include "ui/MainMenu.h"

namespace qd {
namespace {

TEST(GroupMenus, EntriesAreTheGroupsWithTheSelectedOneCheckedInTheSubmenuOnly) {
    const GroupList groups{"Main", "A&B", "", "Tools"};
    UniqueMenu submenu = BuildGroupsSubmenu(groups, 3);
    UniqueMenu popup = BuildGroupsPopup(groups);
    for (HMENU menu : {submenu.get(), popup.get()}) {
        ASSERT_EQ(GetMenuItemCount(menu), 4);
        for (int i = 0; i < 4; ++i) {
            char text[64] = {};
            GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
            EXPECT_EQ(text, groups[i]);
            const UINT command = GetMenuItemID(menu, i);
            EXPECT_EQ(groupOfCommand(command), i);
            const bool checked = GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED;
            EXPECT_EQ(checked, menu == submenu.get() && i == 3) << i;
        }
    }
}

TEST(GroupMenus, OtherCommandsAreNoGroup) {
    for (unsigned command : {0u, unsigned(Pop1_Exit), unsigned(Pop3_Ok), GroupCommandFirst - 1,
                             GroupCommandFirst + MaxGroups})
        EXPECT_EQ(groupOfCommand(command), -1) << command;
}

} // namespace
} // namespace qd
