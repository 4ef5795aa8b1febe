#include "groups/GroupMenus.h"

namespace qd {

namespace {

UniqueMenu buildGroupMenu(const GroupList& groups, int checkedGroup) {
    UniqueMenu menu(CreatePopupMenu());
    for (size_t i = 0; i < groups.size(); ++i) {
        const int group = static_cast<int>(i);
        AppendMenuA(menu.get(), MF_STRING | (group == checkedGroup ? MF_CHECKED : MF_UNCHECKED),
                    GroupCommandFirst + i, groups[i].c_str());
    }
    return menu;
}

} // namespace

int groupOfCommand(unsigned command) {
    if (command < GroupCommandFirst || command >= GroupCommandFirst + MaxGroups) return -1;
    return static_cast<int>(command - GroupCommandFirst);
}

UniqueMenu BuildGroupsSubmenu(const GroupList& groups, int selectedGroup) {
    return buildGroupMenu(groups, selectedGroup);
}

UniqueMenu BuildGroupsPopup(const GroupList& groups) {
    return buildGroupMenu(groups, -1);
}

} // namespace qd
