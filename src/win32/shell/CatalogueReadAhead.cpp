#include "shell/CatalogueReadAhead.h"

#include <utility>
#include <vector>

#include "catalogue/ItemPath.h"

namespace qd {

CatalogueReadAhead::CatalogueReadAhead(std::string cataloguePath, std::string launcherFolder)
    : thread_([this, path = std::move(cataloguePath), folder = std::move(launcherFolder)] {
          Read(path, folder);
      }) {}

CatalogueReadAhead::~CatalogueReadAhead() {
    if (thread_.joinable()) thread_.join();
}

void CatalogueReadAhead::Read(const std::string& cataloguePath, const std::string& launcherFolder) {
    std::vector<std::string> programs;
    try {
        LoadCatalogue(cataloguePath, table_, origin_);
        if (!table_.isEmpty())
            for (int row = 0; row < table_.rowCount(); ++row)
                programs.push_back(table_.cell(ColRelativePath, row));
    } catch (...) {
        error_ = std::current_exception();
    }
    // The table is handed over from here on; the listing works on its own copy.
    read_.set_value();
    for (const std::string& program : programs)
        listing_.expect(ResolveItemPath(launcherFolder, program));
}

void CatalogueReadAhead::Take(ItemTable& table, CatalogueOrigin& origin) {
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
