#pragma once
#include <windows.h>

namespace qd {

// Base of the program's dialogs. The object pointer is stored at
// WM_INITDIALOG and every later message goes to HandleMessage through the same
// error boundary as TWindow: an exception never crosses the dialog procedure.
class TDialog {
  public:
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;
    virtual ~TDialog();

    // Null while the dialog is not open.
    HWND Handle() const { return hwnd_; }

    // Runs the dialog modally and returns what EndModal was given.
    INT_PTR ShowModal(HWND owner);
    // Opens the dialog modelessly; it lives until the object is destroyed.
    HWND CreateModeless(HWND owner);
    void EndModal(INT_PTR result) { EndDialog(hwnd_, result); }

  protected:
    // An empty template with this style; the dialog makes its controls at
    // WM_INITDIALOG, so no resource script is needed.
    explicit TDialog(DWORD style, DWORD exStyle = 0);
    // A template of the caller's, which must outlive the dialog's windows.
    explicit TDialog(const DLGTEMPLATE* given) : template_(given) {}

    // A dialog procedure's contract: TRUE when handled (results other than
    // that go through DWLP_MSGRESULT), FALSE for the default handling.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    struct alignas(4) EmptyTemplate {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    };
    EmptyTemplate empty_{};
    const DLGTEMPLATE* template_ = nullptr;
    HWND hwnd_ = nullptr;
};

} // namespace qd
