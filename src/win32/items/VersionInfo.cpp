#include "items/VersionInfo.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/SystemDlls.h"
#include "common/WidePath.h"

namespace qd {

namespace {

// version.dll is not a known DLL: a static import would let a planted copy
// beside the launcher (on a shared stick) be loaded instead of the system's.
struct VersionApi {
    SystemLibrary dll{"version.dll"};
    decltype(&GetFileVersionInfoSizeW) infoSize = nullptr;
    decltype(&GetFileVersionInfoW) info = nullptr;
    decltype(&VerQueryValueW) query = nullptr;

    VersionApi() {
        dll.resolve(infoSize, "GetFileVersionInfoSizeW");
        dll.resolve(info, "GetFileVersionInfoW");
        dll.resolve(query, "VerQueryValueW");
    }
    bool usable() const { return infoSize && info && query; }
};

const VersionApi& versionApi() {
    static const VersionApi api;
    return api;
}

} // namespace

std::string VersionStringPath(std::uint32_t translation, const std::string& key) {
    char hex[9];
    std::snprintf(hex, sizeof(hex), "%04X%04X", static_cast<unsigned>(translation & 0xFFFF),
                  static_cast<unsigned>(translation >> 16));
    return std::string("StringFileInfo\\") + hex + "\\" + key;
}

std::string ReadVersionString(const std::string& path, const std::string& key) {
    const VersionApi& api = versionApi();
    if (!api.usable()) return {};
    const std::wstring file = WidePath(path);
    DWORD ignored = 0;
    const DWORD size = api.infoSize(file.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!api.info(file.c_str(), 0, size, block.data())) return {};

    void* found = nullptr;
    UINT length = 0;
    if (!api.query(block.data(), L"\\VarFileInfo\\Translation", &found, &length) || !found ||
        length < sizeof(std::uint32_t))
        return {};
    std::uint32_t translation = 0;
    std::memcpy(&translation, found, sizeof(translation));

    found = nullptr;
    if (!api.query(block.data(), WideFromAnsi(VersionStringPath(translation, key)).c_str(), &found,
                   &length) ||
        !found)
        return {};
    // Up to the terminator, but never past the block: a damaged resource may lack one.
    const wchar_t* text = static_cast<const wchar_t*>(found);
    const wchar_t* end = reinterpret_cast<const wchar_t*>(block.data() + block.size());
    if (reinterpret_cast<const char*>(text) < block.data() || text >= end) return {};
    // The catalogue holds ANSI text.
    return AnsiFromWide(std::wstring(text, wcsnlen(text, static_cast<std::size_t>(end - text))));
}

} // namespace qd
