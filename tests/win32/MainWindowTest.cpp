#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/CatalogueFile.h"
#include "items/QuillDeck2.h"
#include "common/MessageLoop.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"

namespace qd {
namespace {

using qdtest::closeForm;
using qdtest::fingerprintOf;
using Launcher = qdtest::LauncherFolder;

using qdtest::runMessages;
using qdtest::typeKeys;
using qdtest::typeWith;

using qdtest::probeReport;

TEST(MainWindow, KeyboardAloneDrivesANormalStart) {
    Launcher launcher;
    launcher.addProbe("First", "first.exe");
    launcher.addProbe("Second", "second.exe");
    auto form = launcher.start();
    ASSERT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), seam(*form).StringGrid1->Handle());

    const std::string tools = launcher.folder.file("tools\\");
    DeleteFileA((tools + "probe-out.txt").c_str());
    typeKeys({VK_DOWN, VK_RETURN});
    EXPECT_NE(probeReport(tools).find("self:second.exe"), std::string::npos);

    // Plain letters are not Alt shortcuts: X leaves the launcher open.
    typeKeys({'X', 'A', 'D'});
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(seam(*form).Table().rowCount(), 2);
    closeForm(*form);
}

// With no window focused, a plain key reaches the active window as
// WM_SYSKEYDOWN: only a key typed with Alt held is an Alt shortcut.
TEST(MainWindow, OnlyAKeyTypedWithAltIsAnAltShortcut) {
    Launcher launcher;
    launcher.addUncheckedItems({"a", "b"});
    auto form = launcher.start();
    SetFocus(nullptr);
    typeKeys({'X', 'T'});
    EXPECT_TRUE(IsWindow(seam(*form).StringGrid1->Handle()));
    EXPECT_FALSE(seam(*form).StayOnTop());
    SetFocus(seam(*form).StringGrid1->Handle());
    typeWith(VK_MENU, 'T');
    EXPECT_TRUE(seam(*form).StayOnTop());
    // Releasing Alt after a shortcut does not open the system menu: the next
    // key still moves the current row.
    typeKeys({VK_DOWN});
    EXPECT_EQ(seam(*form).Table().currentRow(), 1);
    closeForm(*form);
}

// Alt+E, a new title and options typed into the editor, Enter: the row, its
// tray entry, the catalogue at close and the next launch all follow.
TEST(MainWindow, EditingAnItemReachesTheListTheTrayTheCatalogueAndTheLaunch) {
    Launcher launcher;
    launcher.addProbe("Probe", "probe.exe");
    auto form = launcher.start();
    static bool edited;
    static int ticks;
    edited = false;
    ticks = 0;
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND editor = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM found) {
                char caption[64] = {};
                GetWindowTextA(window, caption, sizeof(caption));
                if (IsWindowVisible(window) && std::string(caption) == TForm2::Caption)
                    *reinterpret_cast<HWND*>(found) = window;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&editor));
        if (!editor && ++ticks < 50) return; // not open yet
        KillTimer(nullptr, id);
        if (!editor) return;
        SetDlgItemTextA(editor, TForm2::Edit_name, "Renamed");
        SetDlgItemTextA(editor, TForm2::Edit_command, "--fast");
        SetFocus(GetDlgItem(editor, TForm2::Edit_command));
        edited = true;
        // Real Enter, left to the editor's own message loop.
        qdtest::sendKey(VK_RETURN);
    });
    typeWith(VK_MENU, 'E');
    runMessages(100);
    ASSERT_TRUE(edited);
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 0), "Renamed");
    EXPECT_EQ(seam(*form).Table().cell(ColCommandLine, 0), "--fast");
    char tray[64] = {};
    GetMenuStringA(seam(*form).PopupMenu_tray().get(), 2, tray, sizeof(tray), MF_BYPOSITION);
    EXPECT_STREQ(tray, "Renamed");

    const std::string tools = launcher.folder.file("tools\\");
    DeleteFileA((tools + "probe-out.txt").c_str());
    typeKeys({VK_RETURN});
    EXPECT_NE(probeReport(tools).find("args:[--fast]"), std::string::npos);

    const RowCells before = launcher.table.cells(0);
    closeForm(*form);
    ItemTable saved;
    decodeCatalogue(qdtest::readFile(launcher.folder.file("QuillDeck.rcc")), saved);
    RowCells expected = before;
    expected[ColTitle] = "Renamed";
    expected[ColCommandLine] = "--fast";
    EXPECT_EQ(saved.cells(0), expected);
}

TEST(MainWindow, FocusReturnsToTheListAfterADialogCloses) {
    Launcher launcher;
    launcher.addItem("Changed", "changed.exe", "now", fingerprintOf("before"));
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(GetFocus(), seam(*form).StringGrid1->Handle());
    // A launch refused with its dialog gives the keyboard back to the list too.
    dialogs.setAnswer(IDABORT);
    typeKeys({VK_RETURN});
    ASSERT_EQ(dialogs.seen().size(), 2u);
    qdtest::pump(50);
    EXPECT_EQ(GetFocus(), seam(*form).StringGrid1->Handle());
    closeForm(*form);
}

// Closing while the start-up pass shows a message stops the pass after that
// row; the rows it had not reached are saved exactly as they were.
TEST(MainWindow, ClosingDuringTheStartUpPassSavesUnvisitedRowsUnchanged) {
    struct Case {
        const char* name;
        void (*close)(HWND main);
    };
    const Case cases[] = {
        {"Exit command", [](HWND main) { PostMessageA(main, WM_COMMAND, Pop1_Exit, 0); }},
        {"caption close", [](HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"toolbar Exit",
         [](HWND main) {
             auto* form = dynamic_cast<TForm1*>(
                 reinterpret_cast<TWindow*>(GetWindowLongPtrA(main, GWLP_USERDATA)));
             seam(*form).ToolButton_exit->Click();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Launcher launcher;
        for (const char* name : {"a", "b", "c"})
            launcher.addItem(name, std::string(name) + ".exe", "changed", fingerprintOf(name));
        // The caption's close and the toolbar Exit close rather than hide.
        launcher.setPreference("CaptionClose", "1");
        const ItemTable before = launcher.table;
        static void (*closeNow)(HWND);
        closeNow = c.close;
        qdtest::DialogWatcher dialogs;
        dialogs.onShown = [] { closeNow(FindWindowA("TForm1", nullptr)); };
        auto form = launcher.start();
        EXPECT_EQ(dialogs.seen().size(), 1u);
        EXPECT_FALSE(IsWindow(seam(*form).StringGrid1->Handle()));
        ItemTable saved;
        decodeCatalogue(qdtest::readFile(launcher.folder.file("QuillDeck.rcc")), saved);
        ASSERT_EQ(saved.rowCount(), 3);
        EXPECT_EQ(saved.cells(0), before.cells(0));
        EXPECT_EQ(saved.cells(1), before.cells(1));
        EXPECT_TRUE(saved.isDisabled(2));
        qdtest::pump(10);
    }
}

// Acts once from within the start-up pass: at the first message pump that
// finds the window shown and its list disabled, as a user who does not wait.
class DuringStartUpPass {
  public:
    explicit DuringStartUpPass(void (*act)(HWND main)) {
        act_ = act;
        acted_ = false;
        timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
    }
    ~DuringStartUpPass() { KillTimer(nullptr, timer_); }
    DuringStartUpPass(const DuringStartUpPass&) = delete;
    DuringStartUpPass& operator=(const DuringStartUpPass&) = delete;
    bool acted() const { return acted_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND main = FindWindowA("TForm1", nullptr);
        HWND list = main ? FindWindowExA(main, nullptr, "TStringGrid", nullptr) : nullptr;
        if (acted_ || !list || !IsWindowVisible(main) || IsWindowEnabled(list)) return;
        acted_ = true;
        act_(main);
    }
    static inline void (*act_)(HWND) = nullptr;
    static inline bool acted_ = false;
    UINT_PTR timer_;
};

// Items whose program is big enough that checking them keeps the start-up
// pass running for several message pumps.
void addBigPrograms(Launcher& launcher) {
    const std::string bytes(16 << 20, 'q');
    const std::string fingerprint = fingerprintOf(bytes);
    launcher.addItem("Big 1", "big.exe", bytes.c_str(), fingerprint);
    for (const char* title : {"Big 2", "Big 3", "Big 4"})
        launcher.addItem(title, "big.exe", nullptr, fingerprint);
}

bool listEnabled() {
    return IsWindowEnabled(
        FindWindowExA(FindWindowA("TForm1", nullptr), nullptr, "TStringGrid", nullptr));
}

TEST(MainWindow, AboutOpensDuringTheStartUpPassAndThePassGoesOn) {
    Launcher launcher;
    addBigPrograms(launcher);
    qdtest::DialogWatcher dialogs(IDCANCEL);
    static bool duringPass;
    duringPass = false;
    dialogs.onShown = [] { duringPass = !listEnabled(); };
    DuringStartUpPass pass([](HWND) { qdtest::sendWith(VK_MENU, 'B'); });
    auto form = launcher.start();
    ASSERT_TRUE(pass.acted());
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_EQ(dialogs.seen()[0].caption.rfind(" Quill'Deck (v", 0), 0u)
        << dialogs.seen()[0].caption;
    EXPECT_TRUE(duringPass);
    EXPECT_FALSE(seam(*form).Validating());
    EXPECT_TRUE(listEnabled());
    ASSERT_EQ(seam(*form).Table().rowCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_FALSE(seam(*form).Table().isDisabled(row)) << row;
    closeForm(*form);
}

// The options panel opened while the check runs keeps the keyboard once the
// check ends: the list behind it stays out of reach.
TEST(MainWindow, OptionsOpenedDuringTheStartUpPassKeepTheKeyboard) {
    Launcher launcher;
    addBigPrograms(launcher);
    DuringStartUpPass pass([](HWND) { qdtest::sendWith(VK_MENU, 'O'); });
    auto form = launcher.start();
    ASSERT_TRUE(pass.acted());
    runMessages(50);
    ASSERT_TRUE(seam(*form).Panel_options && seam(*form).Panel_options->IsOpen());
    EXPECT_FALSE(seam(*form).Validating());
    EXPECT_TRUE(seam(*form).Panel_options->ContainsFocus());
    EXPECT_FALSE(IsWindowEnabled(seam(*form).StringGrid1->Handle()));
    // Enter applies the panel and gives the list back.
    typeKeys({VK_RETURN});
    EXPECT_FALSE(seam(*form).Panel_options->IsOpen());
    EXPECT_EQ(GetFocus(), seam(*form).StringGrid1->Handle());
    closeForm(*form);
}

HWND rightmostToolbarButton(HWND main) {
    HWND rightmost = nullptr;
    LONG right = 0;
    for (HWND child = FindWindowExA(main, nullptr, "TSpeedButton", nullptr); child;
         child = FindWindowExA(main, child, "TSpeedButton", nullptr)) {
        RECT r;
        GetWindowRect(child, &r);
        if (r.right > right) rightmost = child, right = r.right;
    }
    return rightmost;
}

TEST(MainWindow, ToolbarExitDuringTheStartUpPassFollowsTheCloseClosesFlag) {
    const struct {
        const char* name;
        const char* captionClose; // null: no preferences file
        bool ends;
    } cases[] = {
        {"flag clear by default", nullptr, false},
        {"flag set", "1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Launcher launcher;
        addBigPrograms(launcher);
        if (c.captionClose) launcher.setPreference("CaptionClose", c.captionClose);
        DuringStartUpPass pass(
            [](HWND main) { qdtest::clickWithMouse(rightmostToolbarButton(main)); });
        auto form = launcher.start();
        ASSERT_TRUE(pass.acted());
        runMessages(50);
        EXPECT_EQ(!IsWindow(seam(*form).StringGrid1->Handle()), c.ends);
        if (c.ends) continue;
        EXPECT_FALSE(IsWindowVisible(form->Handle()));
        EXPECT_FALSE(IsWindowVisible(seam(*form).ApplicationHandle()));
        closeForm(*form);
    }
}

TEST(MainWindow, RowIsRedBeforeTheBoxThatNamesItAppears) {
    Launcher launcher;
    launcher.addItem("Tampered", "t.exe", "changed", fingerprintOf("original"));
    static bool red;
    red = false;
    qdtest::DialogWatcher dialogs;
    dialogs.onShown = [] {
        HWND list = FindWindowExA(FindWindowA("TForm1", nullptr), nullptr, "TStringGrid", nullptr);
        HDC dc = GetDC(list);
        for (int y = 0; y < DefaultRowHeight && !red; ++y)
            for (int x = 38; x < 120 && !red; ++x)
                red = GetPixel(dc, x, y) == RGB(255, 0, 0);
        ReleaseDC(list, dc);
    };
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 1u);
    EXPECT_TRUE(red);
    closeForm(*form);
}

TEST(MainWindow, ReleaseOutsideTheListEndsTheDrag) {
    Launcher launcher;
    launcher.addUncheckedItems({"a", "b", "c"});
    auto form = launcher.start();
    HWND list = seam(*form).StringGrid1->Handle();
    const auto onRow = [&](int row) {
        const RECT r = seam(*form).StringGrid1->RowRect(row);
        POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &at);
        return at;
    };
    // Pressed on the first row, released over the window's caption.
    qdtest::mouseAt(onRow(0), {MOUSEEVENTF_RIGHTDOWN});
    runMessages(50);
    RECT window;
    GetWindowRect(form->Handle(), &window);
    qdtest::mouseAt({(window.left + window.right) / 2, window.top + 8}, {MOUSEEVENTF_RIGHTUP});
    runMessages(50);
    ASSERT_EQ(GetFocus(), list);
    qdtest::typeKeys({VK_DOWN});
    ASSERT_EQ(seam(*form).Table().currentRow(), 1);
    // Back over the list with no button held: nothing is dragged.
    qdtest::mouseAt(onRow(1), {});
    runMessages(50);
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 0), "a");
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 1), "b");
    closeForm(*form);
}

TEST(MainWindow, StartsAtItsInitialPlaceAndSavesTheNormalPlacementWhenMinimised) {
    Launcher launcher;
    auto form = launcher.start();
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 318);
    EXPECT_EQ(r.top, 150);
    const int width = r.right - r.left, height = r.bottom - r.top;
    ShowWindow(form->Handle(), SW_MINIMIZE);
    qdtest::pump(50);
    closeForm(*form);
    const std::string ini = launcher.ini();
    EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowLeft", -1, ini.c_str()), 318);
    EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowTop", -1, ini.c_str()), 150);
    EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowWidth", -1, ini.c_str()), width);
    EXPECT_EQ(GetPrivateProfileIntA("Preferences", "WindowHeight", -1, ini.c_str()), height);
}

TEST(MainWindow, SavedRowIsSelectedWhenItExistsAndIsShown) {
    // Rows a, b, c in groups 0, 1, 1; with group 1 selected row a is hidden,
    // and choosing the group made row b current.
    const struct {
        const char* saved;
        const char* group;
        int current;
    } cases[] = {{"1", "0", 1},  {"2", "0", 2}, {"99", "0", 0},
                 {"-1", "0", 0}, {"0", "1", 1}, {"2", "1", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.saved) + " in group " + c.group);
        Launcher launcher;
        launcher.addUncheckedItems({"a", "b", "c"});
        launcher.table.setCell(ColGroup, 1, "1");
        launcher.table.setCell(ColGroup, 2, "1");
        launcher.setPreference("Groups", "2");
        launcher.setPreference("2", "Tools");
        launcher.setPreference("SelectGroup", c.group);
        launcher.setPreference("SelectItem", c.saved);
        auto form = launcher.start();
        EXPECT_EQ(seam(*form).Table().currentRow(), c.current);
        closeForm(*form);
    }
}

TEST(MainWindow, SystemMenuHasTheLaunchersCommandsAndNoMinimizeOrMaximize) {
    Launcher launcher;
    auto form = launcher.start();
    HMENU menu = GetSystemMenu(form->Handle(), FALSE);
    const std::pair<UINT, const char*> added[] = {{CmdMinimize, "Minimi&ze"},
                                                  {CmdStayOnTop, "Stay on &Top"},
                                                  {CmdDonations, "Donations..."},
                                                  {CmdAbout, "&About..."}};
    for (const auto& [id, caption] : added) {
        char text[64] = {};
        GetMenuStringA(menu, id, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_STREQ(text, caption);
    }
    EXPECT_EQ(GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND), UINT(-1));
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), UINT(-1));
    closeForm(*form);
}

// Judged by what shows once the start-up's messages have run: hidden in the
// tray means neither the main window nor the taskbar's window is visible.
TEST(MainWindow, MinimisedStartEndsHiddenInTheTray) {
    const struct {
        const char* name;
        const char* startMinimized;
        int showWindow;
        bool hidden;
    } cases[] = {{"shortcut run minimised", "0", SW_SHOWMINNOACTIVE, true},
                 {"start /min", "0", SW_SHOWMINIMIZED, true},
                 {"StartMinimized", "1", SW_SHOWNORMAL, true},
                 {"normal start", "0", SW_SHOWNORMAL, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Launcher launcher;
        launcher.setPreference("StartMinimized", c.startMinimized);
        auto form = launcher.start({}, c.showWindow);
        ProcessMessages();
        EXPECT_NE(IsWindowVisible(form->Handle()), c.hidden);
        EXPECT_NE(IsWindowVisible(seam(*form).ApplicationHandle()), c.hidden);
        closeForm(*form);
    }
}

// A write-protected medium: every write fails, each is reported, and the
// program still ends.
TEST(MainWindow, CloseCompletesWhenNothingCanBeWritten) {
    Launcher launcher;
    launcher.addUncheckedItems({"Tool"});
    auto form = launcher.start();
    const std::string before = qdtest::readFile(launcher.folder.file("QuillDeck.rcc"));
    // Where the preferences file should be stands a folder of that name.
    DeleteFileA(launcher.ini().c_str());
    CreateDirectoryA(launcher.ini().c_str(), nullptr);
    // The temporary file of the safe save cannot be created over a folder.
    CreateDirectoryA(launcher.folder.file("QuillDeck.rcc.tmp").c_str(), nullptr);
    seam(*form).Table().setCell(ColTitle, 0, "Renamed");
    qdtest::DialogWatcher dialogs;
    closeForm(*form);
    EXPECT_FALSE(IsWindow(seam(*form).StringGrid1->Handle()));
    ASSERT_EQ(dialogs.seen().size(), 2u);
    EXPECT_EQ(dialogs.seen()[0].caption, " Quill'Deck");
    EXPECT_EQ(dialogs.seen()[1].text, "Unable to write to " + launcher.ini() + ".");
    EXPECT_EQ(qdtest::readFile(launcher.folder.file("QuillDeck.rcc")), before);
}

TEST(MainWindow, ErrorOfACommandReachesTheErrorBoxThroughTheWindow) {
    Launcher launcher;
    launcher.addItem("Gone", "gone.exe", nullptr, "0");
    launcher.setPreference("KeepDeleted", "1");
    qdtest::DialogWatcher dialogs;
    auto form = launcher.start();
    ASSERT_EQ(dialogs.seen().size(), 1u); // kept as a disabled item
    SendMessageA(form->Handle(), WM_COMMAND, Pop1_ResetSecurity, 0);
    ASSERT_EQ(dialogs.seen().size(), 3u);
    EXPECT_EQ(dialogs.seen()[2].caption, " Quill'Deck");
    EXPECT_EQ(dialogs.seen()[2].text, "File not found !");
    EXPECT_TRUE(seam(*form).Table().isDisabled(0));
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    closeForm(*form);
}

} // namespace
} // namespace qd
