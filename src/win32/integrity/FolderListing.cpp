#include "integrity/FolderListing.h"

#include <windows.h>

#include "common/WidePath.h"
#include "integrity/FileCheck.h"

namespace qd {

namespace {

std::wstring upperCase(std::wstring name) {
    // The file system's own case rule for names, not the locale's.
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

} // namespace

FolderListing::Folder* FolderListing::folderOf(const std::string& fullPath,
                                               std::string::size_type slash) {
    if (slash == std::string::npos || slash + 1 == fullPath.size()) return nullptr;
    // The rows of one folder mostly come one after another.
    const std::string_view path(fullPath.data(), slash);
    if (!last_ || path != lastPath_) {
        lastPath_ = path;
        last_ = &folders_[lastPath_];
    }
    if (!last_->listed && ++last_->asked == ListAfter) list(lastPath_, *last_);
    return last_;
}

FileState FolderListing::check(const std::string& fullPath) {
    const std::string::size_type slash = fullPath.find_last_of("\\/");
    const Folder* folder = folderOf(fullPath, slash);
    if (folder && folder->listed) {
        // The name as the listing keeps it, made in a buffer kept for the next.
        const char* name = fullPath.data() + slash + 1;
        const int size = static_cast<int>(fullPath.size() - slash - 1);
        key_.resize(
            static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, name, size, nullptr, 0)));
        MultiByteToWideChar(CP_UTF8, 0, name, size, key_.data(), static_cast<int>(key_.size()));
        CharUpperBuffW(key_.data(), static_cast<DWORD>(key_.size()));
        const auto found = folder->names.find(key_);
        if (found != folder->names.end())
            return judgeLookup(found->second ? LookupOutcome::Folder : LookupOutcome::File, true);
    }
    return CheckItemFile(fullPath);
}

void FolderListing::expect(const std::string& fullPath) {
    folderOf(fullPath, fullPath.find_last_of("\\/"));
}

void FolderListing::list(const std::string& folder, Folder& entry) {
    WIN32_FIND_DATAW data;
    HANDLE find =
        FindFirstFileExW((FileSystemPath(folder) + L"\\*").c_str(), FindExInfoBasic, &data,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return; // every row of it is looked up alone
    do {
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.names.emplace(upperCase(data.cFileName), isFolder);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    // Even a listing cut short is right about the names it holds.
    entry.listed = true;
}

} // namespace qd
