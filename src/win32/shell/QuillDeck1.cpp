#include "shell/QuillDeck1.h"

#include <commctrl.h>
#include <shellapi.h>

#include "ResourceIds.h"
#include "catalogue/CatalogueStore.h"
#include "integrity/Launch.h"
#include "ui/KeyCues.h"
#include "ui/MessageDialog.h"
#include "ui/RowNavigation.h"
#include "common/AppInfo.h"
#include "shell/CommandIds.h"
#include "shell/CommandLine.h"
#include "shell/MessageLoop.h"

namespace qd {

namespace {

constexpr char ClassName[] = "TForm1";
constexpr int InitialLeft = 318;
constexpr int InitialTop = 150;
constexpr int InitialClientWidth = 158;
constexpr int InitialClientHeight = 220;
constexpr int ToolbarHeight = 24;
constexpr int DividerLefts[] = {1, 50, 78, 124, 152};
constexpr int DividerTop = 4;
constexpr int DividerHeight = 17;
constexpr DWORD MainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;

struct ButtonSpec {
    std::unique_ptr<TSpeedButton> TForm1::*member;
    int left, width, glyph;
    TSpeedButton::Look look;
    TSpeedButton::GlyphPlace place;
    const char* hint;
};

using Look = TSpeedButton::Look;
using Place = TSpeedButton::GlyphPlace;
const ButtonSpec Buttons[] = {
    {&TForm1::ToolButton_add, 5, 22, IDB_GLYPH_ADD, Look::Flat, Place::Centre,
     "Add Item  [Alt+A] "},
    {&TForm1::ToolButton_edit, 28, 22, IDB_GLYPH_EDIT, Look::Flat, Place::Centre,
     "Edit Item  [Alt+E] "},
    {&TForm1::ToolButton_delete, 57, 22, IDB_GLYPH_DELETE, Look::Flat, Place::Centre,
     "Remove Item  [Del] "},
    {&TForm1::ToolButton_options, 85, 22, IDB_GLYPH_OPTIONS, Look::Flat, Place::Centre,
     "Options  [Alt+O] "},
    {&TForm1::ToolButton_menu, 108, 13, IDB_GLYPH_MENU, Look::Raised, Place::Bottom,
     "Show Menu  [Alt+S] "},
    {&TForm1::ToolButton_exit, 128, 22, IDB_GLYPH_EXIT, Look::Flat, Place::Centre,
     "Exit  [Alt+X] "},
};
constexpr int ButtonTop = 2;
constexpr int ButtonHeight = 21;

RECT outerRectForClient(int left, int top, int width, int height) {
    RECT r{left, top, left + width, top + height};
    AdjustWindowRectEx(&r, MainWindowStyle, FALSE, 0);
    return r;
}

} // namespace

TForm1::TForm1(TStartup startup) : startup_(std::move(startup)) {
    RegisterClassOnce(ClassName, CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                      GetSysColorBrush(COLOR_BTNFACE),
                      LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLDECK)));
    const RECT outer =
        outerRectForClient(InitialLeft, InitialTop, InitialClientWidth, InitialClientHeight);
    CreateHandle(0, ClassName, ApplicationTitle, MainWindowStyle, outer.left, outer.top,
                 outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr);
    CreateControls();
    SetMessageFilter([this](MSG& msg) { return PreTranslateMessage(msg); });
    FormCreate();
}

TForm1::~TForm1() {
    SetMessageFilter(nullptr);
}

void TForm1::CreateControls() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    tooltips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                    GetModuleHandleA(nullptr), nullptr));
    for (const ButtonSpec& spec : Buttons) {
        auto& button = this->*spec.member;
        button = std::make_unique<TSpeedButton>(Handle(), spec.left, ButtonTop, spec.width,
                                                ButtonHeight, spec.glyph, spec.look, spec.place);
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(button->Handle());
        tool.lpszText = const_cast<char*>(spec.hint);
        SendMessageA(tooltips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ToolButton_add->OnClick = [this] { ToolButton_addClick(); };
    ToolButton_edit->OnClick = [this] { ToolButton_editClick(); };
    ToolButton_delete->OnClick = [this] { ToolButton_deleteClick(); };
    ToolButton_options->OnClick = [this] { ToolButton_optionsClick(); };
    ToolButton_menu->OnClick = [this] { ToolButton_menuClick(); };
    ToolButton_exit->OnClick = [this] { ToolButton_exitClick(); };

    RECT client;
    GetClientRect(Handle(), &client);
    StringGrid1 = std::make_unique<TItemList>(Handle(), table_, 0, ToolbarHeight, client.right,
                                              client.bottom - ToolbarHeight);
    StringGrid1->OnClick = [this] { StringGrid1Click(); };
    StringGrid1->OnDblClick = [this] { StringGrid1DblClick(); };
    StringGrid1->OnMouseDown = [this] { StringGrid1MouseDown(); };
    StringGrid1->OnMouseMove = [this] { StringGrid1MouseMove(); };
    StringGrid1->OnMouseUp = [this] { StringGrid1MouseUp(); };
    StringGrid1->OnKeyDown = [this](WPARAM key) { return StringGrid1KeyDown(key); };
    StringGrid1->OnContextMenu = [this](POINT screen) { PopupMenu_mainPopup(screen); };
    StringGrid1->OnScrollBarShown = [this] { FormResize(); };
}

// The start-up sequence. Each step is guarded on its own: an error is shown in
// the error box and the remaining steps still run, so the window always comes
// up and the busy cursor never stays.
void TForm1::FormCreate() {
    using Step = void (TForm1::*)();
    static constexpr Step Steps[] = {
        &TForm1::DecideRestrictedMode,
        &TForm1::SetUpListGeometry,
        &TForm1::EditSystemMenu,
        &TForm1::InstallAppMessageHook,
        &TForm1::AddTrayIcon,
        &TForm1::AcceptDroppedFiles,
        &TForm1::ReadPreferences,
        &TForm1::AssignShortcuts,
        &TForm1::LoadItemCatalogue,
        &TForm1::AddMainGroup,
        &TForm1::ReadGroups,
        &TForm1::SelectSavedGroup,
        &TForm1::ShowMainWindow,
        &TForm1::MinimizeIfPreferred,
        &TForm1::MinimizeIfStartedMinimized,
        &TForm1::SelectSavedRowAndValidate,
        &TForm1::StringGrid1Click,
    };
    ScopedBusyCursor busy;
    for (Step step : Steps)
        Guarded(Handle(), [&] { (this->*step)(); });
}

void TForm1::DecideRestrictedMode() {
    restrictedMode_ = selectsRestrictedMode(startup_.arguments);
    if (!restrictedMode_) return;
    ConfirmDelete = true;
    CheckSafe = false;
    CloseCloses = true;
    KeepDeleted = true;
    StartMinimized = false;
    ToolButton_options->SetEnabled(false);
    // The options menu entry and the group controls are disabled where they
    // are created, from RestrictedMode().
}

void TForm1::SetUpListGeometry() {
    RECT client;
    GetClientRect(Handle(), &client);
    StringGrid1->SetColumnWidth(client.right - 4);
}

// Filled in with the tray and window-state commands.
void TForm1::EditSystemMenu() {
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    RemoveMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    RemoveMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
    InsertMenuA(menu, 3, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuA(menu, 4, MF_BYPOSITION | MF_STRING, CmdMinimize, "Minimi&ze");
    InsertMenuA(menu, 5, MF_BYPOSITION | MF_STRING, CmdStayOnTop, "Stay on &Top");
    InsertMenuA(menu, 6, MF_BYPOSITION | MF_STRING, CmdDonations, "Donations...");
    InsertMenuA(menu, 7, MF_BYPOSITION | MF_STRING, CmdAbout, "&About...");
}

// The application-wide hook (wheel to arrow keys, system commands) comes with
// the tray and window states.
void TForm1::InstallAppMessageHook() {}

// The notification-area icon comes with the tray and window states.
void TForm1::AddTrayIcon() {}

void TForm1::AcceptDroppedFiles() {
    DragAcceptFiles(Handle(), TRUE);
}

void TForm1::ReadPreferences() {
    if (restrictedMode_) return;
    preferences_ = std::make_unique<TIniProfile>(startup_.launcherFolder + PreferencesFileName);
    RECT r;
    GetWindowRect(Handle(), &r);
    const int height = preferences_->readInteger("WindowHeight", r.bottom - r.top);
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(Handle(), &r);
    const int width = preferences_->readInteger("WindowWidth", r.right - r.left);
    SetWindowPos(Handle(), nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(Handle(), &r);
    const int left = preferences_->readInteger("WindowLeft", r.left);
    SetWindowPos(Handle(), nullptr, left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(Handle(), &r);
    const int top = preferences_->readInteger("WindowTop", r.top);
    SetWindowPos(Handle(), nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ConfirmDelete = preferences_->readBoolean("ConfirmDelete", true);
    CheckSafe = preferences_->readBoolean("CheckSafe", true);
    CloseCloses = preferences_->readBoolean("CaptionClose", false);
    KeepDeleted = preferences_->readBoolean("KeepDeleted", false);
}

// Menu shortcuts come with the main context menu.
void TForm1::AssignShortcuts() {}

void TForm1::LoadItemCatalogue() {
    cataloguePath_ = startup_.launcherFolder + CatalogueFileName;
    try {
        LoadCatalogue(cataloguePath_, table_);
    } catch (...) {
        catalogueUnreadable_ = true;
        StringGrid1->TableChanged();
        throw;
    }
    StringGrid1->TableChanged();
}

// Groups fill these three steps.
void TForm1::AddMainGroup() {}
void TForm1::ReadGroups() {}
void TForm1::SelectSavedGroup() {}

void TForm1::ShowMainWindow() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    FormShow();
}

void TForm1::FormShow() {
    ProcessMessages();
    InvalidateRect(StringGrid1->Handle(), nullptr, FALSE);
}

void TForm1::MinimizeIfPreferred() {
    if (restrictedMode_) return;
    StartMinimized = preferences_->readBoolean("StartMinimized", false);
    if (StartMinimized) PostMessageA(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

// A shortcut set to "run minimised" passes SW_SHOWMINNOACTIVE; the field is
// used whether or not the start-up flags mark it valid.
void TForm1::MinimizeIfStartedMinimized() {
    if (startup_.startupShowWindow == SW_SHOWMINNOACTIVE)
        PostMessageA(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

bool TForm1::TrySelectRow(int row) {
    if (row < 0 || row >= table_.rowCount()) return false;
    StringGrid1->SelectRow(row);
    return true;
}

void TForm1::SelectSavedRowAndValidate() {
    if (restrictedMode_) {
        BuildTrayEntries();
        return;
    }
    const int savedRow = preferences_->readInteger("SelectItem", 0);
    TrySelectRow(savedRow);
    EnableWindow(StringGrid1->Handle(), FALSE);
    try {
        ValidateItems();
    } catch (...) {
        EnableWindow(StringGrid1->Handle(), TRUE);
        throw;
    }
    EnableWindow(StringGrid1->Handle(), TRUE);
    TrySelectRow(savedRow);
}

// Restricted mode skips the start-up pass but still gives every row its
// tray entry.
void TForm1::BuildTrayEntries() {
    if (!table_.isEmpty()) table_.openTrayEntriesFrom(0);
}

void TForm1::StringGrid1Click() {
    const bool hasItem = !table_.cell(ColTitle, table_.currentRow()).empty();
    ToolButton_edit->SetEnabled(hasItem);
    ToolButton_delete->SetEnabled(hasItem);
}

void TForm1::FormResize() {
    if (!StringGrid1) return;
    RECT client;
    GetClientRect(Handle(), &client);
    MoveWindow(StringGrid1->Handle(), 0, ToolbarHeight, client.right,
               std::max<int>(0, client.bottom - ToolbarHeight), TRUE);
    int width = client.right - 4;
    if (StringGrid1->ScrollBarShown()) width -= GetSystemMetrics(SM_CXVSCROLL);
    StringGrid1->SetColumnWidth(width);
}

void TForm1::StringGrid1DblClick() {
    // While the start-up pass runs, only rows it has already checked (those
    // with a tray entry) may start: the others could be tampered with.
    if (validating_ && table_.currentRow() < table_.trayFirstRow()) return;
    const LaunchDecision launch = decideLaunch(table_, table_.currentRow());
    if (launch.action == LaunchDecision::Action::Nothing) return;
    if (launch.action == LaunchDecision::Action::Refuse) {
        MessageDlg(Handle(), LaunchRefusalText, TMsgDlgType::Error, {TMsgDlgBtn::Abort},
                   TMsgDlgBtn::Abort);
        return;
    }
    const std::string file = ResolveItemPath(launch.relativePath);
    // The program starts in its own folder: the shell uses the current one.
    SetCurrentDirectoryA(folderOf(file).c_str());
    if (launch.showCommand == 0) return;
    // ShellExecuteA's call with no error UI: a program that cannot be started
    // shows nothing, as the launcher promises.
    SHELLEXECUTEINFOA info{sizeof(info)};
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = Handle();
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = launch.parameters.c_str();
    info.nShow = launch.showCommand;
    ShellExecuteExA(&info);
}

std::string TForm1::ResolveItemPath(const std::string& relativePath) const {
    SetCurrentDirectoryA(startup_.launcherFolder.c_str());
    char buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(relativePath.c_str(), sizeof(buffer), buffer, nullptr);
    return length && length < sizeof(buffer) ? std::string(buffer, length) : relativePath;
}

void TForm1::LaunchEntryClick(int position) {
    const int row = table_.rowOfTrayPosition(position);
    if (row < 0) return;
    StringGrid1->SelectRow(row);
    StringGrid1DblClick();
}

void TForm1::StringGrid1MouseDown() {
    RowDragActive = true;
    RowDragFrom = table_.currentRow();
}

void TForm1::StringGrid1MouseMove() {
    // The start-up pass visits rows by index: no reordering while it runs.
    if (!RowDragActive || validating_ || table_.currentRow() == RowDragFrom) return;
    table_.moveRow(RowDragFrom, table_.currentRow());
    RowDragActive = false;
    StringGrid1->TableChanged();
}

void TForm1::StringGrid1MouseUp() {
    RowDragActive = false;
}

bool TForm1::StringGrid1KeyDown(WPARAM key) {
    const int current = table_.currentRow();
    int row;
    switch (key) {
    case VK_DOWN:
    case VK_RIGHT:
        row = nextShownRow(table_, current, +1);
        break;
    case VK_UP:
    case VK_LEFT:
        row = nextShownRow(table_, current, -1);
        break;
    // Home, End and the page keys skip hidden rows like the arrows do.
    case VK_HOME:
        row = firstShownRow(table_, current);
        break;
    case VK_END:
        row = lastShownRow(table_, current);
        break;
    case VK_NEXT:
        row = pageShownRows(table_, current, +1, StringGrid1->VisibleRowCapacity());
        break;
    case VK_PRIOR:
        row = pageShownRows(table_, current, -1, StringGrid1->VisibleRowCapacity());
        break;
    default:
        return false;
    }
    if (row != current) StringGrid1->SelectRow(row);
    return true;
}

bool TForm1::FormKeyDown(WPARAM key, bool alt) {
    if (key == VK_RETURN) {
        StringGrid1DblClick();
        return true;
    }
    if (key == VK_DELETE) {
        ToolButton_delete->Click();
        return true;
    }
    // Alt+G opens the group menu once groups exist.
    return alt && key == 'G';
}

void TForm1::FormKeyUp(WPARAM key) {
    RepaintAfterAltOrTab(Handle(), key);
}

void TForm1::SizeLimitsHandler(MINMAXINFO& limits) {
    // The whole toolbar stays visible; the height may shrink to the caption.
    const int frame = GetSystemMetrics(SM_CXFRAME);
    limits.ptMinTrackSize.x = 2 * frame + 156;
    limits.ptMinTrackSize.y = GetSystemMetrics(SM_CYCAPTION);
    limits.ptMaxTrackSize.x = GetSystemMetrics(SM_CXSCREEN);
    limits.ptMaxTrackSize.y = GetSystemMetrics(SM_CYSCREEN);
}

std::vector<MenuEntry> TForm1::MainMenuEntries() const {
    MainMenuState state;
    state.editEnabled = ToolButton_edit->Enabled();
    state.deleteEnabled = ToolButton_delete->Enabled();
    state.currentRowDisabled = table_.isDisabled(table_.currentRow());
    state.stayOnTop = stayOnTop_;
    state.optionsEnabled = !restrictedMode_;
    return mainMenuEntries(state);
}

UniqueMenu TForm1::PopupMenu_main() {
    UniqueMenu menu(CreatePopupMenu());
    for (const MenuEntry& entry : MainMenuEntries()) {
        if (!entry.visible) continue;
        if (entry.isSeparator()) {
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::string shortcut = entry.shortcutText();
        const std::string text = shortcut.empty() ? entry.caption : entry.caption + "\t" + shortcut;
        UINT flags = MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED) |
                     (entry.checked ? MF_CHECKED : MF_UNCHECKED);
        if (entry.command == Pop1_Groups) {
            // Filled with the group list once groups exist; "Main" is always first.
            HMENU groups = CreatePopupMenu();
            AppendMenuA(groups, MF_STRING | MF_CHECKED, 0, "Main");
            AppendMenuA(menu.get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(groups),
                        text.c_str());
            continue;
        }
        AppendMenuA(menu.get(), flags, entry.command, text.c_str());
    }
    return menu;
}

void TForm1::PopupMenu_mainPopup(POINT screen) {
    UniqueMenu menu = PopupMenu_main();
    SetForegroundWindow(Handle());
    const UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                        screen.y, 0, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
    if (command) RunCommand(command);
}

void TForm1::ToolButton_menuClick() {
    if (!ToolButton_menu->Enabled()) return;
    ToolButton_menu->SetDown(true);
    RECT r;
    GetWindowRect(ToolButton_menu->Handle(), &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    POINT centre{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
    ClientToScreen(Handle(), &centre);
    PopupMenu_mainPopup({centre.x + 5, centre.y + 4});
    ToolButton_menu->SetDown(false);
}

void TForm1::RunCommand(unsigned command) {
    switch (command) {
    case Pop1_AddItem:
        ToolButton_addClick();
        break;
    case Pop1_EditItem:
        ToolButton_editClick();
        break;
    case Pop1_DeleteItem:
        ToolButton_deleteClick();
        break;
    case Pop1_ResetSecurity:
        Pop1_ResetSecurityClick();
        break;
    case Pop1_Options:
        ToolButton_optionsClick();
        break;
    case Pop1_ShowMenu:
        ToolButton_menuClick();
        break;
    case Pop1_Exit:
    case Pop2_Exit:
        Pop2_ExitClick();
        break;
    // Minimize, Restore, Stay on Top and About come with the tray and window
    // states; Help has no action.
    default:
        break;
    }
}

bool TForm1::PreTranslateMessage(MSG& msg) {
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    const bool alt = msg.message == WM_SYSKEYDOWN;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        const int key = static_cast<int>(msg.wParam);
        // Menu shortcuts first; a disabled entry swallows its key.
        if (const MenuEntry* entry = findShortcut(MainMenuEntries(), alt, key)) {
            if (entry->enabled) RunCommand(entry->command);
            return true;
        }
        return FormKeyDown(msg.wParam, alt);
    }
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) FormKeyUp(msg.wParam);
    return false;
}

// Commands of the item maintenance issues; they respect their button's state.
void TForm1::ToolButton_addClick() {}
void TForm1::ToolButton_editClick() {}
void TForm1::ToolButton_deleteClick() {}
void TForm1::ToolButton_optionsClick() {}

void TForm1::ToolButton_exitClick() {
    ToolButton_exit->SetDown(false);
    // Hiding to the tray comes with the tray; until then Exit always closes.
    Close();
}

void TForm1::Pop2_ExitClick() {
    Close();
}

void TForm1::Close() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

// Runs once, from the close or from the end of the Windows session. Each
// write is reported on its own and the close always completes.
void TForm1::FormClose() {
    if (closed_) return;
    closed_ = true;
    Guarded(Handle(), [&] { SaveCatalogue(cataloguePath_, table_, catalogueUnreadable_); });
    if (!restrictedMode_ && preferences_) {
        Guarded(Handle(), [&] {
            RECT r;
            GetWindowRect(Handle(), &r);
            preferences_->writeInteger("WindowHeight", r.bottom - r.top);
            preferences_->writeInteger("WindowWidth", r.right - r.left);
            preferences_->writeInteger("WindowLeft", r.left);
            preferences_->writeInteger("WindowTop", r.top);
            preferences_->writeInteger("SelectItem", table_.currentRow());
            preferences_->writeInteger("SelectGroup", selectedGroup_);
        });
        // Flushes the profile cache to disk.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, preferences_->path().c_str());
    }
    RemoveTrayIcon();
}

void TForm1::RemoveTrayIcon() {}

void TForm1::PaintToolbar(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    RECT strip{0, 0, client.right, ToolbarHeight};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    RECT line{0, 0, client.right, 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    for (int left : DividerLefts) {
        RECT divider{left, DividerTop, left + 2, DividerTop + DividerHeight};
        DrawEdge(dc, &divider, EDGE_ETCHED, BF_LEFT);
    }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        ScopedPaint paint(Handle());
        PaintToolbar(paint.dc());
        return 0;
    }
    case WM_SIZE:
        FormResize();
        return 0;
    case WM_CLOSE:
        FormClose();
        DestroyWindow(Handle());
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows is ending the session: the list must not be lost.
        if (wParam) FormClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        RunCommand(LOWORD(wParam));
        return 0;
    case WM_GETMINMAXINFO:
        Default(message, wParam, lParam);
        SizeLimitsHandler(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_CONTEXTMENU: {
        // From the keyboard (lParam -1) the menu opens at the current row.
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (lParam == -1) {
            const RECT row = StringGrid1->RowRect(table_.currentRow());
            p = {row.left + 38, row.bottom};
            ClientToScreen(StringGrid1->Handle(), &p);
        }
        PopupMenu_mainPopup(p);
        return 0;
    }
    case WM_SETFOCUS:
        SetFocus(StringGrid1->Handle());
        return 0;
    case WM_DROPFILES:
        // Dropped executables are added once adding items exists.
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return Default(message, wParam, lParam);
}

} // namespace qd
