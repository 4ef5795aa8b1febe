#pragma once
#include <string>

#include "catalogue/ItemTable.h"

namespace qd {

// Loads the catalogue into the table. No file: an empty one is created and the
// table stays empty. Errors are thrown with the table left empty.
void LoadCatalogue(const std::string& path, ItemTable& table);

// Writes the table unless it is the empty table, which leaves the file as it is.
void SaveCatalogue(const std::string& path, const ItemTable& table);

} // namespace qd
