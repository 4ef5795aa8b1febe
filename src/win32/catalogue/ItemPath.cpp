#include "catalogue/ItemPath.h"

#include <windows.h>

#include "common/WidePath.h"

namespace qd {

namespace {

// Setting the current directory opens the folder each time, which costs far
// more than the file check it precedes: skip it when it is already there.
void enterFolder(const std::string& folder) {
    const std::wstring wanted = WidePath(folder);
    std::wstring current(MAX_PATH + 1, L'\0');
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
    if (length && length < current.size()) {
        current.resize(length);
        if (current == wanted || current + L"\\" == wanted) return;
    }
    SetCurrentDirectoryW(wanted.c_str());
}

} // namespace

std::string ResolveItemPath(const std::string& launcherFolder, const std::string& relativePath) {
    enterFolder(launcherFolder);
    // The wide call: the ANSI one gives up on full paths of MAX_PATH or more.
    const std::wstring relative = WideFromAnsi(relativePath);
    std::wstring full(GetFullPathNameW(relative.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length =
        GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (!length || length >= full.size()) return PathFromAnsi(relativePath);
    full.resize(length);
    return PathFromWide(full);
}

} // namespace qd
