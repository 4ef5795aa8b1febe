#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Dpi.h"
#include "common/Window.h"
#include "items/IconExtraction.h"
#include "items/QuillDeck2.h"
#include "support/DialogWatcher.h"

namespace qd {
namespace {

const std::string ManyIcons = qdtest::builtFile(QD_SAMPLE_MANY_ICONS);
const std::string Versioned = qdtest::builtFile(QD_SAMPLE_VERSIONED);
const std::string Print(40, 'K');

// The program's folder as launcher folder and its name as RelativePath, so
// the editor has to resolve the path itself.
ItemEditInput itemOf(const std::string& program, const char* iconIndex, const char* style,
                     const char* group) {
    const std::size_t slash = program.rfind('\\');
    ItemEditInput input;
    input.launcherFolder = program.substr(0, slash + 1);
    const std::string name = program.substr(slash + 1);
    input.cells = {"Tool", name, name, iconIndex, "-x", style, Print, group};
    input.groups = {"Main", "Work", "Games"};
    return input;
}

using Step = std::function<void(HWND editor)>;

struct Script {
    std::vector<Step> steps;
    std::size_t next = 0;
    int idleTicks = 0;
    bool stuck = false;
    bool running = false;
};
Script* script = nullptr;

HWND findEditor() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            char caption[64] = {};
            GetWindowTextA(window, caption, sizeof(caption));
            if (IsWindowVisible(window) && std::string(caption) == TForm2::Caption) {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK nextStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND editor = findEditor();
    if (!editor || script->running) return;
    script->running = true;
    if (script->next < script->steps.size()) {
        script->steps[script->next++](editor);
    } else if (++script->idleTicks > 100) {
        script->stuck = true;
        EndDialog(editor, IDCANCEL);
    }
    script->running = false;
}

// Runs `show`, which opens the editor modally; each step runs on its own
// timer tick while the editor is open, so whatever a step posts is handled
// before the next one. The last step is expected to close the editor.
void runScripted(std::vector<Step> steps, const std::function<void()>& show) {
    Script run{std::move(steps)};
    script = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, nextStep);
    show();
    KillTimer(nullptr, timer);
    script = nullptr;
    EXPECT_FALSE(run.stuck) << "the editor stayed open";
    EXPECT_EQ(run.next, run.steps.size()) << "the editor closed before every step ran";
}

ItemEditResult runEditor(const ItemEditInput& input, std::vector<Step> steps,
                         HWND mainWindow = nullptr, int gridTop = 0, int rowHeight = 0) {
    ItemEditResult result;
    runScripted(std::move(steps),
                [&] { result = EditItem(mainWindow, gridTop, rowHeight, input); });
    return result;
}

void pressKey(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

std::string textOf(HWND editor, int id) {
    return qdtest::windowText(GetDlgItem(editor, id));
}

void setText(HWND editor, int id, const char* text) {
    SetDlgItemTextA(editor, id, text);
}

int spinOf(HWND editor, int id) {
    return GetScrollPos(GetDlgItem(editor, id), SB_CTL);
}

RECT boundsOf(HWND editor, int id) {
    return qdtest::placeInParent(GetDlgItem(editor, id));
}

TEST(ItemEditor, ShowsTheRowAndEscapeChangesNothing) {
    const ItemEditInput input = itemOf(Versioned, "0", "2", "1");
    int focus = 0;
    std::string title, executable, command, version, style, group;
    LRESULT icons = -1;
    const ItemEditResult result = runEditor(
        input, {[&](HWND editor) {
                    focus = GetDlgCtrlID(GetFocus());
                    title = textOf(editor, TForm2::Edit_name);
                    executable = textOf(editor, TForm2::Label_executable);
                    command = textOf(editor, TForm2::Edit_command);
                    version = textOf(editor, TForm2::Label_ver);
                    style = textOf(editor, TForm2::Edit_style);
                    group = textOf(editor, TForm2::Edit_group);
                    icons = SendDlgItemMessageA(editor, TForm2::ListBox_icons, LB_GETCOUNT, 0, 0);
                    // Changes that Escape must throw away.
                    setText(editor, TForm2::Edit_name, "Changed");
                    setText(editor, TForm2::Edit_command, "");
                },
                [](HWND) { pressKey(VK_ESCAPE); }});
    EXPECT_FALSE(result.confirmed);
    EXPECT_EQ(result.cells, input.cells);

    EXPECT_EQ(title, "Tool");
    EXPECT_EQ(executable, input.cells[ColRelativePath]);
    EXPECT_EQ(command, "-x");
    EXPECT_EQ(version, "1.2.0.7");
    EXPECT_EQ(style, "maximz");
    EXPECT_EQ(group, "Work");
    // A program without icons: an empty list, which still takes the focus.
    EXPECT_EQ(icons, 0);
    EXPECT_EQ(focus, TForm2::ListBox_icons);
}

TEST(ItemEditor, EnterInTheCommandLineConfirmsAndKeepsTheImage) {
    const ItemEditInput input = itemOf(ManyIcons, "2", "0", "1");
    LRESULT selected = -1;
    const ItemEditResult result =
        runEditor(input, {[&](HWND editor) {
                              selected = SendDlgItemMessageA(editor, TForm2::ListBox_icons,
                                                             LB_GETCURSEL, 0, 0);
                              setText(editor, TForm2::Edit_name, "Renamed|x");
                              setText(editor, TForm2::Edit_command, "-new");
                              SetFocus(GetDlgItem(editor, TForm2::Edit_command));
                          },
                          [](HWND) { pressKey(VK_RETURN); }});
    EXPECT_EQ(selected, 2);
    ASSERT_TRUE(result.confirmed);
    RowCells expected = input.cells;
    expected[ColTitle] = std::string("Renamed") + SeparatorStandIn + "x";
    expected[ColCommandLine] = "-new";
    EXPECT_EQ(result.cells, expected);
    EXPECT_FALSE(result.iconChanged);
}

TEST(ItemEditor, ChoosingAnotherIconGivesItsImage) {
    const ItemEditInput input = itemOf(ManyIcons, "0", "0", "0");
    COLORREF selectedCell = 0, otherCell = 0;
    const ItemEditResult result = runEditor(
        input, {[](HWND) { pressKey(VK_RIGHT); },
                [&](HWND editor) {
                    HWND list = GetDlgItem(editor, TForm2::ListBox_icons);
                    UpdateWindow(list);
                    RECT cell{};
                    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
                    ScopedWindowDC dc(list);
                    // Inside the cell, between the focus frame and the image.
                    selectedCell = GetPixel(dc.get(), cell.left + 1, cell.top + 1);
                    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
                    otherCell = GetPixel(dc.get(), cell.left + 1, cell.top + 1);
                    pressKey(VK_RETURN);
                }});
    ASSERT_TRUE(result.confirmed);
    EXPECT_EQ(result.cells[ColIconIndex], "1");
    EXPECT_TRUE(result.iconChanged);
    EXPECT_EQ(result.icon, ExtractItemIcon(ManyIcons, 1));
    EXPECT_EQ(selectedCell, RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(otherCell, GetSysColor(COLOR_WINDOW));
}

TEST(ItemEditor, EmptyTitleIsRefusedAndTheEditorStaysOpen) {
    const ItemEditInput input = itemOf(ManyIcons, "0", "0", "0");
    qdtest::DialogWatcher dialogs;
    // Only the warning is answered; the editor is left to the script.
    dialogs.onShown = [&] {
        dialogs.setAnswer(dialogs.seen().back().caption == "Warning" ? IDOK : 0);
    };
    std::string titleAfterWarning = "?";
    const ItemEditResult result =
        runEditor(input, {[](HWND editor) { setText(editor, TForm2::Edit_name, ""); },
                          [](HWND) { pressKey(VK_RETURN); },
                          [&](HWND editor) {
                              titleAfterWarning = textOf(editor, TForm2::Edit_name);
                              setText(editor, TForm2::Edit_name, "Named");
                              pressKey(VK_RETURN);
                          }});
    std::vector<std::string> warnings;
    for (const auto& seen : dialogs.seen())
        if (seen.caption == "Warning") warnings.push_back(seen.text);
    EXPECT_EQ(warnings, std::vector<std::string>{"The title cannot be empty."});
    EXPECT_EQ(titleAfterWarning, "");
    ASSERT_TRUE(result.confirmed);
    EXPECT_EQ(result.cells[ColTitle], "Named");
}

TEST(ItemEditor, SpinsChooseStyleAndGroup) {
    // Group 3 while only Main and two groups exist: the spin shows the last one.
    const ItemEditInput input = itemOf(ManyIcons, "0", "0", "3");
    struct Seen {
        int position;
        std::string name;
    } shown{}, moved{};
    int styleFocus = 0;
    std::string style;
    ItemEditResult result = runEditor(
        input,
        {[&](HWND editor) {
             shown = {spinOf(editor, TForm2::ScrollBar_group), textOf(editor, TForm2::Edit_group)};
             // The read-only field hands the focus to its spin.
             SetFocus(GetDlgItem(editor, TForm2::Edit_style));
             styleFocus = GetDlgCtrlID(GetFocus());
             pressKey(VK_DOWN);
         },
         [&](HWND editor) {
             style = textOf(editor, TForm2::Edit_style);
             SetFocus(GetDlgItem(editor, TForm2::Edit_group));
             pressKey(VK_UP);
         },
         [&](HWND editor) {
             moved = {spinOf(editor, TForm2::ScrollBar_group), textOf(editor, TForm2::Edit_group)};
             pressKey(VK_RETURN);
         }});
    EXPECT_EQ(shown.position, 2);
    EXPECT_EQ(shown.name, "Games");
    EXPECT_EQ(styleFocus, TForm2::ScrollBar_style);
    EXPECT_EQ(style, "minimz");
    EXPECT_EQ(moved.position, 1);
    EXPECT_EQ(moved.name, "Work");
    ASSERT_TRUE(result.confirmed);
    EXPECT_EQ(result.cells[ColWindowStyle], "1");
    EXPECT_EQ(result.cells[ColGroup], "1");

    // Confirmed without touching the spin, the group shown is stored: group 3
    // does not exist, and the last group offered is 2.
    result = runEditor(input, {[](HWND) { pressKey(VK_RETURN); }});
    ASSERT_TRUE(result.confirmed);
    RowCells expected = input.cells;
    expected[ColGroup] = "2";
    EXPECT_EQ(result.cells, expected);
}

TEST(ItemEditor, RestrictedModeOffersMainOnlyAndKeepsTheGroup) {
    ItemEditInput input = itemOf(ManyIcons, "0", "0", "2");
    input.restricted = true;
    std::string group;
    const ItemEditResult result =
        runEditor(input, {[&](HWND editor) {
                              group = textOf(editor, TForm2::Edit_group);
                              SetFocus(GetDlgItem(editor, TForm2::ScrollBar_group));
                              pressKey(VK_DOWN);
                          },
                          [](HWND) { pressKey(VK_RETURN); }});
    EXPECT_EQ(group, " ---");
    ASSERT_TRUE(result.confirmed);
    EXPECT_EQ(result.cells[ColGroup], "2");
}

// A plain window where the main window would be.
class TMainStandIn : public TWindow {
  public:
    TMainStandIn() {
        RegisterClassOnce("QdEditorMain", 0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        CreateHandle(0, "QdEditorMain", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320, 150, 170,
                     260, nullptr, nullptr);
    }
};

TEST(ItemEditor, OpensBelowTheListAndOnlyItsWidthChanges) {
    TMainStandIn main;
    const int H = 2 * GetSystemMetrics(SM_CYFRAME) + 98 + 16 + 2;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    RECT opened{}, narrowed{}, widened{}, tooWide{}, client{}, ok{}, name{}, command{}, icons{};
    auto sizeTo = [](HWND editor, int width, int height, RECT& now) {
        SetWindowPos(editor, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(editor, &now);
    };
    runEditor(itemOf(ManyIcons, "0", "0", "0"), {[&](HWND editor) {
                  GetWindowRect(editor, &opened);
                  sizeTo(editor, 100, 300, narrowed);
                  sizeTo(editor, screenWidth + 50, 40, tooWide);
                  sizeTo(editor, 500, H, widened);
                  GetClientRect(editor, &client);
                  ok = boundsOf(editor, TForm2::Button_ok_id);
                  name = boundsOf(editor, TForm2::Edit_name);
                  command = boundsOf(editor, TForm2::Edit_command);
                  icons = boundsOf(editor, TForm2::ListBox_icons);
                  pressKey(VK_ESCAPE);
              }},
              main.Handle(), 24, 26);
    const int width = opened.right - opened.left;
    EXPECT_EQ(opened.left, 320 - (width - 170) / 2 + 15);
    EXPECT_EQ(opened.top, GetSystemMetrics(SM_CYCAPTION) + 150 + 24 + 26);
    EXPECT_EQ(opened.bottom - opened.top, H);

    EXPECT_EQ(narrowed.right - narrowed.left, TForm2::MinimumWidth);
    EXPECT_EQ(narrowed.bottom - narrowed.top, H);
    EXPECT_EQ(tooWide.right - tooWide.left, screenWidth);
    EXPECT_EQ(tooWide.bottom - tooWide.top, H);
    EXPECT_EQ(widened.right - widened.left, 500);
    // Widening stretches the fields and the icon list and keeps "ok" at the right.
    for (const RECT& r : {ok, name, command, icons})
        EXPECT_EQ(r.right, client.right - 5);
}

TEST(ItemEditor, LaysItselfOutAtTheScaleOfItsDisplay) {
    for (const UINT dpi : {96u, 144u}) {
        RECT client{}, ok{}, name{}, outer{};
        runScripted({[&](HWND editor) {
                        GetClientRect(editor, &client);
                        GetWindowRect(editor, &outer);
                        ok = boundsOf(editor, TForm2::Button_ok_id);
                        name = boundsOf(editor, TForm2::Edit_name);
                        pressKey(VK_ESCAPE);
                    }},
                    [&] {
                        TForm2 form(itemOf(ManyIcons, "0", "0", "0"), dpi);
                        form.ShowModal(nullptr);
                    });
        EXPECT_EQ(outer.bottom - outer.top,
                  2 * SystemMetricForDpi(SM_CYFRAME, dpi) + Scaled(98 + 16 + 2, dpi))
            << dpi;
        EXPECT_EQ(ok.top, Scaled(98, dpi)) << dpi;
        EXPECT_EQ(ok.bottom - ok.top, Scaled(16, dpi)) << dpi;
        // Design lengths rounded one by one: within a pixel of the right margin.
        EXPECT_NEAR(ok.right, client.right - Scaled(5, dpi), 1) << dpi;
        EXPECT_EQ(name.bottom - name.top, Scaled(17, dpi)) << dpi;
        EXPECT_EQ(name.left, SystemMetricForDpi(SM_CYSMCAPTION, dpi) + Scaled(39, dpi)) << dpi;
    }
}

TEST(ItemEditor, SideStripCarriesTheCaptionColour) {
    const int S = GetSystemMetrics(SM_CYSMCAPTION);
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    ASSERT_NE(caption, GetSysColor(COLOR_BTNFACE));
    COLORREF left = 0, right = 0, beside = 0;
    RECT image{}, client{};
    runEditor(itemOf(ManyIcons, "0", "0", "0"), {[&](HWND editor) {
                  UpdateWindow(editor);
                  ScopedWindowDC dc(editor);
                  left = GetPixel(dc.get(), 0, 2);
                  right = GetPixel(dc.get(), S - 1, 2);
                  beside = GetPixel(dc.get(), S, 2);
                  image = boundsOf(editor, TForm2::Image1);
                  GetClientRect(editor, &client);
                  pressKey(VK_ESCAPE);
              }});
    EXPECT_EQ(left, caption);
    EXPECT_EQ(right, caption);
    EXPECT_EQ(beside, GetSysColor(COLOR_BTNFACE));
    // The upward caption sits centred at the foot of the strip.
    EXPECT_GT(image.bottom - image.top, image.right - image.left);
    EXPECT_EQ(image.left, (S - (image.right - image.left)) / 2);
    EXPECT_EQ(image.bottom, client.bottom - 3);
}

} // namespace
} // namespace qd
