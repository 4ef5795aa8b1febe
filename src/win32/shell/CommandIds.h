#pragma once
#include "ui/MainMenu.h"

namespace qd {

// Callback message of the notification-area icon.
constexpr unsigned WM_TRAYICON = 1148;
// Posted to the icon's owner: the icon is added once the window is up.
constexpr unsigned WM_ADDTRAYICON = WM_APP + 1;

// The tray menu's launch entries: command TrayLaunchFirstCommand + p is the
// entry at menu position p, one contiguous range above every other command.
constexpr unsigned TrayLaunchFirstCommand = 10000;

} // namespace qd
