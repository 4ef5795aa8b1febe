#include <windows.h>

#include <gtest/gtest.h>

#include "common/Window.h"
#include "shell/TrayMessages.h"
#include "ui/MainMenu.h"
#include "shell/WindowStates.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

// A stand-in for the application window: it carries the taskbar button.
class TAppWindow : public TWindow {
  public:
    TAppWindow() {
        RegisterClassOnce("QdTestApplication", 0, nullptr, nullptr);
        CreateHandle(0, "QdTestApplication", "app",
                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 200, 200, 0, 0, nullptr,
                     nullptr);
        ShowWindow(Handle(), SW_SHOWNORMAL);
    }
};

// A stand-in for the main window, owned by the application window, with the
// system-command handling of the hidden-to-tray state.
class TOwnedMain : public TWindow {
  public:
    explicit TOwnedMain(HWND app) : app_(app) {
        RegisterClassOnce("QdTestMain", 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        CreateHandle(0, "QdTestMain", "main", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 320, 150,
                     166, 250, app, nullptr);
        InsertMenuA(GetSystemMenu(Handle(), FALSE), 0, MF_BYPOSITION | MF_STRING, CmdStayOnTop,
                    "Stay on &Top");
        ShowWindow(Handle(), SW_SHOWNORMAL);
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
            HideApplicationWindow(app_);
            return 0;
        }
        return Default(message, wParam, lParam);
    }

  private:
    HWND app_;
};

TEST(WindowStates, HideToTrayAndRestore) {
    TAppWindow app;
    TOwnedMain main(app.Handle());
    qdtest::pump(20);
    ASSERT_TRUE(IsWindowVisible(main.Handle()));
    ASSERT_FALSE(HiddenInTray(app.Handle()));

    HideToTray(main.Handle());
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    qdtest::pump(50);
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
    EXPECT_TRUE(IsIconic(app.Handle()));
    EXPECT_TRUE(HiddenInTray(app.Handle()));

    RestoreFromTray(main.Handle(), app.Handle());
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    qdtest::pump(50);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_TRUE(IsWindowVisible(app.Handle()));
    EXPECT_FALSE(IsIconic(app.Handle()));
    EXPECT_FALSE(HiddenInTray(app.Handle()));
}

// Unowned here: Wine 8 keeps an owned window topmost after HWND_NOTOPMOST
// (Windows does not), which would hide whether the toggle asks correctly.
TEST(WindowStates, StayOnTopTwiceReturnsToNormalWithTheCheckMark) {
    TOwnedMain main(nullptr);
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
