#pragma once
#include "ui/MainMenu.h"

namespace qd {

// Actions that are not menu entries but pass the same gate.
enum GateCommand : unsigned {
    CmdLaunch = 2101, // Enter or a double-click: the current row as the list shows it
    CmdReorder,       // dragging a row onto another
    CmdDropFiles,     // files dropped on the window
    CmdClose,         // closing the window, whichever way was asked for
    CmdLaunchEntry,   // a tray entry: names its item, shown in the list or not
};

// What the gate looks at when a command arrives.
struct CommandState {
    bool validating = false;        // the start-up pass is visiting rows
    bool restricted = false;        // restricted mode
    bool currentRowHasItem = false; // the current row's Title is not empty
    bool currentRowChecked = true;  // the start-up pass has been through the current row
    bool currentRowShown = true;    // neither the group nor the search hides the current row
    bool optionsOpen = false;       // the options panel is in front
    bool dropping = false;          // files dropped on the window are being added
};

enum class Verdict {
    Run,
    Refuse,    // not now: the platform's default beep
    Ignore,    // the command's button is disabled: nothing happens
    AfterPass, // closing: the pass stops after its row, or the drop adds its
               // last file, then the window closes
};

// Whether a command may run now. Menus, shortcuts, keys, toolbar buttons and
// dropped files all ask here, so a command cannot slip past by another road.
Verdict commandAllowed(unsigned command, const CommandState& state);

} // namespace qd
