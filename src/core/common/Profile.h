#pragma once
#include <string>
#include <string_view>

namespace qd {

// Integer value of the preferences file: optional blanks, an optional sign,
// then decimal digits, or hexadecimal ones after "$", "x", "0x" (either case).
// Anything that is not a 32-bit number in one of these forms gives `fallback`.
int parseProfileInteger(std::string_view text, int fallback);

// The "Preferences" section of the preferences file, key by key.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    virtual std::string readString(const std::string& key, const std::string& fallback) = 0;
    virtual void writeString(const std::string& key, const std::string& value) = 0;
    virtual void deleteKey(const std::string& key) = 0;

    int readInteger(const std::string& key, int fallback);
    // Read as an integer with 1 or 0 as default; any non-zero number is true.
    bool readBoolean(const std::string& key, bool fallback);
    void writeInteger(const std::string& key, int value);
    void writeBoolean(const std::string& key, bool value);
};

} // namespace qd
