#include "ui/MessageDialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/Dialog.h"
#include "common/Dpi.h"
#include "common/Handles.h"

namespace qd {

namespace {

constexpr int TextId = 0xFFFF; // where message boxes keep their text
constexpr int IconId = 0xFFFE;
constexpr int DesignMargin = 12;
constexpr int DesignButtonWidth = 75;
constexpr int DesignButtonHeight = 25;
constexpr int DesignButtonGap = 6;
constexpr int DesignIconEdge = 32;
// Longer lines of the message wrap.
constexpr int DesignTextWidth = 360;

struct Button {
    TMsgDlgBtn kind;
    int id;
    const char* caption;
};
constexpr Button AllButtons[] = {
    {TMsgDlgBtn::OK, IDOK, "OK"},
    {TMsgDlgBtn::Cancel, IDCANCEL, "Cancel"},
    {TMsgDlgBtn::Abort, IDABORT, "&Abort"},
};

// Made at WM_INITDIALOG from an empty template: icon, text and the buttons
// are laid out to fit the text.
class TMessageDialog : public TDialog {
  public:
    TMessageDialog(std::string text, TMsgDlgType type, std::initializer_list<TMsgDlgBtn> kinds,
                   TMsgDlgBtn defaultButton)
        : TDialog(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFOREGROUND),
          text_(std::move(text)), type_(type) {
        for (const Button& b : AllButtons)
            if (std::find(kinds.begin(), kinds.end(), b.kind) != kinds.end()) buttons_.push_back(b);
        for (const Button& b : buttons_)
            if (b.kind == defaultButton) defaultId_ = b.id;
        escapeId_ = hasButton(IDCANCEL) ? IDCANCEL : hasButton(IDOK) ? IDOK : 0;
    }

  protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_INITDIALOG:
            SetWindowTextA(Handle(), type_ == TMsgDlgType::Error ? "Error" : "Warning");
            LayOut();
            return FALSE; // focus already set on the default button
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDCANCEL && lParam == 0) {
                // Escape (or a posted IDCANCEL with no control) maps to the cancel button.
                if (escapeId_) EndModal(escapeId_);
                return TRUE;
            }
            if (hasButton(id)) EndModal(id);
            return TRUE;
        }
        case WM_CLOSE:
            EndModal(IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }

  private:
    bool hasButton(int id) const {
        return std::any_of(buttons_.begin(), buttons_.end(),
                           [id](const Button& b) { return b.id == id; });
    }

    void LayOut();

    std::string text_;
    TMsgDlgType type_;
    std::vector<Button> buttons_;
    int defaultId_ = IDOK;
    int escapeId_ = 0; // 0: Escape does nothing
    UniqueFont font_;
};

void TMessageDialog::LayOut() {
    HWND dialog = Handle();
    NONCLIENTMETRICSA metrics{sizeof(metrics)};
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    font_.reset(CreateFontIndirectA(&metrics.lfMessageFont));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Design sizes at the dialog's scale; the font is the system's own.
    const UINT dpi = WindowDpi(dialog);
    const int margin = Scaled(DesignMargin, dpi), iconEdge = Scaled(DesignIconEdge, dpi),
              buttonWidth = Scaled(DesignButtonWidth, dpi),
              buttonHeight = Scaled(DesignButtonHeight, dpi),
              buttonGap = Scaled(DesignButtonGap, dpi);

    RECT textRect{0, 0, Scaled(DesignTextWidth, dpi), 0};
    {
        ScopedWindowDC dc(dialog);
        ScopedSelect select(dc.get(), font_.get());
        DrawTextA(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &textRect,
                  DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS);
    }
    const int textLeft = margin + iconEdge + margin;
    const int textHeight = std::max<int>(textRect.bottom, iconEdge);
    const int buttonsWidth =
        static_cast<int>(buttons_.size()) * (buttonWidth + buttonGap) - buttonGap;
    const int clientWidth =
        std::max<int>(textLeft + textRect.right + margin, buttonsWidth + 2 * margin);
    const int buttonsTop = margin + textHeight + margin;
    const int clientHeight = buttonsTop + buttonHeight + margin;

    HWND icon = CreateWindowExA(
        0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, margin, margin, iconEdge, iconEdge,
        dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IconId)), instance, nullptr);
    SendMessageA(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(
                     LoadIconA(nullptr, type_ == TMsgDlgType::Error ? IDI_ERROR : IDI_WARNING)),
                 0);
    HWND text = CreateWindowExA(
        0, "STATIC", text_.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, textLeft,
        margin + (textHeight - textRect.bottom) / 2, textRect.right, textRect.bottom, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(TextId)), instance, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    int left = (clientWidth - buttonsWidth) / 2;
    for (const Button& b : buttons_) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                            (b.id == defaultId_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindowExA(
            0, "BUTTON", b.caption, style, left, buttonsTop, buttonWidth, buttonHeight, dialog,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        left += buttonWidth + buttonGap;
    }

    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectForDpi(outer, GetWindowLongA(dialog, GWL_STYLE), false,
                           GetWindowLongA(dialog, GWL_EXSTYLE), dpi);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    RECT area;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner && IsWindowVisible(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int x = std::max<int>(0, (area.left + area.right - width) / 2);
    const int y = std::max<int>(0, (area.top + area.bottom - height) / 2);
    SetWindowPos(dialog, HWND_TOP, x, y, width, height, 0);
    SendMessageA(dialog, DM_SETDEFID, defaultId_, 0);
    SetFocus(GetDlgItem(dialog, defaultId_));
}

} // namespace

int MessageDlg(HWND owner, const std::string& text, TMsgDlgType type,
               std::initializer_list<TMsgDlgBtn> buttons, TMsgDlgBtn defaultButton) {
    TMessageDialog dialog(text, type, buttons, defaultButton);
    return static_cast<int>(dialog.ShowModal(owner));
}

} // namespace qd
