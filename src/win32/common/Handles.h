#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace qd {

// Owning wrappers: every handle the program creates lives in one of these.
template <auto Release> struct HandleDeleter {
    template <typename H> void operator()(H handle) const {
        if (handle) Release(handle);
    }
};

template <typename H, auto Release>
using UniqueHandleOf = std::unique_ptr<std::remove_pointer_t<H>, HandleDeleter<Release>>;

using UniqueWindow = UniqueHandleOf<HWND, DestroyWindow>;
using UniqueMenu = UniqueHandleOf<HMENU, DestroyMenu>;
using UniqueIcon = UniqueHandleOf<HICON, DestroyIcon>;
using UniqueBitmap = UniqueHandleOf<HBITMAP, DeleteObject>;
using UniqueFont = UniqueHandleOf<HFONT, DeleteObject>;
using UniqueBrush = UniqueHandleOf<HBRUSH, DeleteObject>;
using UniquePen = UniqueHandleOf<HPEN, DeleteObject>;
using UniqueDC = UniqueHandleOf<HDC, DeleteDC>;
using UniqueModule = UniqueHandleOf<HMODULE, FreeLibrary>;
using UniqueHook = UniqueHandleOf<HHOOK, UnhookWindowsHookEx>;
using UniqueLocalMemory = UniqueHandleOf<HLOCAL, LocalFree>;

// The screen's device context, released when it goes.
class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

inline BOOL closeKernelHandle(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? TRUE : CloseHandle(h);
}
using UniqueKernelHandle = UniqueHandleOf<HANDLE, closeKernelHandle>;

// Describes an uncompressed bitmap whose first row is its top one.
inline BITMAPINFO TopDownBitmapInfo(int width, int height, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Selects an object into a DC for one scope and puts the old one back.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window DC from GetDC, released on scope exit.
class ScopedWindowDC {
  public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() { ReleaseDC(window_, dc_); }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class ScopedPaint {
  public:
    explicit ScopedPaint(HWND window) : window_(window) { BeginPaint(window, &ps_); }
    ~ScopedPaint() { EndPaint(window_, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC dc() const { return ps_.hdc; }
    const RECT& area() const { return ps_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
};

// Shows the busy cursor for one scope and restores the cursor it found.
class ScopedBusyCursor {
  public:
    ScopedBusyCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~ScopedBusyCursor() { SetCursor(previous_); }
    ScopedBusyCursor(const ScopedBusyCursor&) = delete;
    ScopedBusyCursor& operator=(const ScopedBusyCursor&) = delete;

  private:
    HCURSOR previous_;
};

} // namespace qd
