#include "shell/CatalogueReadAhead.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include <windows.h>

#include "catalogue/ItemPath.h"
#include "common/Error.h"
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
    {
        const std::lock_guard lock(imagesMutex_);
        if (images_ == Images::Wait) images_ = Images::Leave;
    }
    imagesAsked_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void CatalogueReadAhead::Read(const std::string& cataloguePath, const std::string& launcherFolder) {
    try {
        bytes_ = LoadCatalogueLeavingImages(cataloguePath, table_, origin_);
    } catch (...) {
        error_ = std::current_exception();
    }
    std::vector<std::string> programs;
    for (int row = 0; !table_.isEmpty() && row < table_.rowCount(); ++row)
        programs.push_back(table_.cell(ColRelativePath, row));
    read_.set_value();
    // Listed after the load, not beside it: with a thread of its own the
    // listing slowed the making of the window more than it saved.
    // Resolved once per folder as stored: programs mostly share a few. Only
    // which folders are listed ahead depends on it, never an answer.
    std::unordered_map<std::string, std::string> resolved;
    for (const std::string& program : programs) {
        const std::string::size_type slash = program.find_last_of("\\/");
        const auto [folder, first] = resolved.try_emplace(
            slash == std::string::npos ? std::string() : program.substr(0, slash + 1));
        if (first) folder->second = ResolveItemPath(launcherFolder, program);
        listing_.expect(folder->second);
    }
    listed_.set_value();
    if (!bytes_ || !WaitForImages()) return;
    try {
        bytes_->hold();
    } catch (const EQuillDeck&) {
        // The file stays open; the save holds it again and says why it cannot.
    }
}

bool CatalogueReadAhead::WaitForImages() {
    std::unique_lock lock(imagesMutex_);
    imagesAsked_.wait(lock, [this] { return images_ != Images::Wait; });
    return images_ == Images::Read;
}

void CatalogueReadAhead::ReadImages() {
    {
        const std::lock_guard lock(imagesMutex_);
        if (images_ == Images::Wait) images_ = Images::Read;
    }
    imagesAsked_.notify_one();
}

void CatalogueReadAhead::Take(ItemTable& table, CatalogueOrigin& origin) {
    if (!thread_.joinable()) return LoadCatalogue(path_, table, origin);
    readDone_.wait();
    table = std::move(table_);
    origin = origin_;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

FolderListing CatalogueReadAhead::TakeListing() {
    if (thread_.joinable()) listingDone_.wait();
    return std::move(listing_);
}

} // namespace qd
