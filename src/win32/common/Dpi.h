#pragma once
#include <windows.h>

#include <vector>

#include "common/Handles.h"

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

// A font of the program's design height (96-DPI pixels, character height)
// at a scale.
struct FontSpec {
    const char* face;
    int height;
    bool bold = false;
    bool underline = false;
};
UniqueFont CreateScaledFont(const FontSpec& spec, UINT dpi);

// Child windows kept at their design rectangles: placed at one scale, and
// placed again, all together, when the scale changes.
class TScaledLayout {
  public:
    // A design length at the current scale.
    int operator()(int design) const { return Scaled(design, dpi_); }
    // Places `control` at its design rectangle now and at every later scale.
    void Place(HWND control, int left, int top, int width, int height);
    // Moves every placed control to its design rectangle at `dpi`.
    void SetDpi(UINT dpi);

  private:
    void Move(HWND control, const RECT& design) const;
    struct Placed {
        HWND control;
        RECT design;
    };
    std::vector<Placed> placed_;
    UINT dpi_ = DesignDpi;
};

} // namespace qd
