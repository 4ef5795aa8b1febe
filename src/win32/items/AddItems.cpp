#include "items/AddItems.h"

#include <vector>

#include "common/AnsiText.h"
#include "common/Handles.h"
#include "common/SystemDlls.h"
#include "common/WidePath.h"
#include "integrity/FileDigest.h"
#include "items/AddItem.h"
#include "items/IconExtraction.h"
#include "items/VersionInfo.h"
#include "shell/MessageLoop.h"
#include "ui/MessageDialog.h"

namespace qd {

bool AddItemFromPath(ItemTable& table, const std::string& path, const AddContext& context) {
    ScopedBusyCursor busy;
    // The dialog and dropping give ANSI paths, as the catalogue stores them.
    const ItemToAdd item = prepareAddItem(table, AnsiFromPath(context.launcherFolder), path);
    if (item.isDuplicate()) {
        MessageDlg(context.owner, item.duplicateWarning, TMsgDlgType::Warning, {TMsgDlgBtn::OK},
                   TMsgDlgBtn::OK);
        return false;
    }
    // Every value is read before the table changes: a failure adds nothing.
    const std::string file = PathFromAnsi(item.path);
    const std::string fingerprint = StoredFingerprintOf(file, "Cannot add \"" + path + "\"");
    const RowCells cells = newItemCells(item, ReadVersionString(file, "ProductName"), fingerprint,
                                        context.selectedGroup);
    const IconImage icon = ExtractItemIcon(file, 0);
    table.addItem(cells, icon);
    return true;
}

std::string ChooseExecutable(HWND owner, const std::string& launcherFolder) {
    std::vector<char> file(32 * 1024, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Executable files (*.exe)\0*.EXE\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    const std::string initialFolder = AnsiFromPath(launcherFolder);
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.Flags =
        OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!Shell().GetOpenFileNameA(&dialog)) return "";
    return file.data();
}

void ForEachDroppedExecutable(HDROP drop, const std::function<void(const std::string&)>& add,
                              const std::function<void(const std::string&)>& tooLong) {
    const UINT count = Shell().DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // The name's length first: a fixed buffer would cut a long path and
        // add a wrong one.
        const UINT length = Shell().DragQueryFileA(drop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        Shell().DragQueryFileA(drop, i, name.data(), length + 1);
        name.resize(length);
        const std::size_t dot = name.find_last_of('.');
        const std::size_t slash = name.find_last_of("\\:");
        const bool exe = dot != std::string::npos && (slash == std::string::npos || dot > slash) &&
                         asciiLower(name.substr(dot)) == ".exe";
        if (!exe) continue;
        if (name.size() >= MAX_PATH) {
            tooLong(name);
            continue;
        }
        ProcessMessages();
        add(name);
    }
}

} // namespace qd
