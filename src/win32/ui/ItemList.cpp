#include "ui/ItemList.h"

#include <windowsx.h>

#include <algorithm>

#include "common/AnsiText.h"
#include "common/Dpi.h"

namespace qd {

namespace {
constexpr char ClassName[] = "TStringGrid";
constexpr COLORREF SelectionColour = RGB(255, 255, 0);
constexpr COLORREF DisabledTextColour = RGB(255, 0, 0);
constexpr int IconLeft = 7;
constexpr int IconTop = 3;
constexpr int TextTop = 6;
constexpr int TextLeft = 17 + IconSize;
constexpr FontSpec ListFont{"MS Sans Serif", 11};
} // namespace

TItemList::TItemList(HWND parent, ItemTable& table, int left, int top, int width, int height,
                     UINT dpi)
    : table_(table), dpi_(dpi), font_(CreateScaledFont(ListFont, dpi)) {
    RegisterClassOnce(ClassName, CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), nullptr);
    CreateHandle(0, ClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL, left, top,
                 width, height, parent, nullptr);
    UpdateScrollBar();
}

void TItemList::SetDpi(UINT dpi) {
    dpi_ = dpi;
    font_ = CreateScaledFont(ListFont, dpi);
    icons_.Forget();
    TableChanged();
}

int ShownRowsBefore(const ItemTable& table, int row) {
    int shown = 0;
    for (int r = 0; r < row; ++r)
        shown += table.isShown(r) ? 1 : 0;
    return shown;
}

int ShownRowAt(const ItemTable& table, int index) {
    if (index < 0) return -1;
    for (int r = 0; r < table.rowCount(); ++r)
        if (table.isShown(r) && index-- == 0) return r;
    return -1;
}

int TItemList::VisibleRowCapacity() const {
    RECT r;
    GetClientRect(Handle(), &r);
    return std::max<int>(1, (r.bottom - r.top) / RowHeight());
}

bool TItemList::ScrollBarShown() const {
    return (GetWindowLongA(Handle(), GWL_STYLE) & WS_VSCROLL) != 0;
}

void TItemList::UpdateScrollBar() {
    const bool wasShown = ScrollBarShown();
    const int shown = ShownRowCount();
    const int capacity = VisibleRowCapacity();
    topRow_ = std::clamp(topRow_, 0, std::max(0, shown - capacity));
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS};
    si.nMin = 0;
    si.nMax = shown - 1;
    si.nPage = static_cast<UINT>(capacity);
    si.nPos = topRow_;
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    if (ScrollBarShown() != wasShown && OnScrollBarShown) OnScrollBarShown();
}

// Loaded icons stay: they are known by path and icon index, so an edited item
// simply misses, and the search, which changes the table at every key, reads
// no file again.
void TItemList::TableChanged() {
    UpdateScrollBar();
    InvalidateRect(Handle(), nullptr, FALSE);
    AnnounceRowsChanged(Handle());
}

void TItemList::RowChanged(int row, bool removed) {
    RECT area;
    GetClientRect(Handle(), &area);
    const RECT rowArea = RowRect(row);
    area.top = std::max(area.top, rowArea.top);
    if (!removed) area.bottom = std::min(area.bottom, rowArea.bottom);
    if (area.top < area.bottom) InvalidateRect(Handle(), &area, FALSE);
}

void TItemList::SetColumnWidth(int width) {
    columnWidth_ = std::max(0, width);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TItemList::ScrollTo(int shownIndex) {
    const int limit = std::max(0, ShownRowCount() - VisibleRowCapacity());
    const int top = std::clamp(shownIndex, 0, limit);
    if (top == topRow_) return;
    topRow_ = top;
    UpdateScrollBar();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TItemList::ScrollIntoView(int row) {
    if (!table_.isShown(row)) return;
    const int index = ShownRowsBefore(table_, row);
    if (index < topRow_)
        ScrollTo(index);
    else if (index >= topRow_ + VisibleRowCapacity())
        ScrollTo(index - VisibleRowCapacity() + 1);
}

void TItemList::MakeCurrent(int row) {
    table_.setCurrentRow(row);
    ScrollIntoView(row);
    InvalidateRect(Handle(), nullptr, FALSE);
    AnnounceCurrentRow(Handle(), table_);
}

void TItemList::SelectRow(int row) {
    MakeCurrent(row);
    if (OnClick) OnClick();
}

int TItemList::RowAt(int y) const {
    return y < 0 ? -1 : ShownRowAt(table_, topRow_ + y / RowHeight());
}

RECT TItemList::RowRect(int row) const {
    const int top = (ShownRowsBefore(table_, row) - topRow_) * RowHeight();
    return RECT{0, top, columnWidth_, top + RowHeight()};
}

void TItemList::SelectAtPoint(int y) {
    const int row = RowAt(y);
    if (row >= 0 && row != table_.currentRow()) MakeCurrent(row);
}

LRESULT TItemList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT object = 0;
    if (accessible_.Handle(message, wParam, lParam, object)) return object;
    switch (message) {
    case WM_PAINT: {
        ScopedPaint paint(Handle());
        Paint(paint.dc(), paint.area());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_.get());
    case WM_SIZE:
        UpdateScrollBar();
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_VSCROLL: {
        SCROLLINFO si{sizeof(si), SIF_ALL};
        GetScrollInfo(Handle(), SB_VERT, &si);
        int top = topRow_;
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            --top;
            break;
        case SB_LINEDOWN:
            ++top;
            break;
        case SB_PAGEUP:
            top -= VisibleRowCapacity();
            break;
        case SB_PAGEDOWN:
            top += VisibleRowCapacity();
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            top = si.nTrackPos;
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = ShownRowCount();
            break;
        }
        ScrollTo(top);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(Handle());
        SetCapture(Handle());
        selecting_ = true;
        SelectAtPoint(GET_Y_LPARAM(lParam));
        if (OnMouseDown) OnMouseDown();
        return 0;
    case WM_RBUTTONDOWN:
        SetFocus(Handle());
        if (OnMouseDown) OnMouseDown();
        return 0;
    case WM_MOUSEMOVE:
        if (selecting_) SelectAtPoint(GET_Y_LPARAM(lParam));
        if (OnMouseMove) OnMouseMove(wParam);
        return 0;
    case WM_LBUTTONUP:
        if (selecting_) {
            selecting_ = false;
            ReleaseCapture();
            if (OnClick) OnClick();
        }
        if (OnMouseUp) OnMouseUp();
        return 0;
    case WM_RBUTTONUP: {
        if (OnMouseUp) OnMouseUp();
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(Handle(), &p);
        if (OnContextMenu) OnContextMenu(p);
        return 0;
    }
    case WM_CAPTURECHANGED:
        selecting_ = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        if (OnKeyDown && OnKeyDown(wParam)) return 0;
        break;
    case WM_CHAR:
        if (OnChar && OnChar(static_cast<char>(wParam))) return 0;
        break;
    case WM_SETFOCUS:
        AnnounceFocusedRow(Handle(), table_);
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_KILLFOCUS:
        InvalidateRect(Handle(), nullptr, FALSE);
        break;
    case WM_ACCESSIBLEACTION:
        if (OnDblClick) OnDblClick();
        return 0;
    }
    return Default(message, wParam, lParam);
}

void TItemList::Paint(HDC dc, const RECT& area) {
    RECT client;
    GetClientRect(Handle(), &client);
    // Drawn off screen first, so rows never flicker while scrolling or moving.
    const int width = client.right, height = client.bottom;
    UniqueDC memory(CreateCompatibleDC(dc));
    UniqueBitmap canvas(CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1)));
    ScopedSelect selectCanvas(memory.get(), canvas.get());
    FillRect(memory.get(), &client, GetSysColorBrush(COLOR_WINDOW));
    ScopedSelect selectFont(memory.get(), font_.get());

    int index = 0, top = 0;
    for (int r = 0; r < table_.rowCount() && top < height; ++r) {
        if (!table_.isShown(r)) continue;
        if (index++ < topRow_) continue;
        DrawRow(memory.get(), r, top, r == table_.currentRow());
        top += RowHeight();
    }
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(),
           area.left, area.top, SRCCOPY);
}

void TItemList::DrawRow(HDC dc, int row, int top, bool selected) {
    const COLORREF band = selected ? SelectionColour : GetSysColor(COLOR_WINDOW);
    const COLORREF text =
        table_.isDisabled(row) ? DisabledTextColour : GetSysColor(COLOR_WINDOWTEXT);
    // Column 0 and the one-pixel last column; a pixel line of background
    // stays above and below every band.
    RECT bandRect{0, top + 1, columnWidth_ + 1, top + RowHeight() - 1};
    UniqueBrush brush(CreateSolidBrush(band));
    FillRect(dc, &bandRect, brush.get());
    if (table_.isEmpty()) return;

    const int iconSize = Scaled(IconSize, dpi_);
    int iconIndex = -1;
    if (!parseDecimal(table_.cell(ColIconIndex, row), iconIndex)) iconIndex = -1;
    icons_.Draw(dc, Scaled(IconLeft, dpi_), top + Scaled(IconTop, dpi_), iconSize, table_.icon(row),
                table_.cell(ColRelativePath, row), iconIndex, band);

    const std::string& title = table_.cell(ColTitle, row);
    SetTextColor(dc, text);
    SetBkColor(dc, band);
    SetBkMode(dc, OPAQUE);
    // Every character is at least a pixel wide: what lies past the column is
    // never seen, and a title of megabytes must not stall each paint.
    const std::size_t drawn = std::min(title.size(), static_cast<std::size_t>(columnWidth_));
    TextOutA(dc, Scaled(TextLeft, dpi_), top + Scaled(TextTop, dpi_), title.c_str(),
             static_cast<int>(drawn));
}

} // namespace qd
