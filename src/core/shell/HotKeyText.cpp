#include "shell/HotKeyText.h"

#include <array>
#include <utility>

#include "common/AnsiText.h"

namespace qd {

namespace {

// Named keys besides letters and digits (Windows virtual-key codes).
constexpr std::pair<const char*, unsigned> NamedKeys[] = {
    {"Space", 0x20}, {"PgUp", 0x21},  {"PgDn", 0x22}, {"End", 0x23}, {"Home", 0x24}, {"Left", 0x25},
    {"Up", 0x26},    {"Right", 0x27}, {"Down", 0x28}, {"Ins", 0x2D}, {"Del", 0x2E},  {"F1", 0x70},
    {"F2", 0x71},    {"F3", 0x72},    {"F4", 0x73},   {"F5", 0x74},  {"F6", 0x75},   {"F7", 0x76},
    {"F8", 0x77},    {"F9", 0x78},    {"F10", 0x79},  {"F11", 0x7A}, {"F12", 0x7B},
};

std::optional<unsigned> keyNamed(std::string_view name) {
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
    }
    const std::string lower = asciiLower(name);
    for (const auto& [text, code] : NamedKeys)
        if (asciiLower(text) == lower) return code;
    return std::nullopt;
}

} // namespace

std::optional<HotKey> parseHotKey(std::string_view text) {
    HotKey key;
    while (true) {
        const std::size_t plus = text.find('+');
        const std::string_view part = text.substr(0, plus);
        if (plus == std::string_view::npos) {
            const std::optional<unsigned> code = keyNamed(part);
            if (!code || !(key.ctrl || key.alt || key.shift || key.win)) return std::nullopt;
            key.key = *code;
            return key;
        }
        const std::string name = asciiLower(part);
        bool* modifier = name == "ctrl"    ? &key.ctrl
                         : name == "alt"   ? &key.alt
                         : name == "shift" ? &key.shift
                         : name == "win"   ? &key.win
                                           : nullptr;
        if (!modifier || *modifier) return std::nullopt;
        *modifier = true;
        text.remove_prefix(plus + 1);
    }
}

std::string formatHotKey(const HotKey& key) {
    std::string text;
    if (key.ctrl) text += "Ctrl+";
    if (key.alt) text += "Alt+";
    if (key.shift) text += "Shift+";
    if (key.win) text += "Win+";
    for (const auto& [name, code] : NamedKeys)
        if (code == key.key) return text + name;
    return text + static_cast<char>(key.key);
}

} // namespace qd
