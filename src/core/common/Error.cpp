#include "common/Error.h"

namespace qd {

std::string errorBoxText(const std::string& message) {
    // Compared as unsigned bytes, so ANSI letters above 0x7F count as "after".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

} // namespace qd
