#pragma once
#include <windows.h>

#include "common/Handles.h"
#include "groups/Groups.h"

namespace qd {

// Entry i of either group menu is group i and carries command GroupCommandFirst + i.
constexpr unsigned GroupCommandFirst = 3000;
static_assert(GroupCommandFirst + MaxGroups <= 0xFFFF, "menu command ids are 16 bits");

// The group index of a command from a group menu, or -1 for any other command.
int groupOfCommand(unsigned command);

// Pop1_Groups, the submenu the main menu shows as "&Groups [show]": one entry
// per group, only the selected group's entry checked.
UniqueMenu BuildGroupsSubmenu(const GroupList& groups, int selectedGroup);
// PopupMenu_groups, opened with Alt+G: the same entries, never checked.
UniqueMenu BuildGroupsPopup(const GroupList& groups);

} // namespace qd
