#include "common/AppInfo.h"

#include <windows.h>

#include <vector>

namespace qd {

std::string ExecutableFolder() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            std::string path(buffer.data(), length);
            return path.substr(0, path.find_last_of("\\/") + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string SystemErrorText(unsigned long code) {
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result =
        length ? std::string(text, length) : "System error " + std::to_string(code);
    LocalFree(text);
    while (!result.empty() &&
           (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

} // namespace qd
