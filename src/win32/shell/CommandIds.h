#pragma once
#include "ui/MainMenu.h"

namespace qd {

// Callback message of the notification-area icon.
constexpr unsigned WM_TRAYICON = 1148;

// The tray menu's launch entries: command TrayLaunchFirstCommand + p is the
// entry at menu position p, one contiguous range above every other command.
constexpr unsigned TrayLaunchFirstCommand = 10000;

} // namespace qd
