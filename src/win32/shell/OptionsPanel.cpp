#include "shell/OptionsPanel.h"

#include <algorithm>

#include "groups/Groups.h"
#include "ui/MainMenu.h"
#include "ui/ScrollSpin.h"

namespace qd {

namespace {

constexpr char ClassName[] = "TPanelOptions";
constexpr int CheckBoxLeft = 10;
constexpr int CheckBoxWidth = 140;
constexpr int CheckBoxHeight = 12;
constexpr int GroupNameLeft = 63;
// The "ok" button keeps this distance from the panel's right and bottom edges.
constexpr int OkFromRight = 72;
constexpr int OkFromBottom = 25;
// The dialog font the system maps for its own panels: a face named outright
// may come as a wider stand-in (Wine gives DejaVu Sans for "MS Sans Serif"),
// and the captions would not fit the narrow window.
constexpr FontSpec PanelFont{"MS Shell Dlg", 11};

} // namespace

UniqueMenu BuildOptionsMenu() {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING, Pop3_Ok, "Ok");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.get(), MF_STRING, Pop3_Exit, "E&xit\tAlt+X");
    return menu;
}

TPanelOptions::TPanelOptions(HWND parent, int left, int top, int width, int height, UINT dpi) {
    RegisterClassOnce(ClassName, 0, LoadCursorA(nullptr, IDC_ARROW),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateHandle(WS_EX_CONTROLPARENT, ClassName, "", WS_CHILD | WS_CLIPSIBLINGS | WS_DISABLED, left,
                 top, width, height, parent, nullptr);
    layout_.SetDpi(dpi);
    font_ = CreateScaledFont(PanelFont, dpi);
    hints_ = std::make_unique<THints>(Handle());

    const DWORD checkBox = BS_AUTOCHECKBOX | WS_TABSTOP;
    CheckBox_minimized = AddControl("BUTTON", "Start minimized", checkBox, CheckBoxLeft, 10,
                                    CheckBoxWidth, CheckBoxHeight, " Start software minimized  ");
    CheckBox_deletion =
        AddControl("BUTTON", "Confirm removing items", checkBox, CheckBoxLeft, 25, CheckBoxWidth,
                   CheckBoxHeight, " Ask confirmation on item remotion from list   ");
    CheckBox_hash =
        AddControl("BUTTON", "Check files are safe *", checkBox, CheckBoxLeft, 40, CheckBoxWidth,
                   CheckBoxHeight, " Integrity check if files have been changed !  ");
    CheckBox_close =
        AddControl("BUTTON", "Close = minimize", checkBox, CheckBoxLeft, 55, CheckBoxWidth,
                   CheckBoxHeight, " Closing from caption minimizes program ");
    Bevel6 = AddControl("STATIC", "", SS_ETCHEDHORZ, 0, 71, width - 1, 2, nullptr);
    // The label reaches to the name field it names.
    Label1 = AddControl("STATIC", "Ap groups", SS_LEFT, CheckBoxLeft, 85,
                        GroupNameLeft - CheckBoxLeft, 13, nullptr);
    Edit_groups = AddControl("EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, GroupNameLeft, 84,
                             56, 17, "Add or delete application groups ... ");
    SendMessageA(Edit_groups, EM_LIMITTEXT, GroupNameLimit, 0);
    ScrollBar_groups = AddControl("SCROLLBAR", "", SBS_VERT, 115, 85, 17, 16, nullptr);
    SetGroupRange(1, 1);
    Button_add_group = AddButton("add", 63, 102, 30, 14, "Add application group ");
    Button_del_group = AddButton("del", 94, 102, 30, 14, "Delete application group ");
    Bevel7 = AddControl("STATIC", "", SS_ETCHEDHORZ, 0, 116, width - 1, 2, nullptr);
    CheckBox_keepdeleted =
        AddControl("BUTTON", "Keep deleted items", checkBox, CheckBoxLeft, 128, CheckBoxWidth,
                   CheckBoxHeight, " Don't remove deleted items from software's list ");
    // The global hot key, below the other settings.
    Label_hotkey = AddControl("STATIC", "Hot key", SS_LEFT, CheckBoxLeft, 148,
                              GroupNameLeft - CheckBoxLeft, 13, nullptr);
    Edit_hotkey =
        AddControl("EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, GroupNameLeft, 146, 74, 17,
                   "Shows and hides the launcher from anywhere; empty: none ");
    // Placed by Layout, from the panel's bottom-right corner.
    Button_ok_option = AddButton("ok", 80, 169, 57, 16, nullptr);

    Button_add_group->OnClick = [this] {
        if (OnAddGroup) OnAddGroup();
    };
    Button_del_group->OnClick = [this] {
        if (OnDeleteGroup) OnDeleteGroup();
    };
    Button_ok_option->OnClick = [this] {
        if (OnOk) OnOk();
    };
    Layout(width, height);
}

// The controls go with the panel window while the font they draw with still
// exists; the tooltips are an owned popup, released by their wrapper first.
TPanelOptions::~TPanelOptions() {
    hints_.reset();
    DestroyWindow(Handle());
}

HWND TPanelOptions::AddControl(const char* className, const char* caption, DWORD style, int left,
                               int top, int width, int height, const char* hint) {
    HWND control =
        CreateWindowExA(0, className, caption, WS_CHILD | WS_VISIBLE | style, left, top, width,
                        height, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    layout_.Place(control, left, top, width, height);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (hint) hints_->Add(Handle(), control, hint);
    return control;
}

std::unique_ptr<TSoftButt> TPanelOptions::AddButton(const char* caption, int left, int top,
                                                    int width, int height, const char* hint) {
    auto button = std::make_unique<TSoftButt>(Handle(), caption, left, top, width, height);
    layout_.Place(button->Handle(), left, top, width, height);
    SendMessageA(button->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (hint) button->SetHint(*hints_, hint);
    return button;
}

std::vector<HWND> TPanelOptions::Controls() const {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    return controls;
}

void TPanelOptions::SetDpi(UINT dpi) {
    layout_.SetDpi(dpi);
    font_ = CreateScaledFont(PanelFont, dpi);
    for (HWND control : Controls())
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    RECT client;
    GetClientRect(Handle(), &client);
    Layout(client.right, client.bottom);
}

void TPanelOptions::Layout(int width, int height) {
    if (!Button_ok_option) return;
    SetWindowPos(Button_ok_option->Handle(), nullptr, width - layout_(OkFromRight),
                 height - layout_(OkFromBottom), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND bevel : {Bevel6, Bevel7})
        SetWindowPos(bevel, nullptr, 0, 0, width - 1, 2,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TPanelOptions::Checked(HWND checkBox) const {
    return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TPanelOptions::SetChecked(HWND checkBox, bool checked) {
    SendMessageA(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TPanelOptions::ShowFlags(const PreferenceFlags& flags) {
    SetChecked(CheckBox_minimized, flags.StartMinimized);
    SetChecked(CheckBox_deletion, flags.ConfirmDelete);
    SetChecked(CheckBox_hash, flags.CheckSafe);
    SetChecked(CheckBox_close, !flags.CloseCloses);
    SetChecked(CheckBox_keepdeleted, flags.KeepDeleted);
}

PreferenceFlags TPanelOptions::FlagsFromBoxes() const {
    PreferenceFlags flags;
    flags.StartMinimized = Checked(CheckBox_minimized);
    flags.ConfirmDelete = Checked(CheckBox_deletion);
    flags.CheckSafe = Checked(CheckBox_hash);
    flags.CloseCloses = !Checked(CheckBox_close);
    flags.KeepDeleted = Checked(CheckBox_keepdeleted);
    return flags;
}

std::string TPanelOptions::GroupName() const {
    return WindowText(Edit_groups);
}

void TPanelOptions::SetGroupName(const std::string& name) {
    SetWindowTextA(Edit_groups, name.c_str());
}

void TPanelOptions::SetGroupRange(int maximum, int position) {
    maximum = std::max(maximum, 1);
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS};
    info.nMin = 1;
    info.nMax = maximum;
    info.nPos = std::clamp(position, 1, maximum);
    SetScrollInfo(ScrollBar_groups, SB_CTL, &info, TRUE);
}

int TPanelOptions::GroupMaximum() const {
    SCROLLINFO info{sizeof(info), SIF_RANGE};
    GetScrollInfo(ScrollBar_groups, SB_CTL, &info);
    return info.nMax;
}

int TPanelOptions::GroupPosition() const {
    return GetScrollPos(ScrollBar_groups, SB_CTL);
}

std::string TPanelOptions::HotKeyText() const {
    return WindowText(Edit_hotkey);
}

void TPanelOptions::SetHotKeyText(const std::string& text) {
    SetWindowTextA(Edit_hotkey, text.c_str());
}

void TPanelOptions::SetGroupControlsEnabled(bool enabled) {
    EnableWindow(Edit_groups, enabled);
    Button_add_group->SetEnabled(enabled);
    Button_del_group->SetEnabled(enabled);
}

void TPanelOptions::Open() {
    EnableWindow(Handle(), TRUE);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void TPanelOptions::Close() {
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW | SWP_NOACTIVATE);
    EnableWindow(Handle(), FALSE);
}

bool TPanelOptions::IsOpen() const {
    return IsWindowVisible(Handle()) && IsWindowEnabled(Handle());
}

bool TPanelOptions::ContainsFocus() const {
    HWND focus = GetFocus();
    return focus && (focus == Handle() || IsChild(Handle(), focus));
}

bool TPanelOptions::DialogKeys(MSG& msg) {
    return IsOpen() && ContainsFocus() && IsDialogMessageA(Handle(), &msg);
}

void TPanelOptions::Scroll(WPARAM request) {
    const int position = SpinPositionAfter(ScrollBar_groups, request);
    if (position == GroupPosition()) return;
    SetScrollPos(ScrollBar_groups, SB_CTL, position, TRUE);
    if (OnGroupScroll) OnGroupScroll(position);
}

void TPanelOptions::ShowMenu(LPARAM where) {
    POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) { // from the keyboard: at the panel's corner
        at = {0, 0};
        ClientToScreen(Handle(), &at);
    }
    UniqueMenu menu = BuildOptionsMenu();
    const UINT chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                       Handle(), nullptr);
    if (chosen == Pop3_Ok && OnOk) OnOk();
    if (chosen == Pop3_Exit && OnExit) OnExit();
}

LRESULT TPanelOptions::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        ScopedPaint paint(Handle());
        RECT r;
        GetClientRect(Handle(), &r);
        DrawEdge(paint.dc(), &r, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
        return 0;
    }
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == ScrollBar_groups) Scroll(wParam);
        return 0;
    case WM_CONTEXTMENU:
        ShowMenu(lParam);
        return 0;
    }
    return Default(message, wParam, lParam);
}

} // namespace qd
