#include "ui/MainMenu.h"

namespace qd {

std::string MenuEntry::shortcutText() const {
    if (key == 0) return "";
    if (key == KeyF1) return "F1";
    return std::string(alt ? "Alt+" : "") + static_cast<char>(key);
}

std::vector<MenuEntry> mainMenuEntries(const MainMenuState& s) {
    const bool groupsShown = s.groupEntries > 1;
    auto separator = [](bool visible) {
        MenuEntry e;
        e.caption = "-";
        e.visible = visible;
        return e;
    };
    return {
        {Pop1_AddItem, "&Add Item", true, 'A'},
        {Pop1_EditItem, "&Edit Item", true, 'E', true, s.editEnabled},
        {Pop1_DeleteItem, "&Remove Item", true, 'D', true, s.deleteEnabled},
        separator(true),
        {Pop1_ResetSecurity, "Reset Security *", false, 0, s.currentRowDisabled},
        separator(s.currentRowDisabled),
        {Pop1_Groups, "&Groups [show]", false, 0, groupsShown},
        separator(groupsShown),
        {Pop1_Minimize, "Minimi&ze", true, 'M'},
        {Pop1_Restore, "&Restore", false, 0, false},
        {Pop1_StayOnTop, "Stay on &Top", true, 'T', true, true, s.stayOnTop},
        {Pop1_Options, "&Options ...", true, 'O', true, s.optionsEnabled},
        {Pop1_Help, "&Help ...", false, KeyF1, true, false},
        {Pop1_About, "A&bout...", true, 'B'},
        separator(true),
        {Pop1_ShowMenu, "&Show Menu", true, 'S', false},
        {Pop1_Exit, "E&xit", true, 'X'},
    };
}

const MenuEntry* findShortcut(const std::vector<MenuEntry>& entries, bool alt, int key) {
    for (const MenuEntry& e : entries)
        if (e.key != 0 && e.key == key && e.alt == alt) return &e;
    return nullptr;
}

} // namespace qd
