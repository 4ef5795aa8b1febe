#include "shell/CatalogueReadAhead.h"

#include <utility>
#include <vector>

#include <windows.h>

#include "catalogue/ItemPath.h"
#include "common/WidePath.h"

namespace qd {

namespace {

// Below this a catalogue (some hundreds of items) is read in its step: a
// thread of its own would cost the start more than it saves.
constexpr ULONGLONG ReadAheadFrom = 4 * 1024 * 1024;

ULONGLONG fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return ULONGLONG{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

} // namespace

CatalogueReadAhead::CatalogueReadAhead(std::string cataloguePath, std::string launcherFolder)
    : path_(std::move(cataloguePath)) {
    if (fileSize(path_) >= ReadAheadFrom)
        thread_ = std::thread([this, folder = std::move(launcherFolder)] { Read(path_, folder); });
}

CatalogueReadAhead::~CatalogueReadAhead() {
    if (thread_.joinable()) thread_.join();
}

void CatalogueReadAhead::Read(const std::string& cataloguePath, const std::string& launcherFolder) {
    try {
        LoadCatalogue(cataloguePath, table_, origin_);
    } catch (...) {
        error_ = std::current_exception();
    }
    std::vector<std::string> programs;
    for (int row = 0; !table_.isEmpty() && row < table_.rowCount(); ++row)
        programs.push_back(table_.cell(ColRelativePath, row));
    read_.set_value();
    // Listed after the load, not beside it: with a thread of its own the
    // listing slowed the making of the window more than it saved.
    for (const std::string& program : programs)
        listing_.expect(ResolveItemPath(launcherFolder, program));
}

void CatalogueReadAhead::Take(ItemTable& table, CatalogueOrigin& origin) {
    if (!thread_.joinable()) return LoadCatalogue(path_, table, origin);
    readDone_.wait();
    table = std::move(table_);
    origin = origin_;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

FolderListing CatalogueReadAhead::TakeListing() {
    if (thread_.joinable()) thread_.join();
    return std::move(listing_);
}

} // namespace qd
