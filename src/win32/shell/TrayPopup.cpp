#include "shell/TrayPopup.h"

#include "common/Dpi.h"
#include "ui/MainMenu.h"

namespace qd {

UINT TrayLaunchCommand(int position) {
    return TrayLaunchFirstCommand + static_cast<UINT>(position);
}

int TrayPositionOfCommand(UINT command) {
    return command >= TrayLaunchFirstCommand ? static_cast<int>(command - TrayLaunchFirstCommand)
                                             : -1;
}

UniqueMenu PopupMenu_tray(const std::vector<TrayMenuEntry>& entries) {
    using Kind = TrayMenuEntry::Kind;
    UniqueMenu menu(CreatePopupMenu());
    for (int position = 0; position < static_cast<int>(entries.size()); ++position) {
        const TrayMenuEntry& entry = entries[position];
        UINT command = 0;
        switch (entry.kind) {
        case Kind::Separator:
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        case Kind::Restore:
            command = Pop2_restore;
            break;
        case Kind::Exit:
            command = Pop2_Exit;
            break;
        case Kind::Launch:
            command = TrayLaunchCommand(position);
            break;
        }
        AppendMenuA(menu.get(), MF_STRING, command, entry.caption.c_str());
        if (entry.isDefault) SetMenuDefaultItem(menu.get(), command, FALSE);
    }
    return menu;
}

UINT ShowTrayMenu(HWND owner, HMENU menu) {
    SetForegroundWindow(owner);
    POINT cursor{};
    GetCursorPos(&cursor);
    const UINT dpi = WindowDpi(owner);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x + Scaled(5, dpi),
                       cursor.y - Scaled(4, dpi), 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return command;
}

} // namespace qd
