#pragma once
#include <string>
#include <vector>

namespace qd {

// Command ids of the menu entries. The system-menu ids 1025-1028 are fixed;
// the others only need to be distinct.
enum MenuCommand : unsigned {
    CmdAbout = 1025,
    CmdStayOnTop = 1026,
    CmdDonations = 1027,
    CmdMinimize = 1028,

    Pop1_AddItem = 2001,
    Pop1_EditItem,
    Pop1_DeleteItem,
    Pop1_ResetSecurity,
    Pop1_Groups,
    Pop1_Minimize,
    Pop1_Restore,
    Pop1_StayOnTop,
    Pop1_Options,
    Pop1_Help,
    Pop1_About,
    Pop1_ShowMenu,
    Pop1_Exit,
    Pop2_restore,
    Pop2_Exit,
    Pop3_Exit,
    Pop3_Ok,
    MenuSeparator = 0,
};

// Key codes of the shortcuts (the Windows virtual-key values).
constexpr int KeyF1 = 0x70;

struct MenuEntry {
    unsigned command = MenuSeparator;
    std::string caption; // "-" for a separator
    bool alt = false;    // shortcut: Alt + key, or key alone
    int key = 0;         // 0: no shortcut
    bool visible = true;
    bool enabled = true;
    bool checked = false;

    bool isSeparator() const { return command == MenuSeparator; }
    // "Alt+A", "F1" or "".
    std::string shortcutText() const;
};

// What the main context menu depends on when it opens.
struct MainMenuState {
    bool editEnabled = false;   // follows the Edit tool button
    bool deleteEnabled = false; // follows the Remove tool button
    bool currentRowDisabled = false;
    int groupEntries = 1; // "Main" and the user groups
    bool stayOnTop = false;
    bool optionsEnabled = true; // off in restricted mode
};

// The main context menu's entries in order, with their captions, shortcuts,
// visibility and enabled state. Hidden entries are listed too: their
// shortcuts still work while they are enabled.
std::vector<MenuEntry> mainMenuEntries(const MainMenuState& state);

// The entry whose shortcut is this key, or nullptr.
const MenuEntry* findShortcut(const std::vector<MenuEntry>& entries, bool alt, int key);

} // namespace qd
