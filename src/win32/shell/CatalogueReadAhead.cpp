#include "shell/CatalogueReadAhead.h"

#include <utility>

#include "catalogue/ItemPath.h"

namespace qd {

CatalogueReadAhead::CatalogueReadAhead(const std::string& cataloguePath,
                                       const std::string& launcherFolder)
    : reader_([this, cataloguePath] {
          try {
              LoadCatalogue(cataloguePath, table_, origin_);
          } catch (...) {
              error_ = std::current_exception();
          }
      }),
      lister_([this, cataloguePath, launcherFolder] {
          for (const std::string& program : ReadProgramPaths(cataloguePath))
              listing_.expect(ResolveItemPath(launcherFolder, program));
      }) {}

CatalogueReadAhead::~CatalogueReadAhead() {
    if (reader_.joinable()) reader_.join();
    if (lister_.joinable()) lister_.join();
}

void CatalogueReadAhead::Take(ItemTable& table, CatalogueOrigin& origin) {
    if (reader_.joinable()) reader_.join();
    table = std::move(table_);
    origin = origin_;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

FolderListing CatalogueReadAhead::TakeListing() {
    if (lister_.joinable()) lister_.join();
    return std::move(listing_);
}

} // namespace qd
