#pragma once
#include <string>
#include <vector>

#include "catalogue/ItemTable.h"

namespace qd {

struct TrayMenuEntry {
    enum class Kind { Restore, Separator, Launch, Exit };
    Kind kind = Kind::Separator;
    std::string caption; // the menu text; empty for a separator
    bool isDefault = false;
    int row = -1; // Launch: the row the entry starts
};

// The notification-area menu as it opens: "&Restore" (the bold default only
// while the program is hidden in the tray), a separator, one entry per tray
// entry of the table in row order, a second separator when the table holds
// items, "E&xit". Entry p of the result is menu position p, so a launch
// entry's position maps to its row through ItemTable::rowOfTrayPosition.
std::vector<TrayMenuEntry> trayMenuEntries(const ItemTable& table, bool programHidden);

} // namespace qd
