#pragma once
#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <string>

namespace qd {

// Posted by an accessible object to its own window to carry out a default
// action: the screen reader's call returns first, so it never waits on a
// dialog or a launch. wParam: the child (0 for the window itself).
constexpr UINT WM_ACCESSIBLEACTION = WM_APP + 1;

// The accessible object of one of the program's windows. The system's standard
// object answers for the window itself; a derived class speaks for what the
// system cannot see (its role, its name, owner-drawn children). The object is
// reference-counted and may outlive its window in a client's hands: once
// disconnected, every call fails and nothing of the window is touched.
class TAccessibleWindow : public IAccessible {
  public:
    TAccessibleWindow(const TAccessibleWindow&) = delete;
    TAccessibleWindow& operator=(const TAccessibleWindow&) = delete;

    void Disconnect();
    bool Connected() const { return window_ != nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: clients call IAccessible directly; there is no type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible: the window itself through the standard object; a child
    // that HasChild accepts has no value, help or shortcut.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  protected:
    explicit TAccessibleWindow(HWND window);
    virtual ~TAccessibleWindow();

    HWND Window() const { return window_; }
    virtual bool HasChild(LONG) const { return false; }

    // The child id a VARIANT names, or -1 when it names none.
    static LONG ChildId(const VARIANT& child);
    static HRESULT Text(const std::string& text, BSTR* out);
    static HRESULT Number(LONG value, VARIANT* out);
    static HRESULT Nothing(VARIANT* out);
    // The state the standard object gives the window itself.
    LONG StandardState() const;

    static constexpr HRESULT Disconnected = CO_E_OBJNOTCONNECTED;

  private:
    // The window itself, answered by the standard object.
    template <typename Call> HRESULT ForWindow(Call call) const {
        if (!Connected()) return Disconnected;
        return standard_ ? call(standard_) : E_NOTIMPL;
    }
    // A text only the window itself has: none (S_FALSE) for a child.
    template <typename Call>
    HRESULT TextOfWindow(const VARIANT& child, BSTR* out, Call call) const {
        if (ChildId(child) == CHILDID_SELF) return ForWindow(call);
        if (!Connected()) return Disconnected;
        if (!out) return E_POINTER;
        *out = nullptr;
        return HasChild(ChildId(child)) ? S_FALSE : E_INVALIDARG;
    }

    ULONG references_ = 1;
    HWND window_;
    IAccessible* standard_ = nullptr;
};

// A window's hold on its accessible object: made on the first WM_GETOBJECT
// for the client area, shared by later ones, disconnected when the window goes.
class TAccessibleSlot {
  public:
    using Factory = std::function<TAccessibleWindow*()>;
    explicit TAccessibleSlot(Factory make) : make_(std::move(make)) {}
    ~TAccessibleSlot() { Disconnect(); }
    TAccessibleSlot(const TAccessibleSlot&) = delete;
    TAccessibleSlot& operator=(const TAccessibleSlot&) = delete;

    // Run first for every message of the window: answers WM_GETOBJECT (true,
    // with `result`) and disconnects the object at WM_DESTROY, while what it
    // reads still exists. False leaves the message to the window.
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Later requests are left to DefWindowProc.
    void Disconnect();

  private:
    Factory make_;
    TAccessibleWindow* object_ = nullptr;
    bool closed_ = false;
};

} // namespace qd
