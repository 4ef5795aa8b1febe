#pragma once
#include <string>

#include "catalogue/ItemTable.h"

namespace qd {

// Adding runs in two steps so that nothing is read from the file, and nothing
// changes, for an executable that is listed already: first prepareAddItem;
// then, unless it is a duplicate, the title source and the fingerprint are
// read from `path` and newItemCells gives the row. Every value is in hand
// before the table changes, so a failure on the way adds nothing.
struct ItemToAdd {
    std::string path; // the full path, lower case; every value comes from it
    std::string relativePath;
    std::string fileName;
    // Set when an item with this RelativePath exists: the text of the warning
    // to show instead of adding.
    std::string duplicateWarning;

    bool isDuplicate() const { return !duplicateWarning.empty(); }
};

// The same for a RelativePath already made and spelled as it is stored; `path`
// stays empty. Throws ESecHashException for a path that names no file.
ItemToAdd prepareStoredItem(const ItemTable& table, const std::string& relativePath);

// Throws ESecHashException ("File not found !") for a path that names no file.
ItemToAdd prepareAddItem(const ItemTable& table, const std::string& launcherFolder,
                         const std::string& fullPath);

// The eight cells of the new row. `productName` is the file's "ProductName"
// (may be empty), `fingerprint` its item fingerprint. A '|' becomes
// SeparatorStandIn.
RowCells newItemCells(const ItemToAdd& item, const std::string& productName,
                      const std::string& fingerprint, int selectedGroup);

} // namespace qd
