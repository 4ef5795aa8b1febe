#pragma once
#include <cstdint>
#include <string>

namespace qd {

// The catalogue and the BMP inside it store integers little-endian, whatever
// the host's byte order.

inline void appendLE16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

inline void appendLE32(std::string& out, std::uint32_t value) {
    appendLE16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    appendLE16(out, static_cast<std::uint16_t>(value >> 16));
}

// `p` must point at 2 (4) readable bytes.
inline std::uint16_t readLE16(const char* p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) |
                                      static_cast<unsigned char>(p[1]) << 8);
}

inline std::uint32_t readLE32(const char* p) {
    return readLE16(p) | static_cast<std::uint32_t>(readLE16(p + 2)) << 16;
}

} // namespace qd
