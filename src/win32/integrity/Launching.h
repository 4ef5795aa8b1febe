#pragma once
#include <windows.h>

#include <string>

#include "catalogue/ItemTable.h"

namespace qd {

// Starts a row's program from the launcher folder, with its options, its
// folder as current directory and its show command; a disabled item gets the
// refusal dialog instead, the empty table nothing.
void LaunchItem(HWND owner, const ItemTable& table, int row, const std::string& launcherFolder);

} // namespace qd
