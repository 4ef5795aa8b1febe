#pragma once
#include <string>

#include "catalogue/ItemTable.h"

namespace qd {

// Loads the catalogue into the table, first removing a temporary file an
// interrupted save left. No file: an empty one is created and the table stays
// empty. Errors are thrown with the table left empty.
void LoadCatalogue(const std::string& path, ItemTable& table);

// Writes the table unless it is the empty table or the file already holds
// exactly its bytes; both leave the file untouched.
// With `keepDamaged` (the file could not be loaded at start) the old file is
// first kept as "<path>.damaged", so nothing of it is lost when it is replaced.
void SaveCatalogue(const std::string& path, const ItemTable& table, bool keepDamaged = false);

} // namespace qd
