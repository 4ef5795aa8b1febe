#include "catalogue/ItemPath.h"

#include <windows.h>

#include <vector>

namespace qd {

std::string ResolveItemPath(const std::string& launcherFolder, const std::string& relativePath) {
    SetCurrentDirectoryA(launcherFolder.c_str());
    std::vector<char> buffer(MAX_PATH);
    DWORD length = GetFullPathNameA(relativePath.c_str(), static_cast<DWORD>(buffer.size()),
                                    buffer.data(), nullptr);
    if (length >= buffer.size()) { // too small: the answer is the size it needs
        buffer.resize(length);
        length = GetFullPathNameA(relativePath.c_str(), static_cast<DWORD>(buffer.size()),
                                  buffer.data(), nullptr);
    }
    return length && length < buffer.size() ? std::string(buffer.data(), length) : relativePath;
}

} // namespace qd
