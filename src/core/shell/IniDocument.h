#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Profile.h"

namespace qd {

// An INI file held in memory, read and written by the rules of the platform's
// profile services: lines trimmed, blank lines dropped, section and key names
// matched without regard to ASCII case, a new key at the end of its section,
// a new section at the end of the file, CRLF line ends. Saving the document
// therefore gives the bytes the profile services would have left, but the
// caller decides when and how they reach the disk.
class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string_view bytes);

    // The value as stored (quotes included), nothing when the key is not
    // there or is a line without "=".
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key's first line; nothing when it is not there.
    void erase(std::string_view section, std::string_view key);

    std::string bytes() const;

  private:
    struct Line {
        std::string name;
        std::optional<std::string> value; // no "=" on the line
    };
    struct Section {
        std::optional<std::string> name; // the lines before the first header have none
        std::vector<Line> lines;
    };
    Section* find(std::string_view section);
    const Section* find(std::string_view section) const;
    std::vector<Section> sections_;
};

// The value a profile read hands back for a stored one: a value wrapped in
// double quotes loses them.
std::string unquotedProfileValue(std::string_view stored);

// One section of an INI document as a profile store: writes change the
// document only, and `changed()` tells whether any write changed a value.
class IniSectionStore : public ProfileStore {
  public:
    IniSectionStore(IniDocument& document, std::string section)
        : document_(document), section_(std::move(section)) {}
    std::string readString(const std::string& key, const std::string& fallback) override;
    void writeString(const std::string& key, const std::string& value) override;
    void deleteKey(const std::string& key) override;
    bool changed() const { return changed_; }

  private:
    IniDocument& document_;
    std::string section_;
    bool changed_ = false;
};

} // namespace qd
