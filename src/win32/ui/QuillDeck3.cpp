#include "ui/QuillDeck3.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "ResourceIds.h"
#include "common/AppInfo.h"
#include "common/Dpi.h"
#include "common/Links.h"
#include "ui/AboutPlacement.h"

namespace qd {

namespace {

enum class Look { Form, Credit, Symbol, Link };
enum class Click { Close, Nothing, Mail, Donation, Freeware };

struct LabelSpec {
    int id;
    int left, top, width, height; // design size; labels fit their text
    const char* text;
    Look look;
    Click click;
    const char* hint;
};

constexpr LabelSpec Labels[] = {
    {TFormAbout::Label2, 132, 7, 73, 13, "Quill'Deck", Look::Credit, Click::Close, nullptr},
    {TFormAbout::Label1, 133, 23, 8, 16, "\xA9", Look::Symbol, Click::Nothing, nullptr},
    {TFormAbout::Label3, 148, 23, 55, 13, "developers", Look::Form, Click::Close, nullptr},
    {TFormAbout::Label4, 4, 46, 201, 13, "if you like this program, send me a e-mail to",
     Look::Form, Click::Close, nullptr},
    {TFormAbout::Label7, 45, 59, 122, 13, MailAddress, Look::Link, Click::Mail, "email us ..."},
    {TFormAbout::Label5, 3, 75, 113, 13, "or help development, by", Look::Form, Click::Close,
     nullptr},
    {TFormAbout::Label8, 120, 75, 41, 13, "donating", Look::Link, Click::Donation,
     "link on our webpage"},
    {TFormAbout::Label6, 165, 75, 41, 13, "a few $$", Look::Form, Click::Close, nullptr},
    {TFormAbout::Label9, 4, 91, 153, 13, "check my other freeware here: <", Look::Form,
     Click::Nothing, nullptr},
    {TFormAbout::Label10, 158, 90, 41, 13, "freeware", Look::Link, Click::Freeware, nullptr},
    {TFormAbout::Label11, 201, 91, 9, 13, "> ", Look::Form, Click::Nothing, nullptr},
};

constexpr RECT Image1Rect{6, -4, 6 + 73, -4 + 57};
constexpr int EdgeGap = 4; // between the lowest and rightmost texts and the border
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF LinkBlue = RGB(0, 0, 255);
constexpr DWORD AboutStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

const LabelSpec* specOf(int id) {
    for (const LabelSpec& spec : Labels)
        if (spec.id == id) return &spec;
    return nullptr;
}

// The system's dialog face: an outright "MS Sans Serif" may come as a wider
// stand-in that runs past the labels.
constexpr char AboutFace[] = "MS Shell Dlg";
constexpr FontSpec FormFont{AboutFace, 12};
constexpr FontSpec CreditFont{AboutFace, 11, true};
constexpr FontSpec SymbolFont{AboutFace, 13};
constexpr FontSpec LinkFont{AboutFace, 11, false, true};

RECT childRect(HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TFormAbout::TFormAbout(const std::string& version)
    : TDialog(AboutStyle), caption_(std::string(ApplicationTitle) + " (v" + version + ")"),
      logo_(
          static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLDECK),
                                        IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))) {}

INT_PTR TFormAbout::ShowBeside(HWND mainWindow, int gridTop, int rowHeight) {
    mainWindow_ = mainWindow;
    gridTop_ = gridTop;
    rowHeight_ = rowHeight;
    return ShowModal(mainWindow);
}

void TFormAbout::FormCreate() {
    // Sized for the display it opens on, each time it opens.
    dpi_ = WindowDpi(Handle());
    formFont_ = CreateScaledFont(FormFont, dpi_);
    creditFont_ = CreateScaledFont(CreditFont, dpi_);
    symbolFont_ = CreateScaledFont(SymbolFont, dpi_);
    linkFont_ = CreateScaledFont(LinkFont, dpi_);
    SetWindowTextA(Handle(), caption_.c_str());
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    CreateLabels();
    // As tall and wide as the lowest and rightmost texts need, whatever the
    // fonts made of the labels: a wider face than the design's widens the box.
    const RECT lowest = childRect(Handle(), Label9);
    LONG right = 0;
    for (const LabelSpec& spec : Labels)
        right = std::max(right, childRect(Handle(), spec.id).right);
    RECT outer{0, 0, right + Scaled(EdgeGap, dpi_), lowest.bottom + Scaled(EdgeGap, dpi_)};
    AdjustWindowRectForDpi(outer, GetWindowLongA(Handle(), GWL_STYLE), false,
                           GetWindowLongA(Handle(), GWL_EXSTYLE), dpi_);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (mainWindow_) PlaceBesideMainWindow();
}

void TFormAbout::CreateLabels() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Every control notifies its clicks, including those that ignore them:
    // a click on them must not fall through to the background, which closes.
    CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY,
                    Scaled(Image1Rect.left, dpi_), Scaled(Image1Rect.top, dpi_),
                    Scaled(Image1Rect.right - Image1Rect.left, dpi_),
                    Scaled(Image1Rect.bottom - Image1Rect.top, dpi_), Handle(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(Image1)), instance, nullptr);
    hints_ = std::make_unique<THints>(nullptr);
    // Texts of one line follow each other: a face wider than the design's
    // pushes the later ones right instead of over them, keeping the design's
    // gap (a word space, or none where pieces join like "<freeware>").
    int lineTop = -1, lineRight = 0, designRight = 0;
    for (const LabelSpec& spec : Labels) {
        HFONT font = spec.look == Look::Credit   ? creditFont_.get()
                     : spec.look == Look::Symbol ? symbolFont_.get()
                     : spec.look == Look::Link   ? linkFont_.get()
                                                 : formFont_.get();
        // Labels take the size of their text, as the design's did.
        RECT text{0, 0, 0, 0};
        {
            ScopedWindowDC dc(Handle());
            ScopedSelect select(dc.get(), font);
            DrawTextA(dc.get(), spec.text, -1, &text, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        }
        const bool sameLine = std::abs(spec.top - lineTop) <= 1;
        const int designLeft = Scaled(spec.left, dpi_);
        const int gap = Scaled(std::max(spec.left - designRight, 1), dpi_);
        const int left = sameLine ? std::max(designLeft, lineRight + gap) : designLeft;
        lineTop = spec.top;
        lineRight = left + text.right;
        designRight = spec.left + spec.width;
        HWND label = CreateWindowExA(
            0, "STATIC", spec.text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY, left,
            Scaled(spec.top, dpi_), text.right, text.bottom, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (spec.hint) hints_->Add(Handle(), label, spec.hint);
    }
}

void TFormAbout::PlaceBesideMainWindow() {
    RECT main, about;
    GetWindowRect(mainWindow_, &main);
    GetWindowRect(Handle(), &about);
    const ScreenPoint at =
        aboutBoxPosition(main.left, main.top, main.right - main.left, about.right - about.left,
                         SystemMetricForDpi(SM_CYSMCAPTION, dpi_), gridTop_, rowHeight_);
    SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormAbout::FormClick() {
    EndModal(ClosedByClick);
}

void TFormAbout::Label7Click() {
    OpenLink(Handle(), MailLink);
}

void TFormAbout::Label8Click() {
    OpenLink(Handle(), DonationLink);
}

void TFormAbout::Label10Click() {
    OpenLink(Handle(), FreewareLink);
}

void TFormAbout::ControlClick(int id) {
    if (id == Image1) return FormClick();
    const LabelSpec* spec = specOf(id);
    if (!spec) return;
    switch (spec->click) {
    case Click::Close:
        return FormClick();
    case Click::Mail:
        return Label7Click();
    case Click::Donation:
        return Label8Click();
    case Click::Freeware:
        return Label10Click();
    case Click::Nothing:
        return;
    }
}

INT_PTR TFormAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        return TRUE;
    case WM_DESTROY:
        hints_.reset();
        return FALSE;
    case WM_COMMAND:
        // Escape, Enter and the caption's close button.
        if ((LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) && lParam == 0) {
            EndModal(LOWORD(wParam));
        } else if (HIWORD(wParam) == STN_CLICKED) {
            ControlClick(LOWORD(wParam));
        }
        return TRUE;
    case WM_LBUTTONDOWN:
        FormClick();
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        const LabelSpec* spec = specOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, !spec                      ? GetSysColor(COLOR_BTNTEXT)
                         : spec->look == Look::Link ? LinkBlue
                         : spec->look == Look::Form ? GetSysColor(COLOR_BTNTEXT)
                                                    : Black);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR: {
        const LabelSpec* spec = specOf(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)));
        if (!spec || spec->look != Look::Link) return FALSE;
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != Image1) return FALSE;
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        // The application icon, stretched to the picture's place.
        DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, logo_.get(),
                   item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top, 0,
                   nullptr, DI_NORMAL);
        return TRUE;
    }
    }
    return FALSE;
}

} // namespace qd
