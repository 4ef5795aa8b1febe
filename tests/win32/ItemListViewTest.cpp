#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "catalogue/CatalogueFile.h"
#include "common/MessageLoop.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"

namespace qd {
namespace {

// The lParam bit of a key message sent while Alt is held.
constexpr LPARAM AltHeld = LPARAM{1} << 29;

IconImage iconOf(int seed) {
    IconImage icon;
    icon.at(0, 0) = static_cast<std::uint32_t>(seed);
    return icon;
}

RowCells item(const std::string& title, const std::string& fingerprint = std::string(40, 'Q'),
              const std::string& path = "tool.exe") {
    return {title, path, "tool.exe", "0", "", "0", fingerprint, "0"};
}

// A started main window over a catalogue of the given rows.
struct Launcher {
    qdtest::LauncherFolder launcher;
    std::unique_ptr<TForm1> form;

    explicit Launcher(const std::vector<RowCells>& rows) {
        for (size_t i = 0; i < rows.size(); ++i)
            launcher.table.addItem(rows[i], iconOf(int(i) + 1));
        qdtest::writeFile(launcher.folder.file("tool.exe"), "not a program");
        // Start-up checks are not what these tests are about.
        launcher.setPreference("CheckSafe", "0");
        form = launcher.start();
    }
    ~Launcher() {
        if (form->Handle()) DestroyWindow(form->Handle());
        qdtest::pump(1);
    }
    ItemTable& table() { return seam(*form).Table(); }
    HWND list() { return seam(*form).StringGrid1->Handle(); }
    // A key as the keyboard sends it to the list; Alt held for WM_SYSKEYDOWN.
    void key(UINT message, WPARAM key) {
        PostMessageA(list(), message, key, message == WM_SYSKEYDOWN ? AltHeld : 0);
        ProcessMessages();
    }
};

using qdtest::menuTexts;

TEST(ItemListView, DragOnceMovesItemWithIconAndTrayEntry) {
    Launcher launcher({item("Item0"), item("Item1"), item("Item2"), item("Item3"), item("Item4")});
    ASSERT_EQ(launcher.table().rowCount(), 5);
    const int y1 = 1 * DefaultRowHeight + 10, y2 = 2 * DefaultRowHeight + 10,
              y3 = y2 + DefaultRowHeight;
    SendMessageA(launcher.list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, y1));
    SendMessageA(launcher.list(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, y2));
    // Further motion with the button held only moves the selection.
    SendMessageA(launcher.list(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, y3));
    SendMessageA(launcher.list(), WM_LBUTTONUP, 0, MAKELPARAM(20, y3));

    const char* order[] = {"Item0", "Item2", "Item1", "Item3", "Item4"};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(launcher.table().cell(ColTitle, r), order[r]);
    // Item1's icon travelled with it (the seed pixel tells the icons apart).
    EXPECT_EQ(launcher.table().icon(2).at(0, 0), 2u);
    EXPECT_EQ(launcher.table().icon(1).at(0, 0), 3u);
    EXPECT_EQ(launcher.table().currentRow(), 3);
    // The tray entry at position 2 + 2 now launches (and selects) Item1.
    EXPECT_EQ(launcher.table().rowOfTrayPosition(4), 2);
    qdtest::chooseTrayEntry(*launcher.form, 4);
    EXPECT_EQ(launcher.table().currentRow(), 2);
}

TEST(ItemListView, ContextMenuFollowsTheCurrentRow) {
    {
        Launcher empty({});
        EXPECT_EQ(menuTexts(seam(*empty.form).PopupMenu_main().get()),
                  (std::vector<std::string>{
                      "&Add Item\tAlt+A", "&Edit Item\tAlt+E(off)", "&Remove Item\tAlt+D(off)", "-",
                      "Minimi&ze\tAlt+M", "Stay on &Top\tAlt+T", "&Options ...\tAlt+O",
                      "&Help ...\tF1(off)", "A&bout...\tAlt+B", "-", "E&xit\tAlt+X"}));
        EXPECT_FALSE(seam(*empty.form).ToolButton_edit->Enabled());
    }
    Launcher launcher({item("Good"), item("Bad", "0")});
    auto texts = menuTexts(seam(*launcher.form).PopupMenu_main().get());
    EXPECT_EQ(texts[1], "&Edit Item\tAlt+E");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Reset Security *"), 0);
    launcher.key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(launcher.table().currentRow(), 1);
    texts = menuTexts(seam(*launcher.form).PopupMenu_main().get());
    EXPECT_EQ(texts[4], "Reset Security *");
    EXPECT_EQ(texts[5], "-");
}

TEST(ItemListView, ShortcutsWorkOnHiddenEntriesAndNotOnDisabledOnes) {
    Launcher launcher({});
    // Alt+S belongs to the hidden "&Show Menu": it opens the menu at the button.
    static bool menuOpened;
    static TForm1* form;
    menuOpened = false;
    form = launcher.form.get();
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        menuOpened = seam(*form).ToolButton_menu->Down();
        EndMenu();
    });
    launcher.key(WM_SYSKEYDOWN, 'S');
    EXPECT_TRUE(menuOpened);
    EXPECT_FALSE(seam(*launcher.form).ToolButton_menu->Down());

    // Alt+E is disabled on the empty table: no editor opens.
    {
        qdtest::DialogWatcher dialogs;
        launcher.key(WM_SYSKEYDOWN, 'E');
        EXPECT_TRUE(dialogs.seen().empty());
    }

    // Alt+X ends the program.
    launcher.key(WM_SYSKEYDOWN, 'X');
    EXPECT_FALSE(IsWindow(launcher.list()));
}

TEST(ItemListView, ArrowsSkipRowsHiddenByTheGroupFilter) {
    Launcher launcher({item("A"), item("B"), item("C"), item("D")});
    launcher.table().setRowHeight(1, HiddenRowHeight);
    launcher.table().setRowHeight(2, HiddenRowHeight);
    seam(*launcher.form).StringGrid1->SelectRow(0);
    const std::pair<WPARAM, int> steps[] = {{VK_DOWN, 3}, {VK_RIGHT, 3}, {VK_UP, 0}, {VK_LEFT, 0}};
    for (auto [key, expected] : steps) {
        launcher.key(WM_KEYDOWN, key);
        EXPECT_EQ(launcher.table().currentRow(), expected) << key;
    }
}

TEST(ItemListView, ScrollBarNarrowsTheColumnAndToolbarLimitsTheWidth) {
    std::vector<RowCells> rows;
    for (int i = 0; i < 20; ++i)
        rows.push_back(item("Item" + std::to_string(i)));
    Launcher launcher(rows);
    RECT client;
    GetClientRect(launcher.form->Handle(), &client);
    ASSERT_TRUE(seam(*launcher.form).StringGrid1->ScrollBarShown());
    EXPECT_EQ(seam(*launcher.form).StringGrid1->ColumnWidth(),
              client.right - 4 - GetSystemMetrics(SM_CXVSCROLL));

    MINMAXINFO limits{};
    SendMessageA(launcher.form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 2 * GetSystemMetrics(SM_CXFRAME) + 156);
    EXPECT_EQ(limits.ptMinTrackSize.y, GetSystemMetrics(SM_CYCAPTION));
}

// The pixels a drawing call leaves in a white bitmap, in `font`.
std::vector<std::uint32_t> drawnText(HFONT font, const std::function<void(HDC)>& draw) {
    constexpr int Width = 160, Height = 30;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB};
    void* bits = nullptr;
    UniqueDC dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedSelect selectBitmap(dc.get(), bitmap.get());
    ScopedSelect selectFont(dc.get(), font);
    PatBlt(dc.get(), 0, 0, Width, Height, WHITENESS);
    draw(dc.get());
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    return {pixels, pixels + Width * Height};
}

// Titles are ANSI text of the system's code page. Its own test entry runs this
// under Russian (code page 1251), where the bytes below are "Privet" in
// Cyrillic: the list must draw them as those letters, not as the Latin ones
// the same bytes are in code page 1252.
TEST(ItemListView, TitlesDrawInTheSystemsCodePage) {
    const char* codePage = std::getenv("QD_EXPECT_ACP");
    if (!codePage) GTEST_SKIP() << "runs in its own entry, under another code page";
    ASSERT_EQ(GetACP(), std::strtoul(codePage, nullptr, 10));
    const std::string title = "\xCF\xF0\xE8\xE2\xE5\xF2";
    const std::wstring letters = L"\u041F\u0440\u0438\u0432\u0435\u0442";
    Launcher launcher({item(title)});
    const auto font = reinterpret_cast<HFONT>(SendMessageA(launcher.list(), WM_GETFONT, 0, 0));
    ASSERT_TRUE(font);
    const auto asTitle = drawnText(
        font, [&](HDC dc) { TextOutA(dc, 2, 2, title.c_str(), static_cast<int>(title.size())); });
    const auto asLetters = drawnText(font, [&](HDC dc) {
        TextOutW(dc, 2, 2, letters.c_str(), static_cast<int>(letters.size()));
    });
    EXPECT_TRUE(asTitle == asLetters);
}

} // namespace
} // namespace qd
