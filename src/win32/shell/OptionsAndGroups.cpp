// The options panel (opened over the list, applied by OK) and the groups:
// adding and deleting them, browsing them and filtering the list by one.
#include "shell/QuillDeck1.h"

#include "common/Error.h"
#include "groups/GroupMenus.h"
#include "shell/HotKeyText.h"
#include "shell/MainWindowLayout.h"
#include "ui/TypeToFind.h"

namespace qd {

using namespace MainWindowLayout;

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

void TForm1::GroupItemClick(int index) {
    // A group change ends the search; the group decides what shows.
    search_.clear();
    applySearch(table_, search_);
    ShowSearch();
    selectedGroup_ = selectGroup(table_, groups_, index);
    groupChosen_ = true;
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
        if (!hotKey_->Use(hotKey, true))
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

} // namespace qd
