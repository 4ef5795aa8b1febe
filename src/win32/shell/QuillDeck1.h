#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/CatalogueStore.h"
#include "catalogue/ItemTable.h"
#include "common/Handles.h"
#include "groups/Groups.h"
#include "common/Window.h"
#include "integrity/SecHash.h"
#include "shell/ApplicationWindow.h"
#include "shell/CatalogueReadAhead.h"
#include "shell/CommandGate.h"
#include "shell/GlobalHotKey.h"
#include "shell/IniProfile.h"
#include "common/MessageLoop.h"
#include "shell/OptionsPanel.h"
#include "shell/Preferences.h"
#include "shell/Toolbar.h"
#include "shell/TrayIcon.h"
#include "ui/ItemList.h"
#include "ui/MainMenu.h"
#include "ui/QuillDeck3.h"

namespace qd {

// What the entry point hands the main window: where the launcher lives, its
// command-line arguments and the show command it was started with.
struct TStartup {
    std::string launcherFolder; // with its trailing backslash
    std::vector<std::string> arguments;
    int startupShowWindow = SW_SHOWNORMAL;
};

// The main window: a façade over the item table, the preferences and the
// features in their own files. Constructing it runs the start-up sequence;
// closing it saves the catalogue and the window placement and ends the
// message loop. Messages and commands reach the handlers through two tables;
// every command passes one gate, and every change of the table ends in
// ItemsChanged(). The handlers live in files named after what they do:
// StartupSequence, MainCommands, OptionsAndGroups, KeysAndMouse, SearchLine,
// MainMenus, ShowAndHide. Nothing outside reaches in but the tests' seam.
class TForm1 : public TWindow {
  public:
    explicit TForm1(TStartup startup);
    ~TForm1() override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // What the tests may reach beyond the windows.
    friend class TMainWindowSeam;

    const std::string& LauncherFolder() const { return startup_.launcherFolder; }

    // The five preference flags.
    PreferenceFlags Flags;

    // Digests the executables behind every item fingerprint.
    TSecHash SecHash1;

    // Controls. The toolbar owns its buttons; the fields name them.
    std::unique_ptr<TToolbar> Toolbar;
    TSpeedButton* ToolButton_add = nullptr;
    TSpeedButton* ToolButton_edit = nullptr;
    TSpeedButton* ToolButton_delete = nullptr;
    TSpeedButton* ToolButton_options = nullptr;
    TSpeedButton* ToolButton_menu = nullptr;
    TSpeedButton* ToolButton_exit = nullptr;
    std::unique_ptr<TItemList> StringGrid1;
    // Made the first time the options open (OptionsPanel()).
    std::unique_ptr<TPanelOptions> Panel_options;
    // Created once, with the main window and before its start-up sequence
    // (which lets messages run), and kept for the whole run.
    std::unique_ptr<TFormAbout> FormAbout;

    // After any change of the table: repaints the list and refreshes which
    // commands are enabled. The menus that mirror the table are built from it
    // whenever they open.
    void ItemsChanged();

    // Runs a command through the gate, whichever way it was invoked (menu
    // entry, shortcut, key, toolbar button, tray entry).
    void RunCommand(unsigned command);
    // What the gate sees now.
    CommandState CurrentCommandState() const;

    // Handlers.
    void FormShow();
    void FormClose();
    // The close itself, once the gate lets it through.
    void CloseNow();
    void FormResize();
    void StringGrid1Click();
    void StringGrid1DblClick();
    // A tray entry chosen: the entry at menu position `position` launches its row.
    void LaunchEntryClick(int position);
    void StringGrid1MouseDown();
    void StringGrid1MouseMove(WPARAM keys);
    void StringGrid1MouseUp();
    void MoveDraggedRow();
    bool StringGrid1KeyDown(WPARAM key);
    // Window-level keys, seen before the focused control; true when handled.
    bool FormKeyDown(WPARAM key, bool alt);
    void FormKeyUp(WPARAM key);
    void SizeLimitsHandler(MINMAXINFO& limits);
    void ToolButton_menuClick();
    void ToolButton_addClick();
    void ToolButton_editClick();
    void ToolButton_deleteClick();
    void ToolButton_optionsClick();
    void ToolButton_exitClick();
    void Pop2_ExitClick();
    void Pop1_ResetSecurityClick();
    void Pop1_MinimizeClick();
    void Pop1_RestoreClick();
    void Pop1_StayOnTopClick();
    void Pop1_AboutClick();
    void Button_ok_optionClick();
    void Button_add_groupClick();
    void Button_del_groupClick();
    // Selects group `index` and filters the list by it.
    void GroupItemClick(int index);
    // A character typed into the list: type-to-find.
    bool StringGrid1KeyPress(char typed);
    // Ends the search: every row of the group shows again and the row that
    // was current before it is current again.
    void CancelSearch();
    // The global hot key: shows the launcher from anywhere, hides it when it
    // is already in front.
    void HotKeyPressed();
    // Adds one executable as the last row; false when nothing was added.
    bool AddItemFromPath(const std::string& path);
    // The application-wide hook: sees every queued message first.
    bool AppMessage(MSG& msg);
    // The tray menu as it would open now.
    UniqueMenu PopupMenu_tray();

    // The main context menu as it would open now (PopupMenu_mainPopup runs
    // first): visible entries only, shortcuts shown after a tab.
    UniqueMenu PopupMenu_main();
    // Menu shortcuts and window-level keys for a queued message; true when
    // the message was consumed.
    bool PreTranslateMessage(MSG& msg);

    // Reordering by mouse: one press moves an item at most once.
    bool RowDragActive = false;
    int RowDragFrom = 0;
    // Closes the main window: the close sequence runs and the program ends.
    void Close();

    struct MessageRoute;
    struct CommandRoute;

    void CreateControls();
    TPanelOptions& OptionsPanel();
    bool OptionsOpen() const;
    bool OptionsHaveFocus() const;
    void FormCreate();
    // The start-up steps, in their order.
    void DecideRestrictedMode();
    void SetUpListGeometry();
    void EditSystemMenu();
    void InstallAppMessageHook();
    void AddTrayIcon();
    void AcceptDroppedFiles();
    void ReadPreferences();
    void LoadItemCatalogue();
    void AddMainGroup();
    void ReadGroups();
    void SelectSavedGroup();
    void ShowMainWindow();
    void MinimizeIfPreferred();
    void MinimizeIfStartedMinimized();
    void SelectSavedRowAndValidate();
    void ValidateItems();
    void BuildTrayEntries();
    bool TrySelectRow(int row);
    void FocusList();

    // Message handlers, reached through the message table.
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT OnContextMenu(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnActivate(WPARAM, LPARAM);
    LRESULT OnDropFiles(WPARAM, LPARAM);
    void AddDroppedFiles();
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnTrayIcon(WPARAM, LPARAM);
    LRESULT OnHotKey(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDpiChanged(WPARAM, LPARAM);

    std::vector<MenuEntry> MainMenuEntries() const;
    void PopupMenu_mainPopup(POINT screen);
    void PopupMenu_groupsPopup();
    // The panel's browse bar spans the groups, at `position` where it fits;
    // the name field shows the group it lands on.
    void BrowseGroup(int position);
    void ShowTrayMenu();
    void OpenDonationPage();
    void RegisterGlobalHotKey();
    void ShowSearch();
    void RemoveTrayIcon();
    void WritePlacementAndSelection();

    TStartup startup_;
    std::string cataloguePath_;
    // Started before the first window: making it starts the windowing system,
    // which takes as long as reading thousands of items.
    std::unique_ptr<CatalogueReadAhead> readAhead_;
    // Destroyed after everything that shows in it: it owns the main window.
    TApplicationWindow application_;
    ItemTable table_;
    bool restrictedMode_ = false;
    int selectedGroup_ = 0;
    std::unique_ptr<TIniProfile> preferences_;
    std::unique_ptr<ScopedMessageFilter> appHook_;
    std::unique_ptr<ScopedMessageFilter> shortcuts_;
    std::unique_ptr<TTrayIcon> tray_;
    GroupList groups_;
    // In restricted mode no group is checked until the user picks one.
    bool groupChosen_ = false;
    bool closed_ = false;
    // Whether the catalogue on disk was read: one that was not is kept aside
    // before a save or a delete would replace it.
    CatalogueOrigin catalogueOrigin_ = CatalogueOrigin::Read;
    bool validating_ = false;
    // A close asked for while the start-up pass runs: it ends the pass after
    // its row, then the window closes.
    bool closeAfterPass_ = false;
    // Drops being added (a drop lets messages run, so another may come).
    int dropping_ = 0;
    // The files of the drop being handled, for the gated command that adds them.
    HDROP droppedFiles_ = nullptr;
    bool stayOnTop_ = false;
    // Type-to-find: the text typed so far, the row current before it began,
    // and the slim line under the list that shows it.
    std::string search_;
    int rowBeforeSearch_ = 0;
    UniqueWindow searchLine_;
    UniqueFont searchFont_;
    // The scale of the display the window is on; design sizes go through
    // Scaled() with it.
    UINT dpi_ = DesignDpi;
    // The hot key's text as read or last applied, shown in the options.
    std::string hotKeyText_;
    std::unique_ptr<TGlobalHotKey> hotKey_;
    // An Alt shortcut ran: the release of Alt that follows is not a menu key.
    bool altShortcutTaken_ = false;
};

} // namespace qd
