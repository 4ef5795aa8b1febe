#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qd {

// A catalogue file's bytes where they lie: in memory, or still in the file,
// read piece by piece. A large catalogue is ready once its records are read;
// its images are read as they are drawn.
class CatalogueBytes {
  public:
    virtual ~CatalogueBytes() = default;
    virtual std::uint64_t size() const = 0;
    // `count` bytes at `offset`, all within size(). The view lasts until the
    // next read, or, once the bytes are held, as long as they are. Throws
    // EQuillDeck when they cannot be read.
    virtual std::string_view read(std::uint64_t offset, std::size_t count) const = 0;
    // Every byte in memory and the file let go, so that it can be written
    // over. Safe beside read() on another thread. Throws EQuillDeck when the
    // bytes cannot be read; the file is then still held.
    virtual void hold() const = 0;
};

} // namespace qd
