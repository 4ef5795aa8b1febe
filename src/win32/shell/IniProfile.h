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
    // Throws EQuillDeck when the file cannot be written.
    void writeString(const std::string& key, const std::string& value) override;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

} // namespace qd
