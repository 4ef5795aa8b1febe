// The start-up sequence of the main window, step by step, in its order.
#include "shell/QuillDeck1.h"

#include "common/AppInfo.h"
#include "common/ScopedState.h"
#include "integrity/ItemValidation.h"
#include "shell/CommandLine.h"
#include "shell/HotKeyText.h"
#include "shell/MainWindowLayout.h"
#include "shell/SavedPlacement.h"
#include "ui/MainMenu.h"

namespace qd {

using namespace MainWindowLayout;

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
    // The list takes keys: the images not drawn yet are read behind it.
    readAhead_->ReadImages();
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
    tray_ = std::make_unique<TTrayIcon>(Handle(), ApplicationIcon());
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

void TForm1::RegisterGlobalHotKey() {
    // Restricted mode uses the default and writes nothing.
    hotKeyText_ =
        restrictedMode_ ? DefaultHotKeyText : preferences_->readString("HotKey", DefaultHotKeyText);
    hotKey_->Use(hotKeyText_, true);
}

} // namespace qd
