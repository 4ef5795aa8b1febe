#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qd {

// A global hot key as the preferences file holds it: "Ctrl+Alt+Q", the
// modifiers first, each at most once, then one key.
struct HotKey {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    bool win = false;
    unsigned key = 0; // the Windows virtual-key code
    bool operator==(const HotKey&) const = default;
};

constexpr char DefaultHotKeyText[] = "Ctrl+Alt+Q";

// Nothing for a text that is not such a key (no key, a modifier twice, an
// unknown name, no modifier at all). Names are read without regard to case.
std::optional<HotKey> parseHotKey(std::string_view text);
std::string formatHotKey(const HotKey& key);

} // namespace qd
