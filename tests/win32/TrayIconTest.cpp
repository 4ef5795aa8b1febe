#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/Window.h"
#include "shell/TrayIcon.h"
#include "support/DialogWatcher.h"

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

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (tray && tray->HandleAddRequest(message)) return 0;
        return Default(message, wParam, lParam);
    }
};

// The notification area answers a modification only for an icon it holds.
bool iconPresent(const NOTIFYICONDATAA& data) {
    NOTIFYICONDATAA probe = data;
    probe.uFlags = NIF_TIP;
    return Shell_NotifyIconA(NIM_MODIFY, &probe);
}

TEST(TrayIcon, RecordIsFilledOnceAsTheTaskbarExpects) {
    TTrayOwner owner;
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    TTrayIcon tray(owner.Handle(), icon);
    const NOTIFYICONDATAA& data = tray.TrayIconData();
    EXPECT_EQ(data.cbSize, sizeof(void*) == 4 ? 488u : 504u);
    EXPECT_EQ(data.hWnd, owner.Handle());
    EXPECT_EQ(data.uID, 0u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 1148u);
    EXPECT_EQ(data.hIcon, icon);
    char tip[128] = " Quill'Deck ";
    EXPECT_EQ(std::memcmp(data.szTip, tip, sizeof(tip)), 0);
    EXPECT_EQ(data.dwState | data.dwStateMask | data.uTimeout | data.dwInfoFlags, 0u);
    EXPECT_EQ(data.szInfo[0] | data.szInfoTitle[0], 0);
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
