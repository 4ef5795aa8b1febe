#include <windows.h>

#include <gtest/gtest.h>

#include "common/Window.h"
#include "shell/TrayMessages.h"
#include "ui/MainMenu.h"
#include "shell/WindowStates.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

// A window with the system menu's "Stay on &Top" entry.
class TMainStandIn : public TWindow {
  public:
    TMainStandIn() {
        RegisterClassOnce("QdTestMain", 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        CreateHandle(0, "QdTestMain", "main", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 320, 150,
                     166, 250, nullptr, nullptr);
        InsertMenuA(GetSystemMenu(Handle(), FALSE), 0, MF_BYPOSITION | MF_STRING, CmdStayOnTop,
                    "Stay on &Top");
        ShowWindow(Handle(), SW_SHOWNORMAL);
    }
};

// Unowned here: Wine 8 keeps an owned window topmost after HWND_NOTOPMOST
// (Windows does not), which would hide whether the toggle asks correctly.
TEST(WindowStates, StayOnTopTwiceReturnsToNormalWithTheCheckMark) {
    TMainStandIn main;
    HMENU systemMenu = GetSystemMenu(main.Handle(), FALSE);
    auto topmost = [&] {
        return (GetWindowLongA(main.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    auto checked = [&] {
        return (GetMenuState(systemMenu, CmdStayOnTop, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    ShowWindow(main.Handle(), SW_HIDE);
    SetStayOnTop(main.Handle(), true);
    EXPECT_TRUE(topmost());
    EXPECT_TRUE(checked());
    EXPECT_TRUE(IsWindowVisible(main.Handle())); // the toggle also shows the window
    SetStayOnTop(main.Handle(), false);
    EXPECT_FALSE(topmost());
    EXPECT_FALSE(checked());
}

} // namespace
} // namespace qd
