#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/Dpi.h"
#include "shell/MainWindowSeam.h"
#include "support/DialogWatcher.h"
#include "support/LauncherFolder.h"
#include "support/RealInput.h"

namespace qd {
namespace {

// Every child of a window, in the window's client coordinates, in z order.
std::vector<RECT> childRects(HWND window) {
    std::vector<RECT> rects;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        rects.push_back(qdtest::placeInParent(child));
    return rects;
}

RECT clientRect(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r;
}

// Tells the window it now shows on a display of `dpi`, suggesting the outer
// rectangle whose client area is `client`, as the system would.
void moveToDisplay(HWND window, UINT dpi, SIZE client) {
    RECT outer, inner;
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    const RECT suggested{outer.left, outer.top,
                         outer.left + (outer.right - outer.left) - inner.right + client.cx,
                         outer.top + (outer.bottom - outer.top) - inner.bottom + client.cy};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    qdtest::runMessages(50);
}

LONG fontHeight(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    return font.lfHeight;
}

void expectScaled(const RECT& design, const RECT& actual, UINT dpi) {
    EXPECT_NEAR(actual.left, Scaled(design.left, dpi), 1);
    EXPECT_NEAR(actual.top, Scaled(design.top, dpi), 1);
    EXPECT_NEAR(actual.right - actual.left, Scaled(design.right - design.left, dpi), 1);
    EXPECT_NEAR(actual.bottom - actual.top, Scaled(design.bottom - design.top, dpi), 1);
}

TEST(DisplayScale, MovingToAnotherScaleLaysTheWindowOutAgainAndBackExactly) {
    qdtest::LauncherFolder launcher;
    launcher.addProbe("First", "first.exe");
    launcher.addProbe("Second", "second.exe");
    auto form = launcher.start();
    HWND window = form->Handle();
    // The panel is made when the options first open; Enter closes it again.
    qdtest::typeWith(VK_MENU, 'O');
    ASSERT_TRUE(seam(*form).Panel_options && seam(*form).Panel_options->IsOpen());
    qdtest::typeKeys({VK_RETURN});
    ASSERT_FALSE(seam(*form).Panel_options->IsOpen());
    HWND panel = seam(*form).Panel_options->Handle();
    const RECT client96 = clientRect(window);
    const auto toolbarRects = [&] {
        std::vector<RECT> rects;
        for (TSpeedButton* b : {seam(*form).ToolButton_add, seam(*form).ToolButton_edit,
                                seam(*form).ToolButton_delete, seam(*form).ToolButton_options,
                                seam(*form).ToolButton_menu, seam(*form).ToolButton_exit})
            rects.push_back(qdtest::placeInParent(b->Handle()));
        return rects;
    };
    const std::vector<RECT> toolbar96 = toolbarRects();
    const std::vector<RECT> panel96 = childRects(panel);
    const RECT row96 = seam(*form).StringGrid1->RowRect(0);
    HWND checkBox = seam(*form).Panel_options->CheckBox_minimized;
    const LONG font96 = fontHeight(checkBox);

    moveToDisplay(window, 144, {Scaled(client96.right, 144), Scaled(client96.bottom, 144)});
    // The window takes the size the system suggests.
    const RECT client144 = clientRect(window);
    EXPECT_EQ(client144.right, Scaled(client96.right, 144));
    EXPECT_EQ(client144.bottom, Scaled(client96.bottom, 144));
    const std::vector<RECT> toolbar144 = toolbarRects();
    for (size_t i = 0; i < toolbar96.size(); ++i)
        expectScaled(toolbar96[i], toolbar144[i], 144);
    const RECT list = qdtest::placeInParent(seam(*form).StringGrid1->Handle());
    EXPECT_EQ(list.top, Scaled(24, 144));
    const RECT row144 = seam(*form).StringGrid1->RowRect(0);
    EXPECT_EQ(row144.bottom - row144.top, Scaled(row96.bottom - row96.top, 144));
    // The panel's controls that do not follow its edges keep their design place.
    const std::vector<RECT> panel144 = childRects(panel);
    ASSERT_EQ(panel144.size(), panel96.size());
    expectScaled(panel96.front(), panel144.front(), 144);
    EXPECT_EQ(fontHeight(checkBox), Scaled(font96, 144));

    moveToDisplay(window, 96, {client96.right, client96.bottom});
    const std::vector<RECT> toolbarBack = toolbarRects();
    for (size_t i = 0; i < toolbar96.size(); ++i)
        EXPECT_TRUE(EqualRect(&toolbar96[i], &toolbarBack[i])) << "button " << i;
    const std::vector<RECT> panelBack = childRects(panel);
    for (size_t i = 0; i < panel96.size(); ++i)
        EXPECT_TRUE(EqualRect(&panel96[i], &panelBack[i])) << "panel control " << i;
    const RECT rowBack = seam(*form).StringGrid1->RowRect(0);
    EXPECT_TRUE(EqualRect(&row96, &rowBack));
    EXPECT_EQ(fontHeight(checkBox), font96);
    qdtest::closeForm(*form);
}

} // namespace
} // namespace qd
