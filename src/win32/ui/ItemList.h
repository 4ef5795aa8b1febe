#pragma once
#include <windows.h>

#include <functional>

#include "catalogue/ItemTable.h"
#include "common/Dpi.h"
#include "common/Handles.h"
#include "common/Window.h"
#include "ui/ItemIcons.h"
#include "ui/ListAccessible.h"

namespace qd {

// Rows by their place among the shown rows: how many shown rows lie above
// `row`, and the shown row at `index` from 0 (-1 when there is none).
int ShownRowsBefore(const ItemTable& table, int row);
int ShownRowAt(const ItemTable& table, int index);

// The item list: one column of rows, each drawn with its icon and title,
// rows of height -1 skipped, vertical scroll bar only. It draws the table it
// is given and keeps the table's current row as its selection.
class TItemList : public TWindow {
  public:
    TItemList(HWND parent, ItemTable& table, int left, int top, int width, int height, UINT dpi);

    // The row-selection handling, run after every left click on the list and
    // whenever the current row changes.
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    // Mouse hooks run after the list handled the event itself.
    std::function<void()> OnMouseDown;
    // With the key and button flags of the move.
    std::function<void(WPARAM keys)> OnMouseMove;
    std::function<void()> OnMouseUp;
    std::function<void(POINT screen)> OnContextMenu;
    // Keys reach the owner first; returning true means the key was handled.
    std::function<bool(WPARAM key)> OnKeyDown;
    // A character typed into the list (WM_CHAR); true when it was used.
    std::function<bool(char typed)> OnChar;
    // The vertical scroll bar appeared or went away.
    std::function<void()> OnScrollBarShown;

    // Makes `row` current, scrolls it into view and runs OnClick.
    void SelectRow(int row);
    // After the table changed: recompute the scroll range and repaint.
    void TableChanged();
    // Redraws a row that changed in place, or, when it was removed, the rows
    // from there down; the scroll range waits for TableChanged.
    void RowChanged(int row, bool removed);
    // The same, drawn at once.
    void DrawRowChange(int row, bool removed);
    // Where items' relative paths lead, for icons loaded at the display's scale.
    void SetLauncherFolder(const std::string& folder) { icons_.SetLauncherFolder(folder); }
    void SetColumnWidth(int width);
    int ColumnWidth() const { return columnWidth_; }
    bool ScrollBarShown() const;
    int TopRow() const { return topRow_; }
    // Row under a client point, or -1 below the last shown row.
    int RowAt(int y) const;
    // Client rectangle of a shown row (its top may lie outside the view).
    RECT RowRect(int row) const;
    // Shown rows that fit in the view: the step of Page Up and Page Down.
    int VisibleRowCapacity() const;
    // A row's height in pixels at the list's scale.
    int RowHeight() const { return Scaled(DefaultRowHeight, dpi_); }
    // The list moved to a display of another scale: new font, new row height.
    void SetDpi(UINT dpi);
    const ItemTable& Table() const { return table_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc, const RECT& area);
    void DrawRow(HDC dc, int row, int top, bool selected);
    int ShownRowCount() const { return ShownRowsBefore(table_, table_.rowCount()); }
    void ScrollTo(int shownIndex);
    void ScrollIntoView(int row);
    void UpdateScrollBar();
    void SelectAtPoint(int y);
    void MakeCurrent(int row);

    ItemTable& table_;
    UINT dpi_;
    UniqueFont font_;
    TItemIcons icons_;
    int columnWidth_ = 0;
    int topRow_ = 0; // index among shown rows
    bool selecting_ = false;
    TAccessibleSlot accessible_{[this] { return new TListAccessible(*this); }};
};

} // namespace qd
