#include "common/WideText.h"

#include <windows.h>

namespace qd {

std::wstring WideFromAnsi(const std::string& text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string AnsiFromWide(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    std::string ansi(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), size,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), static_cast<int>(ansi.size()),
                        nullptr, nullptr);
    return ansi;
}

} // namespace qd
