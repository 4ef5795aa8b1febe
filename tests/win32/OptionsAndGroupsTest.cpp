#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/CatalogueFile.h"
#include "groups/GroupMenus.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"

namespace qd {
namespace {

using qdtest::closeForm;
using qdtest::MenuWatcher;
using Launcher = qdtest::LauncherFolder;

std::string preference(const Launcher& launcher, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA("Preferences", key, "<none>", value, sizeof(value),
                             launcher.ini().c_str());
    return value;
}

// Three items, one in each of the groups 0, 1 and 2, whose programs match
// their fingerprints.
void addGroupedItems(Launcher& launcher) {
    const char* const titles[] = {"Zero", "One", "Two"};
    for (int group = 0; group < 3; ++group) {
        const std::string file = "item" + std::to_string(group) + ".exe";
        launcher.addItem(titles[group], file, file.c_str(), qdtest::fingerprintOf(file));
        launcher.table.setCell(ColGroup, group, std::to_string(group));
    }
}

std::vector<bool> shownRows(TForm1& form) {
    std::vector<bool> shown;
    for (int row = 0; row < seam(form).Table().rowCount(); ++row)
        shown.push_back(seam(form).Table().isShown(row));
    return shown;
}

// The child of the main window that a click in the middle of the list area meets.
HWND inFront(TForm1& form) {
    RECT r;
    GetClientRect(seam(form).StringGrid1->Handle(), &r);
    POINT middle{r.right / 2, r.bottom / 2};
    MapWindowPoints(seam(form).StringGrid1->Handle(), form.Handle(), &middle, 1);
    return ChildWindowFromPointEx(form.Handle(), middle, CWP_SKIPINVISIBLE);
}

// What the screen shows at a point of a window's client area, after the list
// below the toolbar has repainted itself.
COLORREF shownAt(TForm1& form, HWND window, POINT p) {
    InvalidateRect(seam(form).StringGrid1->Handle(), nullptr, TRUE);
    UpdateWindow(seam(form).StringGrid1->Handle());
    qdtest::runMessages(20);
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

int outerHeight(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

// Whether the main context menu opens now (it is closed again at once).
bool contextMenuOpens(TForm1& form) {
    MenuWatcher watcher;
    SendMessageA(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Handle()),
                 MAKELPARAM(400, 250));
    return watcher.seen().has_value();
}

std::vector<TSpeedButton*> toolbarButtons(TForm1& form) {
    return {seam(form).ToolButton_add,     seam(form).ToolButton_edit, seam(form).ToolButton_delete,
            seam(form).ToolButton_options, seam(form).ToolButton_menu, seam(form).ToolButton_exit};
}

void openOptions(TForm1& form) {
    qdtest::clickControl(seam(form).ToolButton_options->Handle());
    qdtest::runMessages(20);
}

// Chooses entry `index` of the Alt+G group menu and gives back what it showed.
qdtest::SeenMenu chooseFromGroupMenu(int index) {
    MenuWatcher watcher(index);
    qdtest::typeWith(VK_MENU, 'G');
    return watcher.seen().value_or(qdtest::SeenMenu{});
}

// With no preferences file the close-closes flag starts clear, but the panel
// reads CaptionClose as true: "Close = minimize" shows unchecked, and ok
// (whichever way) writes the five flags in their order, CaptionClose=1.
TEST(OptionsAndGroups, PanelOpensOverTheListAndOkWritesTheFlagsEveryWay) {
    const struct {
        const char* name;
        void (*ok)(TForm1&);
    } ways[] = {
        {"ok button",
         [](TForm1& form) {
             qdtest::clickControl(seam(form).Panel_options->Button_ok_option->Handle());
         }},
        {"options menu Ok",
         [](TForm1& form) {
             MenuWatcher watcher(0);
             HWND panel = seam(form).Panel_options->Handle();
             SendMessageA(panel, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel),
                          MAKELPARAM(400, 250));
             ASSERT_TRUE(watcher.seen());
             EXPECT_EQ(watcher.seen()->captions,
                       (std::vector<std::string>{"Ok", "", "E&xit\tAlt+X"}));
         }},
        {"Enter", [](TForm1&) { qdtest::typeKeys({VK_RETURN}); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Launcher launcher;
        launcher.addItem("Tool", "tool.exe", "x", qdtest::fingerprintOf("x"));
        auto form = launcher.start();
        ASSERT_FALSE(qdtest::fileExists(launcher.ini()));
        EXPECT_FALSE(seam(*form).Flags.CloseCloses);
        EXPECT_EQ(inFront(*form), seam(*form).StringGrid1->Handle());
        ASSERT_TRUE(contextMenuOpens(*form));

        SetWindowPos(form->Handle(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        openOptions(*form);
        TPanelOptions& panel = *seam(*form).Panel_options;
        ASSERT_TRUE(panel.IsOpen());
        EXPECT_EQ(inFront(*form), panel.Handle());
        // Nothing of the list shows through the panel: a blank spot keeps its face.
        EXPECT_EQ(shownAt(*form, panel.Handle(), {150, 152}), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(outerHeight(form->Handle()), GetSystemMetrics(SM_CYCAPTION) + 220);
        EXPECT_TRUE(seam(*form).Flags.CloseCloses);
        EXPECT_FALSE(panel.Checked(panel.CheckBox_close));
        EXPECT_FALSE(panel.Checked(panel.CheckBox_minimized));
        EXPECT_TRUE(panel.Checked(panel.CheckBox_deletion));
        EXPECT_TRUE(panel.Checked(panel.CheckBox_hash));
        EXPECT_FALSE(panel.Checked(panel.CheckBox_keepdeleted));
        for (TSpeedButton* button : toolbarButtons(*form))
            EXPECT_EQ(button->Enabled(), button == seam(*form).ToolButton_exit);
        EXPECT_TRUE(seam(*form).ToolButton_options->Down());
        EXPECT_FALSE(contextMenuOpens(*form));
        // Coming back to the window leaves the keys with the panel, not the list behind it.
        SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
        EXPECT_NE(GetFocus(), seam(*form).StringGrid1->Handle());

        way.ok(*form);
        qdtest::runMessages(20);
        EXPECT_EQ(qdtest::readFile(launcher.ini()),
                  "[Preferences]\r\nStartMinimized=0\r\nConfirmDelete=1\r\nCheckSafe=1\r\n"
                  "CaptionClose=1\r\nKeepDeleted=0\r\n");
        EXPECT_TRUE(seam(*form).Flags.CloseCloses);
        EXPECT_FALSE(panel.IsOpen());
        EXPECT_EQ(inFront(*form), seam(*form).StringGrid1->Handle());
        for (TSpeedButton* button : toolbarButtons(*form))
            EXPECT_TRUE(button->Enabled());
        EXPECT_FALSE(seam(*form).ToolButton_options->Down());
        EXPECT_TRUE(contextMenuOpens(*form));
        closeForm(*form);
    }
}

// Every caption fits its control, and every control the panel, in the font
// the panel has on this system.
// The window's own keys (Delete removes an item) must leave the keys an edit
// field needs to the field that has the focus.
TEST(OptionsAndGroups, EditKeysReachThePanelsFields) {
    using qdtest::typeKeys;
    using qdtest::typeWith;
    const struct {
        const char* name;
        void (*keys)();
        const char* text;
    } cases[] = {
        {"Left, Delete, Backspace",
         [] {
             typeKeys({VK_LEFT, VK_LEFT, VK_DELETE, VK_BACK});
         },
         "ad"},
        {"Home, Delete, End, Backspace",
         [] {
             typeKeys({VK_HOME, VK_DELETE, VK_END, VK_BACK});
         },
         "bc"},
        {"Shift+Home, Ctrl+C, End, Ctrl+V",
         [] {
             typeWith(VK_SHIFT, VK_HOME);
             typeWith(VK_CONTROL, 'C');
             typeKeys({VK_END});
             typeWith(VK_CONTROL, 'V');
         },
         "abcdabcd"},
        {"Shift+Home, Ctrl+X, x",
         [] {
             typeWith(VK_SHIFT, VK_HOME);
             typeWith(VK_CONTROL, 'X');
             qdtest::typeText("x");
         },
         "x"},
    };
    Launcher launcher;
    launcher.addUncheckedItems({"Tool"});
    auto form = launcher.start();
    openOptions(*form);
    TPanelOptions& panel = *seam(*form).Panel_options;
    for (HWND field : {panel.Edit_groups, panel.Edit_hotkey}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            SetWindowTextA(field, "");
            SetForegroundWindow(form->Handle());
            SetFocus(field);
            ASSERT_EQ(GetFocus(), field);
            qdtest::typeText("abcd");
            c.keys();
            EXPECT_EQ(WindowText(field), c.text);
        }
    }
    EXPECT_EQ(seam(*form).Table().cell(ColTitle, 0), "Tool");
    closeForm(*form);
}

// Tab and Shift+Tab go round the panel's controls in their order, Space ticks
// a box and presses a button, as in any dialog.
TEST(OptionsAndGroups, TabAndSpaceWorkThePanelLikeADialog) {
    Launcher launcher;
    launcher.addUncheckedItems({"Tool"});
    auto form = launcher.start();
    openOptions(*form);
    TPanelOptions& panel = *seam(*form).Panel_options;
    const std::vector<HWND> order = {panel.CheckBox_minimized,
                                     panel.CheckBox_deletion,
                                     panel.CheckBox_hash,
                                     panel.CheckBox_close,
                                     panel.Edit_groups,
                                     panel.Button_add_group->Handle(),
                                     panel.Button_del_group->Handle(),
                                     panel.CheckBox_keepdeleted,
                                     panel.Edit_hotkey,
                                     panel.Button_ok_option->Handle()};
    ASSERT_EQ(GetFocus(), order[0]);
    for (std::size_t i = 1; i <= order.size(); ++i) {
        qdtest::typeKeys({VK_TAB});
        EXPECT_EQ(GetFocus(), order[i % order.size()]) << "Tab " << i;
    }
    for (std::size_t i = order.size(); i-- > 0;) {
        qdtest::typeWith(VK_SHIFT, VK_TAB);
        EXPECT_EQ(GetFocus(), order[i]) << "Shift+Tab to " << i;
    }
    ASSERT_EQ(GetFocus(), panel.CheckBox_minimized);
    const bool ticked = panel.Checked(panel.CheckBox_minimized);
    qdtest::typeKeys({VK_SPACE});
    EXPECT_NE(panel.Checked(panel.CheckBox_minimized), ticked);
    // Shift+Tab from the first control comes round to "ok".
    qdtest::typeWith(VK_SHIFT, VK_TAB);
    ASSERT_EQ(GetFocus(), panel.Button_ok_option->Handle());
    qdtest::typeKeys({VK_SPACE});
    EXPECT_FALSE(panel.IsOpen());
    EXPECT_EQ(preference(launcher, "StartMinimized"), ticked ? "0" : "1");
    closeForm(*form);
}

TEST(OptionsAndGroups, PanelCaptionsAreNotClipped) {
    Launcher launcher;
    auto form = launcher.start();
    openOptions(*form);
    TPanelOptions& panel = *seam(*form).Panel_options;
    RECT inside;
    GetClientRect(panel.Handle(), &inside);
    const int boxGlyph = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    const struct {
        HWND control;
        int besideText;
    } controls[] = {{panel.CheckBox_minimized, boxGlyph},   {panel.CheckBox_deletion, boxGlyph},
                    {panel.CheckBox_hash, boxGlyph},        {panel.CheckBox_close, boxGlyph},
                    {panel.CheckBox_keepdeleted, boxGlyph}, {panel.Label1, 0}};
    for (const auto& c : controls) {
        char caption[64] = {};
        GetWindowTextA(c.control, caption, sizeof(caption));
        SCOPED_TRACE(caption);
        HDC dc = GetDC(c.control);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(c.control, WM_GETFONT, 0, 0)));
        SIZE text;
        GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &text);
        ReleaseDC(c.control, dc);
        const RECT r = qdtest::placeInParent(c.control);
        EXPECT_LE(c.besideText + text.cx, r.right - r.left);
        EXPECT_LE(r.right, inside.right);
    }
    closeForm(*form);
}

// A write the platform refuses: the error box names the file, the flags
// already hold the boxes and the panel stays open with the toolbar locked.
TEST(OptionsAndGroups, RefusedWriteLeavesThePanelOpenWithTheBoxesFlags) {
    Launcher launcher;
    auto form = launcher.start();
    openOptions(*form);
    TPanelOptions& panel = *seam(*form).Panel_options;
    // Where the preferences file should be stands a folder of that name.
    CreateDirectoryA(launcher.ini().c_str(), nullptr);
    SendMessageA(panel.CheckBox_deletion, BM_CLICK, 0, 0);
    SendMessageA(panel.CheckBox_close, BM_CLICK, 0, 0);
    {
        qdtest::DialogWatcher dialogs;
        qdtest::clickControl(panel.Button_ok_option->Handle());
        ASSERT_EQ(dialogs.seen().size(), 1u);
        EXPECT_EQ(dialogs.seen()[0].caption, " Quill'Deck");
        EXPECT_EQ(dialogs.seen()[0].text, "Unable to write to " + launcher.ini() + ".");
    }
    EXPECT_TRUE(panel.IsOpen());
    EXPECT_FALSE(seam(*form).Flags.ConfirmDelete);
    EXPECT_FALSE(seam(*form).Flags.CloseCloses);
    EXPECT_TRUE(seam(*form).Flags.CheckSafe);
    EXPECT_FALSE(seam(*form).ToolButton_add->Enabled());
    EXPECT_TRUE(seam(*form).ToolButton_options->Down());
    qdtest::DialogWatcher closing;
    closeForm(*form);
}

TEST(OptionsAndGroups, AltGOpensTheGroupMenuAtTheWindowsCornerMovedDownByTheListsTop) {
    Launcher launcher;
    addGroupedItems(launcher);
    launcher.setPreference("Groups", "3");
    launcher.setPreference("2", "Games");
    launcher.setPreference("3", "Tools");
    auto form = launcher.start();
    ASSERT_EQ(GetFocus(), seam(*form).StringGrid1->Handle());
    seam(*form).StringGrid1->SelectRow(1);

    const qdtest::SeenMenu tools = chooseFromGroupMenu(2);
    // The window's top-left corner, moved down by the list's top within the
    // client area (the caption's height is not added).
    RECT window;
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(tools.rect.left, window.left);
    EXPECT_EQ(tools.rect.top,
              window.top + qdtest::placeInParent(seam(*form).StringGrid1->Handle()).top);
    EXPECT_EQ(tools.captions, (std::vector<std::string>{"Main", "Games", "Tools"}));
    for (UINT state : tools.states)
        EXPECT_FALSE(state & MF_CHECKED);
    EXPECT_EQ(seam(*form).SelectedGroup(), 2);
    EXPECT_EQ(shownRows(*form), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(seam(*form).Table().currentRow(), 2);

    // Main shows every row again and leaves the current row where it was.
    chooseFromGroupMenu(0);
    EXPECT_EQ(seam(*form).SelectedGroup(), 0);
    EXPECT_EQ(shownRows(*form), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(seam(*form).Table().currentRow(), 2);
    closeForm(*form);
}

// Typed names become groups at once; a chosen group filters the list; deleting
// a group moves its items to Main and later groups' items down with their group.
TEST(OptionsAndGroups, GroupsMadeInThePanelFilterTheListAndDeletingRenumbersItems) {
    Launcher launcher;
    addGroupedItems(launcher);
    auto form = launcher.start();
    openOptions(*form);
    TPanelOptions& panel = *seam(*form).Panel_options;
    for (const char* name : {"games", "tools"}) {
        SetFocus(panel.Edit_groups);
        SendMessageA(panel.Edit_groups, EM_SETSEL, 0, -1);
        qdtest::typeText(name);
        qdtest::clickControl(panel.Button_add_group->Handle());
    }
    EXPECT_EQ(seam(*form).Groups(), (GroupList{"Main", "games", "tools"}));
    EXPECT_EQ(preference(launcher, "Groups"), "3");
    EXPECT_EQ(preference(launcher, "2"), "games");
    EXPECT_EQ(preference(launcher, "3"), "tools");
    EXPECT_EQ(panel.GroupPosition(), 3);
    EXPECT_EQ(panel.GroupName(), "tools");
    qdtest::typeKeys({VK_RETURN});
    ASSERT_FALSE(panel.IsOpen());

    chooseFromGroupMenu(2);
    EXPECT_EQ(shownRows(*form), (std::vector<bool>{false, false, true}));

    openOptions(*form);
    SendMessageA(panel.Handle(), WM_VSCROLL, SB_LINEUP,
                 reinterpret_cast<LPARAM>(panel.ScrollBar_groups));
    EXPECT_EQ(panel.GroupName(), "games");
    qdtest::clickControl(panel.Button_del_group->Handle());
    EXPECT_EQ(seam(*form).Groups(), (GroupList{"Main", "tools"}));
    EXPECT_EQ(preference(launcher, "Groups"), "2");
    EXPECT_EQ(preference(launcher, "2"), "tools");
    EXPECT_EQ(preference(launcher, "3"), "<none>");
    EXPECT_EQ(panel.GroupName(), "tools");
    EXPECT_EQ(seam(*form).SelectedGroup(), 0);
    EXPECT_EQ(shownRows(*form), (std::vector<bool>{true, true, true}));
    qdtest::typeKeys({VK_RETURN});

    // "tools" is group 1 now, and its item came along.
    chooseFromGroupMenu(1);
    EXPECT_EQ(shownRows(*form), (std::vector<bool>{false, false, true}));
    closeForm(*form);
    ItemTable saved;
    decodeCatalogue(qdtest::readFile(launcher.folder.file("QuillDeck.rcc")), saved);
    std::vector<std::string> groups;
    for (int row = 0; row < saved.rowCount(); ++row)
        groups.push_back(saved.cell(ColGroup, row));
    EXPECT_EQ(groups, (std::vector<std::string>{"0", "0", "1"}));
}

TEST(OptionsAndGroups, RestrictedModeLocksTheGroupsAndTheOptions) {
    Launcher launcher;
    addGroupedItems(launcher);
    auto form = launcher.start({"/s"});
    EXPECT_FALSE(seam(*form).ToolButton_options->Enabled());
    EXPECT_EQ(seam(*form).Groups(), GroupList{"Main"});

    // The panel (with its group controls) never opens.
    qdtest::typeWith(VK_MENU, 'O');
    SendMessageA(form->Handle(), WM_COMMAND, Pop1_Options, 0);
    EXPECT_FALSE(seam(*form).Panel_options && seam(*form).Panel_options->IsOpen());
    UniqueMenu menu = seam(*form).PopupMenu_main();
    EXPECT_TRUE(GetMenuState(menu.get(), Pop1_Options, MF_BYCOMMAND) & MF_GRAYED);
    closeForm(*form);
    EXPECT_FALSE(qdtest::fileExists(launcher.ini()));
}

// The launcher travels between machines: a place off this screen comes back
// onto it, while the file keeps what it said until the close writes anew.
TEST(OptionsAndGroups, OffScreenPlacementComesBackOnScreen) {
    const struct {
        const char* left;
        const char* top;
    } cases[] = {{"5000", "4000"}, {"-3000", "-2000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        Launcher launcher;
        launcher.setPreference("WindowLeft", c.left);
        launcher.setPreference("WindowTop", c.top);
        auto form = launcher.start();
        RECT window, seen;
        GetWindowRect(form->Handle(), &window);
        MONITORINFO monitor{sizeof(monitor)};
        GetMonitorInfoA(MonitorFromWindow(form->Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        IntersectRect(&seen, &window, &monitor.rcWork);
        EXPECT_TRUE(EqualRect(&seen, &window));
        EXPECT_EQ(preference(launcher, "WindowLeft"), c.left);
        EXPECT_EQ(preference(launcher, "WindowTop"), c.top);
        closeForm(*form);
        EXPECT_EQ(preference(launcher, "WindowLeft"), std::to_string(window.left));
        EXPECT_EQ(preference(launcher, "WindowTop"), std::to_string(window.top));
    }
}

TEST(OptionsAndGroups, SavedGroupOutsideTheListSelectsMain) {
    const struct {
        const char* saved;
        int selected;
        std::vector<bool> shown;
    } cases[] = {{"2", 2, {false, false, true}},
                 {"3", 0, {true, true, true}},
                 {"99", 0, {true, true, true}},
                 {"-1", 0, {true, true, true}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        Launcher launcher;
        addGroupedItems(launcher);
        launcher.setPreference("Groups", "3");
        launcher.setPreference("2", "G1");
        launcher.setPreference("3", "G2");
        launcher.setPreference("SelectGroup", c.saved);
        qdtest::DialogWatcher dialogs;
        auto form = launcher.start();
        EXPECT_TRUE(dialogs.seen().empty());
        EXPECT_EQ(seam(*form).SelectedGroup(), c.selected);
        EXPECT_EQ(shownRows(*form), c.shown);
        closeForm(*form);
        EXPECT_EQ(preference(launcher, "SelectGroup"), std::to_string(c.selected));
    }
}

} // namespace
} // namespace qd
