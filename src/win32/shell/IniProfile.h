#pragma once
#include <functional>
#include <string>

#include "shell/IniDocument.h"
#include "shell/Profile.h"

namespace qd {

// Section "Preferences" of an INI file. The file is read whole, changed in
// memory and written to a temporary file that then replaces it, so a crash or
// a pulled stick in the middle of a write leaves the old file or the new one,
// never an empty or torn one. The bytes are those the profile-string services
// would write. The path is UTF-8 (see WidePath.h); keys and values are ANSI.
class TIniProfile : public ProfileStore {
  public:
    explicit TIniProfile(std::string path) : path_(std::move(path)) {}
    std::string readString(const std::string& key, const std::string& fallback) override;
    // One key, written at once; see update().
    void writeString(const std::string& key, const std::string& value) override;
    void deleteKey(const std::string& key) override;
    // Runs `changes` against the file's contents and writes them in one
    // replacement; nothing is written when they leave every value as it was,
    // so read-only media see no write at all. Throws EQuillDeck "Unable to
    // write to <path>" when the file cannot be read whole or written; the
    // file then stays as it was.
    void update(const std::function<void(ProfileStore&)>& changes);
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

} // namespace qd
