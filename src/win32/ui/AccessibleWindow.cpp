#include "ui/AccessibleWindow.h"

#include "common/SystemDlls.h"
#include "common/WidePath.h"

namespace qd {

TAccessibleWindow::TAccessibleWindow(HWND window) : window_(window) {
    if (const AccessibilityApi* api = Accessibility())
        api->CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard_));
}

TAccessibleWindow::~TAccessibleWindow() {
    Disconnect();
}

void TAccessibleWindow::Disconnect() {
    window_ = nullptr;
    if (standard_) standard_->Release();
    standard_ = nullptr;
}

HRESULT TAccessibleWindow::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TAccessibleWindow::AddRef() {
    return ++references_;
}

ULONG TAccessibleWindow::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT TAccessibleWindow::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT TAccessibleWindow::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT TAccessibleWindow::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT TAccessibleWindow::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*) {
    return E_NOTIMPL;
}

LONG TAccessibleWindow::ChildId(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal >= 0 ? child.lVal : -1;
}

HRESULT TAccessibleWindow::Text(const std::string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const AccessibilityApi* api = Accessibility();
    if (!api) return E_FAIL;
    const std::wstring wide = WideFromAnsi(text);
    *out = api->SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT TAccessibleWindow::Number(LONG value, VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT TAccessibleWindow::Nothing(VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    return S_FALSE;
}

LONG TAccessibleWindow::StandardState() const {
    VARIANT self{}, state{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (!standard_ || standard_->get_accState(self, &state) != S_OK || state.vt != VT_I4) return 0;
    return state.lVal;
}

HRESULT TAccessibleWindow::get_accParent(IDispatch** parent) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accParent(parent); });
}

HRESULT TAccessibleWindow::get_accChildCount(LONG* count) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accChildCount(count); });
}

HRESULT TAccessibleWindow::get_accChild(VARIANT child, IDispatch** object) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accChild(child, object); });
}

HRESULT TAccessibleWindow::get_accName(VARIANT child, BSTR* name) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accName(child, name); });
}

HRESULT TAccessibleWindow::get_accValue(VARIANT child, BSTR* value) {
    return TextOfWindow(
        child, value, [&](IAccessible* standard) { return standard->get_accValue(child, value); });
}

HRESULT TAccessibleWindow::get_accDescription(VARIANT child, BSTR* description) {
    return ForWindow(
        [&](IAccessible* standard) { return standard->get_accDescription(child, description); });
}

HRESULT TAccessibleWindow::get_accRole(VARIANT child, VARIANT* role) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accRole(child, role); });
}

HRESULT TAccessibleWindow::get_accState(VARIANT child, VARIANT* state) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accState(child, state); });
}

HRESULT TAccessibleWindow::get_accHelp(VARIANT child, BSTR* help) {
    return TextOfWindow(child, help,
                        [&](IAccessible* standard) { return standard->get_accHelp(child, help); });
}

HRESULT TAccessibleWindow::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return TextOfWindow(child, file, [&](IAccessible* standard) {
        return standard->get_accHelpTopic(file, child, topic);
    });
}

HRESULT TAccessibleWindow::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return TextOfWindow(child, shortcut, [&](IAccessible* standard) {
        return standard->get_accKeyboardShortcut(child, shortcut);
    });
}

HRESULT TAccessibleWindow::get_accFocus(VARIANT* child) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accFocus(child); });
}

HRESULT TAccessibleWindow::get_accSelection(VARIANT* children) {
    return ForWindow([&](IAccessible* standard) { return standard->get_accSelection(children); });
}

HRESULT TAccessibleWindow::get_accDefaultAction(VARIANT child, BSTR* action) {
    return ForWindow(
        [&](IAccessible* standard) { return standard->get_accDefaultAction(child, action); });
}

HRESULT TAccessibleWindow::accSelect(LONG flags, VARIANT child) {
    return ForWindow([&](IAccessible* standard) { return standard->accSelect(flags, child); });
}

HRESULT TAccessibleWindow::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                       VARIANT child) {
    return ForWindow([&](IAccessible* standard) {
        return standard->accLocation(left, top, width, height, child);
    });
}

HRESULT TAccessibleWindow::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return ForWindow(
        [&](IAccessible* standard) { return standard->accNavigate(direction, start, end); });
}

HRESULT TAccessibleWindow::accHitTest(LONG x, LONG y, VARIANT* child) {
    return ForWindow([&](IAccessible* standard) { return standard->accHitTest(x, y, child); });
}

HRESULT TAccessibleWindow::accDoDefaultAction(VARIANT child) {
    return ForWindow([&](IAccessible* standard) { return standard->accDoDefaultAction(child); });
}

HRESULT TAccessibleWindow::put_accName(VARIANT, BSTR) {
    return Connected() ? DISP_E_MEMBERNOTFOUND : Disconnected;
}

HRESULT TAccessibleWindow::put_accValue(VARIANT, BSTR) {
    return Connected() ? DISP_E_MEMBERNOTFOUND : Disconnected;
}

bool TAccessibleSlot::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_DESTROY) Disconnect();
    if (message != WM_GETOBJECT) return false;
    // The object id arrives as a 32-bit value in a 64-bit parameter.
    const AccessibilityApi* api = Accessibility();
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !api || closed_) return false;
    if (!object_) {
        // Marshalling the object to a screen reader needs COM on this thread;
        // it stays for the rest of the run.
        api->CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        object_ = make_();
    }
    result = api->LresultFromObject(__uuidof(IAccessible), wParam, object_);
    return true;
}

void TAccessibleSlot::Disconnect() {
    closed_ = true;
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

} // namespace qd
