#include "catalogue/ItemPath.h"

#include <windows.h>

#include <iterator>
#include <string_view>

#include "common/WidePath.h"

namespace qd {

namespace {

// Setting the current directory opens the folder each time, which costs far
// more than the file check it precedes: skip it when it is already there.
void enterFolder(const std::string& folder) {
    // The start-up pass resolves thousands of paths against the same folder.
    thread_local std::string lastFolder;
    thread_local std::wstring wanted;
    if (wanted.empty() || folder != lastFolder) {
        lastFolder = folder;
        wanted = WidePath(folder);
    }
    wchar_t current[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(std::size(current)), current);
    if (length && length < std::size(current)) {
        const std::wstring_view here(current, length);
        if (here == wanted || (wanted.size() == here.size() + 1 && wanted.starts_with(here) &&
                               wanted.back() == L'\\'))
            return;
    }
    SetCurrentDirectoryW(wanted.c_str());
}

} // namespace

std::string ResolveItemPath(const std::string& launcherFolder, const std::string& relativePath) {
    enterFolder(launcherFolder);
    // The wide call: the ANSI one gives up on full paths of MAX_PATH or more.
    const std::wstring relative = WideFromAnsi(relativePath);
    // Most full paths fit here; a longer one is asked for again at its length.
    wchar_t buffer[2 * MAX_PATH];
    DWORD length =
        GetFullPathNameW(relative.c_str(), static_cast<DWORD>(std::size(buffer)), buffer, nullptr);
    if (length && length < std::size(buffer))
        return PathFromWide(std::wstring_view(buffer, length));
    if (!length) return PathFromAnsi(relativePath);
    std::wstring full(length, L'\0');
    length =
        GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (!length || length >= full.size()) return PathFromAnsi(relativePath);
    full.resize(length);
    return PathFromWide(full);
}

} // namespace qd
