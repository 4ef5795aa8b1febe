#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "catalogue/ItemTable.h"
#include "integrity/SecHash.h"
#include "integrity/Validation.h"
#include "ui/ItemList.h"

namespace qd {

// What the integrity commands work with: the launcher folder that item paths
// are resolved against, the digest, and the window that owns their messages.
struct IntegrityContext {
    HWND owner;
    std::string launcherFolder;
    TSecHash& hash;
};

// The start-up check of every item, with the list kept painted between rows.
// `keepGoing` is asked once per row; false stops the pass there.
void ValidateAllItems(ItemTable& table, const ValidationOptions& options,
                      const IntegrityContext& context, TItemList& list,
                      std::function<bool()> keepGoing);

// "Reset Security *" on a row: asks first, then stores a fresh fingerprint of
// the executable. Returns false when the user kept the item disabled. A file
// that cannot be digested, or that carries a SHA-1 collision attack, throws,
// and the item stays disabled.
bool ResetItemSecurity(ItemTable& table, int row, const IntegrityContext& context);

} // namespace qd
