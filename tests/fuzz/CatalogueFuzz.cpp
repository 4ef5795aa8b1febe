// Feeds arbitrary bytes to the catalogue reader. Beyond not crashing, it holds
// the reader to its promises: damage leaves the empty table, the bytes left in
// their file load as they do from memory, and whatever loads saves and loads
// again to the same rows and the same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/CatalogueFile.h"
#include "common/Error.h"
#include "../core/FileLikeBytes.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void requireEmpty(const qd::ItemTable& table) {
    require(table.isEmpty() && table.rowCount() == 1 && table.cells(0) == qd::RowCells{} &&
            table.imageCount() == 0 && table.trayEntryCount() == 0);
}

// The load's error text, or "" when it loaded.
std::string loadError(const std::function<void()>& load) {
    try {
        load();
        return "";
    } catch (const qd::EQuillDeck& e) {
        return e.what();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qd::ItemTable table;
    const std::string error = loadError([&] { qd::decodeCatalogue(std::string(bytes), table); });
    qd::ItemTable leftInFile;
    const auto file = std::make_shared<qdtest::FileLikeBytes>(std::string(bytes));
    require(loadError([&] { qd::decodeCatalogueLeavingImages(file, leftInFile); }) == error);
    if (!error.empty()) {
        requireEmpty(table);
        requireEmpty(leftInFile);
        return 0;
    }
    require(leftInFile.rowCount() == table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r)
        require(leftInFile.cells(r) == table.cells(r) && leftInFile.icon(r) == table.icon(r));
    if (table.isEmpty()) return 0;
    require(table.trayEntryCount() == 0);

    // What loaded must survive a save: same cells, and icons that differ only
    // where the first save turned transparent into white.
    const std::string saved = qd::encodeCatalogue(table);
    qd::ItemTable again;
    qd::decodeCatalogue(saved, again); // anything thrown here escapes as a crash
    require(again.rowCount() == table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        require(again.cells(r) == table.cells(r));
        qd::IconImage whitened = table.icon(r);
        for (std::uint32_t& pixel : whitened.pixels)
            if (pixel == qd::IconImage::Transparent) pixel = qd::IconImage::White;
        require(again.icon(r) == whitened);
    }
    require(qd::encodeCatalogue(again) == saved);
    return 0;
}
