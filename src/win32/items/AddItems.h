#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "catalogue/ItemTable.h"

namespace qd {

// What adding needs from the main window.
struct AddContext {
    HWND owner;
    std::string launcherFolder;
    int selectedGroup;
};

// Turns an executable into a new last row: relative path, title from
// "ProductName" (else the file name), fingerprint, icon 0 and the selected
// group. A duplicate gets its warning and changes nothing; a file that cannot
// be read, or that carries a SHA-1 collision attack, throws, and nothing is
// added. Returns true when a row was added. `path` is UTF-8.
bool AddItemFromPath(ItemTable& table, const std::string& path, const AddContext& context);

// OpenDialog1: one executable chosen in the platform's open dialog, starting
// in the launcher folder, as a UTF-8 path; "" when the user cancelled.
std::string ChooseExecutable(HWND owner, const std::string& launcherFolder);

// The executables of a drop as UTF-8 paths, in drop order (".exe" in any
// letter case). A name of MAX_PATH characters or more is reported by
// `tooLong` and skipped.
// `add` runs for each, with waiting messages let run before it.
void ForEachDroppedExecutable(HDROP drop, const std::function<void(const std::string&)>& add,
                              const std::function<void(const std::string&)>& tooLong);

} // namespace qd
