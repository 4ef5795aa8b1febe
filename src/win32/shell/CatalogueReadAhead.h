#pragma once
#include <condition_variable>
#include <exception>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "catalogue/CatalogueStore.h"
#include "catalogue/ItemTable.h"
#include "integrity/FolderListing.h"

namespace qd {

// A large catalogue read on a thread of its own while the main window is made
// and shown, then the folders that hold many of its programs listed for the
// start-up pass: with thousands of items both take longer than the window.
// Its images are read once the list takes keys, on the same thread; until
// then only those drawn are read. The start-up sequence takes the result at
// its own step, so its messages come in their usual order.
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
    // The list takes keys: the images not read yet are read now.
    void ReadImages();

  private:
    void Read(const std::string& cataloguePath, const std::string& launcherFolder);
    // Whether the images are to be read (false: the launcher is closing first).
    bool WaitForImages();

    std::string path_;
    ItemTable table_;
    CatalogueOrigin origin_ = CatalogueOrigin::Read;
    std::exception_ptr error_;
    std::shared_ptr<const CatalogueBytes> bytes_;
    std::promise<void> read_;
    std::future<void> readDone_ = read_.get_future();
    FolderListing listing_;
    std::promise<void> listed_;
    std::future<void> listingDone_ = listed_.get_future();
    enum class Images { Wait, Read, Leave };
    std::mutex imagesMutex_;
    std::condition_variable imagesAsked_;
    Images images_ = Images::Wait;
    std::thread thread_;
};

} // namespace qd
