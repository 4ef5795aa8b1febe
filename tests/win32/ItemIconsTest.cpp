#include "ui/ItemIcons.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "ResourceIds.h"
#include "common/Dpi.h"
#include "common/Handles.h"
#include "common/WidePath.h"
#include "support/DialogWatcher.h"
#include "ui/ItemList.h"
#include "ui/SpeedButton.h"

namespace qd {
namespace {

using qdtest::TempFolder;

// Icon 0: 16, 32 and 48 pixel images; icon 1: 32 x 32 quadrants.
const std::string SizedIcons = qdtest::builtFile(QD_SAMPLE_SIZED_ICONS);
const std::string Bare = qdtest::builtFile(QD_SAMPLE_BARE);

constexpr COLORREF Band = RGB(0x12, 0x34, 0x56);
constexpr DWORD BandPixel = 0x123456;

// A 32-bit top-down DIB section to draw into and read back as 0x00RRGGBB.
class Canvas {
  public:
    Canvas(int width, int height)
        : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
        const BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<DWORD*>(bits);
        SelectObject(dc_.get(), bitmap_.get());
        PatBlt(dc_.get(), 0, 0, width, height, BLACKNESS);
    }
    HDC dc() const { return dc_.get(); }
    DWORD at(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }
    std::vector<DWORD> pixels() const {
        std::vector<DWORD> all;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                all.push_back(at(x, y));
        return all;
    }

  private:
    int width_, height_;
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    DWORD* bits_ = nullptr;
};

// What the system draws for icon resource `id` of `file` loaded at `size`,
// over the band colour: found by resource id, not by position.
std::vector<DWORD> systemIcon(const std::string& file, int id, int size) {
    UniqueModule module(LoadLibraryExW(WidePath(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(module.get(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
    EXPECT_TRUE(icon) << file << " #" << id;
    Canvas canvas(size, size);
    UniqueBrush band(CreateSolidBrush(Band));
    const RECT all{0, 0, size, size};
    FillRect(canvas.dc(), &all, band.get());
    DrawIconEx(canvas.dc(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
    return canvas.pixels();
}

std::vector<DWORD> drawn(TItemIcons& icons, int size, const IconImage& stored,
                         const std::string& relativePath, int index) {
    Canvas canvas(size, size);
    icons.Draw(canvas.dc(), 0, 0, size, stored, relativePath, index, Band);
    return canvas.pixels();
}

// Four areas meeting between pixels 9 and 10: red, green / see-through, blue.
IconImage storedQuadrants() {
    IconImage image;
    for (int y = 0; y < IconSize; ++y)
        for (int x = 0; x < IconSize; ++x)
            if (y < 10 || x >= 10)
                image.at(x, y) = y < 10 ? (x < 10 ? 0xFF0000 : 0x00A000) : 0x0000FF;
    return image;
}

// The stored quadrants grown to `size`: each area keeps its colour away from
// the seams, where rounding decides.
void expectStoredQuadrants(const std::vector<DWORD>& pixels, int size) {
    const int low = size * 10 / IconSize - 1, high = size * 10 / IconSize + 1;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((x >= low && x <= high) || (y >= low && y <= high)) continue;
            const bool left = x < low, top = y < low;
            const DWORD expected =
                top ? (left ? 0xFF0000u : 0x00A000u) : (left ? BandPixel : 0x0000FFu);
            ASSERT_EQ(pixels[y * size + x], expected) << x << "," << y << " of " << size;
        }
    }
}

TEST(ItemIconsAtScale, LargerSizeDrawsTheProgramsOwnIconAtThatSize) {
    TItemIcons icons;
    const std::vector<DWORD> reference = systemIcon(SizedIcons, 1, 32);
    // The reference is the 32-pixel image itself: single-pixel detail, a
    // see-through pixel showing the band.
    ASSERT_EQ(reference[0], BandPixel);
    ASSERT_EQ(reference[1], 0xFFDC00u);
    ASSERT_EQ(reference[32], 0xFF0000u);
    const std::vector<DWORD> pixels = drawn(icons, 32, storedQuadrants(), SizedIcons, 0);
    EXPECT_EQ(pixels, reference);
    TItemIcons fresh;
    EXPECT_NE(pixels, drawn(fresh, 32, storedQuadrants(), "missing.exe", 0));
}

TEST(ItemIconsAtScale, DesignSizeDrawsTheStoredImageAsBefore) {
    TItemIcons icons;
    // The program has an icon there, but the catalogue's image is what shows.
    IconImage stored = storedQuadrants();
    stored.at(4, 17) = 0x010203;
    const std::vector<DWORD> pixels = drawn(icons, IconSize, stored, SizedIcons, 0);
    for (int y = 0; y < IconSize; ++y)
        for (int x = 0; x < IconSize; ++x) {
            const std::uint32_t own = stored.at(x, y);
            ASSERT_EQ(pixels[y * IconSize + x], own == IconImage::Transparent ? BandPixel : own)
                << x << "," << y;
        }
}

TEST(ItemIconsAtScale, NoIconInTheFileScalesTheStoredImage) {
    TempFolder folder;
    qdtest::writeFile(folder.file("notes.exe"), "not a program");
    struct Case {
        std::string path;
        int index;
    };
    for (const Case& c :
         {Case{folder.file("missing.exe"), 0}, Case{folder.file("notes.exe"), 0}, Case{Bare, 0},
          Case{SizedIcons, 2}, Case{SizedIcons, -1}, Case{SizedIcons, -2}, Case{"", 0},
          Case{folder.file("nowhere\\tool.exe"), 0}}) {
        SCOPED_TRACE(c.path + " #" + std::to_string(c.index));
        for (int size : {32, 42}) {
            TItemIcons icons;
            icons.SetLauncherFolder(folder.path());
            expectStoredQuadrants(drawn(icons, size, storedQuadrants(), c.path, c.index), size);
        }
    }
}

TEST(ItemIconsAtScale, LoadedOnceUntilForgotten) {
    TempFolder folder;
    const std::string tool = folder.file("tool.exe");
    ASSERT_TRUE(CopyFileA(SizedIcons.c_str(), tool.c_str(), FALSE));
    const std::vector<DWORD> own = systemIcon(tool, 1, 32);
    TItemIcons icons;
    icons.SetLauncherFolder(folder.path());
    EXPECT_EQ(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), own);

    // The next paint reads no file: the icon shows although the file is gone.
    ASSERT_TRUE(DeleteFileA(tool.c_str()));
    EXPECT_EQ(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), own);
    // A file that was missing stays so until the icons are forgotten.
    icons.Forget();
    expectStoredQuadrants(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), 32);
    ASSERT_TRUE(CopyFileA(SizedIcons.c_str(), tool.c_str(), FALSE));
    expectStoredQuadrants(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), 32);
    icons.Forget();
    EXPECT_EQ(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), own);
}

// Scrolling through thousands of items must not hold an icon handle for each.
TEST(ItemIconsAtScale, ManyItemsLaterReloadTheFirst) {
    TempFolder folder;
    const std::string tool = folder.file("tool.exe");
    ASSERT_TRUE(CopyFileA(SizedIcons.c_str(), tool.c_str(), FALSE));
    TItemIcons icons;
    icons.SetLauncherFolder(folder.path());
    EXPECT_EQ(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), systemIcon(tool, 1, 32));
    ASSERT_TRUE(DeleteFileA(tool.c_str()));
    for (int i = 0; i < 1000; ++i)
        drawn(icons, 32, storedQuadrants(), "other" + std::to_string(i) + ".exe", 0);
    expectStoredQuadrants(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), 32);
}

TEST(ItemIconsAtScale, AnotherIndexOrFolderShowsItsOwnIcon) {
    TempFolder folder, other;
    ASSERT_TRUE(CopyFileA(SizedIcons.c_str(), folder.file("tool.exe").c_str(), FALSE));
    TItemIcons icons;
    icons.SetLauncherFolder(folder.path());
    EXPECT_EQ(drawn(icons, 32, storedQuadrants(), "tool.exe", 0), systemIcon(SizedIcons, 1, 32));
    // An edited icon index draws the other icon with no Forget in between.
    EXPECT_EQ(drawn(icons, 32, storedQuadrants(), "tool.exe", 1), systemIcon(SizedIcons, 2, 32));
    // Relative paths follow the launcher folder.
    icons.SetLauncherFolder(other.path());
    expectStoredQuadrants(drawn(icons, 32, storedQuadrants(), "tool.exe", 1), 32);
}

// A real list row: at the design scale the stored image at its place over
// the row's band, whatever icon the program holds; at 150% the program's own
// 32-pixel icon, not the stored image grown.
TEST(ItemIconsAtScale, ListRowShowsTheStoredImageAtDesignScaleAndTheProgramsIconAbove) {
    TempFolder folder;
    ASSERT_TRUE(CopyFileA(SizedIcons.c_str(), folder.file("tool.exe").c_str(), FALSE));
    ItemTable table;
    const IconImage stored = storedQuadrants();
    table.addItem({"Tool", "tool.exe", "tool.exe", "0", "", "0", std::string(40, 'Q'), "0"},
                  stored);
    for (const UINT dpi : {DesignDpi, 144u}) {
        UniqueWindow parent(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0,
                                            0, 300, 150, nullptr, nullptr, nullptr, nullptr));
        TItemList list(parent.get(), table, 0, 0, 300, 150, dpi);
        list.SetLauncherFolder(folder.path());
        list.SetColumnWidth(250);
        UpdateWindow(list.Handle());
        qdtest::pump();

        const int size = Scaled(IconSize, dpi), left = Scaled(7, dpi), top = Scaled(3, dpi);
        Canvas screen(100, list.RowHeight());
        {
            ScopedWindowDC dc(list.Handle());
            BitBlt(screen.dc(), 0, 0, 100, list.RowHeight(), dc.get(), 0, 0, SRCCOPY);
        }
        const DWORD band = screen.at(2, top);
        const std::vector<DWORD> own =
            dpi == DesignDpi ? std::vector<DWORD>{} : systemIcon(SizedIcons, 1, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const DWORD expected = dpi == DesignDpi ? stored.at(x, y) : own[y * size + x];
                const bool seeThrough =
                    dpi == DesignDpi ? expected == IconImage::Transparent : expected == BandPixel;
                ASSERT_EQ(screen.at(left + x, top + y), seeThrough ? band : expected)
                    << x << "," << y << " at " << dpi << " DPI";
            }
    }
}

// Each glyph of the launcher in its three sets: the set by the display's
// scale, the art's own colours (a blurring scaler would mix new ones) and
// fuchsia around it.
TEST(ToolbarGlyphs, SetNearestTheScaleKeepsTheArtsColours) {
    const std::string launcher = qdtest::builtFile(QD_LAUNCHER_PROGRAM);
    UniqueModule resources(
        LoadLibraryExW(WidePath(launcher).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(resources) << launcher;
    struct Glyph {
        int id;
        SIZE sizes[3];
    };
    const Glyph glyphs[] = {
        {IDB_GLYPH_ADD, {{16, 16}, {24, 24}, {32, 32}}},
        {IDB_GLYPH_EDIT, {{16, 16}, {24, 24}, {32, 32}}},
        {IDB_GLYPH_DELETE, {{16, 16}, {24, 24}, {32, 32}}},
        {IDB_GLYPH_OPTIONS, {{16, 16}, {24, 24}, {32, 32}}},
        {IDB_GLYPH_MENU, {{7, 5}, {11, 8}, {14, 10}}},
        {IDB_GLYPH_EXIT, {{17, 16}, {26, 24}, {34, 32}}},
    };
    struct Scale {
        UINT dpi;
        int set;
    };
    const Scale scales[] = {{96, 0},  {110, 0}, {119, 0}, {120, 1}, {144, 1},
                            {167, 1}, {168, 2}, {192, 2}, {288, 2}};
    auto colours = [](HBITMAP bitmap, SIZE size) {
        Canvas canvas(size.cx, size.cy);
        UniqueDC source(CreateCompatibleDC(nullptr));
        ScopedSelect select(source.get(), bitmap);
        BitBlt(canvas.dc(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
        EXPECT_EQ(canvas.at(0, 0), 0xFF00FFu);
        const std::vector<DWORD> pixels = canvas.pixels();
        return std::set<DWORD>(pixels.begin(), pixels.end());
    };
    for (const Glyph& glyph : glyphs) {
        std::set<DWORD> art;
        for (const Scale& scale : scales) {
            SCOPED_TRACE("glyph " + std::to_string(glyph.id) + " at " + std::to_string(scale.dpi));
            UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageA(
                resources.get(), MAKEINTRESOURCEA(GlyphResourceForDpi(glyph.id, scale.dpi)),
                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
            ASSERT_TRUE(bitmap);
            BITMAP bm{};
            GetObjectA(bitmap.get(), sizeof(bm), &bm);
            const SIZE expected = glyph.sizes[scale.set];
            EXPECT_EQ(bm.bmWidth, expected.cx);
            EXPECT_EQ(bm.bmHeight, expected.cy);
            const std::set<DWORD> used = colours(bitmap.get(), expected);
            if (scale.set == 0) art = used;
            EXPECT_TRUE(std::includes(art.begin(), art.end(), used.begin(), used.end()));
        }
    }
}

} // namespace
} // namespace qd
