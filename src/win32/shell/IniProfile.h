#pragma once
#include <optional>
#include <string>

#include "shell/Profile.h"

namespace qd {

// Section "Preferences" of an INI file through the profile-string services:
// every write reaches the file at once. The path is UTF-8 (see WidePath.h);
// keys and values are ANSI text. A write that would leave the file as it is
// is not made, so read-only media see no write at all.
class TIniProfile : public ProfileStore {
  public:
    explicit TIniProfile(std::string path) : path_(std::move(path)) {}
    std::string readString(const std::string& key, const std::string& fallback) override;
    // Both throw EQuillDeck "Unable to write to <path>" when the file cannot be written.
    void writeString(const std::string& key, const std::string& value) override;
    void deleteKey(const std::string& key) override;
    // Hands the profile cache to the disk.
    void flush();
    const std::string& path() const { return path_; }

  private:
    // Nothing when the key is not there.
    std::optional<std::string> stored(const std::string& key);
    // A null value removes the key.
    void write(const std::string& key, const wchar_t* value);
    std::string path_;
};

} // namespace qd
