#pragma once
#include <string>
#include <vector>

#include "catalogue/ItemTable.h"

namespace qdtest {

// One item per Group cell given, titled "item0", "item1", ... in row order.
inline qd::ItemTable tableOfGroups(const std::vector<std::string>& groups) {
    qd::ItemTable table;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const std::string title = "item" + std::to_string(i);
        table.addItem({title, title + ".exe", title + ".exe", "0", "", "0", "K", groups[i]},
                      qd::IconImage{});
    }
    return table;
}

// The cells of one column, top row first.
inline std::vector<std::string> columnCells(const qd::ItemTable& table, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < table.rowCount(); ++row)
        cells.push_back(table.cell(column, row));
    return cells;
}

} // namespace qdtest
