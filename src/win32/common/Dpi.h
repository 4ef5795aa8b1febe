#pragma once
#include <windows.h>

namespace qd {

// Every size in the program is designed for a 96-DPI display; this is the one
// place where a design size becomes pixels at another scale.
constexpr UINT DesignDpi = 96;

// `value` design pixels at `dpi`, rounded half away from zero (21 -> 32 at 144).
constexpr int Scaled(int value, UINT dpi) {
    const long long product = static_cast<long long>(value) * static_cast<long long>(dpi);
    const long long half = DesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / DesignDpi
                                         : -((-product + half) / DesignDpi));
}

// The scale of the monitor a window is on (per-monitor aware), or of the
// system when the window is not known yet or the system predates per-monitor
// scaling.
UINT WindowDpi(HWND window);

// GetSystemMetrics and AdjustWindowRectEx for a given scale; on systems
// without per-monitor scaling, the system's own values.
int SystemMetricForDpi(int index, UINT dpi);
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, UINT dpi);

} // namespace qd
