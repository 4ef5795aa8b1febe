#include "catalogue/ItemPath.h"

#include <windows.h>

#include "common/WideText.h"

namespace qd {

std::string ResolveItemPath(const std::string& launcherFolder, const std::string& relativePath) {
    SetCurrentDirectoryA(launcherFolder.c_str());
    // The wide call: the ANSI one gives up on full paths of MAX_PATH or more.
    const std::wstring path = WideFromAnsi(relativePath);
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (!length || length >= full.size()) return relativePath;
    full.resize(length);
    return AnsiFromWide(full);
}

} // namespace qd
