// Feeds arbitrary text to the hot-key parser. Beyond not crashing, a text it
// accepts is written back as a text that reads as the same key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/HotKeyText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto key = qd::parseHotKey(text))
        if (qd::parseHotKey(qd::formatHotKey(*key)) != key) std::abort();
    return 0;
}
