// The floor for start-up: the smallest Win32 program that registers a class,
// creates a window of the launcher's size and style and shows it. Linked as
// the launcher is (static, GUI subsystem), so both pay the same loader costs.
#include <windows.h>

namespace {
LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSEXA wc{sizeof(wc)};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "MinimalWindow";
    if (!RegisterClassExA(&wc)) return 1;
    // The launcher's style and its client area of 158 x 220 at 318, 150.
    constexpr DWORD Style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    RECT r{0, 0, 158, 220};
    AdjustWindowRectEx(&r, Style, FALSE, 0);
    HWND window = CreateWindowExA(0, "MinimalWindow", " Minimal", Style, 318, 150, r.right - r.left,
                                  r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
