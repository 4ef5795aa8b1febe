#include <windows.h>

#include <gtest/gtest.h>

#include "shell/TrayMessages.h"
#include "ui/MainMenu.h"
#include "common/MessageLoop.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"
#include "ui/MessageDialog.h"

namespace qd {
namespace {

using qdtest::closeForm;
using Launcher = qdtest::LauncherFolder;

void runMessages(DWORD milliseconds = 50) {
    qdtest::runMessages(milliseconds);
}

std::unique_ptr<TForm1> startWith(Launcher& launcher, std::initializer_list<const char*> titles) {
    launcher.addUncheckedItems(titles);
    return launcher.start();
}

using qdtest::menuTexts;

bool shown(TForm1& form) {
    return IsWindowVisible(form.Handle()) && IsWindowVisible(seam(form).ApplicationHandle());
}
bool hidden(TForm1& form) {
    return !IsWindowVisible(form.Handle()) && !IsWindowVisible(seam(form).ApplicationHandle());
}

TEST(MainWindowStates, HideToTrayAndBackByTheIcon) {
    Launcher launcher;
    auto form = startWith(launcher, {"A"});
    ASSERT_TRUE(shown(*form));
    // Alt+M on the keyboard, with the list in front.
    SetForegroundWindow(form->Handle());
    SetFocus(seam(*form).StringGrid1->Handle());
    qdtest::typeWith(VK_MENU, 'M');
    runMessages();
    EXPECT_TRUE(hidden(*form));
    EXPECT_TRUE(IsIconic(seam(*form).ApplicationHandle()));
    // Only the icon with id 0 is ours.
    SendMessageA(form->Handle(), WM_TRAYICON, 1, WM_LBUTTONDBLCLK);
    runMessages();
    EXPECT_TRUE(hidden(*form));
    SendMessageA(form->Handle(), WM_TRAYICON, 0, WM_LBUTTONDBLCLK);
    runMessages();
    EXPECT_TRUE(shown(*form));
    // The system menu's "Minimi&ze" hides as well.
    PostMessageA(form->Handle(), WM_SYSCOMMAND, CmdMinimize, 0);
    runMessages();
    EXPECT_TRUE(hidden(*form));
    closeForm(*form);
}

// A left press opens the tray menu once it cannot become a double-click; a
// double-click restores without a menu in its way.
TEST(MainWindowStates, LeftPressOpensTheTrayMenuUnlessADoubleClickFollows) {
    Launcher launcher;
    auto form = startWith(launcher, {"A"});
    {
        qdtest::MenuWatcher menu;
        SendMessageA(form->Handle(), WM_TRAYICON, 0, WM_LBUTTONDOWN);
        runMessages(GetDoubleClickTime() + 300);
        ASSERT_TRUE(menu.seen());
        EXPECT_EQ(menu.seen()->captions.front(), "&Restore");
    }
    SendMessageA(form->Handle(), WM_COMMAND, Pop1_Minimize, 0);
    runMessages();
    qdtest::MenuWatcher menu;
    SendMessageA(form->Handle(), WM_TRAYICON, 0, WM_LBUTTONDOWN);
    SendMessageA(form->Handle(), WM_TRAYICON, 0, WM_LBUTTONDBLCLK);
    runMessages(GetDoubleClickTime() + 300);
    EXPECT_FALSE(menu.seen());
    EXPECT_TRUE(shown(*form));
    closeForm(*form);
}

TEST(MainWindowStates, CaptionCloseAndExitFollowTheCloseClosesFlag) {
    const struct {
        const char* name;
        const char* captionClose;
        void (*close)(TForm1&);
        bool ends;
    } cases[] = {
        {"caption, flag clear", "0",
         [](TForm1& f) { PostMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
        {"caption, flag set", "1",
         [](TForm1& f) { PostMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, true},
        {"toolbar Exit, flag clear", "0", [](TForm1& f) { seam(f).ToolButton_exit->Click(); },
         false},
        {"toolbar Exit, flag set", "1", [](TForm1& f) { seam(f).ToolButton_exit->Click(); }, true},
        {"menu Exit, flag clear", "0",
         [](TForm1& f) { PostMessageA(f.Handle(), WM_COMMAND, Pop1_Exit, 0); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Launcher launcher;
        launcher.setPreference("CaptionClose", c.captionClose);
        auto form = launcher.start();
        c.close(*form);
        runMessages();
        EXPECT_EQ(!IsWindow(seam(*form).StringGrid1->Handle()), c.ends);
        if (!c.ends) {
            EXPECT_TRUE(hidden(*form));
            closeForm(*form);
        }
    }
}

TEST(MainWindowStates, TrayMenuFollowsTheRows) {
    Launcher launcher;
    auto form = startWith(launcher, {"A", "B", "C"});
    EXPECT_EQ(menuTexts(seam(*form).PopupMenu_tray().get()),
              (std::vector<std::string>{"&Restore", "-", "A", "B", "C", "-", "E&xit"}));
    // Drag row 0 onto row 2, then remove the current row.
    HWND list = seam(*form).StringGrid1->Handle();
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 2 * DefaultRowHeight + 10));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 2 * DefaultRowHeight + 10));
    EXPECT_EQ(menuTexts(seam(*form).PopupMenu_tray().get()),
              (std::vector<std::string>{"&Restore", "-", "B", "C", "A", "-", "E&xit"}));
    seam(*form).Flags.ConfirmDelete = false;
    seam(*form).Table().setCurrentRow(1);
    SendMessageA(form->Handle(), WM_COMMAND, Pop1_DeleteItem, 0);
    EXPECT_EQ(menuTexts(seam(*form).PopupMenu_tray().get()),
              (std::vector<std::string>{"&Restore", "-", "B", "A", "-", "E&xit"}));
    // "&Restore" is the bold default only while the program is hidden.
    EXPECT_EQ(GetMenuDefaultItem(seam(*form).PopupMenu_tray().get(), TRUE, 0), UINT(-1));
    SendMessageA(form->Handle(), WM_COMMAND, Pop1_Minimize, 0);
    runMessages();
    EXPECT_EQ(GetMenuDefaultItem(seam(*form).PopupMenu_tray().get(), TRUE, 0), 0u);
    closeForm(*form);

    Launcher empty;
    auto none = empty.start();
    EXPECT_EQ(menuTexts(seam(*none).PopupMenu_tray().get()),
              (std::vector<std::string>{"&Restore", "-", "E&xit"}));
    closeForm(*none);
}

TEST(MainWindowStates, StayOnTopChecksAgreeInBothMenus) {
    Launcher launcher;
    auto form = launcher.start();
    HMENU system = GetSystemMenu(form->Handle(), FALSE);
    auto mainMenuChecked = [&] {
        UniqueMenu menu = seam(*form).PopupMenu_main();
        return (GetMenuState(menu.get(), Pop1_StayOnTop, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    PostMessageA(form->Handle(), WM_SYSCOMMAND, CmdStayOnTop, 0);
    runMessages();
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetMenuState(system, CmdStayOnTop, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(mainMenuChecked());
    SendMessageA(form->Handle(), WM_COMMAND, Pop1_StayOnTop, 0);
    EXPECT_FALSE(GetMenuState(system, CmdStayOnTop, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(mainMenuChecked());
    closeForm(*form);
}

TEST(MainWindowStates, WheelNotchIsOneArrowKey) {
    Launcher launcher;
    auto form = startWith(launcher, {"A", "B", "C"});
    HWND list = seam(*form).StringGrid1->Handle();
    const struct {
        short delta;
        int row;
    } turns[] = {{-360, 1}, {0, 2}, {120, 1}, {1, 0}};
    for (const auto& turn : turns) {
        PostMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, turn.delta), MAKELPARAM(20, 20));
        runMessages(20);
        EXPECT_EQ(seam(*form).Table().currentRow(), turn.row) << turn.delta;
    }
    closeForm(*form);
}

// The wheel becomes an arrow key in the program's dialogs too: in a message
// box the Down key moves the focus from "OK" to "Cancel".
TEST(MainWindowStates, WheelIsAnArrowKeyInDialogsToo) {
    Launcher launcher;
    auto form = launcher.start();
    static std::string focused;
    static int step;
    focused.clear();
    step = 0;
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND button = GetFocus();
        if (++step == 1) {
            PostMessageA(button, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
            return;
        }
        KillTimer(nullptr, id);
        char text[32] = {};
        GetWindowTextA(button, text, sizeof(text));
        focused = text;
        PostMessageA(GetParent(button), WM_COMMAND, IDCANCEL, 0);
    });
    MessageDlg(form->Handle(), "Turn the wheel", TMsgDlgType::Warning,
               {TMsgDlgBtn::OK, TMsgDlgBtn::Cancel}, TMsgDlgBtn::OK);
    EXPECT_EQ(focused, "Cancel");
    closeForm(*form);
}

TEST(MainWindowStates, IconComesBackWhenTheTaskbarRestarts) {
    Launcher launcher;
    auto form = launcher.start();
    // The icon is added once the message loop runs.
    runMessages(50);
    NOTIFYICONDATAA data = seam(*form).TrayIcon()->TrayIconData();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data)); // the taskbar forgot it
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
    SendMessageA(form->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
    closeForm(*form);
    // Closing removes it.
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data));
}

TEST(MainWindowStates, AboutOpensFromTheSystemMenu) {
    Launcher launcher;
    auto form = launcher.start();
    static std::string caption;
    caption.clear();
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND about = GetActiveWindow();
        char text[128] = {};
        GetWindowTextA(about, text, sizeof(text));
        caption = text;
        if (caption.rfind(" Quill'Deck (v", 0) != 0) return; // not open yet
        KillTimer(nullptr, id);
        PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    });
    PostMessageA(form->Handle(), WM_SYSCOMMAND, CmdAbout, 0);
    runMessages(300);
    EXPECT_EQ(caption.rfind(" Quill'Deck (v", 0), 0u) << caption;
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    closeForm(*form);
}

} // namespace
} // namespace qd
