#include "common/Dpi.h"

namespace qd {

namespace {

// Looked up at run time: the launcher also starts on systems older than the
// per-monitor functions.
template <typename Function> Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : DesignDpi;
}

} // namespace

UINT WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (window && forWindow) {
        const UINT dpi = forWindow(window);
        if (dpi != 0) return dpi;
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
    using MetricFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32Function<MetricFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, UINT dpi) {
    using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto forDpi = User32Function<AdjustFn>("AdjustWindowRectExForDpi");
    if (forDpi)
        forDpi(&rect, style, menu, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, menu, exStyle);
}

// The text drawn with these fonts is ANSI text of the system's code page:
// a fixed Western character set would show Cyrillic, Greek or Japanese titles
// as Latin letters.
UniqueFont CreateScaledFont(const FontSpec& spec, UINT dpi) {
    return UniqueFont(CreateFontA(-Scaled(spec.height, dpi), 0, 0, 0,
                                  spec.bold ? FW_BOLD : FW_NORMAL, FALSE, spec.underline, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, spec.face));
}

void TScaledLayout::Place(HWND control, int left, int top, int width, int height) {
    const RECT design{left, top, left + width, top + height};
    Move(control, design);
    for (Placed& placed : placed_)
        if (placed.control == control) {
            placed.design = design;
            return;
        }
    placed_.push_back({control, design});
}

void TScaledLayout::SetDpi(UINT dpi) {
    dpi_ = dpi;
    for (const Placed& placed : placed_)
        Move(placed.control, placed.design);
}

void TScaledLayout::Move(HWND control, const RECT& design) const {
    SetWindowPos(control, nullptr, (*this)(design.left), (*this)(design.top),
                 (*this)(design.right - design.left), (*this)(design.bottom - design.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace qd
