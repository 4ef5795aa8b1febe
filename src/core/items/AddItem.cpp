#include "items/AddItem.h"

#include "common/AnsiText.h"
#include "integrity/SecHash.h"
#include "items/RelativePath.h"

namespace qd {

ItemToAdd prepareAddItem(const ItemTable& table, const std::string& launcherFolder,
                         const std::string& fullPath) {
    ItemToAdd item;
    item.path = asciiLower(fullPath);
    item.fileName = fileNamePart(item.path);
    // Its title could end up empty, and an empty Title would read as the empty table.
    if (item.fileName.empty()) throw ESecHashException();
    item.relativePath = makeRelativePath(launcherFolder, item.path);
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.cell(ColRelativePath, row) == item.relativePath) {
            item.duplicateWarning =
                "Item ' " + asciiUpper(item.fileName) + "' already exists on menu listing ...";
            break;
        }
    }
    return item;
}

RowCells newItemCells(const ItemToAdd& item, const std::string& productName,
                      const std::string& fingerprint, int selectedGroup) {
    RowCells cells;
    cells[ColTitle] = productName.empty() ? item.fileName : productName;
    cells[ColRelativePath] = item.relativePath;
    cells[ColFileName] = item.fileName;
    cells[ColIconIndex] = "0";
    cells[ColWindowStyle] = "0";
    cells[ColFingerprint] = fingerprint;
    cells[ColGroup] = std::to_string(selectedGroup);
    for (auto& cell : cells)
        cell = withoutSeparator(cell);
    return cells;
}

} // namespace qd
