#pragma once
#include <windows.h>

#include <vector>

#include "common/Handles.h"
#include "shell/TrayMessages.h"
#include "ui/MainMenu.h"
#include "shell/TrayMenu.h"

namespace qd {

// PopupMenu_tray built from its model: "&Restore" is Pop2_restore, "E&xit"
// Pop2_Exit, and the launch entry at position p has TrayLaunchCommand(p).
UniqueMenu PopupMenu_tray(const std::vector<TrayMenuEntry>& entries);

UINT TrayLaunchCommand(int position);
// The menu position of a launch entry's command, or -1 for any other command.
int TrayPositionOfCommand(UINT command);

// Pops the menu up 5 pixels right of and 4 above the cursor and returns the
// chosen command, 0 when none. The owner comes to the foreground first and
// gets a WM_NULL afterwards, or a menu opened from the notification area
// would not close when the user clicks elsewhere.
UINT ShowTrayMenu(HWND owner, HMENU menu);

} // namespace qd
