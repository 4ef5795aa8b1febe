// How the window shows and hides: hide to the tray and back, stay on top,
// the system commands, the tray icon's clicks and the global hot key.
#include "shell/QuillDeck1.h"

#include "shell/AppMessage.h"
#include "shell/TrayMessages.h"
#include "shell/WindowStates.h"

namespace qd {

namespace {
// Runs out when a left press on the tray icon did not become a double-click.
constexpr UINT_PTR TrayPressTimer = 1;
} // namespace

void TForm1::HotKeyPressed() {
    const bool inFront = IsWindowVisible(Handle()) && GetForegroundWindow() == Handle();
    if (inFront) {
        Pop1_MinimizeClick();
        return;
    }
    if (HiddenInTray(application_.Handle())) Pop1_RestoreClick();
    if (BringOpenBoxForward(Handle())) return;
    SetForegroundWindow(Handle());
    FocusList();
}

void TForm1::Pop1_MinimizeClick() {
    HideToTray(Handle());
}

void TForm1::Pop1_RestoreClick() {
    RestoreFromTray(Handle(), application_.Handle());
    FormShow();
}

void TForm1::Pop1_StayOnTopClick() {
    stayOnTop_ = !stayOnTop_;
    SetStayOnTop(Handle(), stayOnTop_);
}

// SystemCommandHandler: the main window itself is never minimised, and the
// caption's close hides to the tray unless the close-closes flag is set.
LRESULT TForm1::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
        // Not every platform hides an owned window with its minimised owner
        // (Wine does not): the main window goes too, so only the tray icon is
        // left, also when the command was posted at start-up.
        ShowWindow(Handle(), SW_HIDE);
        ShowWindow(application_.Handle(), SW_HIDE);
        return 0;
    case SC_CLOSE:
        // Closing passes the gate like every other way out.
        RunCommand(Flags.CloseCloses ? unsigned{CmdClose} : unsigned{Pop1_Minimize});
        return 0;
    }
    return Default(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT TForm1::OnHotKey(WPARAM id, LPARAM) {
    if (id == TGlobalHotKey::Id) HotKeyPressed();
    return 0;
}

LRESULT TForm1::OnTrayIcon(WPARAM wParam, LPARAM lParam) {
    const TrayIconAction action = trayIconAction(wParam, lParam);
    // While a box is open the icon brings it forward: its menu would put the
    // main window over the box and run commands under it.
    if (action != TrayIconAction::None && BringOpenBoxForward(Handle())) return 0;
    switch (action) {
    case TrayIconAction::ShowMenu:
        ShowTrayMenu();
        break;
    case TrayIconAction::ShowMenuUnlessDoubleClick:
        SetTimer(Handle(), TrayPressTimer, GetDoubleClickTime(), nullptr);
        break;
    case TrayIconAction::Restore:
        KillTimer(Handle(), TrayPressTimer);
        RunCommand(Pop1_Restore);
        break;
    case TrayIconAction::None:
        break;
    }
    return 0;
}

LRESULT TForm1::OnTimer(WPARAM id, LPARAM) {
    if (id != TrayPressTimer) return 0;
    KillTimer(Handle(), TrayPressTimer);
    if (!BringOpenBoxForward(Handle())) ShowTrayMenu();
    return 0;
}

} // namespace qd
