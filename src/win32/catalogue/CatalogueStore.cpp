#include "catalogue/CatalogueStore.h"

#include "catalogue/CatalogueFile.h"
#include "common/FileIo.h"

namespace qd {

void LoadCatalogue(const std::string& path, ItemTable& table) {
    table.clear();
    // Left by a save that was cut short; the catalogue itself is whole.
    DeleteFileIfPresent(TemporaryFileFor(path));
    if (!FileExists(path)) {
        CreateEmptyFile(path);
        return;
    }
    decodeCatalogue(ReadWholeFile(path), table);
}

void SaveCatalogue(const std::string& path, const ItemTable& table, bool keepDamaged) {
    if (table.isEmpty()) return;
    const std::string bytes = encodeCatalogue(table);
    if (FileHolds(path, bytes)) return;
    if (keepDamaged && FileExists(path)) CopyFileReplacing(path, path + ".damaged");
    WriteFileReplacing(path, bytes);
}

} // namespace qd
