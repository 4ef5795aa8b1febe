#include "integrity/CollisionDetectingHash.h"

#include <vector>

#include <lib/sha1.h>

namespace qd {

struct TCollisionDetectingHash::Context {
    SHA1_CTX sha1;
};

TCollisionDetectingHash::TCollisionDetectingHash() : context_(std::make_unique<Context>()) {
    reset();
}

TCollisionDetectingHash::~TCollisionDetectingHash() = default;

void TCollisionDetectingHash::reset() {
    SHA1DCInit(&context_->sha1);
}

void TCollisionDetectingHash::update(const std::uint8_t* data, std::size_t size) {
    SHA1DCUpdate(&context_->sha1, reinterpret_cast<const char*>(data), size);
}

TCheckedDigest TCollisionDetectingHash::finish() {
    unsigned char bytes[20];
    TCheckedDigest result;
    result.collisionAttack = SHA1DCFinal(bytes, &context_->sha1) != 0;
    for (int i = 0; i < 5; ++i)
        result.digest.h[i] =
            (std::uint32_t{bytes[4 * i]} << 24) | (std::uint32_t{bytes[4 * i + 1]} << 16) |
            (std::uint32_t{bytes[4 * i + 2]} << 8) | std::uint32_t{bytes[4 * i + 3]};
    reset();
    return result;
}

TCheckedDigest TCollisionDetectingHash::digestStream(const TSecHash::Reader& read) {
    reset();
    std::vector<std::uint8_t> buffer(TSecHash::ReadBlockSize);
    while (const std::size_t got = read(buffer.data(), buffer.size()))
        update(buffer.data(), got);
    return finish();
}

} // namespace qd
