#pragma once
#include <string>

#include "shell/QuillDeck1.h"

namespace qd {

// The tests' one way into the main window besides its windows and real
// input: what a test must read or set that the screen does not show (the
// table behind the list, the preference flags, the menus as they would open,
// the controls to find on the screen). Made for one use: seam(form).Table().
class TMainWindowSeam {
  public:
    explicit TMainWindowSeam(TForm1& form)
        : StringGrid1(form.StringGrid1.get()), Panel_options(form.Panel_options.get()),
          Flags(form.Flags), ToolButton_add(form.ToolButton_add),
          ToolButton_edit(form.ToolButton_edit), ToolButton_delete(form.ToolButton_delete),
          ToolButton_options(form.ToolButton_options), ToolButton_menu(form.ToolButton_menu),
          ToolButton_exit(form.ToolButton_exit), form_(form) {}

    TItemList* const StringGrid1;
    // Null until the options are first opened.
    TPanelOptions* const Panel_options;
    PreferenceFlags& Flags;
    TSpeedButton* const ToolButton_add;
    TSpeedButton* const ToolButton_edit;
    TSpeedButton* const ToolButton_delete;
    TSpeedButton* const ToolButton_options;
    TSpeedButton* const ToolButton_menu;
    TSpeedButton* const ToolButton_exit;

    ItemTable& Table() { return form_.table_; }
    bool RestrictedMode() const { return form_.restrictedMode_; }
    const std::string& CataloguePath() const { return form_.cataloguePath_; }
    int SelectedGroup() const { return form_.selectedGroup_; }
    const GroupList& Groups() const { return form_.groups_; }
    HWND ApplicationHandle() const { return form_.application_.Handle(); }
    const TTrayIcon* TrayIcon() const { return form_.tray_.get(); }
    bool StayOnTop() const { return form_.stayOnTop_; }
    bool Validating() const { return form_.validating_; }
    const std::string& SearchText() const { return form_.search_; }
    UniqueMenu PopupMenu_tray() { return form_.PopupMenu_tray(); }
    UniqueMenu PopupMenu_main() { return form_.PopupMenu_main(); }
    void Close() { form_.Close(); }

  private:
    TForm1& form_;
};

inline TMainWindowSeam seam(TForm1& form) {
    return TMainWindowSeam(form);
}

} // namespace qd
