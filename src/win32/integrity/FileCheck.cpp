#include "integrity/FileCheck.h"

#include <windows.h>

namespace qd {

namespace {

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring FileSystemPath(const std::string& fullPath) {
    const std::string path = extendedLengthPath(fullPath);
    const int size = static_cast<int>(path.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

FileState CheckItemFile(const std::string& fullPath) {
    const DWORD attributes = GetFileAttributesW(FileSystemPath(fullPath).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return judgeLookup(attributes & FILE_ATTRIBUTE_DIRECTORY ? LookupOutcome::Folder
                                                                 : LookupOutcome::File,
                           true);
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
        return judgeLookup(LookupOutcome::FileNotFound, true);
    case ERROR_PATH_NOT_FOUND: {
        const std::string root = pathRoot(fullPath);
        return judgeLookup(LookupOutcome::PathNotFound, !root.empty() && isFolder(root));
    }
    default:
        return judgeLookup(LookupOutcome::OtherError, false);
    }
}

} // namespace qd
