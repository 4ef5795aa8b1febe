#include "catalogue/CatalogueStore.h"

#include <windows.h>

#include "catalogue/CatalogueFile.h"
#include "common/Error.h"
#include "common/FileIo.h"
#include "common/WidePath.h"

namespace qd {

namespace {
std::string damagedName(const std::string& path) {
    return path + ".damaged";
}
} // namespace

void LoadCatalogue(const std::string& path, ItemTable& table, CatalogueOrigin& origin) {
    table.clear();
    origin = CatalogueOrigin::Read;
    // Left by a save that was cut short; the catalogue itself is whole.
    DeleteFileIfPresent(TemporaryFileFor(path));
    // Nothing there to keep: make the empty catalogue (which reports a
    // missing folder or drive as it fails).
    if (GetFileAttributesW(WidePath(path).c_str()) == INVALID_FILE_ATTRIBUTES &&
        (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND)) {
        CreateEmptyFile(path);
        return;
    }
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const EQuillDeck& e) {
        origin = CatalogueOrigin::Unreadable;
        throw EQuillDeck(std::string(e.what()) +
                         "\r\nThe list starts empty, and the file is left as it is.");
    }
    try {
        decodeCatalogue(std::move(bytes), table);
    } catch (const EQuillDeck& e) {
        origin = CatalogueOrigin::Damaged;
        throw EQuillDeck(std::string(e.what()) + "\r\n\"" + AnsiFromPath(path) +
                         "\" is damaged: the list starts empty, and the file is kept as it is.");
    }
}

void SaveCatalogue(const std::string& path, const ItemTable& table, CatalogueOrigin origin) {
    if (table.isEmpty()) return;
    const std::string bytes = encodeCatalogue(table);
    if (FileHolds(path, bytes)) return;
    if (origin != CatalogueOrigin::Read && FileExists(path))
        KeepAsNewFile(path, damagedName(path), false);
    WriteFileReplacing(path, bytes);
}

void DeleteCatalogue(const std::string& path, CatalogueOrigin origin) {
    if (origin != CatalogueOrigin::Read) {
        if (FileExists(path)) KeepAsNewFile(path, damagedName(path), true);
        return;
    }
    if (!DeleteFileW(WidePath(path).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw EQuillDeck("Cannot delete file \"" + AnsiFromPath(path) + "\". " +
                         FileErrorCause(path, GetLastError()));
}

} // namespace qd
