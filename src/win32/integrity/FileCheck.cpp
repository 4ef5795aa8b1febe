#include "integrity/FileCheck.h"

#include <windows.h>

#include "common/WidePath.h"

namespace qd {

namespace {

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring FileSystemPath(const std::string& fullPath) {
    return WidePath(extendedLengthPath(fullPath));
}

FileState CheckItemFile(const std::string& fullPath) {
    const DWORD attributes = GetFileAttributesW(FileSystemPath(fullPath).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return judgeLookup(attributes & FILE_ATTRIBUTE_DIRECTORY ? LookupOutcome::Folder
                                                                 : LookupOutcome::File,
                           true);
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        return judgeLookup(LookupOutcome::OtherError, false);
    const std::string root = pathRoot(fullPath);
    return judgeLookup(error == ERROR_FILE_NOT_FOUND ? LookupOutcome::FileNotFound
                                                     : LookupOutcome::PathNotFound,
                       !root.empty() && isFolder(root));
}

} // namespace qd
