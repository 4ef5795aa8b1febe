#include "catalogue/ItemPath.h"

#include <windows.h>

#include <vector>

#include "common/WidePath.h"

namespace qd {

std::string ResolveItemPath(const std::string& launcherFolder, const std::string& relativePath) {
    SetCurrentDirectoryW(WidePath(launcherFolder).c_str());
    const std::wstring relative = WideFromAnsi(relativePath);
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(buffer.size()),
                                    buffer.data(), nullptr);
    if (length >= buffer.size()) { // too small: the answer is the size it needs
        buffer.resize(length);
        length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(buffer.size()),
                                  buffer.data(), nullptr);
    }
    return length && length < buffer.size() ? PathFromWide(std::wstring(buffer.data(), length))
                                            : PathFromAnsi(relativePath);
}

} // namespace qd
