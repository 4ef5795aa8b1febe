#include "common/Window.h"

#include "common/AppInfo.h"
#include "common/Error.h"

namespace qd {

TWindow::~TWindow() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void TWindow::RegisterClassOnce(const char* className, UINT style, HCURSOR cursor,
                                HBRUSH background, HICON icon) {
    WNDCLASSEXA existing{sizeof(existing)};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &existing)) return;
    WNDCLASSEXA wc{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc))
        throw EQuillDeck(std::string("Cannot register window class ") + className);
}

HWND TWindow::CreateHandle(DWORD exStyle, const char* className, const char* caption, DWORD style,
                           int x, int y, int width, int height, HWND parent, HMENU idOrMenu) {
    HWND hwnd = CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent,
                                idOrMenu, GetModuleHandleA(nullptr), this);
    if (!hwnd) throw EQuillDeck("Cannot create window");
    return hwnd;
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!Guarded(hwnd, [&] { result = self->HandleMessage(message, wParam, lParam); })) return 0;
    return result;
}

std::string WindowText(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
    return text;
}

void ShowApplicationError(HWND owner, const std::string& message) {
    MessageBoxA(owner, errorBoxText(message).c_str(), ApplicationTitle, MB_OK | MB_ICONERROR);
}

} // namespace qd
