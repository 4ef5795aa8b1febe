#include "items/RemoveItem.h"

#include <string>

namespace qd {

RemoveItemResult RemoveCurrentItem(ItemTable& table, int selectedGroup, bool confirmDelete,
                                   const std::function<bool()>& askUser) {
    using Outcome = RemoveItemResult::Outcome;
    RemoveItemResult result;
    const int row = table.currentRow();
    // Compared as text: a row whose Group is not exactly the shown group's
    // number is hidden by the filter and must not go unseen.
    const bool hidden =
        selectedGroup != 0 && table.cell(ColGroup, row) != std::to_string(selectedGroup);
    if (!hidden) {
        if (confirmDelete && !askUser()) {
            result.outcome = Outcome::Cancelled;
            return result;
        }
        table.deleteRow(row);
        // The selection travels with the deleted row to the end of the grid.
        table.setCurrentRow(table.rowCount() - 1);
        result.outcome = Outcome::Removed;
    }
    result.deleteCatalogue = table.isEmpty();
    return result;
}

} // namespace qd
