#include "shell/WindowStates.h"

#include "shell/TrayMessages.h"
#include "ui/MainMenu.h"

namespace qd {

void HideToTray(HWND mainWindow) {
    ShowWindow(mainWindow, SW_HIDE);
    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void HideApplicationWindow(HWND applicationWindow) {
    ShowWindow(applicationWindow, SW_HIDE);
    ShowWindow(applicationWindow, SW_MINIMIZE);
    ShowWindow(applicationWindow, SW_HIDE);
}

void RestoreFromTray(HWND mainWindow, HWND applicationWindow) {
    PostMessageA(applicationWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(mainWindow, SW_SHOW);
    SetForegroundWindow(applicationWindow);
    FlashWindow(applicationWindow, FALSE);
    SetActiveWindow(applicationWindow);
}

HWND OpenBox(HWND mainWindow) {
    HWND popup = GetLastActivePopup(mainWindow);
    return popup && popup != mainWindow && IsWindowVisible(popup) ? popup : nullptr;
}

bool BringOpenBoxForward(HWND mainWindow) {
    HWND box = OpenBox(mainWindow);
    if (box) SetForegroundWindow(box);
    return box != nullptr;
}

bool MenuOpen() {
    GUITHREADINFO thread{sizeof(thread)};
    return GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE);
}

bool EndOpenMenu() {
    if (!MenuOpen()) return false;
    EndMenu();
    return true;
}

void SetStayOnTop(HWND mainWindow, bool onTop) {
    RECT r;
    GetWindowRect(mainWindow, &r);
    SetWindowPos(mainWindow, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, SWP_SHOWWINDOW);
    CheckMenuItem(GetSystemMenu(mainWindow, FALSE), CmdStayOnTop,
                  MF_BYCOMMAND | (onTop ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace qd
