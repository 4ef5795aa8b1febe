#include "catalogue/CatalogueStore.h"

#include "catalogue/CatalogueFile.h"
#include "common/FileIo.h"

namespace qd {

void LoadCatalogue(const std::string& path, ItemTable& table) {
    table.clear();
    if (!FileExists(path)) {
        CreateEmptyFile(path);
        return;
    }
    decodeCatalogue(ReadWholeFile(path), table);
}

void SaveCatalogue(const std::string& path, const ItemTable& table, bool keepDamaged) {
    if (table.isEmpty()) return;
    if (keepDamaged && FileExists(path)) CopyFileReplacing(path, path + ".damaged");
    WriteFileReplacing(path, encodeCatalogue(table));
}

} // namespace qd
