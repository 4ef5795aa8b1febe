#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Dpi.h"
#include "common/Handles.h"
#include "common/Hints.h"
#include "common/Window.h"
#include "shell/Preferences.h"
#include "ui/SoftButt.h"

namespace qd {

// PopupMenu_options: "Ok" (Pop3_Ok), a separator, "E&xit" (Pop3_Exit, Alt+X).
UniqueMenu BuildOptionsMenu();

// Panel_options: the preference check boxes and the group controls on a
// panel with a raised inner and a lowered outer bevel. It fills the same
// area as the item list; closed, it is hidden and disabled.
//
// The panel does not consume Enter: a key typed into its edit is a queued
// message of a child of the main window, so the main window's message filter
// (TForm1::PreTranslateMessage) sees it first and applies the panel while
// IsOpen(). Alt+X there means Pop3_Exit while ContainsFocus().
class TPanelOptions : public TWindow {
  public:
    TPanelOptions(HWND parent, int left, int top, int width, int height, UINT dpi);
    ~TPanelOptions() override;

    // Controls, owned by the panel window.
    HWND CheckBox_minimized = nullptr;
    HWND CheckBox_deletion = nullptr;
    HWND CheckBox_hash = nullptr;
    HWND CheckBox_close = nullptr;
    HWND CheckBox_keepdeleted = nullptr;
    HWND Bevel6 = nullptr;
    HWND Bevel7 = nullptr;
    HWND Label1 = nullptr;
    HWND Edit_groups = nullptr;
    HWND ScrollBar_groups = nullptr;
    HWND Label_hotkey = nullptr;
    HWND Edit_hotkey = nullptr;
    std::unique_ptr<TSoftButt> Button_add_group;
    std::unique_ptr<TSoftButt> Button_del_group;
    std::unique_ptr<TSoftButt> Button_ok_option;

    // "ok" and the menu's "Ok"; the menu's "E&xit".
    std::function<void()> OnOk;
    std::function<void()> OnExit;
    std::function<void()> OnAddGroup;
    std::function<void()> OnDeleteGroup;
    // The user moved the browse bar to `position` (1-based).
    std::function<void(int position)> OnGroupScroll;

    bool Checked(HWND checkBox) const;
    void SetChecked(HWND checkBox, bool checked);
    // The check boxes show the flags; "Close = minimize" shows the negation
    // of the close-closes flag.
    void ShowFlags(const PreferenceFlags& flags);
    PreferenceFlags FlagsFromBoxes() const;

    std::string HotKeyText() const;
    void SetHotKeyText(const std::string& text);
    std::string GroupName() const;
    void SetGroupName(const std::string& name);
    // The browse bar runs from 1 to `maximum`; the position is clamped into
    // that range. Setting it runs no OnGroupScroll: the caller refreshes the
    // name field itself.
    void SetGroupRange(int maximum, int position);
    int GroupMaximum() const;
    int GroupPosition() const;
    // Off in restricted mode: the name field, "add" and "del".
    void SetGroupControlsEnabled(bool enabled);

    // Shown in front of its siblings and enabled / hidden and disabled.
    void Open();
    void Close();
    bool IsOpen() const;
    // The keyboard focus is on a control of the panel.
    bool ContainsFocus() const;
    // While the panel holds the focus, Tab, Shift+Tab and the arrows move
    // between its controls as in a dialog; true when `msg` was handled so.
    bool DialogKeys(MSG& msg);
    // The window moved to a display of another scale.
    void SetDpi(UINT dpi);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    HWND AddControl(const char* className, const char* caption, DWORD style, int left, int top,
                    int width, int height, const char* hint);
    std::unique_ptr<TSoftButt> AddButton(const char* caption, int left, int top, int width,
                                         int height, const char* hint);
    // Every control and soft button of the panel, for the font.
    std::vector<HWND> Controls() const;
    void Layout(int width, int height);
    void Scroll(WPARAM request);
    void ShowMenu(LPARAM where);

    TScaledLayout layout_;
    UniqueFont font_;
    std::unique_ptr<THints> hints_;
};

} // namespace qd
