#include "items/QuillDeck2.h"

#include <commctrl.h>

#include <algorithm>

#include "catalogue/ItemPath.h"
#include "common/AnsiText.h"
#include "common/Dpi.h"
#include "common/Error.h"
#include "items/IconExtraction.h"
#include "items/VersionInfo.h"
#include "ui/KeyCues.h"
#include "ui/MessageDialog.h"
#include "ui/ScrollSpin.h"

namespace qd {

namespace {

// No caption and no frame of a dialog box, but the sizeable border; a tool
// window's border. The caption runs up the side strip instead.
constexpr DWORD EditorStyle = WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD EditorExStyle = WS_EX_TOOLWINDOW;

// A move driven by the caption: the window follows the mouse until release.
constexpr WPARAM SC_DRAGMOVE = 0xF012;

constexpr COLORREF Silver = RGB(0xC0, 0xC0, 0xC0);
// An icon cell of the list: the image and a two-pixel margin either side.
constexpr int IconMargin = 2;
constexpr int IconCellWidth = IconSize + 2 * IconMargin;

// Design bounds of the controls the layout moves or sizes.
constexpr int FieldWidth = 182;     // Edit_name, Edit_command
constexpr int ShortFieldWidth = 58; // Edit_style, Edit_group
constexpr int SpinWidth = 14;
constexpr int SpinHeight = 16;
constexpr int OkTop = 98;
constexpr int OkWidth = 51;
constexpr int ButtonHeight = 16;
constexpr int CancelWidth = 49;
constexpr int CancelFromOk = 54;
constexpr int RightMargin = 5;

// The flat border of the edits and the list.
constexpr DWORD EditStyle = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
// Read-only fields pass the focus on to their spins; they clip the spin that
// sits inside their right end.
constexpr DWORD ReadOnlyStyle = WS_BORDER | ES_READONLY | WS_CLIPSIBLINGS;
// One row of icons side by side; no scroll bars, the keys scroll it.
constexpr DWORD IconListStyle = WS_BORDER | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
constexpr DWORD SpinStyle = SBS_VERT | WS_TABSTOP;

SIZE textSize(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

} // namespace

ItemEditResult EditItem(HWND mainWindow, int gridTop, int rowHeight, const ItemEditInput& input) {
    TForm2 form(input, WindowDpi(mainWindow));
    form.PlaceBeside(mainWindow, gridTop, rowHeight);
    ItemEditResult result;
    result.cells = input.cells;
    if (form.ShowModal(mainWindow) != TForm2::ResultOk) return result;
    result.confirmed = true;
    result.cells = form.Outcome().cells;
    result.iconChanged = form.Outcome().iconChanged;
    if (result.iconChanged) result.icon = form.ChosenIcon();
    return result;
}

TForm2::TForm2(const ItemEditInput& input, UINT dpi)
    : TDialog(EditorStyle, EditorExStyle), input_(input), dpi_(dpi),
      sideWidth_(SystemMetricForDpi(SM_CYSMCAPTION, dpi)),
      font_(CreateScaledFont({"MS Sans Serif", 11}, dpi)) {}

TForm2::~TForm2() {
    // The controls must go while the font they draw with still exists.
    if (Handle()) DestroyWindow(Handle());
}

void TForm2::PlaceBeside(HWND mainWindow, int gridTop, int rowHeight) {
    mainWindow_ = mainWindow;
    gridTop_ = gridTop;
    rowHeight_ = rowHeight;
}

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

std::string TForm2::Text(int id) const {
    return WindowText(Item(id));
}

int TForm2::SpinPosition(int id) const {
    return GetScrollPos(Item(id), SB_CTL);
}

void TForm2::SetSpin(int id, int maximum, int position) {
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS};
    info.nMin = 0;
    info.nMax = maximum;
    info.nPos = position;
    SetScrollInfo(Item(id), SB_CTL, &info, TRUE);
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

// What the edit command puts into the fields, and where it places the dialog.
void TForm2::FillFields() {
    const RowCells& cells = input_.cells;
    SetWindowTextA(Item(Edit_name), cells[ColTitle].c_str());
    SetWindowTextA(Item(Label_executable), cells[ColRelativePath].c_str());
    SetWindowTextA(Item(Edit_command), cells[ColCommandLine].c_str());
    fullPath_ = ResolveItemPath(input_.launcherFolder, cells[ColRelativePath]);
    const std::string version = ReadVersionString(fullPath_, "FileVersion");
    HWND label = Item(Label_ver);
    SetWindowTextA(label, version.c_str());
    {
        ScopedWindowDC dc(Handle());
        ScopedSelect select(dc.get(), font_.get());
        const SIZE size = textSize(dc.get(), version);
        const RECT r = Bounds(label);
        MoveControl(label, r.left, r.top, size.cx, std::max<LONG>(size.cy, r.bottom - r.top));
    }
    if (mainWindow_) {
        RECT main, editor;
        GetWindowRect(mainWindow_, &main);
        GetWindowRect(Handle(), &editor);
        const ScreenPoint at = itemEditorPosition(
            main.left, main.top, main.right - main.left, editor.right - editor.left,
            SystemMetricForDpi(SM_CYCAPTION, dpi_), gridTop_, rowHeight_);
        SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetSpin(ScrollBar_style, MaxWindowStyle, spinPositionOf(cells[ColWindowStyle], MaxWindowStyle));
}

// The group names: Main's stand-in, then the user's groups; in restricted mode
// only Main, as the preferences file is not read there.
void TForm2::FormShow() {
    groupNames_ = {MainGroupStandIn};
    if (!input_.restricted && input_.groups.size() > 1)
        groupNames_.insert(groupNames_.end(), input_.groups.begin() + 1, input_.groups.end());
    const int maximum = static_cast<int>(groupNames_.size()) - 1;
    const int position = spinPositionOf(input_.cells[ColGroup], maximum);
    SetSpin(ScrollBar_group, maximum, position);
    SetWindowTextA(Item(Edit_group), groupNames_[position].c_str());
}

void TForm2::FormActivate() {
    HWND list = Item(ListBox_icons);
    const RECT bounds = Bounds(list);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, bounds.bottom - bounds.top);
    SetIconColumns(bounds.right - bounds.left);
    ScrollBar_styleChange();
    LoadIcons();
    int index = -1;
    if (!parseDecimal(input_.cells[ColIconIndex], index) || index < 0 ||
        index >= static_cast<int>(iconImages_.size()))
        index = -1;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SetFocus(list);
}

void TForm2::LoadIcons() {
    HWND list = Item(ListBox_icons);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    iconImages_.clear();
    icons_.SetLauncherFolder(input_.launcherFolder);
    const int count = IconCount(fullPath_);
    for (int i = 0; i < count; ++i) {
        iconImages_.push_back(ExtractItemIcon(fullPath_, i));
        const std::string number = std::to_string(i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(number.c_str()));
    }
}

void TForm2::SetIconColumns(int listWidth) {
    HWND list = Item(ListBox_icons);
    const int columns = std::max(1, listWidth / S(IconCellWidth));
    RECT client;
    GetClientRect(list, &client);
    SendMessageA(list, LB_SETCOLUMNWIDTH, std::max<LONG>(1, client.right / columns), 0);
}

void TForm2::FormClose() {
    keyPreview_.reset();
    hints_.reset();
    iconImages_.clear();
    icons_.Forget();
    groupNames_.clear();
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

void TForm2::FormMouseDown(LPARAM where) {
    if (static_cast<short>(LOWORD(where)) >= sideWidth_) return;
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, SC_DRAGMOVE, 0);
}

void TForm2::FormKeyUp(WPARAM key) {
    RepaintAfterAltOrTab(Handle(), key);
}

void TForm2::ListBox_iconsDrawItem(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF background = selected ? Silver : GetSysColor(COLOR_WINDOW);
    UniqueBrush brush(CreateSolidBrush(background));
    FillRect(item.hDC, &item.rcItem, brush.get());
    if (item.itemID < iconImages_.size()) {
        const int index = static_cast<int>(item.itemID);
        icons_.Draw(item.hDC, item.rcItem.left + S(IconMargin), item.rcItem.top + S(IconMargin),
                    S(IconSize), iconImages_[item.itemID], input_.cells[ColRelativePath], index,
                    background);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void TForm2::Button_okClick() {
    ItemEditValues values;
    values.title = Text(Edit_name);
    const LRESULT selected = SendMessageA(Item(ListBox_icons), LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) values.iconIndex = static_cast<int>(selected);
    values.commandLine = Text(Edit_command);
    values.windowStyle = SpinPosition(ScrollBar_style);
    values.group = SpinPosition(ScrollBar_group);
    // Outside restricted mode the spin's group is stored, clamped to the groups
    // that exist; restricted mode offers none, so the item keeps its own.
    values.groupMoved = groupMoved_ || !input_.restricted;
    ItemEditOutcome outcome = confirmItemEdit(input_.cells, values);
    if (!outcome.accepted()) {
        MessageDlg(Handle(), outcome.refusal, TMsgDlgType::Warning, {TMsgDlgBtn::OK},
                   TMsgDlgBtn::OK);
        SetFocus(Item(Edit_name));
        return;
    }
    // The list already holds the chosen image: the file is not read again.
    if (outcome.iconChanged) chosenIcon_ = iconImages_[static_cast<std::size_t>(selected)];
    outcome_ = std::move(outcome);
    EndModal(ResultOk);
}

void TForm2::Button_cancelClick() {
    EndModal(ResultCancel);
}

void TForm2::ScrollBar_styleChange() {
    SetWindowTextA(Item(Edit_style), WindowStyleNames[SpinPosition(ScrollBar_style)]);
}

void TForm2::ScrollBar_groupChange() {
    const auto position = static_cast<std::size_t>(SpinPosition(ScrollBar_group));
    if (position < groupNames_.size())
        SetWindowTextA(Item(Edit_group), groupNames_[position].c_str());
}

void TForm2::Edit_styleEnter() {
    SetFocus(Item(ScrollBar_style));
}

void TForm2::Edit_groupEnter() {
    SetFocus(Item(ScrollBar_group));
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

INT_PTR TForm2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        try {
            FormCreate();
            FillFields();
            FormShow();
            FormActivate();
        } catch (...) {
            // No half-built editor: it closes as cancelled and the error is shown.
            EndModal(ResultCancel);
            throw;
        }
        // The dialog's modal loop offers every message to the preview before
        // the control it is for sees it: FormKeyUp hears the keys released on
        // any control. Enter and Escape need nothing here, the dialog manager
        // turns them into IDOK and IDCANCEL whichever control has the focus.
        keyPreview_ =
            std::make_unique<ScopedMessageFilter>(FilterStage::DialogPreview, [this](MSG& message) {
                const bool keyUp = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
                if (keyUp && (message.hwnd == Handle() || IsChild(Handle(), message.hwnd)))
                    FormKeyUp(message.wParam);
                return false;
            });
        return FALSE; // the icon list has the focus
    case WM_DESTROY:
        FormClose();
        return FALSE;
    case WM_SIZE:
        FormResize();
        return TRUE;
    case WM_GETMINMAXINFO:
        GetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_PAINT: {
        ScopedPaint paint(Handle());
        FormPaint(paint.dc());
        return TRUE;
    }
    case WM_PRINTCLIENT:
        FormPaint(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        FormMouseDown(lParam);
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == ListBox_icons) {
            ListBox_iconsDrawItem(item);
        } else if (item.CtlID == Image1 && sideCaption_) {
            UniqueDC memory(CreateCompatibleDC(item.hDC));
            ScopedSelect select(memory.get(), sideCaption_.get());
            BitBlt(item.hDC, 0, 0, item.rcItem.right, item.rcItem.bottom, memory.get(), 0, 0,
                   SRCCOPY);
        }
        return TRUE;
    }
    case WM_VSCROLL: {
        HWND bar = reinterpret_cast<HWND>(lParam);
        const int position = SpinPositionAfter(bar, wParam);
        if (position == GetScrollPos(bar, SB_CTL)) return TRUE;
        SetScrollPos(bar, SB_CTL, position, TRUE);
        if (bar == Item(ScrollBar_style)) ScrollBar_styleChange();
        if (bar == Item(ScrollBar_group)) {
            groupMoved_ = true;
            ScrollBar_groupChange();
        }
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        // Enter, Escape and closing, when they reach the dialog manager.
        if (id == IDOK && lParam == 0) Button_ok->Click();
        if (id == IDCANCEL && lParam == 0) Button_cancel->Click();
        if (HIWORD(wParam) == EN_SETFOCUS && id == Edit_style) Edit_styleEnter();
        if (HIWORD(wParam) == EN_SETFOCUS && id == Edit_group) Edit_groupEnter();
        return TRUE;
    }
    }
    return FALSE;
}

} // namespace qd
