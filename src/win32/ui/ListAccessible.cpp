#include "ui/ListAccessible.h"

#include "ui/ItemList.h"

namespace qd {

namespace {
constexpr char DisabledDescription[] = "disabled: changed or tampered file";
constexpr char LaunchAction[] = "Launch";
} // namespace

LONG AccessibleChildOfRow(const ItemTable& table, int row) {
    if (table.isEmpty() || row < 0 || row >= table.rowCount() || !table.isShown(row)) return 0;
    return ShownRowsBefore(table, row) + 1;
}

LONG AccessibleChildCount(const ItemTable& table) {
    return table.isEmpty() ? 0 : ShownRowsBefore(table, table.rowCount());
}

int RowOfAccessibleChild(const ItemTable& table, LONG child) {
    return table.isEmpty() || child <= 0 ? -1 : ShownRowAt(table, child - 1);
}

void AnnounceCurrentRow(HWND list, const ItemTable& table) {
    const LONG child = AccessibleChildOfRow(table, table.currentRow());
    if (!child) return;
    NotifyWinEvent(EVENT_OBJECT_SELECTION, list, OBJID_CLIENT, child);
    // A focus event from a window without the focus would pull the reader away
    // from where the user is.
    if (GetFocus() == list) NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, child);
}

void AnnounceFocusedRow(HWND list, const ItemTable& table) {
    if (const LONG child = AccessibleChildOfRow(table, table.currentRow()))
        NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, child);
}

void AnnounceRowsChanged(HWND list) {
    NotifyWinEvent(EVENT_OBJECT_REORDER, list, OBJID_CLIENT, CHILDID_SELF);
}

TListAccessible::TListAccessible(TItemList& list) : TAccessibleWindow(list.Handle()), list_(list) {}

bool TListAccessible::HasChild(LONG child) const {
    return RowOfAccessibleChild(list_.Table(), child) >= 0;
}

int TListAccessible::RowOf(const VARIANT& child) const {
    return RowOfAccessibleChild(list_.Table(), ChildId(child));
}

// The list's handlers run here outside any window procedure, so an error is
// shown at this boundary and never reaches the screen reader's call.
bool TListAccessible::SelectRow(int row) {
    return Guarded(Window(), [&] { list_.SelectRow(row); });
}

LONG TListAccessible::CurrentChild() const {
    return AccessibleChildOfRow(list_.Table(), list_.Table().currentRow());
}

HRESULT TListAccessible::get_accChildCount(LONG* count) {
    if (!Connected()) return Disconnected;
    if (!count) return E_POINTER;
    *count = AccessibleChildCount(list_.Table());
    return S_OK;
}

HRESULT TListAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!Connected()) return Disconnected;
    if (!object) return E_POINTER;
    *object = nullptr;
    // Rows are simple children: the list answers for them.
    return RowOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT TListAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF) return TAccessibleWindow::get_accName(child, name);
    const int row = RowOf(child);
    if (row < 0) return E_INVALIDARG;
    return Text(list_.Table().cell(ColTitle, row), name);
}

HRESULT TListAccessible::get_accDescription(VARIANT child, BSTR* description) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF)
        return TAccessibleWindow::get_accDescription(child, description);
    const int row = RowOf(child);
    if (row < 0) return E_INVALIDARG;
    if (list_.Table().isDisabled(row)) return Text(DisabledDescription, description);
    if (!description) return E_POINTER;
    *description = nullptr;
    return S_FALSE;
}

HRESULT TListAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF) return Number(ROLE_SYSTEM_LIST, role);
    return RowOf(child) >= 0 ? Number(ROLE_SYSTEM_LISTITEM, role) : E_INVALIDARG;
}

HRESULT TListAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF) return TAccessibleWindow::get_accState(child, state);
    const int row = RowOf(child);
    if (row < 0) return E_INVALIDARG;
    LONG flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (row == list_.Table().currentRow()) {
        flags |= STATE_SYSTEM_SELECTED;
        if (Focused()) flags |= STATE_SYSTEM_FOCUSED;
    }
    RECT client, rowRect = list_.RowRect(row);
    GetClientRect(Window(), &client);
    if (rowRect.bottom <= client.top || rowRect.top >= client.bottom)
        flags |= STATE_SYSTEM_OFFSCREEN;
    return Number(flags, state);
}

HRESULT TListAccessible::get_accFocus(VARIANT* child) {
    if (!Connected()) return Disconnected;
    if (!Focused()) return Nothing(child);
    return Number(CurrentChild(), child);
}

HRESULT TListAccessible::get_accSelection(VARIANT* children) {
    if (!Connected()) return Disconnected;
    const LONG current = CurrentChild();
    return current ? Number(current, children) : Nothing(children);
}

HRESULT TListAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF)
        return TAccessibleWindow::get_accDefaultAction(child, action);
    return RowOf(child) >= 0 ? Text(LaunchAction, action) : E_INVALIDARG;
}

HRESULT TListAccessible::accSelect(LONG flags, VARIANT child) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF) return TAccessibleWindow::accSelect(flags, child);
    const int row = RowOf(child);
    // One row is always both the selection and the focus.
    constexpr LONG Supported = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION;
    if (row < 0 || !flags || (flags & ~Supported)) return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS) SetFocus(Window());
    return SelectRow(row) ? S_OK : E_FAIL;
}

HRESULT TListAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF)
        return TAccessibleWindow::accLocation(left, top, width, height, child);
    const int row = RowOf(child);
    if (row < 0) return E_INVALIDARG;
    if (!left || !top || !width || !height) return E_POINTER;
    RECT r = list_.RowRect(row);
    MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT TListAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (!Connected()) return Disconnected;
    const LONG count = AccessibleChildCount(list_.Table());
    const LONG from = ChildId(start);
    LONG to = 0;
    if (from == CHILDID_SELF) {
        if (direction == NAVDIR_FIRSTCHILD)
            to = 1;
        else if (direction == NAVDIR_LASTCHILD)
            to = count;
        else
            return TAccessibleWindow::accNavigate(direction, start, end);
    } else if (from < 1 || from > count) {
        return E_INVALIDARG;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        to = from + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        to = from - 1;
    } else if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        return E_INVALIDARG;
    }
    if (to < 1 || to > count) return Nothing(end);
    return Number(to, end);
}

HRESULT TListAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (!Connected()) return Disconnected;
    POINT p{x, y};
    ScreenToClient(Window(), &p);
    RECT client;
    GetClientRect(Window(), &client);
    if (!PtInRect(&client, p)) return Nothing(child);
    const LONG hit = AccessibleChildOfRow(list_.Table(), list_.RowAt(p.y));
    return Number(hit ? hit : CHILDID_SELF, child);
}

HRESULT TListAccessible::accDoDefaultAction(VARIANT child) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) == CHILDID_SELF) return TAccessibleWindow::accDoDefaultAction(child);
    const int row = RowOf(child);
    if (row < 0) return E_INVALIDARG;
    // As a double-click: the row becomes current, then it is launched.
    if (!SelectRow(row)) return E_FAIL;
    PostMessageA(Window(), WM_ACCESSIBLEACTION, 0, 0);
    return S_OK;
}

} // namespace qd
