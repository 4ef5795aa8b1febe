#include "shell/IniDocument.h"

#include <algorithm>
#include <utility>

namespace qd {

namespace {

// The profile services count CR and the DOS end-of-file mark as blanks too.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1a;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

} // namespace

IniDocument::IniDocument(std::string_view bytes) {
    sections_.push_back({});
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = trimmed(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty()) continue;
        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                sections_.push_back({std::string(line.substr(1, close - 1)), {}});
                continue;
            }
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            sections_.back().lines.push_back({std::string(line), std::nullopt});
        } else {
            sections_.back().lines.push_back({std::string(trimmed(line.substr(0, equals))),
                                              std::string(trimmed(line.substr(equals + 1)))});
        }
    }
}

const IniDocument::Section* IniDocument::find(std::string_view section) const {
    section = trimmed(section);
    for (const Section& s : sections_)
        if (s.name && sameName(*s.name, section)) return &s;
    return nullptr;
}

IniDocument::Section* IniDocument::find(std::string_view section) {
    return const_cast<Section*>(std::as_const(*this).find(section));
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Section* s = find(section);
    if (!s) return std::nullopt;
    key = trimmed(key);
    for (const Line& line : s->lines)
        if (sameName(line.name, key)) return line.value;
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = find(section);
    if (!s) s = &sections_.emplace_back(Section{std::string(trimmed(section)), {}});
    for (Line& line : s->lines) {
        if (sameName(line.name, trimmed(key))) {
            line.value = std::string(value);
            return;
        }
    }
    s->lines.push_back({std::string(key), std::string(value)});
}

void IniDocument::erase(std::string_view section, std::string_view key) {
    Section* s = find(section);
    if (!s) return;
    auto line = std::find_if(s->lines.begin(), s->lines.end(),
                             [&](const Line& l) { return sameName(l.name, trimmed(key)); });
    if (line != s->lines.end()) s->lines.erase(line);
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const Section& s : sections_) {
        if (s.name) out += "[" + *s.name + "]\r\n";
        for (const Line& line : s.lines) {
            out += line.name;
            if (line.value) out += "=" + *line.value;
            out += "\r\n";
        }
    }
    return out;
}

std::string unquotedProfileValue(std::string_view stored) {
    if (stored.size() > 1 && stored.front() == '"' && stored.back() == '"')
        stored = stored.substr(1, stored.size() - 2);
    return std::string(stored);
}

std::string IniSectionStore::readString(const std::string& key, const std::string& fallback) {
    const std::optional<std::string> stored = document_.value(section_, key);
    return stored ? unquotedProfileValue(*stored) : fallback;
}

// A write of what is already there changes nothing, so read-only media see
// no write at all.
void IniSectionStore::writeString(const std::string& key, const std::string& value) {
    const std::optional<std::string> stored = document_.value(section_, key);
    if (stored && unquotedProfileValue(*stored) == value) return;
    document_.set(section_, key, value);
    changed_ = true;
}

void IniSectionStore::deleteKey(const std::string& key) {
    if (!document_.value(section_, key)) return;
    document_.erase(section_, key);
    changed_ = true;
}

} // namespace qd
