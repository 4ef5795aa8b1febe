#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "common/Handles.h"
#include "ui/SoftButt.h"

namespace qd {
namespace {

// A plain top-level window to hold the button.
struct Host {
    UniqueWindow window{CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        200, 100, nullptr, nullptr, nullptr, nullptr)};
};

// The button drawn through WM_PRINTCLIENT into a memory bitmap of its size.
class Picture {
  public:
    explicit Picture(const TSoftButt& button) {
        RECT r;
        GetClientRect(button.Handle(), &r);
        ScopedWindowDC screen(nullptr);
        dc_.reset(CreateCompatibleDC(screen.get()));
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
        select_ = std::make_unique<ScopedSelect>(dc_.get(), bitmap_.get());
        SendMessageA(button.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()),
                     PRF_CLIENT);
        size_ = {r.right, r.bottom};
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_.get(), x, y); }
    // Bounding box of the pixels of one colour inside the frames.
    RECT boxOf(COLORREF colour) const {
        RECT box{size_.cx, size_.cy, -1, -1};
        for (int y = 2; y < size_.cy - 2; ++y)
            for (int x = 2; x < size_.cx - 2; ++x)
                if (at(x, y) == colour) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box;
    }

  private:
    UniqueDC dc_;
    UniqueBitmap bitmap_;
    std::unique_ptr<ScopedSelect> select_;
    SIZE size_{};
};

void mouse(const TSoftButt& button, UINT message) {
    SendMessageA(button.Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                 MAKELPARAM(5, 5));
}

enum class State { Idle, Hover, Pressed };

TEST(SoftButton, FreshButtonIsFlatBorderedAndOpaque) {
    Host host;
    TSoftButt button(host.window.get(), "ok", 10, 10);
    RECT r;
    GetClientRect(button.Handle(), &r);
    EXPECT_EQ(r.right, 35);
    EXPECT_EQ(r.bottom, 20);
    EXPECT_TRUE(button.Flat());
    EXPECT_TRUE(button.Border());
    EXPECT_FALSE(button.Transparent());
    EXPECT_FALSE(button.Hover());
}

TEST(SoftButton, FramesSitInsideTheOutlineOrOnTheEdge) {
    const COLORREF F = GetSysColor(COLOR_BTNFACE);
    const COLORREF H = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF S = GetSysColor(COLOR_BTNSHADOW);
    ASSERT_TRUE(F != H && H != S && F != S);
    struct Case {
        bool border;
        State state;
        // top, left, bottom and right edges, then the corners TL, TR, BL, BR
        COLORREF expected[8];
    };
    for (const Case& c : {
             Case{true, State::Idle, {F, F, F, F, F, F, F, F}},
             Case{true, State::Hover, {H, H, S, S, H, H, S, S}},
             Case{true, State::Pressed, {S, S, H, H, S, H, S, H}},
             Case{false, State::Idle, {F, F, F, F, F, F, F, F}},
             Case{false, State::Hover, {H, H, S, S, H, H, S, S}},
             Case{false, State::Pressed, {S, S, H, H, S, H, S, H}},
         }) {
        Host host;
        TSoftButt button(host.window.get(), "ok", 10, 10);
        button.SetBorder(c.border);
        if (c.state != State::Idle) mouse(button, WM_MOUSEMOVE);
        if (c.state == State::Pressed) mouse(button, WM_LBUTTONDOWN);
        Picture picture(button);
        const int b = c.border ? 1 : 0, r = 35 - b - 1, t = 20 - b - 1;
        const POINT points[8] = {{10, b}, {b, 10}, {10, t}, {r, 10},
                                 {b, b},  {r, b},  {b, t},  {r, t}};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(picture.at(points[i].x, points[i].y), c.expected[i])
                << "border " << c.border << " state " << int(c.state) << " point " << i;
        // The outline is there exactly when Border is.
        for (POINT p : {POINT{0, 0}, POINT{34, 0}, POINT{0, 19}, POINT{34, 19}, POINT{17, 0},
                        POINT{0, 10}, POINT{34, 10}, POINT{17, 19}})
            if (c.border) {
                EXPECT_EQ(picture.at(p.x, p.y), S) << p.x << "," << p.y;
            }
    }
}

TEST(SoftButton, CaptionIsCentredShiftedWhilePressedAndGreyedWhenDisabled) {
    Host host;
    TSoftButt button(host.window.get(), "ok", 10, 10);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const RECT idle = Picture(button).boxOf(text);
    ASSERT_GE(idle.right, idle.left) << "no caption drawn";
    EXPECT_NEAR((idle.left + idle.right) / 2.0, 17, 2);
    EXPECT_NEAR((idle.top + idle.bottom) / 2.0, 9.5, 2.5);

    mouse(button, WM_MOUSEMOVE);
    mouse(button, WM_LBUTTONDOWN);
    const RECT pressed = Picture(button).boxOf(text);
    EXPECT_EQ(pressed.left, idle.left + 1);
    EXPECT_EQ(pressed.top, idle.top + 1);
    mouse(button, WM_LBUTTONUP);

    button.SetEnabled(false);
    Picture disabled(button);
    EXPECT_LT(disabled.boxOf(text).right, 0) << "disabled caption in the normal colour";
    EXPECT_GE(disabled.boxOf(GetSysColor(COLOR_BTNSHADOW)).right, 0) << "no greyed caption";
}

TEST(SoftButton, DisabledButtonGetsNoHoverButStillReportsTheExit) {
    Host host;
    TSoftButt button(host.window.get(), "del", 10, 10);
    int entered = 0, exited = 0;
    button.OnEnter = [&](TSoftButt& sender) {
        EXPECT_EQ(&sender, &button);
        ++entered;
    };
    button.OnExit = [&](TSoftButt& sender) {
        EXPECT_EQ(&sender, &button);
        ++exited;
    };
    button.SetEnabled(false);
    mouse(button, WM_MOUSEMOVE);
    EXPECT_FALSE(button.Hover());
    EXPECT_EQ(entered, 0);
    EXPECT_EQ(Picture(button).at(10, 1), GetSysColor(COLOR_BTNFACE));
    mouse(button, WM_MOUSELEAVE);
    EXPECT_EQ(exited, 1);

    button.SetEnabled(true);
    mouse(button, WM_MOUSEMOVE);
    EXPECT_TRUE(button.Hover());
    EXPECT_EQ(entered, 1);
    mouse(button, WM_MOUSELEAVE);
    EXPECT_FALSE(button.Hover());
    EXPECT_EQ(exited, 2);
}

TEST(SoftButton, ClickRunsOnClick) {
    Host host;
    TSoftButt button(host.window.get(), "ok", 10, 10);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    mouse(button, WM_MOUSEMOVE);
    mouse(button, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks, 0);
    mouse(button, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace qd
