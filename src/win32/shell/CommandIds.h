#pragma once
#include "ui/MainMenu.h"

namespace qd {

// Callback message of the notification-area icon.
constexpr unsigned WM_TRAYICON = 1148;

} // namespace qd
