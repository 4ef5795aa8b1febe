#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "catalogue/ItemTable.h"
#include "integrity/FolderListing.h"
#include "integrity/SecHash.h"
#include "integrity/Validation.h"

namespace qd {

// What the integrity commands work with: the launcher folder that item paths
// are resolved against, the digest, and the window that owns their messages.
struct IntegrityContext {
    HWND owner;
    std::string launcherFolder;
    TSecHash& hash;
};

// The start-up check of every item. `rowChanged` draws a row the pass
// disabled or removed, at once; `keepGoing` is asked once per row, false
// stops the pass there. `listing` may hold folders listed ahead of the pass.
void ValidateAllItems(ItemTable& table, const ValidationOptions& options,
                      const IntegrityContext& context,
                      std::function<void(int row, bool removed)> rowChanged,
                      std::function<bool()> keepGoing, FolderListing listing = {});

// "Reset Security *" on a row: asks first, then stores a fresh fingerprint of
// the executable. Returns false when the user kept the item disabled. A file
// that cannot be digested, or that carries a SHA-1 collision attack, throws,
// and the item stays disabled.
bool ResetItemSecurity(ItemTable& table, int row, const IntegrityContext& context);

} // namespace qd
