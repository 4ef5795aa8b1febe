#include "items/AddItem.h"

#include "common/AnsiText.h"
#include "common/MessageText.h"
#include "integrity/SecHash.h"
#include "items/RelativePath.h"

namespace qd {

ItemToAdd prepareAddItem(const ItemTable& table, const std::string& launcherFolder,
                         const std::string& fullPath) {
    const std::string path = asciiLower(fullPath);
    ItemToAdd item = prepareStoredItem(table, makeRelativePath(launcherFolder, path));
    item.path = path;
    return item;
}

ItemToAdd prepareStoredItem(const ItemTable& table, const std::string& relativePath) {
    ItemToAdd item;
    item.relativePath = relativePath;
    item.fileName = fileNamePart(relativePath);
    // Its title could end up empty, and an empty Title would read as the empty table.
    if (item.fileName.empty()) throw ESecHashException();
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.cell(ColRelativePath, row) == item.relativePath) {
            item.duplicateWarning = "Item ' " + quotedInMessage(asciiUpper(item.fileName)) +
                                    "' already exists on menu listing ...";
            break;
        }
    }
    return item;
}

RowCells newItemCells(const ItemToAdd& item, const std::string& productName,
                      const std::string& fingerprint, int selectedGroup) {
    // Built whole, in column order: assigning literals cell by cell trips a
    // false -Wrestrict in optimised GCC 12 builds.
    RowCells cells{productName.empty() ? item.fileName : productName,
                   item.relativePath,
                   item.fileName,
                   "0",
                   "",
                   "0",
                   fingerprint,
                   std::to_string(selectedGroup)};
    static_assert(ColTitle == 0 && ColRelativePath == 1 && ColFileName == 2 && ColIconIndex == 3 &&
                  ColCommandLine == 4 && ColWindowStyle == 5 && ColFingerprint == 6 &&
                  ColGroup == 7 && ColumnCount == 8);
    for (auto& cell : cells)
        cell = withoutSeparator(cell);
    return cells;
}

} // namespace qd
