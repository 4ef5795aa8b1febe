#include "ui/MessageDialog.h"

#include <algorithm>
#include <vector>

#include "common/Handles.h"

namespace qd {

namespace {

constexpr int TextId = 0xFFFF; // where message boxes keep their text
constexpr int IconId = 0xFFFE;
constexpr int Margin = 12;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 6;
constexpr int IconEdge = 32;

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

struct DialogSpec {
    std::string text;
    TMsgDlgType type;
    std::vector<Button> buttons;
    int defaultId;
    int escapeId; // 0: Escape does nothing
    UniqueFont font;
};

void layOut(HWND dialog, DialogSpec& spec) {
    NONCLIENTMETRICSA metrics{sizeof(metrics)};
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    spec.font.reset(CreateFontIndirectA(&metrics.lfMessageFont));
    HINSTANCE instance = GetModuleHandleA(nullptr);

    RECT textRect{0, 0, 360, 0};
    {
        ScopedWindowDC dc(dialog);
        ScopedSelect select(dc.get(), spec.font.get());
        DrawTextA(dc.get(), spec.text.c_str(), static_cast<int>(spec.text.size()), &textRect,
                  DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS);
    }
    const int textLeft = Margin + IconEdge + Margin;
    const int textHeight = std::max<int>(textRect.bottom, IconEdge);
    const int buttonsWidth =
        static_cast<int>(spec.buttons.size()) * (ButtonWidth + ButtonGap) - ButtonGap;
    const int clientWidth =
        std::max<int>(textLeft + textRect.right + Margin, buttonsWidth + 2 * Margin);
    const int buttonsTop = Margin + textHeight + Margin;
    const int clientHeight = buttonsTop + ButtonHeight + Margin;

    HWND icon = CreateWindowExA(
        0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, Margin, Margin, IconEdge, IconEdge,
        dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IconId)), instance, nullptr);
    SendMessageA(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(
                     LoadIconA(nullptr, spec.type == TMsgDlgType::Error ? IDI_ERROR : IDI_WARNING)),
                 0);
    HWND text = CreateWindowExA(
        0, "STATIC", spec.text.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, textLeft,
        Margin + (textHeight - textRect.bottom) / 2, textRect.right, textRect.bottom, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(TextId)), instance, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(spec.font.get()), FALSE);

    int left = (clientWidth - buttonsWidth) / 2;
    for (const Button& b : spec.buttons) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                            (b.id == spec.defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindowExA(
            0, "BUTTON", b.caption, style, left, buttonsTop, ButtonWidth, ButtonHeight, dialog,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(spec.font.get()), FALSE);
        left += ButtonWidth + ButtonGap;
    }

    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, GetWindowLongA(dialog, GWL_STYLE), FALSE,
                       GetWindowLongA(dialog, GWL_EXSTYLE));
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
    SendMessageA(dialog, DM_SETDEFID, spec.defaultId, 0);
    SetFocus(GetDlgItem(dialog, spec.defaultId));
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* spec = reinterpret_cast<DialogSpec*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, reinterpret_cast<DialogSpec*>(lParam)->type == TMsgDlgType::Error
                                   ? "Error"
                                   : "Warning");
        layOut(dialog, *reinterpret_cast<DialogSpec*>(lParam));
        return FALSE; // focus already set on the default button
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL && lParam == 0) {
            // Escape (or a posted IDCANCEL with no control) maps to the cancel button.
            if (spec->escapeId) EndDialog(dialog, spec->escapeId);
            return TRUE;
        }
        for (const Button& b : spec->buttons)
            if (b.id == id) EndDialog(dialog, id);
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int MessageDlg(HWND owner, const std::string& text, TMsgDlgType type,
               std::initializer_list<TMsgDlgBtn> buttons, TMsgDlgBtn defaultButton) {
    DialogSpec spec{text, type, {}, IDOK, 0, nullptr};
    for (const Button& b : AllButtons)
        if (std::find(buttons.begin(), buttons.end(), b.kind) != buttons.end())
            spec.buttons.push_back(b);
    for (const Button& b : spec.buttons)
        if (b.kind == defaultButton) spec.defaultId = b.id;
    const bool hasCancel = std::any_of(spec.buttons.begin(), spec.buttons.end(),
                                       [](const Button& b) { return b.id == IDCANCEL; });
    const bool hasOk = std::any_of(spec.buttons.begin(), spec.buttons.end(),
                                   [](const Button& b) { return b.id == IDOK; });
    spec.escapeId = hasCancel ? IDCANCEL : hasOk ? IDOK : 0;

    // An empty dialog template; the controls are laid out to fit the text.
    struct alignas(4) {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } tmpl{};
    tmpl.header.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFOREGROUND;
    return static_cast<int>(DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &tmpl.header, owner,
                                                    dialogProc, reinterpret_cast<LPARAM>(&spec)));
}

} // namespace qd
