#include "shell/CommandLine.h"

#include "common/AnsiText.h"

namespace qd {

bool selectsRestrictedMode(const std::vector<std::string>& arguments) {
    return !arguments.empty() && asciiLower(arguments.front().substr(0, 2)) == "/s";
}

} // namespace qd
