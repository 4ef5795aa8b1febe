#include "items/AddItems.h"

#include <vector>

#include "common/AnsiText.h"
#include "common/Handles.h"
#include "common/SystemDlls.h"
#include "common/WidePath.h"
#include "integrity/FileDigest.h"
#include "items/AddItem.h"
#include "items/IconExtraction.h"
#include "items/StoredPath.h"
#include "items/VersionInfo.h"
#include "shell/MessageLoop.h"
#include "ui/MessageDialog.h"

namespace qd {

bool AddItemFromPath(ItemTable& table, const std::string& path, const AddContext& context) {
    ScopedBusyCursor busy;
    const ItemToAdd item =
        prepareStoredItem(table, StoredRelativePath(context.launcherFolder, path));
    if (item.isDuplicate()) {
        MessageDlg(context.owner, item.duplicateWarning, TMsgDlgType::Warning, {TMsgDlgBtn::OK},
                   TMsgDlgBtn::OK);
        return false;
    }
    // Every value is read before the table changes: a failure adds nothing.
    const std::string& file = path;
    const std::string fingerprint =
        StoredFingerprintOf(file, "Cannot add \"" + AnsiFromPath(path) + "\"");
    const RowCells cells = newItemCells(item, ReadVersionString(file, "ProductName"), fingerprint,
                                        context.selectedGroup);
    const IconImage icon = ExtractItemIcon(file, 0);
    table.addItem(cells, icon);
    return true;
}

std::string ChooseExecutable(HWND owner, const std::string& launcherFolder) {
    // Wide, so that a folder named in any script comes back as it is.
    std::vector<wchar_t> file(32 * 1024, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Executable files (*.exe)\0*.EXE\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    const std::wstring initialFolder = WidePath(launcherFolder);
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.Flags =
        OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!CommonDialogs().GetOpenFileNameW(&dialog)) return "";
    return PathFromWide(file.data());
}

void ForEachDroppedExecutable(HDROP drop, const std::function<void(const std::string&)>& add,
                              const std::function<void(const std::string&)>& tooLong) {
    const UINT count = Shell().DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // The name's length first: a fixed buffer would cut a long path and
        // add a wrong one. Wide, as the shell holds it, whatever its script.
        const UINT length = Shell().DragQueryFileW(drop, i, nullptr, 0);
        std::wstring wide(length + 1, L'\0');
        Shell().DragQueryFileW(drop, i, wide.data(), length + 1);
        wide.resize(length);
        const std::string name = PathFromWide(wide);
        const std::size_t dot = name.find_last_of('.');
        const std::size_t slash = name.find_last_of("\\:");
        const bool exe = dot != std::string::npos && (slash == std::string::npos || dot > slash) &&
                         asciiLower(name.substr(dot)) == ".exe";
        if (!exe) continue;
        if (wide.size() >= MAX_PATH) {
            tooLong(name);
            continue;
        }
        ProcessMessages();
        add(name);
    }
}

} // namespace qd
