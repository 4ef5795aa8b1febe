#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/ItemTable.h"
#include "common/Handles.h"
#include "common/Window.h"
#include "integrity/SecHash.h"
#include "shell/IniProfile.h"
#include "ui/MainMenu.h"
#include "ui/ItemList.h"
#include "ui/SpeedButton.h"

namespace qd {

// What the entry point hands the main window: where the launcher lives, its
// command-line arguments and the show command it was started with.
struct TStartup {
    std::string launcherFolder; // with its trailing backslash
    std::vector<std::string> arguments;
    int startupShowWindow = SW_SHOWNORMAL;
};

// The main window. Constructing it runs the start-up sequence; closing it
// saves the catalogue and the window placement and ends the message loop.
class TForm1 : public TWindow {
  public:
    explicit TForm1(TStartup startup);
    ~TForm1() override;

    // State the rest of the program reads.
    ItemTable& Table() { return table_; }
    bool RestrictedMode() const { return restrictedMode_; }
    const std::string& LauncherFolder() const { return startup_.launcherFolder; }
    const std::string& CataloguePath() const { return cataloguePath_; }
    int SelectedGroup() const { return selectedGroup_; }

    // Preference flags.
    bool StartMinimized = false;
    bool ConfirmDelete = false;
    bool CheckSafe = false;
    bool CloseCloses = false;
    bool KeepDeleted = false;

    // Digests the executables behind every item fingerprint.
    TSecHash SecHash1;

    // Controls.
    std::unique_ptr<TItemList> StringGrid1;
    std::unique_ptr<TSpeedButton> ToolButton_add;
    std::unique_ptr<TSpeedButton> ToolButton_edit;
    std::unique_ptr<TSpeedButton> ToolButton_delete;
    std::unique_ptr<TSpeedButton> ToolButton_options;
    std::unique_ptr<TSpeedButton> ToolButton_menu;
    std::unique_ptr<TSpeedButton> ToolButton_exit;

    // Handlers.
    void FormShow();
    void FormClose();
    void FormResize();
    void StringGrid1Click();
    void StringGrid1DblClick();
    // A tray entry chosen: the entry at menu position `position` launches its row.
    void LaunchEntryClick(int position);
    void StringGrid1MouseDown();
    void StringGrid1MouseMove();
    void StringGrid1MouseUp();
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
    // True while the start-up pass runs: commands that add, remove or reorder
    // rows must not run then, because the pass visits rows by index.
    bool Validating() const { return validating_; }

    // The main context menu as it would open now (PopupMenu_mainPopup runs
    // first): visible entries only, shortcuts shown after a tab.
    UniqueMenu PopupMenu_main();
    // Runs a menu command as choosing its entry does.
    void RunCommand(unsigned command);
    // Menu shortcuts and window-level keys for a queued message; true when
    // the message was consumed.
    bool PreTranslateMessage(MSG& msg);

    // Reordering by mouse: one press moves an item at most once.
    bool RowDragActive = false;
    int RowDragFrom = 0;
    // Closes the main window: the close sequence runs and the program ends.
    void Close();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateControls();
    void FormCreate();
    // The start-up steps, in their order.
    void DecideRestrictedMode();
    void SetUpListGeometry();
    void EditSystemMenu();
    void InstallAppMessageHook();
    void AddTrayIcon();
    void AcceptDroppedFiles();
    void ReadPreferences();
    void AssignShortcuts();
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

    void PaintToolbar(HDC dc);
    std::vector<MenuEntry> MainMenuEntries() const;
    void PopupMenu_mainPopup(POINT screen);
    std::string ResolveItemPath(const std::string& relativePath) const;
    void RemoveTrayIcon();

    TStartup startup_;
    ItemTable table_;
    bool restrictedMode_ = false;
    int selectedGroup_ = 0;
    std::string cataloguePath_;
    std::unique_ptr<TIniProfile> preferences_;
    UniqueWindow tooltips_;
    bool closed_ = false;
    // The catalogue on disk could not be loaded: it is kept aside before the
    // first save replaces it.
    bool catalogueUnreadable_ = false;
    bool validating_ = false;
    bool stayOnTop_ = false;
};

} // namespace qd
