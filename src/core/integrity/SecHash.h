#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "common/Error.h"

namespace qd {

// A SHA-1 result: the chaining words H0..H4 as numbers, not bytes.
struct TSecHashDigest {
    std::array<std::uint32_t, 5> h{};
    bool operator==(const TSecHashDigest&) const = default;
};

// The file to digest cannot be opened (missing, a folder, access denied).
class ESecHashException : public EQuillDeck {
  public:
    ESecHashException() : EQuillDeck("File not found !") {}
};

// A read that fails part-way through the file.
class EFileReadError : public EQuillDeck {
  public:
    explicit EFileReadError(const std::string& path) : EQuillDeck("Cannot read file " + path) {}
};

// Which compression code runs. Best takes the processor's SHA instructions
// when it has them; the others exist so tests and benchmarks can pin one.
enum class Sha1Engine { Best, Scalar, ShaNi };

bool shaNiSupported();

// Incremental SHA-1 (FIPS 180): reset, update any number of times, finish.
class TSecHash {
  public:
    // Fills a buffer with up to `capacity` bytes and returns how many; 0 means
    // the end of the data. Read errors are thrown by the reader itself.
    using Reader = std::function<std::size_t(std::uint8_t* buffer, std::size_t capacity)>;

    // Read size of the block loop: large enough that the per-call cost of a
    // read vanishes, small enough to stay in the processor's cache.
    static constexpr std::size_t ReadBlockSize = 256 * 1024;

    // Throws EQuillDeck when ShaNi is asked for on a processor without it.
    explicit TSecHash(Sha1Engine engine = Sha1Engine::Best);

    Sha1Engine engine() const { return engine_; }

    void reset();
    void update(const std::uint8_t* data, std::size_t size);
    // Pads, returns the digest and leaves the state reset.
    TSecHashDigest finish();

    // Digests everything the reader delivers, from a fresh state.
    TSecHashDigest digestStream(const Reader& read);

  private:
    using Compress = void (*)(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count);

    Sha1Engine engine_;
    Compress compress_;
    std::array<std::uint32_t, 5> state_{};
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalBytes_ = 0;
};

} // namespace qd
