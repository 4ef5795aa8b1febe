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

void SaveCatalogue(const std::string& path, const ItemTable& table) {
    if (table.isEmpty()) return;
    WriteFileReplacing(path, encodeCatalogue(table));
}

} // namespace qd
