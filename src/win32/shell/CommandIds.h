#pragma once

namespace qd {

// Command ids of the main window's menu entries and toolbar buttons. The
// system-menu ids 1025-1028 are fixed; the others only need to be distinct.
enum CommandId : unsigned {
    CmdAbout = 1025,
    CmdStayOnTop = 1026,
    CmdDonations = 1027,
    CmdMinimize = 1028,

    Pop1_AddItem = 2001,
    Pop1_EditItem,
    Pop1_DeleteItem,
    Pop1_ResetSecurity,
    Pop1_Minimize,
    Pop1_Restore,
    Pop1_StayOnTop,
    Pop1_Options,
    Pop1_Help,
    Pop1_About,
    Pop1_ShowMenu,
    Pop1_Exit,
    Pop2_restore,
    Pop2_Exit,
    Pop3_Exit,
};

constexpr unsigned WM_TRAYICON = 1148;

} // namespace qd
