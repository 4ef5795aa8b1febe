#include "shell/IniProfile.h"

#include <windows.h>

#include <vector>

#include "common/Error.h"
#include "common/WidePath.h"

namespace qd {

namespace {
constexpr wchar_t Section[] = L"Preferences";
// No stored value can hold it: the profile services cut values at a line break.
constexpr wchar_t Absent[] = L"\n";
} // namespace

std::optional<std::string> TIniProfile::stored(const std::string& key) {
    std::vector<wchar_t> buffer(2048);
    const DWORD length =
        GetPrivateProfileStringW(Section, WideFromAnsi(key).c_str(), Absent, buffer.data(),
                                 static_cast<DWORD>(buffer.size()), WidePath(path_).c_str());
    const std::wstring value(buffer.data(), length);
    if (value == Absent) return std::nullopt;
    return AnsiFromWide(value);
}

std::string TIniProfile::readString(const std::string& key, const std::string& fallback) {
    return stored(key).value_or(fallback);
}

void TIniProfile::writeString(const std::string& key, const std::string& value) {
    if (stored(key) == value) return;
    write(key, WideFromAnsi(value).c_str());
}

void TIniProfile::deleteKey(const std::string& key) {
    if (stored(key)) write(key, nullptr);
}

void TIniProfile::flush() {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, WidePath(path_).c_str());
}

void TIniProfile::write(const std::string& key, const wchar_t* value) {
    if (!WritePrivateProfileStringW(Section, WideFromAnsi(key).c_str(), value,
                                    WidePath(path_).c_str()))
        throw EQuillDeck("Unable to write to " + AnsiFromPath(path_));
}

} // namespace qd
