#include "integrity/Launching.h"

#include <shellapi.h>

#include "catalogue/ItemPath.h"
#include "integrity/Launch.h"
#include "ui/MessageDialog.h"

namespace qd {

void LaunchItem(HWND owner, const ItemTable& table, int row, const std::string& launcherFolder) {
    const LaunchDecision launch = decideLaunch(table, row);
    if (launch.action == LaunchDecision::Action::Nothing) return;
    if (launch.action == LaunchDecision::Action::Refuse) {
        MessageDlg(owner, LaunchRefusalText, TMsgDlgType::Error, {TMsgDlgBtn::Abort},
                   TMsgDlgBtn::Abort);
        return;
    }
    const std::string file = ResolveItemPath(launcherFolder, launch.relativePath);
    // The program starts in its own folder: the shell uses the current one.
    SetCurrentDirectoryA(folderOf(file).c_str());
    if (launch.showCommand == 0) return;
    // ShellExecuteA's call with no error UI: a program that cannot be started
    // shows nothing, as the launcher promises.
    SHELLEXECUTEINFOA info{sizeof(info)};
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = launch.parameters.c_str();
    info.nShow = launch.showCommand;
    ShellExecuteExA(&info);
}

} // namespace qd
