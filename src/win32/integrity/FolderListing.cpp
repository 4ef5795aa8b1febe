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
    const std::string path = fullPath.substr(0, slash);
    Folder& folder = folders_[path];
    if (!folder.listed && ++folder.asked == ListAfter) list(path, folder);
    return &folder;
}

FileState FolderListing::check(const std::string& fullPath) {
    const std::string::size_type slash = fullPath.find_last_of("\\/");
    const Folder* folder = folderOf(fullPath, slash);
    if (folder && folder->listed) {
        const auto found = folder->names.find(upperCase(WidePath(fullPath.substr(slash + 1))));
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
