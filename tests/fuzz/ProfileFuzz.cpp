// Feeds arbitrary text to the preferences integer parser. Beyond not
// crashing, a value is either a number, whatever the default, or the default,
// and a decimal number read back from its own text gives itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/Profile.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int one = qd::parseProfileInteger(text, 1);
    const int other = qd::parseProfileInteger(text, -1);
    if (one != other) {
        require(one == 1 && other == -1);
        return 0;
    }
    require(qd::parseProfileInteger(std::to_string(one), 0) == one);
    return 0;
}
