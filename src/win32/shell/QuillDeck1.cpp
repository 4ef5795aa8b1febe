#include "shell/QuillDeck1.h"

#include <shellapi.h>

#include <algorithm>

#include "ResourceIds.h"
#include "catalogue/CatalogueStore.h"
#include "common/AppInfo.h"
#include "integrity/ItemValidation.h"
#include "integrity/Launching.h"
#include "shell/CommandIds.h"
#include "shell/CommandLine.h"
#include "ui/KeyCues.h"
#include "ui/RowNavigation.h"

namespace qd {

namespace {

constexpr char ClassName[] = "TForm1";
constexpr int InitialLeft = 318;
constexpr int InitialTop = 150;
constexpr int InitialClientWidth = 158;
constexpr int InitialClientHeight = 220;
// Column 0 is this much narrower than the client area.
constexpr int ColumnMargin = 4;
// The keyboard's context menu opens at the current row, this far in.
constexpr int ContextMenuIndent = 38;
// The show-menu button's menu opens this far from the button's centre.
constexpr POINT ShowMenuOffset{5, 4};
constexpr DWORD MainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
// Set in a key message's lParam while Alt is held.
constexpr LPARAM AltHeldBit = LPARAM{1} << 29;

SIZE outerSizeForClient(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, MainWindowStyle, FALSE, 0);
    return {r.right - r.left, r.bottom - r.top};
}

// Holds a flag up for one scope, whichever way the scope ends.
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
};

// Disables a window for one scope and enables it again however the scope ends.
class ScopedDisable {
  public:
    explicit ScopedDisable(HWND window) : window_(window) { EnableWindow(window_, FALSE); }
    ~ScopedDisable() { EnableWindow(window_, TRUE); }
    ScopedDisable(const ScopedDisable&) = delete;
    ScopedDisable& operator=(const ScopedDisable&) = delete;

  private:
    HWND window_;
};

} // namespace

struct TForm1::MessageRoute {
    UINT message;
    LRESULT (TForm1::*handler)(WPARAM, LPARAM);
};

struct TForm1::CommandRoute {
    unsigned command;
    void (TForm1::*handler)();
};

TForm1::TForm1(TStartup startup) : startup_(std::move(startup)) {
    RegisterClassOnce(ClassName, CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                      GetSysColorBrush(COLOR_BTNFACE),
                      LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLDECK)));
    // The outer top-left is the initial position; the client area has its size.
    const SIZE outer = outerSizeForClient(InitialClientWidth, InitialClientHeight);
    CreateHandle(0, ClassName, ApplicationTitle, MainWindowStyle, InitialLeft, InitialTop, outer.cx,
                 outer.cy, application_.Handle(), nullptr);
    application_.SetMainWindow(Handle());
    CreateControls();
    shortcuts_ = std::make_unique<ScopedMessageFilter>(
        FilterStage::Shortcuts, [this](MSG& msg) { return PreTranslateMessage(msg); });
    FormCreate();
}

TForm1::~TForm1() {
    shortcuts_.reset();
    // The window goes before the table it shows and the window that owns it.
    DestroyHandle();
}

void TForm1::CreateControls() {
    Toolbar =
        std::make_unique<TToolbar>(Handle(), [this](unsigned command) { RunCommand(command); });
    ToolButton_add = Toolbar->ToolButton_add.get();
    ToolButton_edit = Toolbar->ToolButton_edit.get();
    ToolButton_delete = Toolbar->ToolButton_delete.get();
    ToolButton_options = Toolbar->ToolButton_options.get();
    ToolButton_menu = Toolbar->ToolButton_menu.get();
    ToolButton_exit = Toolbar->ToolButton_exit.get();

    RECT client;
    GetClientRect(Handle(), &client);
    StringGrid1 = std::make_unique<TItemList>(Handle(), table_, 0, ToolbarHeight, client.right,
                                              client.bottom - ToolbarHeight);
    StringGrid1->OnClick = [this] { StringGrid1Click(); };
    StringGrid1->OnDblClick = [this] { RunCommand(CmdLaunch); };
    StringGrid1->OnMouseDown = [this] { StringGrid1MouseDown(); };
    StringGrid1->OnMouseMove = [this](WPARAM keys) { StringGrid1MouseMove(keys); };
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
    {
        ScopedBusyCursor busy;
        for (Step step : Steps)
            Guarded(Handle(), [&] { (this->*step)(); });
    }
    // Closing was asked for while the start-up pass ran: it happens now.
    if (closeAfterPass_) Close();
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
    StringGrid1->SetColumnWidth(client.right - ColumnMargin);
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

// The shortcuts live in the main menu's model and reach RunCommand through
// the message filter installed with the controls.
void TForm1::AssignShortcuts() {}

void TForm1::LoadItemCatalogue() {
    cataloguePath_ = startup_.launcherFolder + CatalogueFileName;
    try {
        LoadCatalogue(cataloguePath_, table_);
    } catch (...) {
        catalogueUnreadable_ = true;
        ItemsChanged();
        throw;
    }
    ItemsChanged();
}

// Groups fill these three steps.
void TForm1::AddMainGroup() {}
void TForm1::ReadGroups() {}
void TForm1::SelectSavedGroup() {}

void TForm1::ShowMainWindow() {
    ShowWindow(application_.Handle(), SW_SHOWNORMAL);
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
    {
        const ScopedDisable disabled(StringGrid1->Handle());
        ValidateItems();
    }
    TrySelectRow(savedRow);
    // Disabling the list took the keyboard focus away from it.
    FocusList();
}

void TForm1::ValidateItems() {
    const ScopedFlag validating(validating_);
    ValidateAllItems(table_, {CheckSafe, KeepDeleted}, {Handle(), LauncherFolder(), SecHash1},
                     *StringGrid1, [this] { return !closeAfterPass_; });
    ItemsChanged();
}

// Restricted mode skips the start-up pass but still gives every row its
// tray entry.
void TForm1::BuildTrayEntries() {
    if (!table_.isEmpty()) table_.openTrayEntriesFrom(0);
}

void TForm1::FocusList() {
    if (GetActiveWindow() == Handle() && IsWindowEnabled(StringGrid1->Handle()))
        SetFocus(StringGrid1->Handle());
}

void TForm1::ItemsChanged() {
    StringGrid1->TableChanged();
    StringGrid1Click();
}

CommandState TForm1::CurrentCommandState() const {
    CommandState state;
    state.validating = validating_;
    state.restricted = restrictedMode_;
    state.currentRowHasItem = !table_.cell(ColTitle, table_.currentRow()).empty();
    // Rows that have their tray entry are the ones the pass has been through.
    state.currentRowChecked = table_.currentRow() >= table_.trayFirstRow();
    state.optionsOpen = optionsOpen_;
    return state;
}

void TForm1::RunCommand(unsigned command) {
    static constexpr CommandRoute Commands[] = {
        {Pop1_AddItem, &TForm1::ToolButton_addClick},
        {Pop1_EditItem, &TForm1::ToolButton_editClick},
        {Pop1_DeleteItem, &TForm1::ToolButton_deleteClick},
        {Pop1_ResetSecurity, &TForm1::Pop1_ResetSecurityClick},
        {Pop1_Options, &TForm1::ToolButton_optionsClick},
        {Pop1_ShowMenu, &TForm1::ToolButton_menuClick},
        {Pop1_Exit, &TForm1::Pop2_ExitClick},
        {Pop2_Exit, &TForm1::Pop2_ExitClick},
        {Pop3_Exit, &TForm1::ToolButton_exitClick},
        {CmdLaunch, &TForm1::StringGrid1DblClick},
        {CmdClose, &TForm1::Close},
        // Minimize, Restore, Stay on Top and About come with the tray and
        // window states; Help has no action.
    };
    switch (commandAllowed(command, CurrentCommandState())) {
    case Verdict::Ignore:
        return;
    case Verdict::Refuse:
        MessageBeep(MB_OK);
        return;
    case Verdict::AfterPass:
        closeAfterPass_ = true;
        return;
    case Verdict::Run:
        break;
    }
    for (const CommandRoute& route : Commands)
        if (route.command == command) return (this->*route.handler)();
}

void TForm1::StringGrid1Click() {
    const CommandState state = CurrentCommandState();
    ToolButton_edit->SetEnabled(commandAllowed(Pop1_EditItem, state) != Verdict::Ignore);
    ToolButton_delete->SetEnabled(commandAllowed(Pop1_DeleteItem, state) != Verdict::Ignore);
}

void TForm1::FormResize() {
    if (!StringGrid1) return;
    RECT client;
    GetClientRect(Handle(), &client);
    MoveWindow(StringGrid1->Handle(), 0, ToolbarHeight, client.right,
               std::max<int>(0, client.bottom - ToolbarHeight), TRUE);
    int width = client.right - ColumnMargin;
    if (StringGrid1->ScrollBarShown()) width -= GetSystemMetrics(SM_CXVSCROLL);
    StringGrid1->SetColumnWidth(width);
}

void TForm1::StringGrid1DblClick() {
    LaunchItem(Handle(), table_, table_.currentRow(), LauncherFolder());
}

void TForm1::LaunchEntryClick(int position) {
    const int row = table_.rowOfTrayPosition(position);
    if (row < 0) return;
    StringGrid1->SelectRow(row);
    RunCommand(CmdLaunch);
}

void TForm1::StringGrid1MouseDown() {
    RowDragActive = true;
    RowDragFrom = table_.currentRow();
}

void TForm1::StringGrid1MouseMove(WPARAM keys) {
    // Only a move with a mouse button still held drags: a release outside the
    // list may never have reached it.
    if (!(keys & (MK_LBUTTON | MK_RBUTTON))) RowDragActive = false;
    if (!RowDragActive || table_.currentRow() == RowDragFrom) return;
    RowDragActive = false;
    if (commandAllowed(CmdReorder, CurrentCommandState()) != Verdict::Run) {
        MessageBeep(MB_OK);
        return;
    }
    table_.moveRow(RowDragFrom, table_.currentRow());
    ItemsChanged();
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
        RunCommand(CmdLaunch);
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
    limits.ptMinTrackSize.x = 2 * frame + TToolbar::MinimumClientWidth();
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
    ToolButton_menu->SetDown(true);
    RECT r;
    GetWindowRect(ToolButton_menu->Handle(), &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    PopupMenu_mainPopup({centre.x + ShowMenuOffset.x, centre.y + ShowMenuOffset.y});
    ToolButton_menu->SetDown(false);
}

bool TForm1::PreTranslateMessage(MSG& msg) {
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        // A key with no focused window arrives as WM_SYSKEYDOWN too: only the
        // lParam bit says whether Alt is really held.
        const bool alt = msg.message == WM_SYSKEYDOWN && (msg.lParam & AltHeldBit) != 0;
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

void TForm1::Pop1_ResetSecurityClick() {
    // A file that cannot be digested is not caught here: its error reaches the
    // application's error box and the item stays disabled.
    if (ResetItemSecurity(table_, table_.currentRow(), {Handle(), LauncherFolder(), SecHash1}))
        ItemsChanged();
}

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
        Guarded(Handle(), [&] { WritePlacementAndSelection(); });
        // Flushes the profile cache to disk.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, preferences_->path().c_str());
    }
    RemoveTrayIcon();
}

void TForm1::WritePlacementAndSelection() {
    // The normal rectangle: a minimised or hidden window must not leave its
    // parking place (-32000 on Windows) in the file.
    WINDOWPLACEMENT placement{sizeof(placement)};
    GetWindowPlacement(Handle(), &placement);
    RECT r = placement.rcNormalPosition;
    // It is given relative to the work area; the file holds screen pixels.
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
    preferences_->writeInteger("WindowHeight", r.bottom - r.top);
    preferences_->writeInteger("WindowWidth", r.right - r.left);
    preferences_->writeInteger("WindowLeft", r.left);
    preferences_->writeInteger("WindowTop", r.top);
    preferences_->writeInteger("SelectItem", table_.currentRow());
    preferences_->writeInteger("SelectGroup", selectedGroup_);
}

void TForm1::RemoveTrayIcon() {}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr MessageRoute Messages[] = {
        {WM_PAINT, &TForm1::OnPaint},
        {WM_SIZE, &TForm1::OnSize},
        {WM_CLOSE, &TForm1::OnClose},
        {WM_QUERYENDSESSION, &TForm1::OnQueryEndSession},
        {WM_ENDSESSION, &TForm1::OnEndSession},
        {WM_DESTROY, &TForm1::OnDestroy},
        {WM_COMMAND, &TForm1::OnCommand},
        {WM_GETMINMAXINFO, &TForm1::OnGetMinMaxInfo},
        {WM_CONTEXTMENU, &TForm1::OnContextMenu},
        {WM_SETFOCUS, &TForm1::OnSetFocus},
        {WM_ACTIVATE, &TForm1::OnActivate},
        {WM_DROPFILES, &TForm1::OnDropFiles},
        {WM_SYSCOMMAND, &TForm1::OnSysCommand},
    };
    for (const MessageRoute& route : Messages)
        if (route.message == message) return (this->*route.handler)(wParam, lParam);
    return Default(message, wParam, lParam);
}

LRESULT TForm1::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    Toolbar->Paint(paint.dc(), client.right);
    return 0;
}

LRESULT TForm1::OnSize(WPARAM, LPARAM) {
    FormResize();
    return 0;
}

LRESULT TForm1::OnClose(WPARAM, LPARAM) {
    if (commandAllowed(CmdClose, CurrentCommandState()) == Verdict::AfterPass) {
        closeAfterPass_ = true;
        return 0;
    }
    FormClose();
    DestroyWindow(Handle());
    return 0;
}

LRESULT TForm1::OnQueryEndSession(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT TForm1::OnEndSession(WPARAM ending, LPARAM) {
    // Windows is ending the session: the list must not be lost. A running
    // start-up pass stops after its row; the rows it did not reach are saved
    // as they were.
    if (!ending) return 0;
    closeAfterPass_ = true;
    FormClose();
    return 0;
}

LRESULT TForm1::OnDestroy(WPARAM, LPARAM) {
    PostQuitMessage(0);
    return 0;
}

LRESULT TForm1::OnCommand(WPARAM wParam, LPARAM) {
    RunCommand(LOWORD(wParam));
    return 0;
}

LRESULT TForm1::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) {
    Default(WM_GETMINMAXINFO, wParam, lParam);
    SizeLimitsHandler(*reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}

LRESULT TForm1::OnContextMenu(WPARAM, LPARAM lParam) {
    // From the keyboard (lParam -1) the menu opens at the current row.
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {
        const RECT row = StringGrid1->RowRect(table_.currentRow());
        p = {row.left + ContextMenuIndent, row.bottom};
        ClientToScreen(StringGrid1->Handle(), &p);
    }
    PopupMenu_mainPopup(p);
    return 0;
}

LRESULT TForm1::OnSetFocus(WPARAM, LPARAM) {
    SetFocus(StringGrid1->Handle());
    return 0;
}

// Activation (a click, the taskbar, a closed dialog giving the window back)
// always leaves the keyboard with the list.
LRESULT TForm1::OnActivate(WPARAM wParam, LPARAM lParam) {
    Default(WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) FocusList();
    return 0;
}

LRESULT TForm1::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    // The caption's close passes the gate like every other way out.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        RunCommand(CmdClose);
        return 0;
    }
    return Default(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT TForm1::OnDropFiles(WPARAM wParam, LPARAM) {
    const HDROP drop = reinterpret_cast<HDROP>(wParam);
    if (commandAllowed(CmdDropFiles, CurrentCommandState()) == Verdict::Refuse) MessageBeep(MB_OK);
    // Dropped executables are added once adding items exists.
    DragFinish(drop);
    return 0;
}

} // namespace qd
