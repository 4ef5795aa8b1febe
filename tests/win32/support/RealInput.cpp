#include "support/RealInput.h"

#include <cctype>

#include "shell/MessageLoop.h"
#include "support/DialogWatcher.h"

namespace qdtest {

namespace {

MenuWatcher* activeWatcher = nullptr;

void sendKeyEvent(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

} // namespace

void runMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        qd::ProcessMessages();
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

void sendKey(WORD key) {
    sendKeyEvent(key, false);
    sendKeyEvent(key, true);
}

std::string probeReport(const std::string& folder, DWORD milliseconds) {
    const std::string out = folder + "probe-out.txt";
    const DWORD start = GetTickCount();
    while (!fileExists(out) && GetTickCount() - start < milliseconds)
        runMessages(20);
    return readFile(out);
}

void typeKeys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        sendKey(key);
        runMessages(30);
    }
}

void typeText(const std::string& text) {
    for (char c : text)
        typeKeys({static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)))});
}

void sendWith(WORD modifier, WORD key) {
    sendKeyEvent(modifier, false);
    sendKeyEvent(key, false);
    sendKeyEvent(key, true);
    sendKeyEvent(modifier, true);
}

void typeWith(WORD modifier, WORD key) {
    sendWith(modifier, key);
    runMessages(50);
}

void clickControl(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageA(control, WM_MOUSEMOVE, 0, middle);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageA(control, WM_LBUTTONUP, 0, middle);
}

void clickWithMouse(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    // Absolute input spans 0..65535 over the screen.
    const auto absolute = [](LONG at, int metric) {
        return static_cast<LONG>(MulDiv(at, 65535, GetSystemMetrics(metric) - 1));
    };
    INPUT clicks[3] = {};
    for (INPUT& input : clicks) {
        input.type = INPUT_MOUSE;
        input.mi.dx = absolute((r.left + r.right) / 2, SM_CXSCREEN);
        input.mi.dy = absolute((r.top + r.bottom) / 2, SM_CYSCREEN);
    }
    clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    clicks[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, clicks, sizeof(INPUT));
}

MenuWatcher::MenuWatcher(int choose) : choose_(choose) {
    activeWatcher = this;
    // A thread timer: the menu's own modal loop dispatches it.
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

MenuWatcher::~MenuWatcher() {
    KillTimer(nullptr, timer_);
    activeWatcher = nullptr;
}

void CALLBACK MenuWatcher::Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuWatcher* self = activeWatcher;
    if (!self || self->seen_) return;
    HWND window = FindWindowA("#32768", nullptr);
    if (!window || !IsWindowVisible(window)) return;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    SeenMenu seen;
    GetWindowRect(window, &seen.rect);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char caption[256] = {};
        GetMenuStringA(menu, i, caption, sizeof(caption), MF_BYPOSITION);
        seen.captions.push_back(caption);
        seen.states.push_back(GetMenuState(menu, i, MF_BYPOSITION));
    }
    self->seen_ = seen;
    if (self->choose_ < 0) {
        EndMenu();
        return;
    }
    // The first Down lights the first entry; separators are stepped over.
    for (int i = 0; i <= self->choose_; ++i)
        if (!(seen.states[i] & MF_SEPARATOR)) PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace qdtest
