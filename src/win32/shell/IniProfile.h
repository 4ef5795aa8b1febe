#pragma once
#include <string>

#include "shell/Profile.h"

namespace qd {

// Section "Preferences" of an INI file through the profile-string services:
// every write reaches the file at once.
class TIniProfile : public ProfileStore {
  public:
    explicit TIniProfile(std::string path) : path_(std::move(path)) {}
    std::string readString(const std::string& key, const std::string& fallback) override;
    // Both throw EQuillDeck "Unable to write to <path>" when the file cannot be written.
    void writeString(const std::string& key, const std::string& value) override;
    void deleteKey(const std::string& key) override;
    const std::string& path() const { return path_; }

  private:
    // A null value removes the key.
    void write(const char* key, const char* value);
    std::string path_;
};

} // namespace qd
