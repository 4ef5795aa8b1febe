#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <utility>
#include <vector>

#include "common/Window.h"
#include "shell/TrayIcon.h"
#include "shell/TrayMessages.h"
#include "support/DialogWatcher.h"
#include "support/RealInput.h"

namespace qd {
namespace {

// A top-level window that passes unknown messages to its tray icon, as the
// main window's message table does.
class TTrayOwner : public TWindow {
  public:
    TTrayOwner() {
        RegisterClassOnce("QdTrayOwner", 0, nullptr, nullptr);
        CreateHandle(0, "QdTrayOwner", "tray owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                     nullptr);
    }
    TTrayIcon* tray = nullptr;
    // The icon's calls, as (wParam, lParam), moves left out.
    std::vector<std::pair<WPARAM, LPARAM>> calls;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (tray && tray->HandleAddRequest(message)) return 0;
        if (message == WM_TRAYICON && lParam != WM_MOUSEMOVE) calls.emplace_back(wParam, lParam);
        return Default(message, wParam, lParam);
    }
};

// The newest icon of the notification area: the taskbar's right-hand corner.
POINT trayIconPlace() {
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    return {screen.right - 11, screen.bottom - 11};
}

// The notification area answers a modification only for an icon it holds.
bool iconPresent(const NOTIFYICONDATAA& data) {
    NOTIFYICONDATAA probe = data;
    probe.uFlags = NIF_TIP;
    return Shell_NotifyIconA(NIM_MODIFY, &probe);
}

// A click on the icon, in the corner of the desktop's taskbar, reaches its
// window as the icon's message, press and release.
TEST(TrayIcon, TellsItsWindowOfAClick) {
    TTrayOwner owner;
    TTrayIcon tray(owner.Handle(), LoadIconA(nullptr, IDI_APPLICATION));
    owner.tray = &tray;
    qdtest::pump(10);
    ASSERT_TRUE(iconPresent(tray.TrayIconData()));

    qdtest::mouseAt(trayIconPlace(), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    for (int i = 0; i < 100 && owner.calls.size() < 2; ++i)
        qdtest::pump(10);
    const std::vector<std::pair<WPARAM, LPARAM>> click{{0, WM_LBUTTONDOWN}, {0, WM_LBUTTONUP}};
    EXPECT_EQ(owner.calls, click);
    owner.tray = nullptr;
}

TEST(TrayIcon, AddedRestoredAfterTaskbarRestartAndRemoved) {
    TTrayOwner owner;
    NOTIFYICONDATAA data;
    {
        TTrayIcon tray(owner.Handle(), LoadIconA(nullptr, IDI_APPLICATION));
        owner.tray = &tray;
        data = tray.TrayIconData();
        // Added once the owner's messages run, not before.
        EXPECT_FALSE(iconPresent(data));
        qdtest::pump(10);
        EXPECT_TRUE(iconPresent(data));

        // A restarted taskbar has lost the icon and tells every window so.
        Shell_NotifyIconA(NIM_DELETE, &data);
        ASSERT_FALSE(iconPresent(data));
        PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        qdtest::pump(50);
        EXPECT_TRUE(iconPresent(data));
        owner.tray = nullptr;
    }
    EXPECT_FALSE(iconPresent(data));
}

} // namespace
} // namespace qd
