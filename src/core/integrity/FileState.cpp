#include "integrity/FileState.h"

namespace qd {

namespace {
constexpr std::size_t MaxPath = 260;

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDrivePath(const std::string& path) {
    return path.size() >= 3 && isDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool isUncPath(const std::string& path) {
    return path.size() > 2 && path[0] == '\\' && path[1] == '\\' && path[2] != '?' &&
           path[2] != '.' && path[2] != '\\';
}
} // namespace

FileState judgeLookup(LookupOutcome outcome, bool rootReachable) {
    switch (outcome) {
    case LookupOutcome::File:
        return FileState::Exists;
    case LookupOutcome::Folder: // a folder is not an executable
        return FileState::Missing;
    case LookupOutcome::FileNotFound: // some file systems say so for a drive that is not there
    case LookupOutcome::PathNotFound:
        return rootReachable ? FileState::Missing : FileState::Unknown;
    case LookupOutcome::OtherError:
        break;
    }
    return FileState::Unknown;
}

std::string pathRoot(const std::string& fullPath) {
    if (isDrivePath(fullPath)) return fullPath.substr(0, 3);
    if (!isUncPath(fullPath)) return "";
    const std::size_t server = fullPath.find('\\', 2);
    if (server == std::string::npos || server == 2) return "";
    const std::size_t share = fullPath.find('\\', server + 1);
    if (share == server + 1) return "";
    return share == std::string::npos ? fullPath + "\\" : fullPath.substr(0, share + 1);
}

std::string extendedLengthPath(const std::string& fullPath) {
    if (fullPath.size() < MaxPath) return fullPath;
    if (isDrivePath(fullPath)) return "\\\\?\\" + fullPath;
    if (isUncPath(fullPath)) return "\\\\?\\UNC\\" + fullPath.substr(2);
    return fullPath;
}

} // namespace qd
