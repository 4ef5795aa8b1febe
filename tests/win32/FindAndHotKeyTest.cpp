#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "shell/TrayMessages.h"
#include "shell/MainWindowSeam.h"
#include "shell/WindowStates.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"

namespace qd {
namespace {

using qdtest::closeForm;
using qdtest::runMessages;
using qdtest::typeKeys;
using Launcher = qdtest::LauncherFolder;

std::vector<int> shownRows(TForm1& form) {
    std::vector<int> rows;
    for (int row = 0; row < seam(form).Table().rowCount(); ++row)
        if (seam(form).Table().isShown(row)) rows.push_back(row);
    return rows;
}

TEST(TypeToFind, TypedLettersNarrowTheListAndEnterStartsTheMatch) {
    Launcher launcher;
    launcher.addProbe("Mail", "mail.exe");
    launcher.addProbe("Editor", "editor.exe");
    launcher.addProbe("Notes", "notes.exe");
    auto form = launcher.start();
    const std::string tools = launcher.folder.file("tools\\");
    DeleteFileA((tools + "probe-out.txt").c_str());
    typeKeys({'E', 'D'});
    EXPECT_EQ(seam(*form).SearchText(), "ed");
    EXPECT_EQ(shownRows(*form), std::vector<int>{1});
    EXPECT_EQ(seam(*form).Table().currentRow(), 1);
    typeKeys({VK_RETURN});
    EXPECT_NE(qdtest::probeReport(tools).find("self:editor.exe"), std::string::npos);
    // Backspace widens the search again; nothing of the table changed.
    typeKeys({VK_BACK});
    EXPECT_EQ(shownRows(*form), (std::vector<int>{1, 2}));
    EXPECT_EQ(seam(*form).Table().rowHeight(0), DefaultRowHeight);
    closeForm(*form);
}

TEST(TypeToFind, EscapeBringsBackTheGroupsRowsAndTheRowThatWasCurrent) {
    Launcher launcher;
    launcher.addUncheckedItems({"Alpha", "Beta", "Gamma"});
    auto form = launcher.start();
    typeKeys({VK_DOWN});
    typeKeys({'Z', 'Z'});
    EXPECT_TRUE(shownRows(*form).empty());
    // The slim line under the list says so.
    static bool said;
    said = false;
    EnumChildWindows(
        form->Handle(),
        [](HWND child, LPARAM) {
            char text[64] = {};
            GetWindowTextA(child, text, sizeof(text));
            said = said || (IsWindowVisible(child) && std::strstr(text, "zz  No item matches"));
            return TRUE;
        },
        0);
    EXPECT_TRUE(said);
    EXPECT_EQ(seam(*form).Table().currentRow(), 1);
    typeKeys({VK_ESCAPE});
    EXPECT_EQ(seam(*form).SearchText(), "");
    EXPECT_EQ(shownRows(*form), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(seam(*form).Table().currentRow(), 1);
    closeForm(*form);
}

// While the search shows no row, the current row is out of sight: no
// command acts on it, by any key.
TEST(TypeToFind, WithNoMatchNoCommandActsOnTheHiddenCurrentRow) {
    Launcher launcher;
    const std::string tools = launcher.folder.file("tools\\");
    for (const std::string& folder : {tools, tools + "a", tools + "b"})
        CreateDirectoryA(folder.c_str(), nullptr);
    launcher.addProbe("Alpha", "a\\alpha.exe");
    launcher.addProbe("Beta", "b\\beta.exe");
    launcher.setPreference("ConfirmDelete", "0");
    qdtest::DialogWatcher dialogs(IDCANCEL);
    auto form = launcher.start();
    typeKeys({VK_DOWN});
    ASSERT_EQ(seam(*form).Table().currentRow(), 1);
    typeKeys({'Z', VK_DELETE, VK_RETURN});
    qdtest::typeWith(VK_MENU, 'E');
    qdtest::typeWith(VK_MENU, 'D');
    EXPECT_EQ(seam(*form).Table().rowCount(), 2);
    EXPECT_TRUE(dialogs.seen().empty()) << dialogs.seen()[0].caption;
    EXPECT_FALSE(seam(*form).ToolButton_edit->Enabled());
    EXPECT_FALSE(seam(*form).ToolButton_delete->Enabled());
    // Escape shows Beta again as the current row; Up and Enter start Alpha,
    // and Beta never started.
    typeKeys({VK_ESCAPE, VK_UP, VK_RETURN});
    EXPECT_NE(qdtest::probeReport(tools + "a\\").find("self:alpha.exe"), std::string::npos);
    EXPECT_FALSE(qdtest::fileExists(tools + "b\\probe-out.txt"));
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 1), "Beta");
    // A tray entry names its item: it starts it even while the search hides it.
    typeKeys({'Z'});
    {
        qdtest::MenuWatcher tray(3); // "&Restore", separator, Alpha, Beta
        SendMessageA(form->Handle(), WM_TRAYICON, 0, WM_RBUTTONDOWN);
    }
    EXPECT_NE(qdtest::probeReport(tools + "b\\").find("self:beta.exe"), std::string::npos);
    closeForm(*form);
}

TEST(TypeToFind, SearchStaysInsideTheSelectedGroup) {
    Launcher launcher;
    launcher.addUncheckedItems({"Editor", "Edge", "Mail"});
    launcher.table.setCell(ColGroup, 1, "1");
    launcher.table.setCell(ColGroup, 2, "1");
    launcher.setPreference("Groups", "2");
    launcher.setPreference("2", "Web");
    launcher.setPreference("SelectGroup", "1");
    auto form = launcher.start();
    typeKeys({'E'});
    EXPECT_EQ(shownRows(*form), std::vector<int>{1});
    typeKeys({VK_ESCAPE});
    EXPECT_EQ(shownRows(*form), (std::vector<int>{1, 2}));
    closeForm(*form);
}

void pressHotKey() {
    INPUT keys[6] = {};
    const WORD sequence[] = {VK_CONTROL, VK_MENU, 'Q'};
    for (int i = 0; i < 3; ++i) {
        keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = keys[5 - i].ki.wVk = sequence[i];
        keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, keys, sizeof(INPUT));
    runMessages(200);
}

TEST(HotKey, HidesTheLauncherInFrontAndBringsItBackWithTheListFocused) {
    Launcher launcher;
    auto form = launcher.start();
    ASSERT_EQ(GetForegroundWindow(), form->Handle());
    pressHotKey();
    EXPECT_TRUE(HiddenInTray(seam(*form).ApplicationHandle()));
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    pressHotKey();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(GetFocus(), seam(*form).StringGrid1->Handle());
    closeForm(*form);
}

TEST(HotKey, ATakenHotKeyIsSaidOnceAndTheLauncherRunsOn) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, 'Q'));
    Launcher launcher;
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    UnregisterHotKey(nullptr, 77);
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(
        dialogs.seen()[0].text,
        "The hot key Ctrl+Alt+Q is in use by another program.\r\nQuill'Deck runs without it.");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    closeForm(*form);
}

} // namespace
} // namespace qd
