#include "catalogue/CatalogueStore.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "catalogue/CatalogueFile.h"
#include "common/Error.h"
#include "common/FileIo.h"
#include "common/WidePath.h"

namespace qd {

namespace {

std::string damagedName(const std::string& path) {
    return path + ".damaged";
}

// A catalogue in its file: pieces are read as they are asked for, until
// hold() reads it whole and lets the file go.
class CatalogueFileBytes final : public CatalogueBytes {
  public:
    explicit CatalogueFileBytes(const std::string& path)
        : file_(std::make_unique<const FileReader>(path)), size_(file_->Size()) {}

    std::uint64_t size() const override { return size_; }

    std::string_view read(std::uint64_t offset, std::size_t count) const override {
        const std::lock_guard lock(state_);
        if (!file_) {
            std::string().swap(piece_); // the last piece's view has expired
            return std::string_view(whole_).substr(static_cast<std::size_t>(offset), count);
        }
        piece_.resize(count);
        readFrom(*file_, offset, piece_.data(), count);
        return piece_;
    }

    void hold() const override {
        const std::lock_guard one(holding_);
        const FileReader* file = nullptr;
        {
            const std::lock_guard lock(state_);
            file = file_.get();
        }
        if (!file) return;
        // Read outside the lock, so that drawing goes on meanwhile; only this
        // function closes the file, and one runs at a time.
        std::string whole(static_cast<std::size_t>(size_), '\0');
        readFrom(*file, 0, whole.data(), whole.size());
        const std::lock_guard lock(state_);
        whole_ = std::move(whole);
        file_.reset();
    }

    // A read failed: the file is there but could not be read, which is not damage.
    bool ReadFailed() const { return readFailed_; }

  private:
    void readFrom(const FileReader& file, std::uint64_t offset, char* out,
                  std::size_t count) const {
        try {
            file.Read(offset, out, count);
        } catch (const EQuillDeck&) {
            readFailed_ = true;
            throw;
        }
    }

    mutable std::mutex holding_;
    mutable std::mutex state_;                       // guards file_, whole_ and piece_
    mutable std::unique_ptr<const FileReader> file_; // null once held
    const std::uint64_t size_;
    mutable std::string whole_;
    mutable std::string piece_;
    mutable std::atomic<bool> readFailed_{false};
};

std::shared_ptr<const CatalogueBytes> load(const std::string& path, ItemTable& table,
                                           CatalogueOrigin& origin, bool leaveImages) {
    table.clear();
    origin = CatalogueOrigin::Read;
    // Left by a save that was cut short; the catalogue itself is whole.
    DeleteFileIfPresent(TemporaryFileFor(path));
    // Nothing there to keep: make the empty catalogue (which reports a
    // missing folder or drive as it fails).
    if (GetFileAttributesW(WidePath(path).c_str()) == INVALID_FILE_ATTRIBUTES &&
        (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND)) {
        CreateEmptyFile(path);
        return nullptr;
    }
    std::shared_ptr<CatalogueFileBytes> file;
    try {
        file = std::make_shared<CatalogueFileBytes>(path);
        if (!leaveImages) file->hold();
        decodeCatalogueLeavingImages(file, table);
    } catch (const EQuillDeck& e) {
        if (file && !file->ReadFailed()) {
            origin = CatalogueOrigin::Damaged;
            throw EQuillDeck(
                std::string(e.what()) + "\r\n\"" + AnsiFromPath(path) +
                "\" is damaged: the list starts empty, and the file is kept as it is.");
        }
        origin = CatalogueOrigin::Unreadable;
        throw EQuillDeck(std::string(e.what()) +
                         "\r\nThe list starts empty, and the file is left as it is.");
    }
    return file;
}

} // namespace

void LoadCatalogue(const std::string& path, ItemTable& table, CatalogueOrigin& origin) {
    load(path, table, origin, false);
}

std::shared_ptr<const CatalogueBytes>
LoadCatalogueLeavingImages(const std::string& path, ItemTable& table, CatalogueOrigin& origin) {
    return load(path, table, origin, true);
}

void SaveCatalogue(const std::string& path, const ItemTable& table, CatalogueOrigin origin) {
    if (table.isEmpty()) return;
    // The file may still hold images not yet read, and is not let go until they are.
    table.holdImages();
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
