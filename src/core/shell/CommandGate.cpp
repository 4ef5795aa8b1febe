#include "shell/CommandGate.h"

namespace qd {

namespace {

// Commands that change which rows exist, their order or their cells: the
// start-up pass visits rows by index and must find them as it left them.
bool changesRows(unsigned command) {
    switch (command) {
    case Pop1_AddItem:
    case Pop1_EditItem:
    case Pop1_DeleteItem:
    case Pop1_ResetSecurity:
    case CmdReorder:
    case CmdDropFiles:
        return true;
    default:
        return false;
    }
}

// The toolbar's Exit is not among them: the close-closes flag decides whether
// it closes (and then asks here again as CmdClose) or hides to the tray.
bool closes(unsigned command) {
    return command == CmdClose || command == Pop1_Exit || command == Pop2_Exit;
}

// Commands that act on the current row as the list shows it.
bool actsOnShownRow(unsigned command) {
    return command == Pop1_EditItem || command == Pop1_DeleteItem ||
           command == Pop1_ResetSecurity || command == CmdLaunch;
}

} // namespace

Verdict commandAllowed(unsigned command, const CommandState& state) {
    // A drop cut short would leave files unadded without a word.
    if (closes(command))
        return state.validating || state.dropping ? Verdict::AfterPass : Verdict::Run;
    // With the options panel in front the toolbar is disabled but for Exit.
    if (state.optionsOpen && (command == Pop1_AddItem || command == Pop1_EditItem ||
                              command == Pop1_DeleteItem || command == Pop1_ShowMenu))
        return Verdict::Ignore;
    if ((command == Pop1_EditItem || command == Pop1_DeleteItem) && !state.currentRowHasItem)
        return Verdict::Ignore;
    // A row the search or the group hides is not there for the user.
    if (actsOnShownRow(command) && !state.currentRowShown) return Verdict::Ignore;
    if (command == Pop1_Options && state.restricted) return Verdict::Ignore;
    if (state.validating && changesRows(command)) return Verdict::Refuse;
    // A row the pass has not reached yet may hold a tampered program.
    if ((command == CmdLaunch || command == CmdLaunchEntry) && state.validating &&
        !state.currentRowChecked)
        return Verdict::Ignore;
    return Verdict::Run;
}

} // namespace qd
