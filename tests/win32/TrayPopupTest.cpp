#include <windows.h>

#include <gtest/gtest.h>

#include "common/Window.h"
#include "shell/TrayPopup.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

struct Shown {
    std::string text;
    UINT id;
    bool separator;
    bool isDefault;
};

std::vector<Shown> entriesOf(HMENU menu) {
    std::vector<Shown> out;
    for (int p = 0; p < GetMenuItemCount(menu); ++p) {
        char text[256] = {};
        GetMenuStringA(menu, p, text, sizeof(text), MF_BYPOSITION);
        const UINT state = GetMenuState(menu, p, MF_BYPOSITION);
        out.push_back({text, GetMenuItemID(menu, p), (state & MF_SEPARATOR) != 0,
                       (state & MFS_DEFAULT) != 0});
    }
    return out;
}

ItemTable tableOf(const std::vector<std::string>& titles) {
    ItemTable table;
    for (const std::string& t : titles)
        table.addItem({t, t + ".exe", t + ".exe", "0", "", "0", "", "0"}, IconImage{});
    return table;
}

TEST(TrayPopup, EmptyTableWhileShown) {
    UniqueMenu menu = PopupMenu_tray(trayMenuEntries(ItemTable{}, false));
    const auto shown = entriesOf(menu.get());
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "&Restore");
    EXPECT_EQ(shown[0].id, static_cast<UINT>(Pop2_restore));
    EXPECT_TRUE(shown[1].separator);
    EXPECT_EQ(shown[2].text, "E&xit");
    EXPECT_EQ(shown[2].id, static_cast<UINT>(Pop2_Exit));
    for (const Shown& s : shown)
        EXPECT_FALSE(s.isDefault) << s.text;
}

TEST(TrayPopup, ItemsBetweenTheSeparatorsAndRestoreBoldWhileHidden) {
    const ItemTable table = tableOf({"Alpha", "Beta"});
    UniqueMenu menu = PopupMenu_tray(trayMenuEntries(table, true));
    const auto shown = entriesOf(menu.get());
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_TRUE(shown[0].isDefault);
    EXPECT_EQ(GetMenuDefaultItem(menu.get(), FALSE, 0), static_cast<UINT>(Pop2_restore));
    EXPECT_TRUE(shown[1].separator);
    EXPECT_EQ(shown[2].text, "Alpha");
    EXPECT_EQ(shown[3].text, "Beta");
    EXPECT_TRUE(shown[4].separator);
    EXPECT_EQ(shown[5].text, "E&xit");
    for (int p = 2; p <= 3; ++p) {
        EXPECT_EQ(TrayPositionOfCommand(shown[p].id), p);
        EXPECT_EQ(table.rowOfTrayPosition(TrayPositionOfCommand(shown[p].id)), p - 2);
        EXPECT_FALSE(shown[p].isDefault);
    }
    EXPECT_EQ(TrayPositionOfCommand(Pop2_Exit), -1);
    EXPECT_EQ(TrayPositionOfCommand(Pop2_restore), -1);
}

// Owns the tray menu while it is open and chooses its first launch entry
// with the keyboard once the menu waits for input.
class TMenuOwner : public TWindow {
  public:
    TMenuOwner() {
        RegisterClassOnce("QdTrayMenuOwner", 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        CreateHandle(0, "QdTrayMenuOwner", "menu owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400,
                     150, 100, nullptr, nullptr);
    }
    RECT menuRect{};
    HWND foreground = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !foreground) {
            HWND menuWindow = reinterpret_cast<HWND>(lParam);
            GetWindowRect(menuWindow, &menuRect);
            foreground = GetForegroundWindow();
            for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
                PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
        }
        return Default(message, wParam, lParam);
    }
};

TEST(TrayPopup, OpensBesideTheCursorAndReturnsTheChoice) {
    TMenuOwner other; // holds the foreground until the menu opens
    TMenuOwner owner;
    SetForegroundWindow(other.Handle());
    qdtest::pump(20);
    SetCursorPos(300, 200);
    UniqueMenu menu = PopupMenu_tray(trayMenuEntries(tableOf({"Alpha", "Beta"}), false));
    MSG stale;
    while (PeekMessageA(&stale, owner.Handle(), WM_NULL, WM_NULL, PM_REMOVE)) {
    }

    EXPECT_EQ(ShowTrayMenu(owner.Handle(), menu.get()), TrayLaunchCommand(2));
    EXPECT_EQ(owner.menuRect.left, 305);
    EXPECT_EQ(owner.menuRect.top, 196);
    EXPECT_EQ(owner.foreground, owner.Handle());
    MSG null;
    EXPECT_TRUE(PeekMessageA(&null, owner.Handle(), WM_NULL, WM_NULL, PM_REMOVE));
}

} // namespace
} // namespace qd
