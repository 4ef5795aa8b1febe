#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Handles.h"
#include "shell/OptionsPanel.h"
#include "support/DialogWatcher.h"
#include "support/RealInput.h"
#include "ui/MainMenu.h"

namespace qd {
namespace {

// The panel on a plain parent, at the main window's size below the toolbar.
struct Fixture {
    // SS_NOTIFY: a static window is otherwise transparent to the mouse.
    UniqueWindow parent{CreateWindowExA(0, "STATIC", "",
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE | SS_NOTIFY, 0, 0, 300,
                                        300, nullptr, nullptr, nullptr, nullptr)};
    TPanelOptions panel{parent.get(), 0, 24, 158, 196, DesignDpi};
};

struct FindTooltips {
    HWND owner;
    HWND found = nullptr;
};

// The hint the panel's tooltip window holds for a control. The tooltip popup
// belongs to the panel's top-level window, as every owned window does.
std::string hintOf(HWND panel, HWND control) {
    FindTooltips search{GetAncestor(panel, GA_ROOT)};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<FindTooltips*>(data);
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != s->owner)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) return "<no tooltips>";
    char text[256] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = panel;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageA(search.found, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST(OptionsPanel, ControlsSitAtTheirPlacesWithCaptionsAndHints) {
    Fixture f;
    TPanelOptions& p = f.panel;
    // The tooltip windows are made at the first mouse move.
    qdtest::moveMouseOver(f.parent.get());
    struct Case {
        HWND control;
        int left, top, width, height; // width 0: not fixed
        const char* caption;
        const char* hint;
    };
    for (const Case& c : {
             Case{p.CheckBox_minimized, 10, 10, 0, 12, "Start minimized",
                  " Start software minimized  "},
             Case{p.CheckBox_deletion, 10, 25, 0, 12, "Confirm removing items",
                  " Ask confirmation on item remotion from list   "},
             Case{p.CheckBox_hash, 10, 40, 0, 12, "Check files are safe *",
                  " Integrity check if files have been changed !  "},
             Case{p.CheckBox_close, 10, 55, 0, 12, "Close = minimize",
                  " Closing from caption minimizes program "},
             Case{p.Label1, 10, 85, 0, 0, "Ap groups", ""},
             Case{p.Edit_groups, 63, 84, 56, 17, "", "Add or delete application groups ... "},
             Case{p.ScrollBar_groups, 115, 85, 17, 16, "", ""},
             Case{p.Button_add_group->Handle(), 63, 102, 30, 14, "add", "Add application group "},
             Case{p.Button_del_group->Handle(), 94, 102, 30, 14, "del",
                  "Delete application group "},
             Case{p.CheckBox_keepdeleted, 10, 128, 0, 12, "Keep deleted items",
                  " Don't remove deleted items from software's list "},
             // Kept at (width - 72, height - 25).
             Case{p.Button_ok_option->Handle(), 86, 171, 57, 16, "ok", ""},
             Case{p.Bevel6, 0, 71, 157, 0, "", ""},
             Case{p.Bevel7, 0, 116, 157, 0, "", ""},
         }) {
        const std::string caption = c.caption;
        const RECT r = qdtest::placeInParent(c.control);
        EXPECT_EQ(r.left, c.left) << caption;
        EXPECT_EQ(r.top, c.top) << caption;
        if (c.width) {
            EXPECT_EQ(r.right - r.left, c.width) << caption;
        }
        if (c.height) {
            EXPECT_EQ(r.bottom - r.top, c.height) << caption;
        }
        EXPECT_EQ(qdtest::windowText(c.control), caption);
        EXPECT_EQ(hintOf(p.Handle(), c.control), c.hint) << caption;
    }
    EXPECT_EQ(GetWindowLongA(p.ScrollBar_groups, GWL_STYLE) & SBS_VERT, SBS_VERT);
    EXPECT_EQ(p.GroupMaximum(), 1);
    EXPECT_EQ(p.GroupPosition(), 1);
    // Closed until opened: hidden and disabled.
    EXPECT_FALSE(p.IsOpen());
    EXPECT_FALSE(IsWindowEnabled(p.Handle()));
    p.Open();
    EXPECT_TRUE(p.IsOpen());
    p.Close();
    EXPECT_FALSE(p.IsOpen());
}

TEST(OptionsPanel, ResizeKeepsOkAtTheCornerAndTheLinesFullWidth) {
    Fixture f;
    SetWindowPos(f.panel.Handle(), nullptr, 0, 0, 200, 250, SWP_NOMOVE | SWP_NOZORDER);
    const RECT ok = qdtest::placeInParent(f.panel.Button_ok_option->Handle());
    EXPECT_EQ(ok.left, 128);
    EXPECT_EQ(ok.top, 225);
    for (HWND bevel : {f.panel.Bevel6, f.panel.Bevel7}) {
        const RECT r = qdtest::placeInParent(bevel);
        EXPECT_EQ(r.right - r.left, 199);
    }
}

TEST(OptionsPanel, CheckBoxesShowTheFlagsWithCloseNegated) {
    Fixture f;
    const PreferenceFlags flags{true, false, true, true, false};
    f.panel.ShowFlags(flags);
    EXPECT_TRUE(f.panel.Checked(f.panel.CheckBox_minimized));
    EXPECT_FALSE(f.panel.Checked(f.panel.CheckBox_deletion));
    EXPECT_TRUE(f.panel.Checked(f.panel.CheckBox_hash));
    EXPECT_FALSE(f.panel.Checked(f.panel.CheckBox_close));
    EXPECT_FALSE(f.panel.Checked(f.panel.CheckBox_keepdeleted));
    EXPECT_EQ(f.panel.FlagsFromBoxes(), flags);
    // Ticking "Close = minimize" clears the close-closes flag.
    SendMessageA(f.panel.CheckBox_close, BM_CLICK, 0, 0);
    EXPECT_FALSE(f.panel.FlagsFromBoxes().CloseCloses);
}

TEST(OptionsPanel, ButtonsRunTheirCallbacks) {
    Fixture f;
    std::vector<std::string> calls;
    f.panel.OnOk = [&] { calls.push_back("ok"); };
    f.panel.OnAddGroup = [&] { calls.push_back("add"); };
    f.panel.OnDeleteGroup = [&] { calls.push_back("del"); };
    for (TSoftButt* button : {f.panel.Button_ok_option.get(), f.panel.Button_add_group.get(),
                              f.panel.Button_del_group.get()}) {
        SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"ok", "add", "del"}));

    // Restricted mode: the group buttons do nothing.
    f.panel.SetGroupControlsEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(f.panel.Edit_groups));
    f.panel.Button_add_group->Click();
    f.panel.Button_del_group->Click();
    EXPECT_EQ(calls.size(), 3u);
}

TEST(OptionsPanel, GroupNameHoldsAtMostTenCharacters) {
    Fixture f;
    for (char c : std::string("Twelve chars"))
        SendMessageA(f.panel.Edit_groups, WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ(f.panel.GroupName(), "Twelve cha");
}

TEST(OptionsPanel, BrowseBarStepsWithinItsRange) {
    Fixture f;
    std::vector<int> seen;
    f.panel.OnGroupScroll = [&](int position) { seen.push_back(position); };
    f.panel.SetGroupRange(3, 7);
    EXPECT_EQ(f.panel.GroupPosition(), 3);
    EXPECT_TRUE(seen.empty());
    auto scroll = [&](WORD request) {
        SendMessageA(f.panel.Handle(), WM_VSCROLL, request,
                     reinterpret_cast<LPARAM>(f.panel.ScrollBar_groups));
    };
    scroll(SB_LINEDOWN); // already at the end
    scroll(SB_LINEUP);
    scroll(SB_LINEUP);
    scroll(SB_LINEUP); // already at 1
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));
    EXPECT_EQ(f.panel.GroupPosition(), 1);
}

TEST(OptionsPanel, MenuHoldsOkSeparatorAndExit) {
    UniqueMenu menu = BuildOptionsMenu();
    ASSERT_EQ(GetMenuItemCount(menu.get()), 3);
    char text[64] = {};
    GetMenuStringA(menu.get(), 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Ok");
    EXPECT_EQ(GetMenuItemID(menu.get(), 0), static_cast<UINT>(Pop3_Ok));
    EXPECT_TRUE(GetMenuState(menu.get(), 1, MF_BYPOSITION) & MF_SEPARATOR);
    GetMenuStringA(menu.get(), 2, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "E&xit\tAlt+X");
    EXPECT_EQ(GetMenuItemID(menu.get(), 2), static_cast<UINT>(Pop3_Exit));
}

} // namespace
} // namespace qd
