#include "common/WidePath.h"

#include <windows.h>

#include "common/AnsiText.h"

namespace qd {

namespace {

std::wstring toWide(unsigned codePage, const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string fromWide(unsigned codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

} // namespace

void UseSystemCodePage() {
    LeadByteTable table{};
    CPINFO info;
    if (GetCPInfo(CP_ACP, &info))
        // Pairs of first and last lead byte, ended by a zero pair.
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2)
            for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
                table[b] = true;
    setAnsiLeadBytes(table);
}

std::wstring WidePath(const std::string& path) {
    return toWide(CP_UTF8, path);
}

std::string PathFromWide(std::wstring_view path) {
    return fromWide(CP_UTF8, path);
}

std::wstring WideFromAnsi(const std::string& text) {
    return toWide(CP_ACP, text);
}

std::string AnsiFromWide(const std::wstring& text) {
    return fromWide(CP_ACP, text);
}

std::string PathFromAnsi(const std::string& text) {
    return PathFromWide(WideFromAnsi(text));
}

std::string AnsiFromPath(const std::string& path) {
    return AnsiFromWide(WidePath(path));
}

} // namespace qd
