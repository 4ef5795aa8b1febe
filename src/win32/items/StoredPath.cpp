#include "items/StoredPath.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "common/AnsiText.h"
#include "common/Error.h"
#include "common/WidePath.h"
#include "integrity/SecHash.h"
#include "items/RelativePath.h"

namespace qd {

namespace {

template <typename Text> std::vector<Text> names(const Text& path) {
    std::vector<Text> parts(1);
    for (const auto c : path) {
        if (c == '\\')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// The name in the ANSI code page, or nothing when the page lacks one of its
// characters (no best-fit stand-ins: "ō" as "o" would name another file).
std::optional<std::string> ansiSpelling(const std::wstring& name) {
    if (name.empty() || GetACP() == CP_UTF8) return AnsiFromWide(name);
    const int size = static_cast<int>(name.size());
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), size, nullptr,
                                           0, nullptr, &lossy);
    if (lossy || length <= 0) return std::nullopt;
    std::string spelled(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), size, spelled.data(), length,
                        nullptr, &lossy);
    if (lossy) return std::nullopt;
    return spelled;
}

std::wstring shortPath(const std::string& path) {
    const std::wstring wide = WidePath(path);
    const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (!size) throw ESecHashException();
    std::wstring result(size, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), result.data(), size);
    if (!length || length >= size) throw ESecHashException();
    result.resize(length);
    return result;
}

} // namespace

std::string StoredRelativePath(const std::string& launcherFolder, const std::string& path) {
    // Made in UTF-8, where no byte of a character can pass for '\'.
    const std::vector<std::string> relative = names(makeRelativePath(launcherFolder, path));
    const std::size_t fullCount = names(path).size();
    std::vector<std::wstring> shortNames;
    std::string stored;
    for (std::size_t i = 0; i < relative.size(); ++i) {
        if (i > 0) stored += '\\';
        std::optional<std::string> spelled = ansiSpelling(WidePath(relative[i]));
        if (!spelled) {
            // The names of a relative path after its "..\" are the last ones
            // of the full path, and the short path has one for each.
            if (shortNames.empty()) shortNames = names(shortPath(path));
            const std::size_t fromEnd = relative.size() - i;
            if (shortNames.size() == fullCount && fromEnd <= fullCount)
                spelled = ansiSpelling(shortNames[fullCount - fromEnd]);
        }
        if (!spelled) {
            const bool isFile = i + 1 == relative.size();
            throw EQuillDeck("Cannot add \"" + AnsiFromPath(relative.back()) +
                             "\": " + (isFile ? "its name" : "its folder's name") +
                             " cannot be stored in this system's code page.");
        }
        stored += asciiLower(*spelled);
    }
    return stored;
}

} // namespace qd
