#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "catalogue/ItemTable.h"
#include "integrity/SecHash.h"

namespace qd {

// The check of a program at the moment it starts, while integrity checking
// is on: the digest, and how a row just disabled is drawn before the message
// that names it.
struct LaunchCheck {
    TSecHash& hash;
    std::function<void()> rowDisabled;
};

// Starts a row's program from the launcher folder, with its options, its
// folder as current directory and its show command; a disabled item gets the
// refusal dialog instead, the empty table nothing. With a `check`, the program
// is held against changes, digested and compared with its fingerprint first,
// and stays held until the shell has created the process: a changed one
// disables the row with the security error, one that cannot be held is
// refused with a message, and neither is started.
void LaunchItem(HWND owner, ItemTable& table, int row, const std::string& launcherFolder,
                const LaunchCheck* check);

} // namespace qd
