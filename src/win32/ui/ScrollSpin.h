#pragma once
#include <windows.h>

namespace qd {

// A small scroll bar used as a spin: the position a WM_VSCROLL request moves
// it to, clamped to its range. A page is one step too, because every position
// names a value of its own. Other requests keep the position.
int SpinPositionAfter(HWND bar, WPARAM request);

} // namespace qd
