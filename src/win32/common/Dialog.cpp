#include "common/Dialog.h"

#include "common/Error.h"
#include "common/Window.h"

namespace qd {

TDialog::TDialog(DWORD style, DWORD exStyle) {
    empty_.header.style = style;
    empty_.header.dwExtendedStyle = exStyle;
    template_ = &empty_.header;
}

TDialog::~TDialog() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }
}

INT_PTR TDialog::ShowModal(HWND owner) {
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), template_, owner,
                                                   DialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1) throw EQuillDeck("Cannot create window");
    return result;
}

HWND TDialog::CreateModeless(HWND owner) {
    if (hwnd_) return hwnd_;
    if (!CreateDialogIndirectParamA(GetModuleHandleA(nullptr), template_, owner, DialogProc,
                                    reinterpret_cast<LPARAM>(this)))
        throw EQuillDeck("Cannot create window");
    return hwnd_;
}

INT_PTR TDialog::HandleMessage(UINT, WPARAM, LPARAM) {
    return FALSE;
}

INT_PTR CALLBACK TDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<TDialog*>(lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    }
    // WM_SETFONT and the like arrive before WM_INITDIALOG: default handling.
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    INT_PTR result = FALSE;
    if (!Guarded(hwnd, [&] { result = self->HandleMessage(message, wParam, lParam); }))
        return FALSE;
    return result;
}

} // namespace qd
