#pragma once
#include <windows.h>

#include "common/Profile.h"
#include "shell/Preferences.h"

namespace qd {

// Moves and sizes the window as the preferences file says, each value
// defaulting to the window's current one (its design size at start-up).
// Sizes no one chose and places off every screen are corrected on the way
// (ScreenPlacement.h); the file keeps its values until the next close.
void ApplySavedPlacement(HWND window, ProfileStore& preferences);

// The window's normal place and size in screen pixels, as the file keeps
// them: a minimised or hidden window gives where it will come back, not its
// parking place (-32000 on Windows).
WindowPlacement PlacementToSave(HWND window);

} // namespace qd
