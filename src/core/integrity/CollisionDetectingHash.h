#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "integrity/SecHash.h"

namespace qd {

// A SHA-1 result together with whether the data carried the near-collision
// blocks of a known collision attack (SHAttered, "SHA-1 is a Shambles" and
// their kind), which both twins of such a pair carry.
struct TCheckedDigest {
    TSecHashDigest digest;
    bool collisionAttack = false;
};

// SHA-1 with collision detection (counter-cryptanalysis). For data without an
// attack the digest is the standard one; for data with one it is the
// hardened digest that `sha1cdsum` prints, which no twin shares.
class TCollisionDetectingHash {
  public:
    TCollisionDetectingHash();
    ~TCollisionDetectingHash();
    TCollisionDetectingHash(const TCollisionDetectingHash&) = delete;
    TCollisionDetectingHash& operator=(const TCollisionDetectingHash&) = delete;

    void reset();
    void update(const std::uint8_t* data, std::size_t size);
    // Returns the result and leaves the state reset.
    TCheckedDigest finish();

    // Digests everything the reader delivers, from a fresh state.
    TCheckedDigest digestStream(const TSecHash::Reader& read);

  private:
    struct Context;
    std::unique_ptr<Context> context_;
};

} // namespace qd
