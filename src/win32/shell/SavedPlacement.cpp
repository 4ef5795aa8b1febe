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

WindowPlacement PlacementToSave(HWND window) {
    WINDOWPLACEMENT placement{sizeof(placement)};
    GetWindowPlacement(window, &placement);
    RECT r = placement.rcNormalPosition;
    // It is given relative to the work area; the file holds screen pixels.
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
    return {int(r.bottom - r.top), int(r.right - r.left), int(r.left), int(r.top)};
}

} // namespace qd
