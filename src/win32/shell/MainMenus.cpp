// The main window's popup menus: the main menu (right click, the menu
// button, the keyboard's menu key) and the tray icon's menu.
#include "shell/QuillDeck1.h"

#include "groups/GroupMenus.h"
#include "shell/MainWindowLayout.h"
#include "shell/TrayMenu.h"
#include "shell/TrayPopup.h"
#include "shell/WindowStates.h"

namespace qd {

using namespace MainWindowLayout;

std::vector<MenuEntry> TForm1::MainMenuEntries() const {
    MainMenuState state;
    state.editEnabled = ToolButton_edit->Enabled();
    state.deleteEnabled = ToolButton_delete->Enabled();
    state.currentRowDisabled =
        table_.isDisabled(table_.currentRow()) && table_.isShown(table_.currentRow());
    state.stayOnTop = stayOnTop_;
    state.optionsEnabled = !restrictedMode_;
    state.groupEntries = static_cast<int>(groups_.size());
    return mainMenuEntries(state);
}

UniqueMenu TForm1::PopupMenu_main() {
    UniqueMenu menu(CreatePopupMenu());
    for (const MenuEntry& entry : MainMenuEntries()) {
        if (!entry.visible) continue;
        if (entry.isSeparator()) {
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::string shortcut = entry.shortcutText();
        const std::string text = shortcut.empty() ? entry.caption : entry.caption + "\t" + shortcut;
        UINT flags = MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED) |
                     (entry.checked ? MF_CHECKED : MF_UNCHECKED);
        if (entry.command == Pop1_Groups) {
            UniqueMenu groups = BuildGroupsSubmenu(groups_, groupChosen_ ? selectedGroup_ : -1);
            // The main menu owns the submenu from here on.
            AppendMenuA(menu.get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(groups.release()),
                        text.c_str());
            continue;
        }
        AppendMenuA(menu.get(), flags, entry.command, text.c_str());
    }
    return menu;
}

void TForm1::PopupMenu_mainPopup(POINT screen) {
    // Switched off while the options panel is open.
    if (OptionsOpen()) return;
    UniqueMenu menu = PopupMenu_main();
    SetForegroundWindow(Handle());
    const UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                        screen.y, 0, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
    if (command) RunCommand(command);
}

void TForm1::ToolButton_menuClick() {
    const ScopedPressed pressed(ToolButton_menu);
    RECT r;
    GetWindowRect(ToolButton_menu->Handle(), &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    PopupMenu_mainPopup(
        {centre.x + Scaled(ShowMenuOffset.x, dpi_), centre.y + Scaled(ShowMenuOffset.y, dpi_)});
}

UniqueMenu TForm1::PopupMenu_tray() {
    return qd::PopupMenu_tray(trayMenuEntries(table_, HiddenInTray(application_.Handle())));
}

void TForm1::ShowTrayMenu() {
    // Another menu opened since the icon was pressed (the system menu by its
    // keys): the later one stays. Opened inside its loop, this one could be
    // left over the window with nothing able to close it.
    if (MenuOpen()) return;
    UniqueMenu menu = PopupMenu_tray();
    const UINT command = qd::ShowTrayMenu(Handle(), menu.get());
    if (const int position = TrayPositionOfCommand(command); position >= 0)
        LaunchEntryClick(position);
    else if (command)
        RunCommand(command);
}

LRESULT TForm1::OnContextMenu(WPARAM, LPARAM lParam) {
    // From the keyboard (lParam -1) the menu opens at the current row.
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {
        const RECT row = StringGrid1->RowRect(table_.currentRow());
        p = {row.left + Scaled(ContextMenuIndent, dpi_), row.bottom};
        ClientToScreen(StringGrid1->Handle(), &p);
    }
    PopupMenu_mainPopup(p);
    return 0;
}

} // namespace qd
