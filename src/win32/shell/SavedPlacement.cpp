#include "shell/SavedPlacement.h"

#include <vector>

#include "shell/ScreenPlacement.h"

namespace qd {

namespace {

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{sizeof(info)};
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& work = info.rcWork;
        reinterpret_cast<std::vector<ScreenArea>*>(areas)->push_back(
            {int(work.left), int(work.top), int(work.right), int(work.bottom)});
    }
    return TRUE;
}

std::vector<ScreenArea> workAreas(HWND window) {
    std::vector<ScreenArea> areas;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    if (areas.empty()) {
        MONITORINFO info{sizeof(info)};
        GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
        const RECT& work = info.rcWork;
        areas.push_back({int(work.left), int(work.top), int(work.right), int(work.bottom)});
    }
    return areas;
}

} // namespace

void ApplySavedPlacement(HWND window, ProfileStore& preferences) {
    RECT r;
    GetWindowRect(window, &r);
    const WindowPlacement design{int(r.bottom - r.top), int(r.right - r.left), int(r.left),
                                 int(r.top)};
    // The launcher travels between machines and its file may be damaged: a
    // place on a screen this one does not have, or a size of -500, would
    // leave the window out of reach.
    const WindowPlacement placed =
        fitToScreen(readWindowPlacement(preferences, design), design, workAreas(window));
    SetWindowPos(window, nullptr, placed.left, placed.top, placed.width, placed.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace qd
