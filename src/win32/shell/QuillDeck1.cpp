#include "shell/QuillDeck1.h"

#include <algorithm>
#include <utility>

#include "catalogue/CatalogueStore.h"
#include "common/AppInfo.h"
#include "common/Dpi.h"
#include "common/WidePath.h"
#include "groups/GroupMenus.h"
#include "items/VersionInfo.h"
#include "shell/MainWindowLayout.h"
#include "shell/SavedPlacement.h"
#include "shell/TrayMessages.h"
#include "shell/WindowStates.h"
#include "ui/TypeToFind.h"

namespace qd {

using namespace MainWindowLayout;

namespace {

constexpr char ClassName[] = "TForm1";
constexpr DWORD MainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;

// The outer size for a client area of design size at `dpi`.
SIZE outerSizeForClient(int width, int height, UINT dpi) {
    RECT r{0, 0, Scaled(width, dpi), Scaled(height, dpi)};
    AdjustWindowRectForDpi(r, MainWindowStyle, false, 0, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

// The code page comes first: the read splits records at characters of it.
std::unique_ptr<CatalogueReadAhead> readCatalogueAhead(const std::string& path,
                                                       const std::string& launcherFolder) {
    UseSystemCodePage();
    return std::make_unique<CatalogueReadAhead>(path, launcherFolder);
}

} // namespace

struct TForm1::MessageRoute {
    UINT message;
    LRESULT (TForm1::*handler)(WPARAM, LPARAM);
};

struct TForm1::CommandRoute {
    unsigned command;
    void (TForm1::*handler)();
};

TForm1::TForm1(TStartup startup)
    : startup_(std::move(startup)), cataloguePath_(startup_.launcherFolder + CatalogueFileName),
      readAhead_(readCatalogueAhead(cataloguePath_, startup_.launcherFolder)) {
    RegisterClassOnce(ClassName, CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                      GetSysColorBrush(COLOR_BTNFACE), ApplicationIcon());
    // The outer top-left is the initial position; the client area has its
    // size. Both are design values: the window's scale is known once it exists.
    CreateHandle(0, ClassName, ApplicationTitle, MainWindowStyle, InitialLeft, InitialTop, 0, 0,
                 application_.Handle(), nullptr);
    dpi_ = WindowDpi(Handle());
    const SIZE outer = outerSizeForClient(InitialClientWidth, InitialClientHeight, dpi_);
    SetWindowPos(Handle(), nullptr, Scaled(InitialLeft, dpi_), Scaled(InitialTop, dpi_), outer.cx,
                 outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    application_.SetMainWindow(Handle());
    hotKey_ = std::make_unique<TGlobalHotKey>(Handle());
    CreateControls();
    // The start-up sequence lets messages run: About is reachable from then on.
    FormAbout = std::make_unique<TFormAbout>(ReadVersionString(ExecutablePath(), "FileVersion"));
    shortcuts_ = std::make_unique<ScopedMessageFilter>(
        FilterStage::Shortcuts, [this](MSG& msg) { return PreTranslateMessage(msg); });
    FormCreate();
}

TForm1::~TForm1() {
    shortcuts_.reset();
    appHook_.reset();
    // The window goes before the table it shows and the window that owns it.
    DestroyHandle();
}

void TForm1::CreateControls() {
    Toolbar = std::make_unique<TToolbar>(
        Handle(), [this](unsigned command) { RunCommand(command); }, dpi_);
    ToolButton_add = Toolbar->ToolButton_add.get();
    ToolButton_edit = Toolbar->ToolButton_edit.get();
    ToolButton_delete = Toolbar->ToolButton_delete.get();
    ToolButton_options = Toolbar->ToolButton_options.get();
    ToolButton_menu = Toolbar->ToolButton_menu.get();
    ToolButton_exit = Toolbar->ToolButton_exit.get();

    RECT client;
    GetClientRect(Handle(), &client);
    const int listTop = Toolbar->Height();
    StringGrid1 = std::make_unique<TItemList>(Handle(), table_, 0, listTop, client.right,
                                              client.bottom - listTop, dpi_);
    // Icons at other scales come from the programs, found from the launcher.
    StringGrid1->SetLauncherFolder(LauncherFolder());
    StringGrid1->OnClick = [this] { StringGrid1Click(); };
    StringGrid1->OnDblClick = [this] { RunCommand(CmdLaunch); };
    StringGrid1->OnMouseDown = [this] { StringGrid1MouseDown(); };
    StringGrid1->OnMouseMove = [this](WPARAM keys) { StringGrid1MouseMove(keys); };
    StringGrid1->OnMouseUp = [this] { StringGrid1MouseUp(); };
    StringGrid1->OnKeyDown = [this](WPARAM key) { return StringGrid1KeyDown(key); };
    StringGrid1->OnContextMenu = [this](POINT screen) { PopupMenu_mainPopup(screen); };
    StringGrid1->OnScrollBarShown = [this] { FormResize(); };
    StringGrid1->OnChar = [this](char typed) { return StringGrid1KeyPress(typed); };
}

void TForm1::FocusList() {
    if (GetActiveWindow() == Handle() && IsWindowEnabled(StringGrid1->Handle()))
        SetFocus(StringGrid1->Handle());
}

void TForm1::ItemsChanged() {
    if (!search_.empty()) applySearch(table_, search_);
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
    state.currentRowShown = table_.isShown(table_.currentRow());
    state.optionsOpen = OptionsOpen();
    state.dropping = dropping_ > 0;
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
        {Pop3_Ok, &TForm1::Button_ok_optionClick},
        {Pop1_Minimize, &TForm1::Pop1_MinimizeClick},
        {Pop1_Restore, &TForm1::Pop1_RestoreClick},
        {Pop2_restore, &TForm1::Pop1_RestoreClick},
        {Pop1_StayOnTop, &TForm1::Pop1_StayOnTopClick},
        {Pop1_About, &TForm1::Pop1_AboutClick},
        {CmdLaunch, &TForm1::StringGrid1DblClick},
        {CmdLaunchEntry, &TForm1::StringGrid1DblClick},
        {CmdReorder, &TForm1::MoveDraggedRow},
        {CmdDropFiles, &TForm1::AddDroppedFiles},
        {CmdClose, &TForm1::CloseNow},
        // Help has no action.
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
    if (const int group = groupOfCommand(command); group >= 0) GroupItemClick(group);
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
    const int top = Toolbar->Height();
    const int height = std::max<int>(0, client.bottom - top);
    const int line = search_.empty() ? 0 : std::min(Scaled(SearchLineHeight, dpi_), height);
    MoveWindow(StringGrid1->Handle(), 0, top, client.right, height - line, TRUE);
    if (searchLine_)
        MoveWindow(searchLine_.get(), 0, client.bottom - line, client.right, line, TRUE);
    if (Panel_options) MoveWindow(Panel_options->Handle(), 0, top, client.right, height, TRUE);
    int width = client.right - Scaled(ColumnMargin, dpi_);
    if (StringGrid1->ScrollBarShown()) width -= SystemMetricForDpi(SM_CXVSCROLL, dpi_);
    StringGrid1->SetColumnWidth(width);
}

void TForm1::SizeLimitsHandler(MINMAXINFO& limits) {
    // The whole toolbar stays visible; the height may shrink to the caption.
    const int frame = SystemMetricForDpi(SM_CXFRAME, dpi_);
    limits.ptMinTrackSize.x = 2 * frame + (Toolbar ? Toolbar->MinimumClientWidth() : 0);
    limits.ptMinTrackSize.y = SystemMetricForDpi(SM_CYCAPTION, dpi_);
    if (OptionsOpen()) limits.ptMinTrackSize.y += Scaled(OptionsPanelHeight, dpi_);
    limits.ptMaxTrackSize.x = GetSystemMetrics(SM_CXSCREEN);
    limits.ptMaxTrackSize.y = GetSystemMetrics(SM_CYSCREEN);
}

void TForm1::Close() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

// Runs once, from the close or from the end of the Windows session. Each
// write is reported on its own and the close always completes.
void TForm1::FormClose() {
    if (closed_) return;
    closed_ = true;
    Guarded(Handle(), [&] { SaveCatalogue(cataloguePath_, table_, catalogueOrigin_); });
    if (!restrictedMode_ && preferences_) {
        Guarded(Handle(), [&] { WritePlacementAndSelection(); });
    }
    hotKey_->Release();
    RemoveTrayIcon();
}

void TForm1::WritePlacementAndSelection() {
    const WindowPlacement closing = PlacementToSave(Handle());
    preferences_->update([&](ProfileStore& store) {
        writeClosingPreferences(store, closing, table_.currentRow(), selectedGroup_);
    });
}

void TForm1::RemoveTrayIcon() {
    tray_.reset();
}

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
        {WM_TRAYICON, &TForm1::OnTrayIcon},
        {WM_HOTKEY, &TForm1::OnHotKey},
        {WM_TIMER, &TForm1::OnTimer},
        {WM_DPICHANGED, &TForm1::OnDpiChanged},
    };
    // A drop while a menu is open waits until the menu is closed: inside a
    // menu's loop the mouse stays with the menu, so a box the drop opens would
    // take no click, and clicks meant for it would reach the window behind.
    if (message == WM_DROPFILES && EndOpenMenu()) {
        PostMessageA(Handle(), message, wParam, lParam);
        return 0;
    }
    for (const MessageRoute& route : Messages)
        if (route.message == message) return (this->*route.handler)(wParam, lParam);
    // The taskbar restarted: its icons are gone and ours comes back.
    if (tray_ && tray_->HandleAddRequest(message)) return 0;
    return Default(message, wParam, lParam);
}

LRESULT TForm1::OnPaint(WPARAM, LPARAM) {
    ScopedPaint paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    Toolbar->Paint(paint.dc(), client.right);
    return 0;
}

// Moved to a display of another scale: everything is laid out again from its
// design size, in the rectangle the system suggests.
LRESULT TForm1::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    dpi_ = HIWORD(wParam);
    Toolbar->SetDpi(dpi_);
    StringGrid1->SetDpi(dpi_);
    if (Panel_options) Panel_options->SetDpi(dpi_);
    if (searchLine_) {
        searchFont_ = CreateScaledFont(SearchLineFont, dpi_);
        SendMessageA(searchLine_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(searchFont_.get()),
                     TRUE);
    }
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FormResize();
    InvalidateRect(Handle(), nullptr, TRUE);
    return 0;
}

LRESULT TForm1::OnSize(WPARAM, LPARAM) {
    FormResize();
    return 0;
}

LRESULT TForm1::OnClose(WPARAM, LPARAM) {
    RunCommand(CmdClose);
    return 0;
}

void TForm1::CloseNow() {
    FormClose();
    DestroyWindow(Handle());
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

} // namespace qd
