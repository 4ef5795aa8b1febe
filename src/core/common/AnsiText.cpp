#include "common/AnsiText.h"

#include <charconv>

namespace qd {

namespace {

LeadByteTable& leadBytes() {
    static LeadByteTable table{};
    return table;
}

// Length of the character at `at`: 2 for a lead byte that has a byte after it.
std::size_t charLength(std::string_view text, std::size_t at) {
    return leadBytes()[static_cast<unsigned char>(text[at])] && at + 1 < text.size() ? 2 : 1;
}

} // namespace

void setAnsiLeadBytes(const LeadByteTable& table) {
    leadBytes() = table;
}

std::size_t findAnsiChar(std::string_view text, char c, std::size_t from) {
    for (std::size_t at = from; at < text.size(); at += charLength(text, at))
        if (text[at] == c) return at;
    return std::string_view::npos;
}

std::size_t ansiPrefixLength(std::string_view text, std::size_t limit) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t next = at + charLength(text, at);
        if (next > limit) break;
        at = next;
    }
    return at;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool parseDecimal(std::string_view text, int& value) {
    if (text.empty()) return false;
    if (text.front() == '+') return false;
    int parsed = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    value = parsed;
    return true;
}

} // namespace qd
