#include "integrity/Launching.h"

#include "catalogue/ItemPath.h"
#include "common/SystemDlls.h"
#include "common/WidePath.h"
#include "integrity/HeldProgram.h"
#include "integrity/Launch.h"
#include "integrity/Validation.h"
#include "integrity/Win32ValidationEnvironment.h"
#include "ui/MessageDialog.h"

namespace qd {

namespace {

void startProgram(HWND owner, const std::string& file, const LaunchDecision& launch) {
    // No error UI: a program that cannot be started shows nothing, as the
    // launcher promises.
    const std::wstring wideFile = WidePath(file);
    const std::wstring parameters = WideFromAnsi(launch.parameters);
    SHELLEXECUTEINFOW info{sizeof(info)};
    // NOASYNC: the process exists when the call returns, and only then may a
    // held program be let go.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = wideFile.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = launch.showCommand;
    Shell().ShellExecuteExW(&info);
}

} // namespace

void LaunchItem(HWND owner, ItemTable& table, int row, const std::string& launcherFolder,
                const LaunchCheck* check) {
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
    if (!check) return startProgram(owner, file, launch);
    const THeldProgram held(file);
    if (!held.IsHeld()) {
        MessageDlg(owner, launchNotCheckedText(table, row), TMsgDlgType::Error, {TMsgDlgBtn::OK},
                   TMsgDlgBtn::OK);
        return;
    }
    if (!acceptLaunchDigest(table, row, held.Digest(check->hash))) {
        check->rowDisabled();
        ShowSecurityError(owner, changedFileText(table, row));
        return;
    }
    startProgram(owner, file, launch);
}

} // namespace qd
