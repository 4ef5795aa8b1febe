#pragma once
#include <string>
#include <vector>

namespace qd {

// Restricted mode: only the first argument counts, and it selects the mode
// when its first two characters, lower-cased, are "/s" (/s, /S, /silent...).
bool selectsRestrictedMode(const std::vector<std::string>& arguments);

} // namespace qd
