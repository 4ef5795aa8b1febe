#pragma once
#include <vector>

#include "shell/Preferences.h"

namespace qd {

// A monitor's work area in screen pixels, right and bottom exclusive.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the main window goes for the placement read from the file. A width or
// height of zero or less, or larger than the work area it would open on, is
// no size anyone chose: it becomes the design size's (the first-start window)
// and the window is kept within that work area. A rectangle that meets no work
// area moves onto the nearest one, keeping its size where it fits. Anything
// else stays as saved. `workAreas` must not be empty.
WindowPlacement fitToScreen(const WindowPlacement& saved, const WindowPlacement& design,
                            const std::vector<ScreenArea>& workAreas);

} // namespace qd
