#pragma once
#include <exception>
#include <string>
#include <thread>

#include "catalogue/CatalogueStore.h"
#include "catalogue/ItemTable.h"
#include "integrity/FolderListing.h"

namespace qd {

// The catalogue read on a thread of its own while the main window is made
// and shown, and, on another, the folders that hold many of its programs
// listed for the start-up pass (from the records alone, which follow the
// icon strip): with thousands of items each takes longer than the window.
// The start-up sequence takes the results at its own steps, so its messages
// come in their usual order.
class CatalogueReadAhead {
  public:
    CatalogueReadAhead(const std::string& cataloguePath, const std::string& launcherFolder);
    ~CatalogueReadAhead();
    CatalogueReadAhead(const CatalogueReadAhead&) = delete;
    CatalogueReadAhead& operator=(const CatalogueReadAhead&) = delete;

    // Waits for the read and gives what LoadCatalogue would have, its error
    // thrown here.
    void Take(ItemTable& table, CatalogueOrigin& origin);
    // Waits for the folders listed for the catalogue's programs (given once).
    FolderListing TakeListing();

  private:
    ItemTable table_;
    CatalogueOrigin origin_ = CatalogueOrigin::Read;
    std::exception_ptr error_;
    FolderListing listing_;
    std::thread reader_;
    std::thread lister_;
};

} // namespace qd
