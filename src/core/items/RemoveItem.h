#pragma once
#include <functional>

#include "catalogue/ItemTable.h"

namespace qd {

constexpr char RemoveItemQuestion[] = "Sure to delete this item?";

struct RemoveItemResult {
    enum class Outcome {
        Removed,
        Kept,      // the current row belongs to a group the filter hides
        Cancelled, // the user declined: nothing else happens
    };
    Outcome outcome = Outcome::Kept;
    // The table is empty now: its catalogue file goes at once. Never set for
    // Cancelled.
    bool deleteCatalogue = false;
};

// The remove command on the current row. `askUser` shows RemoveItemQuestion
// and returns true for OK; it is called only when `confirmDelete` is on and
// the row may be removed. Afterwards the current row is the last row.
RemoveItemResult RemoveCurrentItem(ItemTable& table, int selectedGroup, bool confirmDelete,
                                   const std::function<bool()>& askUser);

} // namespace qd
