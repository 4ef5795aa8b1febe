#pragma once
#include <windows.h>

namespace qd {

// The hidden-to-tray state: the main window is invisible and the application
// window, which owns it and carries the taskbar button, is minimised and
// hidden. Only the notification-area icon is left.

// Hide to tray, first half: the main window goes at once; the SC_MINIMIZE
// posted to it does the rest when the message loop picks it up.
void HideToTray(HWND mainWindow);

// Second half, run by the application-wide hook for every SC_MINIMIZE (the
// main window's system-command handler then only hides the window once more).
// Minimising shows a hidden window, so it is hidden once more afterwards: the
// window keeps its minimised state but no taskbar button.
void HideApplicationWindow(HWND applicationWindow);

// Back from the tray: the application window's SC_RESTORE is posted and
// brings back the taskbar button and its owned windows; the main window is
// shown and brought forward at once.
void RestoreFromTray(HWND mainWindow, HWND applicationWindow);

// True while the program sits hidden in the tray.
inline bool HiddenInTray(HWND applicationWindow) {
    return !IsWindowVisible(applicationWindow);
}

// The box of its own the launcher waits on (About, the editor, a message, the
// open dialog), or null while none is open: such a box keeps the keyboard, and
// the main window it disabled must not come over it.
HWND OpenBox(HWND mainWindow);

// Brings the open box, if any, to the front: true when there was one.
bool BringOpenBoxForward(HWND mainWindow);

// Whether a menu of this thread is open (its loop running).
bool MenuOpen();

// Closes this thread's open menu, if any: true when one was open. It is gone
// once the menu's loop runs again, so what waits for it is posted after.
bool EndOpenMenu();

// Puts the main window on top of other windows or back to normal z-order, and
// shows it; the system menu's "Stay on &Top" check mark follows.
void SetStayOnTop(HWND mainWindow, bool onTop);

} // namespace qd
