#include "items/QuillDeck2.h"

#include <commctrl.h>

#include <algorithm>

#include "catalogue/ItemPath.h"
#include "common/AnsiText.h"
#include "common/Dpi.h"
#include "common/Error.h"
#include "items/IconExtraction.h"
#include "items/ItemEditorLayout.h"
#include "items/VersionInfo.h"
#include "ui/KeyCues.h"
#include "ui/MessageDialog.h"
#include "ui/ScrollSpin.h"

namespace qd {

namespace {
// A move driven by the caption: the window follows the mouse until release.
constexpr WPARAM SC_DRAGMOVE = 0xF012;
constexpr COLORREF Silver = RGB(0xC0, 0xC0, 0xC0);
} // namespace

using namespace ItemEditorLayout;

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

void TForm2::FormClose() {
    keyPreview_.reset();
    hints_.reset();
    iconImages_.clear();
    icons_.Forget();
    groupNames_.clear();
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
