#include "ui/SpeedButton.h"

#include <vector>

#include "ResourceIds.h"
#include "common/Dpi.h"

namespace qd {

namespace {

constexpr COLORREF GlyphTransparent = RGB(255, 0, 255);
constexpr char ClassName[] = "TSpeedButton";
// Between a glyph placed at the bottom and the button's lower edge.
constexpr int GlyphBottomMargin = 4;

// The classic disabled look: the glyph's shape embossed, white under grey.
UniqueBitmap makeGreyGlyph(HBITMAP glyph, SIZE size) {
    BITMAPINFO info = TopDownBitmapInfo(size.cx, size.cy, 32);
    std::vector<DWORD> in(size.cx * size.cy), out(size.cx * size.cy, 0x00FF00FF);
    ScopedWindowDC screen(nullptr);
    GetDIBits(screen.get(), glyph, 0, size.cy, in.data(), &info, DIB_RGB_COLORS);
    auto shape = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size.cx && y < size.cy &&
               (in[y * size.cx + x] & 0xFFFFFF) != 0xFF00FF;
    };
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            if (shape(x, y))
                out[y * size.cx + x] = 0x808080;
            else if (shape(x - 1, y - 1))
                out[y * size.cx + x] = 0xFFFFFF;
        }
    UniqueBitmap grey(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    SetDIBits(screen.get(), grey.get(), 0, size.cy, out.data(), &info, DIB_RGB_COLORS);
    return grey;
}

} // namespace

int GlyphResourceForDpi(int glyphResource, UINT dpi) {
    // Each set is made for 144 and 192 DPI; a scale between two sets takes
    // the nearer one.
    if (dpi >= 168) return glyphResource + 2 * IDB_GLYPH_SCALE_STEP;
    if (dpi >= 120) return glyphResource + IDB_GLYPH_SCALE_STEP;
    return glyphResource;
}

TSpeedButton::TSpeedButton(HWND parent, int left, int top, int width, int height, int glyphResource,
                           Look look, GlyphPlace place)
    : glyphResource_(glyphResource), look_(look), place_(place) {
    LoadGlyph(WindowDpi(parent));
    Create(parent, left, top, width, height, "", glyphResource);
}

TSpeedButton::TSpeedButton(HWND parent, int left, int top, int width, int height,
                           const std::string& caption, int id)
    : look_(Look::Flat), place_(GlyphPlace::Centre) {
    Create(parent, left, top, width, height, caption.c_str(), id);
}

void TSpeedButton::Create(HWND parent, int left, int top, int width, int height,
                          const char* caption, int id) {
    RegisterClassOnce(ClassName, CS_HREDRAW | CS_VREDRAW, LoadCursorA(nullptr, IDC_ARROW), nullptr);
    CreateHandle(0, ClassName, caption, WS_CHILD | WS_VISIBLE, left, top, width, height, parent,
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void TSpeedButton::LoadGlyph(UINT dpi) {
    glyphBottomMargin_ = Scaled(GlyphBottomMargin, dpi);
    glyph_.reset(static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GlyphResourceForDpi(glyphResource_, dpi)),
        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    glyphSize_ = {};
    greyGlyph_.reset();
    if (glyph_) {
        BITMAP bm{};
        GetObjectA(glyph_.get(), sizeof(bm), &bm);
        glyphSize_ = {bm.bmWidth, bm.bmHeight};
        greyGlyph_ = makeGreyGlyph(glyph_.get(), glyphSize_);
    }
}

void TSpeedButton::SetDpi(UINT dpi) {
    if (!glyphResource_) return; // a caption button: its font is the parent's
    LoadGlyph(dpi);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TSpeedButton::SetEnabled(bool enabled) {
    EnableWindow(Handle(), enabled);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TSpeedButton::SetDown(bool down) {
    down_ = down;
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

void TSpeedButton::SetFlat(bool flat) {
    look_ = flat ? Look::Flat : Look::Raised;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TSpeedButton::MouseEnter() {
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TSpeedButton::MouseLeave() {
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TSpeedButton::Click() {
    if (Enabled() && OnClick) OnClick();
}

void TSpeedButton::SetHint(THints& hints, const char* hint) {
    hint_ = hint;
    hints.Add(GetParent(Handle()), Handle(), hint);
}

LRESULT TSpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT object = 0;
    if (accessible_.Handle(message, wParam, lParam, object)) return object;
    switch (message) {
    case WM_ACCESSIBLEACTION:
        Click();
        return 0;
    case WM_PAINT: {
        ScopedPaint paint(Handle());
        Paint(paint.dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (lParam) InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        const LRESULT result = Default(message, wParam, lParam);
        InvalidateRect(Handle(), nullptr, FALSE);
        return result;
    }
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            MouseEnter();
        }
        return 0;
    case WM_MOUSELEAVE:
        hot_ = false;
        MouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressing_ = true;
        SetCapture(Handle());
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP: {
        if (!pressing_) return 0;
        pressing_ = false;
        ReleaseCapture();
        InvalidateRect(Handle(), nullptr, FALSE);
        RECT r;
        GetClientRect(Handle(), &r);
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&r, p)) Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressing_ = false;
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_ENABLE:
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    }
    return Default(message, wParam, lParam);
}

void TSpeedButton::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    PaintFrame(dc, r, hot_ && Enabled());
    PaintContent(dc, r);
}

void TSpeedButton::PaintFrame(HDC dc, const RECT& client, bool hover) const {
    RECT r = client;
    if (Pressed())
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (look_ == Look::Raised)
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    else if (hover)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

void TSpeedButton::PaintContent(HDC dc, const RECT& client) const {
    if (!glyph_) {
        RECT area = client;
        if (Pressed()) OffsetRect(&area, 1, 1);
        PaintCaption(dc, area);
        return;
    }
    HBITMAP glyph = Enabled() ? glyph_.get() : greyGlyph_.get();
    int x = (client.right - glyphSize_.cx) / 2;
    int y = place_ == GlyphPlace::Bottom ? client.bottom - glyphSize_.cy - glyphBottomMargin_
                                         : (client.bottom - glyphSize_.cy) / 2;
    if (Pressed()) ++x, ++y;
    UniqueDC memory(CreateCompatibleDC(dc));
    ScopedSelect select(memory.get(), glyph);
    GdiTransparentBlt(dc, x, y, glyphSize_.cx, glyphSize_.cy, memory.get(), 0, 0, glyphSize_.cx,
                      glyphSize_.cy, GlyphTransparent);
}

void TSpeedButton::PaintCaption(HDC dc, RECT area) const {
    char caption[256];
    const int length = GetWindowTextA(Handle(), caption, sizeof(caption));
    ScopedSelect selectFont(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!Enabled()) {
        // The classic disabled caption: etched, a white copy under a grey one.
        RECT etch = area;
        OffsetRect(&etch, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, caption, length, &etch, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(dc, caption, length, &area, format);
}

} // namespace qd
