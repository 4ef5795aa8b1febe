#include "common/Profile.h"

#include <cstdint>

namespace qd {

int parseProfileInteger(std::string_view text, int fallback) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return fallback;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return fallback;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull) return fallback;
    }
    if (base == 10) {
        if (magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return fallback;
        return static_cast<int>(negative ? -static_cast<std::int64_t>(magnitude)
                                         : static_cast<std::int64_t>(magnitude));
    }
    // Hexadecimal digits give the 32-bit pattern: $FFFFFFFF is -1.
    const auto pattern = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    return negative ? static_cast<int>(-static_cast<std::int64_t>(pattern)) : pattern;
}

int ProfileStore::readInteger(const std::string& key, int fallback) {
    return parseProfileInteger(readString(key, std::to_string(fallback)), fallback);
}

bool ProfileStore::readBoolean(const std::string& key, bool fallback) {
    return readInteger(key, fallback ? 1 : 0) != 0;
}

void ProfileStore::writeInteger(const std::string& key, int value) {
    writeString(key, std::to_string(value));
}

void ProfileStore::writeBoolean(const std::string& key, bool value) {
    writeString(key, value ? "1" : "0");
}

} // namespace qd
