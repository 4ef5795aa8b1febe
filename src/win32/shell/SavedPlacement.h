#pragma once
#include <windows.h>

#include "shell/Profile.h"

namespace qd {

// Moves and sizes the window as the preferences file says, each value
// defaulting to the window's current one (its design size at start-up).
// Sizes no one chose and places off every screen are corrected on the way
// (ScreenPlacement.h); the file keeps its values until the next close.
void ApplySavedPlacement(HWND window, ProfileStore& preferences);

} // namespace qd
