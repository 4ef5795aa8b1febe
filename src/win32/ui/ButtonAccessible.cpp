#include "ui/ButtonAccessible.h"

#include "ui/SpeedButton.h"

namespace qd {

namespace {
constexpr char PressAction[] = "Press";
} // namespace

std::string AccessibleButtonName(const std::string& hint, const std::string& caption) {
    const std::string& name = hint.empty() ? caption : hint;
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

TButtonAccessible::TButtonAccessible(const TSpeedButton& button)
    : TAccessibleWindow(button.Handle()), button_(button) {}

HRESULT TButtonAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) != CHILDID_SELF) return E_INVALIDARG;
    return Text(AccessibleButtonName(button_.Hint(), WindowText(Window())), name);
}

HRESULT TButtonAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) != CHILDID_SELF) return E_INVALIDARG;
    return Number(ROLE_SYSTEM_PUSHBUTTON, role);
}

HRESULT TButtonAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) != CHILDID_SELF) return E_INVALIDARG;
    LONG flags = StandardState();
    if (!button_.Enabled()) flags |= STATE_SYSTEM_UNAVAILABLE;
    if (button_.Down()) flags |= STATE_SYSTEM_PRESSED;
    return Number(flags, state);
}

HRESULT TButtonAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) != CHILDID_SELF) return E_INVALIDARG;
    return Text(PressAction, action);
}

HRESULT TButtonAccessible::accDoDefaultAction(VARIANT child) {
    if (!Connected()) return Disconnected;
    if (ChildId(child) != CHILDID_SELF) return E_INVALIDARG;
    PostMessageA(Window(), WM_ACCESSIBLEACTION, 0, 0);
    return S_OK;
}

} // namespace qd
