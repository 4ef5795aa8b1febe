#pragma once
#include <windows.h>

namespace qd {

// Releasing Alt or Tab toggles the keyboard cues on Windows Vista and later,
// and push buttons and check boxes do not always redraw for it: repaint them.
void RepaintAfterAltOrTab(HWND form, WPARAM key);

} // namespace qd
