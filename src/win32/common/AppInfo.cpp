#include "common/AppInfo.h"

#include <windows.h>

#include <vector>

#include "ResourceIds.h"
#include "common/Handles.h"
#include "common/WidePath.h"

namespace qd {

HICON ApplicationIcon() {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLDECK));
}

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return PathFromWide(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExecutableFolder() {
    const std::string path = ExecutablePath();
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string SystemErrorText(unsigned long code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    const UniqueLocalMemory owned(text);
    std::string result =
        length ? std::string(text, length) : "System error " + std::to_string(code);
    while (!result.empty() &&
           (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

} // namespace qd
