#include "integrity/Launching.h"

#include "catalogue/ItemPath.h"
#include "common/SystemDlls.h"
#include "common/WidePath.h"
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
    SetCurrentDirectoryW(WidePath(folderOf(file)).c_str());
    if (launch.showCommand == 0) return;
    // No error UI: a program that cannot be started shows nothing, as the
    // launcher promises.
    const std::wstring wideFile = WidePath(file);
    const std::wstring parameters = WideFromAnsi(launch.parameters);
    SHELLEXECUTEINFOW info{sizeof(info)};
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = wideFile.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = launch.showCommand;
    Shell().ShellExecuteExW(&info);
}

} // namespace qd
