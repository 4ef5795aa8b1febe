// What the item commands do once the gate let them through: launch, add
// (chosen or dropped), edit, remove, reorder, reset security, About, exit.
#include "shell/QuillDeck1.h"

#include <utility>

#include "common/AnsiText.h"
#include "common/AppInfo.h"
#include "common/Links.h"
#include "common/SystemDlls.h"
#include "common/WidePath.h"
#include "integrity/ItemValidation.h"
#include "integrity/Launching.h"
#include "items/AddItems.h"
#include "items/QuillDeck2.h"
#include "items/RemoveItem.h"
#include "shell/WindowStates.h"
#include "ui/MessageDialog.h"

namespace qd {

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

void TForm1::MoveDraggedRow() {
    table_.moveRow(RowDragFrom, table_.currentRow());
    ItemsChanged();
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

void TForm1::Pop1_AboutClick() {
    FormAbout->ShowBeside(Handle(), Toolbar->Height(), StringGrid1->RowHeight());
}

void TForm1::OpenDonationPage() {
    OpenLink(GetDesktopWindow(), DonationLink);
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
