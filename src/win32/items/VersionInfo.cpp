#include "items/VersionInfo.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/SystemDlls.h"

namespace qd {

namespace {

// version.dll is not a known DLL: a static import would let a planted copy
// beside the launcher (on a shared stick) be loaded instead of the system's.
struct VersionApi {
    SystemLibrary dll{"version.dll"};
    decltype(&GetFileVersionInfoSizeA) infoSize = nullptr;
    decltype(&GetFileVersionInfoA) info = nullptr;
    decltype(&VerQueryValueA) query = nullptr;

    VersionApi() {
        dll.resolve(infoSize, "GetFileVersionInfoSizeA");
        dll.resolve(info, "GetFileVersionInfoA");
        dll.resolve(query, "VerQueryValueA");
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
    DWORD ignored = 0;
    const DWORD size = api.infoSize(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> block(size);
    if (!api.info(path.c_str(), 0, size, block.data())) return {};

    void* found = nullptr;
    UINT length = 0;
    if (!api.query(block.data(), "\\VarFileInfo\\Translation", &found, &length) || !found ||
        length < sizeof(std::uint32_t))
        return {};
    std::uint32_t translation = 0;
    std::memcpy(&translation, found, sizeof(translation));

    found = nullptr;
    if (!api.query(block.data(), VersionStringPath(translation, key).c_str(), &found, &length) ||
        !found)
        return {};
    // Up to the terminator, but never past the block: a damaged resource may lack one.
    const char* text = static_cast<const char*>(found);
    const char* end = block.data() + block.size();
    if (text < block.data() || text >= end) return {};
    return std::string(text, strnlen(text, static_cast<std::size_t>(end - text)));
}

} // namespace qd
