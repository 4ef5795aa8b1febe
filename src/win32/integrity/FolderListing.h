#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "integrity/FileState.h"

namespace qd {

// Answers "is the executable there?" for the many rows of one pass. Each
// lookup of a path costs a file-system call that resolves the whole path
// again; a folder asked about several times is listed once instead, and a
// name found in its listing exists. Anything the listing does not show (a
// missing file, a folder that cannot be listed) is looked up on its own, so
// the answers are those of CheckItemFile.
class FolderListing {
  public:
    FolderListing() = default;
    // Moved, never copied: it keeps a pointer into its own folders, which a
    // move hands over and leaves the source without.
    FolderListing(FolderListing&& other) noexcept { *this = std::move(other); }
    FolderListing& operator=(FolderListing&& other) noexcept {
        folders_ = std::move(other.folders_);
        lastPath_ = std::move(other.lastPath_);
        last_ = std::exchange(other.last_, nullptr);
        key_ = std::move(other.key_);
        return *this;
    }
    FileState check(const std::string& fullPath);
    // Counts the path's folder as asked about, as check does, without
    // looking the path up: folders can be listed ahead of the checks.
    void expect(const std::string& fullPath);

  private:
    struct Folder {
        int asked = 0;
        bool listed = false;
        // Upper-case long names (a path stored by a short name is looked up
        // alone); true for a folder.
        std::unordered_map<std::wstring, bool> names;
    };
    // Asks after which a folder is listed: one or two items in a large
    // folder (a system folder) are cheaper to look up alone.
    static constexpr int ListAfter = 8;

    // The path's folder, counted as asked about and listed once asked
    // enough; null for a path without one.
    Folder* folderOf(const std::string& fullPath, std::string::size_type slash);
    void list(const std::string& folder, Folder& entry);

    std::unordered_map<std::string, Folder> folders_;
    // The folder asked about last, and the buffer each name is looked up in.
    std::string lastPath_;
    Folder* last_ = nullptr;
    std::wstring key_;
};

} // namespace qd
