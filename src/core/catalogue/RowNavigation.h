#pragma once
#include "catalogue/ItemTable.h"

namespace qd {

// The nearest shown row from `from` in `step` direction (+1 down, -1 up), or
// `from` itself when every row that way is hidden or there is none.
int nextShownRow(const ItemTable& table, int from, int step);

// Home and End: the first or the last shown row (or `from` if none is shown).
int firstShownRow(const ItemTable& table, int from);
int lastShownRow(const ItemTable& table, int from);

// Page Down / Page Up: `page` shown rows further, stopping at the last shown one.
int pageShownRows(const ItemTable& table, int from, int step, int page);

} // namespace qd
