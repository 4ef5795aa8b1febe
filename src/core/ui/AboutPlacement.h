#pragma once
#include "common/ScreenPoint.h"

namespace qd {

// Where the About box opens: centred on the main window's width and shifted
// 10 pixels right, its top half a row below the top of the item list.
// Widths are outer widths; gridTop is the list's top within the main window's
// client area, rowHeight the list's default row height. Both halvings
// truncate toward zero.
ScreenPoint aboutBoxPosition(int mainLeft, int mainTop, int mainWidth, int aboutWidth,
                             int smallCaptionHeight, int gridTop, int rowHeight);

} // namespace qd
