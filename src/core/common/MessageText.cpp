#include "common/MessageText.h"

#include "common/AnsiText.h"

namespace qd {

std::string quotedInMessage(const std::string& text) {
    constexpr char Ellipsis[] = "...";
    if (text.size() <= MaxQuotedLength) return text;
    // The cut never falls inside a two-byte character.
    const std::size_t kept = ansiPrefixLength(text, MaxQuotedLength - (sizeof(Ellipsis) - 1));
    return text.substr(0, kept) + Ellipsis;
}

} // namespace qd
