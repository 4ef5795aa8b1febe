#include "common/WidePath.h"

#include <windows.h>

namespace qd {

std::wstring WidePath(const std::string& path) {
    if (path.empty()) return {};
    const int size = static_cast<int>(path.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), length);
    return wide;
}

} // namespace qd
