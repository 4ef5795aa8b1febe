#include "shell/QuillDeck1.h"

#include <algorithm>
#include <utility>

#include "ResourceIds.h"
#include "catalogue/CatalogueStore.h"
#include "common/AnsiText.h"
#include "common/AppInfo.h"
#include "common/Dpi.h"
#include "common/Error.h"
#include "common/Links.h"
#include "common/SystemDlls.h"
#include "common/WidePath.h"
#include "groups/GroupMenus.h"
#include "integrity/ItemValidation.h"
#include "integrity/Launching.h"
#include "items/AddItems.h"
#include "items/QuillDeck2.h"
#include "items/RemoveItem.h"
#include "items/VersionInfo.h"
#include "shell/AppMessage.h"
#include "shell/TrayMessages.h"
#include "ui/MainMenu.h"
#include "shell/CommandLine.h"
#include "shell/HotKeyText.h"
#include "shell/SavedPlacement.h"
#include "shell/TrayMenu.h"
#include "shell/TrayPopup.h"
#include "shell/WindowStates.h"
#include "ui/KeyCues.h"
#include "ui/MessageDialog.h"
#include "catalogue/RowNavigation.h"
#include "ui/TypeToFind.h"

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
// The slim line under the list that shows the text typed to find an item.
constexpr int SearchLineHeight = 16;
constexpr int HotKeyId = 1;
// Runs out when a left press on the tray icon did not become a double-click.
constexpr UINT_PTR TrayPressTimer = 1;
// With the options panel open the window keeps this much client height.
constexpr int OptionsPanelHeight = 220;

HICON applicationIcon() {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLDECK));
}

// Shows a toolbar button pressed for one scope, however the scope ends.
class ScopedPressed {
  public:
    explicit ScopedPressed(TSpeedButton* button) : button_(button) { button_->SetDown(true); }
    ~ScopedPressed() { button_->SetDown(false); }
    ScopedPressed(const ScopedPressed&) = delete;
    ScopedPressed& operator=(const ScopedPressed&) = delete;

  private:
    TSpeedButton* button_;
};

// The outer size for a client area of design size at `dpi`.
SIZE outerSizeForClient(int width, int height, UINT dpi) {
    RECT r{0, 0, Scaled(width, dpi), Scaled(height, dpi)};
    AdjustWindowRectForDpi(r, MainWindowStyle, false, 0, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

constexpr FontSpec SearchLineFont{"MS Shell Dlg", 11};

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
    cataloguePath_ = startup_.launcherFolder + CatalogueFileName;
    readAhead_ = std::make_unique<CatalogueReadAhead>(cataloguePath_, startup_.launcherFolder);
    UseSystemCodePage();
    RegisterClassOnce(ClassName, CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                      GetSysColorBrush(COLOR_BTNFACE), applicationIcon());
    // The outer top-left is the initial position; the client area has its
    // size. Both are design values: the window's scale is known once it exists.
    CreateHandle(0, ClassName, ApplicationTitle, MainWindowStyle, InitialLeft, InitialTop, 0, 0,
                 application_.Handle(), nullptr);
    dpi_ = WindowDpi(Handle());
    const SIZE outer = outerSizeForClient(InitialClientWidth, InitialClientHeight, dpi_);
    SetWindowPos(Handle(), nullptr, Scaled(InitialLeft, dpi_), Scaled(InitialTop, dpi_), outer.cx,
                 outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    application_.SetMainWindow(Handle());
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
    searchLine_.reset(CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_SUNKEN,
                                      0, 0, 0, 0, Handle(), nullptr, GetModuleHandleA(nullptr),
                                      nullptr));
    searchFont_ = CreateScaledFont(SearchLineFont, dpi_);
    SendMessageA(searchLine_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(searchFont_.get()), FALSE);
}

// Made when the options first open: most runs never open them, and making
// the panel's controls would delay every start.
TPanelOptions& TForm1::OptionsPanel() {
    if (Panel_options) return *Panel_options;
    RECT client;
    GetClientRect(Handle(), &client);
    const int listTop = Toolbar->Height();
    Panel_options = std::make_unique<TPanelOptions>(Handle(), 0, listTop, client.right,
                                                    client.bottom - listTop, dpi_);
    Panel_options->OnOk = [this] { RunCommand(Pop3_Ok); };
    Panel_options->OnExit = [this] { RunCommand(Pop3_Exit); };
    Panel_options->OnAddGroup = [this] { Button_add_groupClick(); };
    Panel_options->OnDeleteGroup = [this] { Button_del_groupClick(); };
    Panel_options->OnGroupScroll = [this](int position) {
        Panel_options->SetGroupName(browsedGroupName(groups_, position));
    };
    if (restrictedMode_) Panel_options->SetGroupControlsEnabled(false);
    Panel_options->Close();
    FormResize();
    return *Panel_options;
}

bool TForm1::OptionsOpen() const {
    return Panel_options && Panel_options->IsOpen();
}

bool TForm1::OptionsHaveFocus() const {
    return Panel_options && Panel_options->ContainsFocus();
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
        &TForm1::AcceptDroppedFiles,
        &TForm1::ReadPreferences,
        &TForm1::RegisterGlobalHotKey,
        // The menu shortcuts need no step: they live in the main menu's model
        // and reach RunCommand through the message filter the constructor installs.
        &TForm1::LoadItemCatalogue,
        &TForm1::AddMainGroup,
        &TForm1::ReadGroups,
        &TForm1::SelectSavedGroup,
        &TForm1::ShowMainWindow,
        &TForm1::MinimizeIfPreferred,
        &TForm1::MinimizeIfStartedMinimized,
        &TForm1::SelectSavedRowAndValidate,
        &TForm1::StringGrid1Click,
        // Last: the shell's tray call is made from the message loop, after
        // the list takes keys (earlier, the message pumping of the show and
        // of the pass would make it there).
        &TForm1::AddTrayIcon,
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
    Flags = restrictedModeFlags();
    ToolButton_options->SetEnabled(false);
    // The options menu entry is disabled where the menu is built.
}

void TForm1::SetUpListGeometry() {
    RECT client;
    GetClientRect(Handle(), &client);
    StringGrid1->SetColumnWidth(client.right - Scaled(ColumnMargin, dpi_));
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

void TForm1::InstallAppMessageHook() {
    appHook_ = std::make_unique<ScopedMessageFilter>(FilterStage::ApplicationHook,
                                                     [this](MSG& msg) { return AppMessage(msg); });
}

// In every mode: the icon is the way back from the tray.
void TForm1::AddTrayIcon() {
    tray_ = std::make_unique<TTrayIcon>(Handle(), applicationIcon());
}

// What DragAcceptFiles does, without loading the shell library before the
// window shows.
void TForm1::AcceptDroppedFiles() {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrA(Handle(), GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

void TForm1::ReadPreferences() {
    if (restrictedMode_) return;
    preferences_ = std::make_unique<TIniProfile>(startup_.launcherFolder + PreferencesFileName);
    ApplySavedPlacement(Handle(), *preferences_);
    readStartupFlags(*preferences_, Flags);
}

void TForm1::LoadItemCatalogue() {
    try {
        readAhead_->Take(table_, catalogueOrigin_);
    } catch (...) {
        ItemsChanged();
        throw;
    }
    ItemsChanged();
}

void TForm1::AddMainGroup() {
    groups_ = {MainGroupName};
}

void TForm1::ReadGroups() {
    if (!restrictedMode_) groups_ = readGroups(*preferences_);
}

void TForm1::SelectSavedGroup() {
    if (!restrictedMode_) GroupItemClick(preferences_->readInteger("SelectGroup", 0));
}

void TForm1::GroupItemClick(int index) {
    // A group change ends the search; the group decides what shows.
    search_.clear();
    applySearch(table_, search_);
    ShowSearch();
    selectedGroup_ = selectGroup(table_, groups_, index);
    groupChosen_ = true;
    ItemsChanged();
}

void TForm1::ShowMainWindow() {
    // The application window only carries the taskbar button: shown without
    // activation, so the keyboard goes to the main window and its list.
    ShowWindow(application_.Handle(), SW_SHOWNA);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    FocusList();
    FormShow();
}

void TForm1::FormShow() {
    ProcessMessages();
    InvalidateRect(StringGrid1->Handle(), nullptr, FALSE);
}

void TForm1::MinimizeIfPreferred() {
    if (restrictedMode_) return;
    Flags.StartMinimized = readStartMinimized(*preferences_);
    if (Flags.StartMinimized) PostMessageA(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

// A shortcut set to "run minimised" passes SW_SHOWMINNOACTIVE, `start /min`
// SW_SHOWMINIMIZED; every minimised show command means the tray. The field is
// used whether or not the start-up flags mark it valid.
void TForm1::MinimizeIfStartedMinimized() {
    switch (startup_.startupShowWindow) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        PostMessageA(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

bool TForm1::TrySelectRow(int row) {
    // A row the saved group hides is not made current: Enter, Edit and
    // Remove would act on an item the user cannot see.
    if (row < 0 || row >= table_.rowCount() || !table_.isShown(row)) return false;
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
    // Options opened during the pass: the list stays behind the panel.
    if (OptionsOpen()) EnableWindow(StringGrid1->Handle(), FALSE);
    TrySelectRow(savedRow);
    // Disabling the list took the keyboard focus away from it.
    FocusList();
}

void TForm1::ValidateItems() {
    const ScopedFlag validating(validating_);
    ValidateAllItems(
        table_, {Flags.CheckSafe, Flags.KeepDeleted}, {Handle(), LauncherFolder(), SecHash1},
        [this](int row, bool removed) { StringGrid1->DrawRowChange(row, removed); },
        [this] { return !closeAfterPass_; }, readAhead_->TakeListing());
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
    MoveWindow(searchLine_.get(), 0, client.bottom - line, client.right, line, TRUE);
    if (Panel_options) MoveWindow(Panel_options->Handle(), 0, top, client.right, height, TRUE);
    int width = client.right - Scaled(ColumnMargin, dpi_);
    if (StringGrid1->ScrollBarShown()) width -= SystemMetricForDpi(SM_CXVSCROLL, dpi_);
    StringGrid1->SetColumnWidth(width);
}

void TForm1::StringGrid1DblClick() {
    const LaunchCheck check{SecHash1, [this] {
                                ItemsChanged();
                                UpdateWindow(StringGrid1->Handle());
                            }};
    // Restricted mode checks nothing, at start-up or here.
    LaunchItem(Handle(), table_, table_.currentRow(), LauncherFolder(),
               Flags.CheckSafe && !restrictedMode_ ? &check : nullptr);
}

void TForm1::LaunchEntryClick(int position) {
    const int row = table_.rowOfTrayPosition(position);
    if (row < 0) return;
    StringGrid1->SelectRow(row);
    RunCommand(CmdLaunchEntry);
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
    RunCommand(CmdReorder);
}

void TForm1::MoveDraggedRow() {
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
        // While the options panel is open, Enter applies it.
        RunCommand(OptionsOpen() ? unsigned{Pop3_Ok} : unsigned{CmdLaunch});
        return true;
    }
    if (key == VK_ESCAPE && !search_.empty()) {
        CancelSearch();
        return true;
    }
    // In the options panel's fields Delete edits the text.
    if (key == VK_DELETE && !OptionsHaveFocus()) {
        ToolButton_delete->Click();
        return true;
    }
    if (alt && key == 'G') {
        PopupMenu_groupsPopup();
        return true;
    }
    return false;
}

bool TForm1::StringGrid1KeyPress(char typed) {
    const bool starting = search_.empty();
    std::string text = search_;
    if (!editSearchText(text, typed) || (starting && text.empty())) return false;
    if (starting) rowBeforeSearch_ = table_.currentRow();
    search_ = text;
    const int shown = applySearch(table_, search_);
    ShowSearch();
    StringGrid1->TableChanged();
    // The first match becomes current; with none, the current row stays,
    // hidden, and the commands on it are off until a row shows again.
    if (shown > 0) StringGrid1->SelectRow(firstShownRow(table_, table_.currentRow()));
    StringGrid1Click();
    return true;
}

void TForm1::CancelSearch() {
    search_.clear();
    applySearch(table_, search_);
    ShowSearch();
    if (rowBeforeSearch_ < table_.rowCount() && table_.isShown(rowBeforeSearch_))
        StringGrid1->SelectRow(rowBeforeSearch_);
    ItemsChanged();
}

void TForm1::ShowSearch() {
    bool matches = false;
    for (int row = 0; row < table_.rowCount() && !matches; ++row)
        matches = table_.isShown(row) && !table_.isEmpty();
    const std::string line =
        matches || search_.empty() ? " " + search_ : " " + search_ + "  " + NoMatchText;
    SetWindowTextA(searchLine_.get(), line.c_str());
    ShowWindow(searchLine_.get(), search_.empty() ? SW_HIDE : SW_SHOWNA);
    FormResize();
}

void TForm1::RegisterGlobalHotKey() {
    // Restricted mode uses the default and writes nothing.
    hotKeyText_ =
        restrictedMode_ ? DefaultHotKeyText : preferences_->readString("HotKey", DefaultHotKeyText);
    UseHotKey(hotKeyText_, true);
}

// Registers `text` as the hot key in place of the one held so far; an empty
// text turns it off. False for a text that names no key.
bool TForm1::UseHotKey(const std::string& text, bool sayWhenTaken) {
    const std::optional<HotKey> key = parseHotKey(text);
    if (!text.empty() && !key) return false;
    if (hotKeyRegistered_) UnregisterHotKey(Handle(), HotKeyId);
    hotKeyRegistered_ = false;
    if (!key) return true;
    const UINT modifiers = (key->ctrl ? MOD_CONTROL : 0) | (key->alt ? MOD_ALT : 0) |
                           (key->shift ? MOD_SHIFT : 0) | (key->win ? MOD_WIN : 0) | MOD_NOREPEAT;
    hotKeyRegistered_ = RegisterHotKey(Handle(), HotKeyId, modifiers, key->key) != FALSE;
    if (!hotKeyRegistered_ && sayWhenTaken)
        MessageDlg(Handle(),
                   "The hot key " + formatHotKey(*key) +
                       " is in use by another program.\r\nQuill'Deck runs without it.",
                   TMsgDlgType::Warning, {TMsgDlgBtn::OK}, TMsgDlgBtn::OK);
    return true;
}

void TForm1::HotKeyPressed() {
    const bool inFront = IsWindowVisible(Handle()) && GetForegroundWindow() == Handle();
    if (inFront) {
        Pop1_MinimizeClick();
        return;
    }
    if (HiddenInTray(application_.Handle())) Pop1_RestoreClick();
    if (BringOpenBoxForward(Handle())) return;
    SetForegroundWindow(Handle());
    FocusList();
}

void TForm1::FormKeyUp(WPARAM key) {
    RepaintAfterAltOrTab(Handle(), key);
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

std::vector<MenuEntry> TForm1::MainMenuEntries() const {
    MainMenuState state;
    state.editEnabled = ToolButton_edit->Enabled();
    state.deleteEnabled = ToolButton_delete->Enabled();
    state.currentRowDisabled =
        table_.isDisabled(table_.currentRow()) && table_.isShown(table_.currentRow());
    state.stayOnTop = stayOnTop_;
    state.optionsEnabled = !restrictedMode_;
    state.groupEntries = static_cast<int>(groups_.size());
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
            UniqueMenu groups = BuildGroupsSubmenu(groups_, groupChosen_ ? selectedGroup_ : -1);
            // The main menu owns the submenu from here on.
            AppendMenuA(menu.get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(groups.release()),
                        text.c_str());
            continue;
        }
        AppendMenuA(menu.get(), flags, entry.command, text.c_str());
    }
    return menu;
}

void TForm1::PopupMenu_mainPopup(POINT screen) {
    // Switched off while the options panel is open.
    if (OptionsOpen()) return;
    UniqueMenu menu = PopupMenu_main();
    SetForegroundWindow(Handle());
    const UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                        screen.y, 0, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
    if (command) RunCommand(command);
}

void TForm1::ToolButton_menuClick() {
    const ScopedPressed pressed(ToolButton_menu);
    RECT r;
    GetWindowRect(ToolButton_menu->Handle(), &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    PopupMenu_mainPopup(
        {centre.x + Scaled(ShowMenuOffset.x, dpi_), centre.y + Scaled(ShowMenuOffset.y, dpi_)});
}

bool TForm1::PreTranslateMessage(MSG& msg) {
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        // A key with no focused window arrives as WM_SYSKEYDOWN too: only the
        // lParam bit says whether Alt is really held.
        const bool alt = msg.message == WM_SYSKEYDOWN && (msg.lParam & AltHeldBit) != 0;
        const int key = static_cast<int>(msg.wParam);
        // Inside the options panel Alt+X is its menu's "E&xit".
        if (alt && key == 'X' && OptionsHaveFocus()) {
            RunCommand(Pop3_Exit);
            return true;
        }
        // Menu shortcuts first; a disabled entry swallows its key.
        // The entries outlive the look-up: the entry found points into them.
        const std::vector<MenuEntry> entries = MainMenuEntries();
        if (const MenuEntry* entry = findShortcut(entries, alt, key)) {
            // The window never saw this key, so releasing Alt would look
            // like Alt pressed alone and open the system menu.
            altShortcutTaken_ = alt;
            if (entry->enabled) RunCommand(entry->command);
            return true;
        }
        if (FormKeyDown(msg.wParam, alt)) return true;
    }
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
        FormKeyUp(msg.wParam);
        if (msg.wParam == VK_MENU && altShortcutTaken_) {
            altShortcutTaken_ = false;
            return true;
        }
    }
    return Panel_options && Panel_options->DialogKeys(msg);
}

bool TForm1::AddItemFromPath(const std::string& path) {
    if (!qd::AddItemFromPath(table_, path, {Handle(), LauncherFolder(), selectedGroup_}))
        return false;
    FormResize();
    // The filter of the selected group applies to the new row too.
    GroupItemClick(selectedGroup_);
    return true;
}

void TForm1::ToolButton_addClick() {
    const ScopedPressed pressed(ToolButton_add);
    const std::string path = ChooseExecutable(Handle(), LauncherFolder());
    // The launcher itself is never added from the dialog, and nothing is said.
    if (!path.empty() && asciiLower(path) != asciiLower(ExecutablePath())) AddItemFromPath(path);
    StringGrid1Click();
}

void TForm1::ToolButton_editClick() {
    const ScopedPressed pressed(ToolButton_edit);
    const int row = table_.currentRow();
    const ItemEditResult result = EditItem(
        Handle(), Toolbar->Height(), StringGrid1->RowHeight(),
        {table_.cells(row), LauncherFolder(),
         restrictedMode_ ? GroupList{MainGroupName} : readGroups(*preferences_), restrictedMode_});
    if (!result.confirmed) return;
    for (int column = 0; column < ColumnCount; ++column)
        table_.setCell(column, row, result.cells[column]);
    if (result.iconChanged) table_.setIcon(row, result.icon);
    // The group filter is not applied again: a new group shows at the next choice.
    ItemsChanged();
}

void TForm1::ToolButton_deleteClick() {
    const ScopedPressed pressed(ToolButton_delete);
    const RemoveItemResult result =
        RemoveCurrentItem(table_, selectedGroup_, Flags.ConfirmDelete, [this] {
            return MessageDlg(Handle(), RemoveItemQuestion, TMsgDlgType::Warning,
                              {TMsgDlgBtn::OK, TMsgDlgBtn::Cancel}, TMsgDlgBtn::OK) == IDOK;
        });
    if (result.outcome == RemoveItemResult::Outcome::Cancelled) return;
    // The last item gone: the catalogue file goes at once.
    if (result.deleteCatalogue) DeleteCatalogue(cataloguePath_, catalogueOrigin_);
    FormResize();
    ItemsChanged();
}

void TForm1::ToolButton_optionsClick() {
    ToolButton_options->SetDown(true);
    RECT r;
    GetWindowRect(Handle(), &r);
    const int lowest = SystemMetricForDpi(SM_CYCAPTION, dpi_) + Scaled(OptionsPanelHeight, dpi_);
    if (r.bottom - r.top < lowest)
        SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, lowest,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Toolbar->SetAllEnabled(false);
    ToolButton_exit->SetEnabled(true);
    if (!restrictedMode_) Flags = readPanelFlags(*preferences_);
    OptionsPanel().ShowFlags(Flags);
    Panel_options->SetHotKeyText(hotKeyText_);
    BrowseGroup(Panel_options->GroupPosition());
    // The list behind the panel must neither paint over it nor take the keys.
    ShowWindow(StringGrid1->Handle(), SW_HIDE);
    EnableWindow(StringGrid1->Handle(), FALSE);
    Panel_options->Open();
    SetFocus(Panel_options->CheckBox_minimized);
}

void TForm1::Button_ok_optionClick() {
    if (!OptionsOpen()) return;
    Flags = Panel_options->FlagsFromBoxes();
    // A refused write stops here: the flags hold the boxes, the panel stays open.
    if (!restrictedMode_)
        preferences_->update([&](ProfileStore& store) { writeOptionFlags(store, Flags); });
    const std::string hotKey = Panel_options->HotKeyText();
    if (hotKey != hotKeyText_) {
        if (!UseHotKey(hotKey, true))
            throw EQuillDeck("\"" + hotKey + "\" is not a hot key; write it like " +
                             DefaultHotKeyText);
        hotKeyText_ = hotKey;
        if (!restrictedMode_) preferences_->writeString("HotKey", hotKeyText_);
    }
    Toolbar->SetAllEnabled(true);
    Panel_options->Close();
    EnableWindow(StringGrid1->Handle(), TRUE);
    ShowWindow(StringGrid1->Handle(), SW_SHOWNA);
    ToolButton_options->SetDown(false);
    StringGrid1Click();
    FocusList();
}

// The group list (and the table's group numbers) change only once the file
// holds the change: a refused write leaves both as they were.
void TForm1::Button_add_groupClick() {
    if (restrictedMode_) return;
    GroupList groups = groups_;
    bool added = false;
    preferences_->update(
        [&](ProfileStore& store) { added = addGroup(store, groups, Panel_options->GroupName()); });
    if (!added) return;
    groups_ = std::move(groups);
    BrowseGroup(static_cast<int>(groups_.size()));
}

void TForm1::Button_del_groupClick() {
    if (restrictedMode_) return;
    GroupList groups = groups_;
    ItemTable table = table_;
    bool deleted = false;
    preferences_->update([&](ProfileStore& store) {
        deleted = deleteGroup(store, groups, table, Panel_options->GroupPosition(),
                              Panel_options->GroupName());
    });
    if (!deleted) return;
    groups_ = std::move(groups);
    table_ = std::move(table);
    BrowseGroup(static_cast<int>(groups_.size()));
    GroupItemClick(0);
}

void TForm1::BrowseGroup(int position) {
    Panel_options->SetGroupRange(static_cast<int>(groups_.size()), position);
    Panel_options->SetGroupName(browsedGroupName(groups_, Panel_options->GroupPosition()));
}

void TForm1::PopupMenu_groupsPopup() {
    // At the main window's top-left corner, moved down by the list's top
    // within the client area.
    RECT r;
    GetWindowRect(Handle(), &r);
    UniqueMenu menu = BuildGroupsPopup(groups_);
    SetForegroundWindow(Handle());
    const UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD, r.left,
                                        r.top + Toolbar->Height(), 0, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
    if (command) RunCommand(command);
}

void TForm1::Pop1_MinimizeClick() {
    HideToTray(Handle());
}

void TForm1::Pop1_RestoreClick() {
    RestoreFromTray(Handle(), application_.Handle());
    FormShow();
}

void TForm1::Pop1_StayOnTopClick() {
    stayOnTop_ = !stayOnTop_;
    SetStayOnTop(Handle(), stayOnTop_);
}

void TForm1::Pop1_AboutClick() {
    FormAbout->ShowBeside(Handle(), Toolbar->Height(), StringGrid1->RowHeight());
}

void TForm1::OpenDonationPage() {
    OpenLink(GetDesktopWindow(), DonationLink);
}

bool TForm1::AppMessage(MSG& msg) {
    QueuedMessage queued{msg.message, msg.wParam, msg.lParam};
    if (rewriteWheelAsKey(queued)) {
        msg.message = queued.message;
        msg.wParam = queued.wParam;
        msg.lParam = queued.lParam;
        return false;
    }
    if (msg.message != WM_SYSCOMMAND) return false;
    switch (systemCommandAction(msg.wParam)) {
    case SystemCommandAction::About:
        RunCommand(Pop1_About);
        break;
    case SystemCommandAction::StayOnTop:
        RunCommand(Pop1_StayOnTop);
        break;
    case SystemCommandAction::Donations:
        OpenDonationPage();
        break;
    case SystemCommandAction::Minimize:
        RunCommand(Pop1_Minimize);
        break;
    case SystemCommandAction::HideApplication:
        HideApplicationWindow(application_.Handle());
        break;
    case SystemCommandAction::None:
        break;
    }
    // Never handled here: the message is still dispatched.
    return false;
}

UniqueMenu TForm1::PopupMenu_tray() {
    return qd::PopupMenu_tray(trayMenuEntries(table_, HiddenInTray(application_.Handle())));
}

void TForm1::ShowTrayMenu() {
    UniqueMenu menu = PopupMenu_tray();
    const UINT command = qd::ShowTrayMenu(Handle(), menu.get());
    if (const int position = TrayPositionOfCommand(command); position >= 0)
        LaunchEntryClick(position);
    else if (command)
        RunCommand(command);
}

void TForm1::Pop1_ResetSecurityClick() {
    // A file that cannot be digested is not caught here: its error reaches the
    // application's error box and the item stays disabled.
    if (ResetItemSecurity(table_, table_.currentRow(), {Handle(), LauncherFolder(), SecHash1}))
        ItemsChanged();
}

void TForm1::ToolButton_exitClick() {
    ToolButton_exit->SetDown(false);
    if (Flags.CloseCloses)
        Close();
    else
        Pop1_MinimizeClick();
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
    Guarded(Handle(), [&] { SaveCatalogue(cataloguePath_, table_, catalogueOrigin_); });
    if (!restrictedMode_ && preferences_) {
        Guarded(Handle(), [&] { WritePlacementAndSelection(); });
    }
    UseHotKey("", false);
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
    const WindowPlacement closing{int(r.bottom - r.top), int(r.right - r.left), int(r.left),
                                  int(r.top)};
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
    searchFont_ = CreateScaledFont(SearchLineFont, dpi_);
    SendMessageA(searchLine_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(searchFont_.get()), TRUE);
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

LRESULT TForm1::OnContextMenu(WPARAM, LPARAM lParam) {
    // From the keyboard (lParam -1) the menu opens at the current row.
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == -1) {
        const RECT row = StringGrid1->RowRect(table_.currentRow());
        p = {row.left + Scaled(ContextMenuIndent, dpi_), row.bottom};
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

// SystemCommandHandler: the main window itself is never minimised, and the
// caption's close hides to the tray unless the close-closes flag is set.
LRESULT TForm1::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
        // Not every platform hides an owned window with its minimised owner
        // (Wine does not): the main window goes too, so only the tray icon is
        // left, also when the command was posted at start-up.
        ShowWindow(Handle(), SW_HIDE);
        ShowWindow(application_.Handle(), SW_HIDE);
        return 0;
    case SC_CLOSE:
        // Closing passes the gate like every other way out.
        RunCommand(Flags.CloseCloses ? unsigned{CmdClose} : unsigned{Pop1_Minimize});
        return 0;
    }
    return Default(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT TForm1::OnHotKey(WPARAM id, LPARAM) {
    if (id == HotKeyId) HotKeyPressed();
    return 0;
}

LRESULT TForm1::OnTrayIcon(WPARAM wParam, LPARAM lParam) {
    const TrayIconAction action = trayIconAction(wParam, lParam);
    // While a box is open the icon brings it forward: its menu would put the
    // main window over the box and run commands under it.
    if (action != TrayIconAction::None && BringOpenBoxForward(Handle())) return 0;
    switch (action) {
    case TrayIconAction::ShowMenu:
        ShowTrayMenu();
        break;
    case TrayIconAction::ShowMenuUnlessDoubleClick:
        SetTimer(Handle(), TrayPressTimer, GetDoubleClickTime(), nullptr);
        break;
    case TrayIconAction::Restore:
        KillTimer(Handle(), TrayPressTimer);
        RunCommand(Pop1_Restore);
        break;
    case TrayIconAction::None:
        break;
    }
    return 0;
}

LRESULT TForm1::OnTimer(WPARAM id, LPARAM) {
    if (id != TrayPressTimer) return 0;
    KillTimer(Handle(), TrayPressTimer);
    if (!BringOpenBoxForward(Handle())) ShowTrayMenu();
    return 0;
}

LRESULT TForm1::OnDropFiles(WPARAM wParam, LPARAM) {
    const HDROP drop = reinterpret_cast<HDROP>(wParam);
    struct Finish {
        HDROP drop;
        ~Finish() { Shell().DragFinish(drop); }
    } finish{drop};
    // Files dropped behind an open box would change the rows under the
    // question it asks: the box comes forward instead.
    if (BringOpenBoxForward(Handle())) return 0;
    // A drop lets messages run, so another may come while this one is added.
    const HDROP outer = std::exchange(droppedFiles_, drop);
    RunCommand(CmdDropFiles);
    droppedFiles_ = outer;
    return 0;
}

void TForm1::AddDroppedFiles() {
    {
        struct Dropping {
            int& count;
            ~Dropping() { --count; }
        } dropping{++dropping_};
        // Each file on its own: one that cannot be read is reported and the
        // others are still added.
        ForEachDroppedExecutable(
            droppedFiles_,
            [this](const std::string& path) { Guarded(Handle(), [&] { AddItemFromPath(path); }); },
            [this](const std::string& path) {
                MessageDlg(Handle(),
                           "Cannot add \"" + AnsiFromPath(path) + "\": the path is too long.",
                           TMsgDlgType::Error, {TMsgDlgBtn::OK}, TMsgDlgBtn::OK);
            });
    }
    StringGrid1Click();
    // A close asked for while the files went in happens once all are in.
    if (closeAfterPass_ && !dropping_ && !validating_) Close();
}

} // namespace qd
