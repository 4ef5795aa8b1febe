#include "common/MessageText.h"

namespace qd {

std::string quotedInMessage(const std::string& text) {
    constexpr char Ellipsis[] = "...";
    if (text.size() <= MaxQuotedLength) return text;
    return text.substr(0, MaxQuotedLength - (sizeof(Ellipsis) - 1)) + Ellipsis;
}

} // namespace qd
