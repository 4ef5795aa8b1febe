#pragma once
#include <windows.h>

#include "catalogue/ItemTable.h"
#include "ui/AccessibleWindow.h"

namespace qd {

class TItemList;

// A screen reader sees the item list as a list with one simple child per
// shown row, in row order, and none for the empty table. A child's id is its
// place among the shown rows, from 1.
LONG AccessibleChildCount(const ItemTable& table);
LONG AccessibleChildOfRow(const ItemTable& table, int row);   // 0: not a child
int RowOfAccessibleChild(const ItemTable& table, LONG child); // -1: no such child

// The current row became selected, and focused while the list has the focus.
void AnnounceCurrentRow(HWND list, const ItemTable& table);
// The list got the keyboard focus: the current row is what holds it.
void AnnounceFocusedRow(HWND list, const ItemTable& table);
// Rows came, went, moved or were filtered: the children changed.
void AnnounceRowsChanged(HWND list);

class TListAccessible : public TAccessibleWindow {
  public:
    explicit TListAccessible(TItemList& list);

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

  protected:
    bool HasChild(LONG child) const override;

  private:
    // The row a child id names, or -1.
    int RowOf(const VARIANT& child) const;
    // The current row as a child, or 0 when it is none.
    LONG CurrentChild() const;
    bool Focused() const { return GetFocus() == Window(); }
    // Makes the row current as a click does; false when that failed.
    bool SelectRow(int row);

    TItemList& list_;
};

} // namespace qd
