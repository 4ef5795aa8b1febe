// The item editor's controls and their layout: made at their design bounds,
// laid out again on every size, with the caption up the side strip.
#include "items/QuillDeck2.h"

#include <algorithm>

#include "common/Dpi.h"
#include "common/Error.h"
#include "items/ItemEditorLayout.h"
#include "ui/ScrollSpin.h"

namespace qd {

using namespace ItemEditorLayout;

HWND TForm2::AddControl(int id, const char* className, const char* text, DWORD style, int left,
                        int top, int width, int height, const char* hint) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, S(left),
                                   S(top), S(width), S(height), Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) throw EQuillDeck("Cannot create window");
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (hint) hints_->Add(Handle(), control, hint);
    return control;
}

// Labels take the size of their text.
HWND TForm2::AddLabel(int id, const char* text, int left, int top) {
    SIZE size;
    {
        ScopedWindowDC dc(Handle());
        ScopedSelect select(dc.get(), font_.get());
        size = textSize(dc.get(), text);
    }
    HWND label = AddControl(id, "STATIC", text, SS_LEFT | SS_NOPREFIX, left, top, 0, 0);
    MoveControl(label, S(left), S(top), size.cx, size.cy);
    return label;
}

void TForm2::MoveControl(HWND control, int left, int top, int width, int height) {
    SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TForm2::Bounds(HWND control) const {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Controls at their design bounds, created in tab order (Edit_name,
// Edit_command, ListBox_icons, ScrollBar_style, ScrollBar_group) and each spin
// before its field, so it stays in front; then the layout for the side strip.
void TForm2::FormCreate() {
    SetWindowTextA(Handle(), Caption);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    hints_ = std::make_unique<THints>(nullptr);

    const char* const styleHint = "Program window's style when run";
    const char* const groupHint = "Program group for this item";
    AddLabel(Label1, "Title", 22, 8);
    AddControl(Edit_name, "EDIT", "", EditStyle, 55, 5, FieldWidth, 17,
               "Title showing for this list item");
    AddLabel(Label6, "Exec", 22, 25);
    AddControl(Label_executable, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 57, 25, 177,
               15);
    AddLabel(Label2, "Run..", 22, 44);
    AddControl(Edit_command, "EDIT", "", EditStyle, 55, 40, FieldWidth, 17,
               "Command line options when running this item");
    AddControl(ListBox_icons, "LISTBOX", "", IconListStyle, 153, 60, 84, 26,
               "Program's icons to choose from");
    AddControl(ScrollBar_style, "SCROLLBAR", "", SpinStyle, 98, 81, SpinWidth, SpinHeight,
               styleHint);
    AddControl(ScrollBar_group, "SCROLLBAR", "", SpinStyle, 98, 61, SpinWidth, SpinHeight,
               groupHint);
    AddLabel(Label5, "Group", 22, 63);
    AddControl(Edit_group, "EDIT", "", ReadOnlyStyle, 55, 60, ShortFieldWidth, 17, groupHint);
    AddLabel(Label3, "Icon", 126, 64);
    AddLabel(Label4, "State", 22, 83);
    AddControl(Edit_style, "EDIT", "", ReadOnlyStyle, 55, 80, ShortFieldWidth, 17, styleHint);
    AddLabel(Label7, "Ver", 22, 101);
    AddLabel(Label_ver, "0.0.0.0", 56, 101);
    // Both are placed by the layout below.
    Button_cancel = std::make_unique<TSoftButt>(Handle(), "cancel", 131, OkTop, CancelWidth,
                                                ButtonHeight, Button_cancel_id);
    Button_ok = std::make_unique<TSoftButt>(Handle(), "ok", 185, OkTop, OkWidth, ButtonHeight,
                                            Button_ok_id);
    for (TSoftButt* button : {Button_cancel.get(), Button_ok.get()})
        SendMessageA(button->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    Button_ok->OnClick = [this] { Button_okClick(); };
    Button_cancel->OnClick = [this] { Button_cancelClick(); };
    // Owner-drawn without notifications: the mouse falls through to the strip.
    AddControl(Image1, "STATIC", "", SS_OWNERDRAW, 0, 30, 17, 81);
    SetSpin(ScrollBar_style, MaxWindowStyle, 0);

    // Lefts follow the side strip, whose width is the system's (in pixels).
    const int side = sideWidth_;
    const int clientHeight = S(OkTop + ButtonHeight + 2);
    auto moveLeft = [this](int id, int left) {
        const RECT r = Bounds(Item(id));
        MoveControl(Item(id), left, r.top, r.right - r.left, r.bottom - r.top);
    };
    for (int label : {Label1, Label2, Label4, Label5})
        moveLeft(label, side + S(6));
    moveLeft(Label7, side + S(7));
    const int fieldLeft = side + S(39);
    for (int field : {Edit_name, Edit_command, Edit_style, Edit_group})
        moveLeft(field, fieldLeft);
    const int spinLeft = fieldLeft + S(ShortFieldWidth - SpinWidth - 1);
    moveLeft(ScrollBar_style, spinLeft);
    moveLeft(ScrollBar_group, spinLeft);
    const int iconLabelLeft = fieldLeft + S(ShortFieldWidth + 16);
    moveLeft(Label3, iconLabelLeft);
    moveLeft(ListBox_icons, iconLabelLeft + S(27));
    const int okLeft = fieldLeft + S(FieldWidth - OkWidth);
    PlaceButtons(okLeft);

    RECT outer{0, 0, okLeft + S(OkWidth + RightMargin), clientHeight};
    AdjustWindowRectForDpi(outer, EditorStyle, false, EditorExStyle, dpi_);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    DrawSideCaption(Caption);
}

void TForm2::SetIconColumns(int listWidth) {
    HWND list = Item(ListBox_icons);
    const int columns = std::max(1, listWidth / S(IconCellWidth));
    RECT client;
    GetClientRect(list, &client);
    SendMessageA(list, LB_SETCOLUMNWIDTH, std::max<LONG>(1, client.right / columns), 0);
}

void TForm2::FormResize() {
    if (!Button_ok) return; // sized before the controls exist
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const int fieldWidth = width - Bounds(Item(Edit_name)).left - S(RightMargin);
    for (int id : {Edit_name, Edit_command, Label_executable}) {
        const RECT r = Bounds(Item(id));
        MoveControl(Item(id), r.left, r.top, fieldWidth, r.bottom - r.top);
    }
    const RECT list = Bounds(Item(ListBox_icons));
    const int listWidth = width - list.left - S(RightMargin);
    MoveControl(Item(ListBox_icons), list.left, list.top, listWidth, list.bottom - list.top);
    SetIconColumns(listWidth);
    PlaceButtons(width - S(OkWidth + RightMargin));
}

void TForm2::PlaceButtons(int okLeft) {
    MoveControl(Button_ok->Handle(), okLeft, S(OkTop), S(OkWidth), S(ButtonHeight));
    MoveControl(Button_cancel->Handle(), okLeft - S(CancelFromOk), S(OkTop), S(CancelWidth),
                S(ButtonHeight));
}

void TForm2::FormPaint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    const RECT strip{0, 0, sideWidth_, client.bottom};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_ACTIVECAPTION));
}

// The caption written upward on a bitmap as tall as the text is wide, placed
// at the foot of the side strip and centred on it.
void TForm2::DrawSideCaption(const char* text) {
    LOGFONTA font{};
    font.lfHeight = S(11);
    font.lfWidth = S(6);
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    UniqueFont rotated(CreateFontIndirectA(&font));

    ScopedWindowDC screen(nullptr);
    UniqueDC dc(CreateCompatibleDC(screen.get()));
    ScopedSelect selectFont(dc.get(), rotated.get());
    const SIZE size = textSize(dc.get(), text);
    const int width = size.cy;
    const int height = size.cx;
    sideCaption_.reset(CreateCompatibleBitmap(screen.get(), width, height));
    {
        ScopedSelect selectBitmap(dc.get(), sideCaption_.get());
        const RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, GetSysColorBrush(COLOR_ACTIVECAPTION));
        SetBkColor(dc.get(), GetSysColor(COLOR_ACTIVECAPTION));
        SetTextColor(dc.get(), GetSysColor(COLOR_CAPTIONTEXT));
        SetBkMode(dc.get(), OPAQUE);
        TextOutA(dc.get(), 0, height, text, lstrlenA(text));
    }
    RECT client;
    GetClientRect(Handle(), &client);
    MoveControl(Item(Image1), (sideWidth_ - width) / 2, client.bottom - height - S(3), width,
                height);
}

// Only the width can change: from 252 design pixels up to the screen's width.
void TForm2::GetMinMaxInfo(MINMAXINFO& info) const {
    const int height = 2 * SystemMetricForDpi(SM_CYFRAME, dpi_) + S(OkTop + ButtonHeight + 2);
    info.ptMinTrackSize = {S(MinimumWidth), height};
    info.ptMaxTrackSize = {GetSystemMetrics(SM_CXSCREEN), height};
}

} // namespace qd
