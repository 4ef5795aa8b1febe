#include "catalogue/ItemPath.h"

#include <windows.h>

#include "common/WideText.h"

namespace qd {

namespace {

// Setting the current directory opens the folder each time, which costs far
// more than the file check it precedes: skip it when it is already there.
void enterFolder(const std::string& folder) {
    char current[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryA(sizeof(current), current);
    if (length && length < sizeof(current)) {
        const std::string here = std::string(current, length);
        if (here == folder || here + "\\" == folder) return;
    }
    SetCurrentDirectoryA(folder.c_str());
}

} // namespace

std::string ResolveItemPath(const std::string& launcherFolder, const std::string& relativePath) {
    enterFolder(launcherFolder);
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
