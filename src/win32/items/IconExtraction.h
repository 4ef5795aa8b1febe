#pragma once
#include <string>

#include "catalogue/ItemTable.h"

namespace qd {

// Icon `index` of an executable as an item image: drawn on white, scaled to
// 21 x 21, fuchsia pixels transparent. All white when the file has no icon
// there (or is missing, or the index is negative).
IconImage ExtractItemIcon(const std::string& fullPath, int index);

// How many icons the executable holds; 0 for none or a missing file.
int IconCount(const std::string& fullPath);

} // namespace qd
