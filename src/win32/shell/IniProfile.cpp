#include "shell/IniProfile.h"

#include <windows.h>

#include "common/Error.h"

namespace qd {

namespace {
constexpr char Section[] = "Preferences";
}

std::string TIniProfile::readString(const std::string& key, const std::string& fallback) {
    char buffer[2048];
    DWORD length = GetPrivateProfileStringA(Section, key.c_str(), fallback.c_str(), buffer,
                                            sizeof(buffer), path_.c_str());
    return std::string(buffer, length);
}

void TIniProfile::writeString(const std::string& key, const std::string& value) {
    write(key.c_str(), value.c_str());
}

void TIniProfile::deleteKey(const std::string& key) {
    write(key.c_str(), nullptr);
}

void TIniProfile::write(const char* key, const char* value) {
    if (!WritePrivateProfileStringA(Section, key, value, path_.c_str()))
        throw EQuillDeck("Unable to write to " + path_);
}

} // namespace qd
