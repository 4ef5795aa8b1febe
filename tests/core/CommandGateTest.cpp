#include "shell/CommandGate.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

TEST(CommandGate, DecidesEachCommandByState) {
    CommandState idle;
    idle.currentRowHasItem = true;
    CommandState validating = idle;
    validating.validating = true;
    CommandState unchecked = validating;
    unchecked.currentRowChecked = false;
    CommandState empty;
    CommandState options = idle;
    options.optionsOpen = true;
    CommandState restricted = idle;
    restricted.restricted = true;
    CommandState dropping = idle;
    dropping.dropping = true;
    CommandState hiddenRow = idle;
    hiddenRow.currentRowShown = false;
    CommandState hiddenUnchecked = unchecked;
    hiddenUnchecked.currentRowShown = false;

    struct Case {
        const char* name;
        unsigned command;
        CommandState state;
        Verdict verdict;
    };
    const Case cases[] = {
        {"add when idle", Pop1_AddItem, idle, Verdict::Run},
        {"add during the pass", Pop1_AddItem, validating, Verdict::Refuse},
        {"remove during the pass", Pop1_DeleteItem, validating, Verdict::Refuse},
        {"edit during the pass", Pop1_EditItem, validating, Verdict::Refuse},
        {"reset security during the pass", Pop1_ResetSecurity, validating, Verdict::Refuse},
        {"reorder during the pass", CmdReorder, validating, Verdict::Refuse},
        {"drop during the pass", CmdDropFiles, validating, Verdict::Refuse},
        {"reorder when idle", CmdReorder, idle, Verdict::Run},
        {"exit during the pass", Pop1_Exit, validating, Verdict::AfterPass},
        {"tray exit during the pass", Pop2_Exit, validating, Verdict::AfterPass},
        {"caption close during the pass", CmdClose, validating, Verdict::AfterPass},
        {"exit when idle", Pop1_Exit, idle, Verdict::Run},
        {"caption close during a drop", CmdClose, dropping, Verdict::AfterPass},
        {"tray exit during a drop", Pop2_Exit, dropping, Verdict::AfterPass},
        // Its handler decides between closing and hiding; a close asks again.
        {"toolbar exit during the pass", Pop3_Exit, validating, Verdict::Run},
        {"edit a hidden row", Pop1_EditItem, hiddenRow, Verdict::Ignore},
        {"remove a hidden row", Pop1_DeleteItem, hiddenRow, Verdict::Ignore},
        {"reset security of a hidden row", Pop1_ResetSecurity, hiddenRow, Verdict::Ignore},
        {"launch a hidden row", CmdLaunch, hiddenRow, Verdict::Ignore},
        {"tray entry of a hidden row", CmdLaunchEntry, hiddenRow, Verdict::Run},
        {"tray entry of an unchecked row during the pass", CmdLaunchEntry, hiddenUnchecked,
         Verdict::Ignore},
        {"add with a hidden row", Pop1_AddItem, hiddenRow, Verdict::Run},
        {"launch a checked row during the pass", CmdLaunch, validating, Verdict::Run},
        {"launch an unchecked row during the pass", CmdLaunch, unchecked, Verdict::Ignore},
        {"launch an unchecked row after the pass", CmdLaunch,
         [] {
             CommandState s;
             s.currentRowHasItem = true;
             s.currentRowChecked = false;
             return s;
         }(),
         Verdict::Run},
        {"edit with no item", Pop1_EditItem, empty, Verdict::Ignore},
        {"remove with no item", Pop1_DeleteItem, empty, Verdict::Ignore},
        {"add with no item", Pop1_AddItem, empty, Verdict::Run},
        {"add with the options panel open", Pop1_AddItem, options, Verdict::Ignore},
        {"remove with the options panel open", Pop1_DeleteItem, options, Verdict::Ignore},
        {"show menu with the options panel open", Pop1_ShowMenu, options, Verdict::Ignore},
        {"exit with the options panel open", Pop3_Exit, options, Verdict::Run},
        {"options in restricted mode", Pop1_Options, restricted, Verdict::Ignore},
        {"options during the pass", Pop1_Options, validating, Verdict::Run},
        {"add in restricted mode", Pop1_AddItem, restricted, Verdict::Run},
        {"stay on top during the pass", Pop1_StayOnTop, validating, Verdict::Run},
    };
    for (const Case& c : cases)
        EXPECT_EQ(commandAllowed(c.command, c.state), c.verdict) << c.name;
}

} // namespace
} // namespace qd
