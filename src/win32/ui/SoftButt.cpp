#include "ui/SoftButt.h"

namespace qd {

TSoftButt::TSoftButt(HWND parent, const std::string& caption, int left, int top, int width,
                     int height, int id)
    : TSpeedButton(parent, left, top, width, height, caption, id) {
    SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) | WS_TABSTOP);
}

LRESULT TSoftButt::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // A push button that is not the default: Enter stays with the dialog.
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        spaceDown_ = false;
        RepaintNow();
        return 0;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE) break;
        spaceDown_ = true;
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE || !spaceDown_) break;
        spaceDown_ = false;
        Click();
        return 0;
    }
    return TSpeedButton::HandleMessage(message, wParam, lParam);
}

void TSoftButt::SetBorder(bool border) {
    border_ = border;
    RepaintNow();
}

void TSoftButt::SetTransparent(bool transparent) {
    transparent_ = transparent;
    RepaintNow();
}

void TSoftButt::RepaintNow() {
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

// The base class's hover frame is never drawn: this button has its own.
void TSoftButt::MouseEnter() {
    if (!Enabled()) return;
    hover_ = true;
    RepaintNow();
    if (OnEnter) OnEnter(*this);
}

void TSoftButt::MouseLeave() {
    hover_ = false;
    RepaintNow();
    if (OnExit) OnExit(*this);
}

void TSoftButt::PaintParentBackground(HDC dc) const {
    HWND parent = GetParent(Handle());
    POINT origin{0, 0};
    MapWindowPoints(Handle(), parent, &origin, 1);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TSoftButt::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    if (transparent_)
        PaintParentBackground(dc);
    else
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (GetFocus() == Handle()) {
        RECT focus = client;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
    if (!Flat()) {
        PaintFrame(dc, client, false);
        PaintContent(dc, client);
        return;
    }
    PaintContent(dc, client);

    // Line ends are not painted, so each frame closes exactly at its corners.
    const int w = client.right, h = client.bottom;
    const int b = border_ ? 1 : 0;
    const int r = w - b - 1, t = h - b - 1;
    UniquePen highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    ScopedSelect pen(dc, highlight.get());
    if (Pressed() || (hover_ && Enabled())) {
        // From the top-right corner to the bottom-left one in the light pen and
        // back in the dark one: the light half runs along the bottom and right
        // when sunken, along the top and left when raised.
        const POINT light = Pressed() ? POINT{r, t} : POINT{b, b};
        const POINT dark = Pressed() ? POINT{b, b} : POINT{r, t};
        MoveToEx(dc, r, b, nullptr);
        LineTo(dc, light.x, light.y);
        LineTo(dc, b, t);
        SelectObject(dc, shadow.get());
        LineTo(dc, dark.x, dark.y);
        LineTo(dc, r, b);
    }
    if (border_) {
        SelectObject(dc, shadow.get());
        MoveToEx(dc, w - 1, 0, nullptr);
        LineTo(dc, w - 1, h - 1);
        LineTo(dc, 0, h - 1);
        LineTo(dc, 0, 0);
        LineTo(dc, w - 1, 0);
    }
}

} // namespace qd
