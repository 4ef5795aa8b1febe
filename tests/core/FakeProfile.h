#pragma once
#include <map>
#include <string>
#include <vector>

#include "common/Error.h"
#include "common/Profile.h"

namespace qdtest {

// A "Preferences" section in memory that logs every change in order
// ("Key=value" for a write, "-Key" for a removal) and can refuse one write.
class FakeProfile : public qd::ProfileStore {
  public:
    std::map<std::string, std::string> values;
    std::vector<std::string> log;
    // The write to this key throws, as a write-protected file does.
    std::string refusedKey;

    std::string readString(const std::string& key, const std::string& fallback) override {
        auto it = values.find(key);
        return it == values.end() ? fallback : it->second;
    }
    void writeString(const std::string& key, const std::string& value) override {
        refuse(key);
        values[key] = value;
        log.push_back(key + "=" + value);
    }
    void deleteKey(const std::string& key) override {
        refuse(key);
        values.erase(key);
        log.push_back("-" + key);
    }

  private:
    void refuse(const std::string& key) {
        if (key == refusedKey) throw qd::EQuillDeck("Unable to write to QuillDeck.ini");
    }
};

} // namespace qdtest
