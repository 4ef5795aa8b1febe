// Owns one hidden window so that Wine's virtual desktop stays up for the whole
// test run instead of starting anew for every test program.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "QdDesktopKeeper";
    RegisterClassA(&wc);
    CreateWindowA("QdDesktopKeeper", "", 0, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
