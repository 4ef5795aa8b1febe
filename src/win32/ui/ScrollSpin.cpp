#include "ui/ScrollSpin.h"

#include <algorithm>

namespace qd {

int SpinPositionAfter(HWND bar, WPARAM request) {
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS};
    GetScrollInfo(bar, SB_CTL, &info);
    int position = info.nPos;
    switch (LOWORD(request)) {
    case SB_LINEUP:
    case SB_PAGEUP:
        --position;
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        ++position;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = HIWORD(request);
        break;
    }
    return std::clamp(position, info.nMin, std::max(info.nMin, info.nMax));
}

} // namespace qd
