#pragma once
#include <exception>
#include <future>
#include <string>
#include <thread>

#include "catalogue/CatalogueStore.h"
#include "catalogue/ItemTable.h"
#include "integrity/FolderListing.h"

namespace qd {

// A large catalogue read on a thread of its own while the main window is made
// and shown, then the folders that hold many of its programs listed for the
// start-up pass: with thousands of items both take longer than the window.
// The start-up sequence takes the result at its own step, so its messages
// come in their usual order.
class CatalogueReadAhead {
  public:
    CatalogueReadAhead(std::string cataloguePath, std::string launcherFolder);
    ~CatalogueReadAhead();
    CatalogueReadAhead(const CatalogueReadAhead&) = delete;
    CatalogueReadAhead& operator=(const CatalogueReadAhead&) = delete;

    // Waits for the read and gives what LoadCatalogue would have, its error
    // thrown here. The listing goes on meanwhile.
    void Take(ItemTable& table, CatalogueOrigin& origin);
    // Waits for the folders listed for the table's programs (given once).
    FolderListing TakeListing();

  private:
    void Read(const std::string& cataloguePath, const std::string& launcherFolder);

    std::string path_;
    ItemTable table_;
    CatalogueOrigin origin_ = CatalogueOrigin::Read;
    std::exception_ptr error_;
    std::promise<void> read_;
    std::future<void> readDone_ = read_.get_future();
    FolderListing listing_;
    std::thread thread_;
};

} // namespace qd
