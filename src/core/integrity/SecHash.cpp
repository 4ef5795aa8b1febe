#include "integrity/SecHash.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define QD_X86 1
#endif

namespace qd {

namespace {

constexpr std::array<std::uint32_t, 5> InitialState = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu,
                                                       0x10325476u, 0xC3D2E1F0u};

constexpr std::uint32_t rotl(std::uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

constexpr std::uint32_t loadBigEndian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

void compressScalar(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count) {
    for (; count > 0; --count, blocks += 64) {
        // The schedule only ever looks 16 words back, so a ring of 16 will do.
        std::uint32_t w[16];
        for (int i = 0; i < 16; ++i)
            w[i] = loadBigEndian(blocks + 4 * i);
        std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
        // Fully unrolled, the step tests fold away and the five-way rotation of
        // the working variables becomes register renaming.
#pragma GCC unroll 80
        for (int t = 0; t < 80; ++t) {
            if (t >= 16)
                w[t & 15] =
                    rotl(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
            std::uint32_t f, k;
            if (t < 20) {
                f = d ^ (b & (c ^ d));
                k = 0x5A827999u;
            } else if (t < 40) {
                f = b ^ c ^ d;
                k = 0x6ED9EBA1u;
            } else if (t < 60) {
                f = (b & c) | (d & (b | c));
                k = 0x8F1BBCDCu;
            } else {
                f = b ^ c ^ d;
                k = 0xCA62C1D6u;
            }
            const std::uint32_t next = rotl(a, 5) + f + e + k + w[t & 15];
            e = d;
            d = c;
            c = rotl(b, 30);
            b = a;
            a = next;
        }
        state[0] += a;
        state[1] += b;
        state[2] += c;
        state[3] += d;
        state[4] += e;
    }
}

#ifdef QD_X86

// Cpuid rather than __builtin_cpu_supports: not every compiler we build with
// knows the "sha" feature name.
bool detectShaNi() {
    constexpr unsigned Sse41Bit = 1u << 19; // leaf 1, ecx
    constexpr unsigned ShaBit = 1u << 29;   // leaf 7, ebx
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & Sse41Bit)) return false;
    if (__get_cpuid_max(0, nullptr) < 7) return false;
    __cpuid_count(7, 0, a, b, c, d);
    return (b & ShaBit) != 0;
}

// The SHA instructions work four steps at a time: ABCD in one register, E in
// the top lane of another, and the schedule in four registers of four words.
struct ShaNiRegisters {
    __m128i abcd;
    __m128i e[2]; // alternate: one feeds the current four steps, the other keeps ABCD for the next
    __m128i msg[4];
};

// Steps 4G .. 4G+3, interleaved with the schedule for later groups as the
// instructions' latencies want it (Intel's published ordering).
template <int G>
[[gnu::target("sha,sse4.1"), gnu::always_inline]] inline void
shaNiGroup(ShaNiRegisters& r, const std::uint8_t* block, __m128i byteSwap) {
    constexpr int Cur = G & 1;
    __m128i& m = r.msg[G & 3];
    if constexpr (G < 4)
        m = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * G)),
                             byteSwap);
    if constexpr (G == 0)
        r.e[0] = _mm_add_epi32(r.e[0], m);
    else
        r.e[Cur] = _mm_sha1nexte_epu32(r.e[Cur], m);
    r.e[Cur ^ 1] = r.abcd;
    if constexpr (G >= 3 && G <= 18) r.msg[(G + 1) & 3] = _mm_sha1msg2_epu32(r.msg[(G + 1) & 3], m);
    r.abcd = _mm_sha1rnds4_epu32(r.abcd, r.e[Cur], G / 5);
    if constexpr (G >= 1 && G <= 16) r.msg[(G + 3) & 3] = _mm_sha1msg1_epu32(r.msg[(G + 3) & 3], m);
    if constexpr (G >= 2 && G <= 17) r.msg[(G + 2) & 3] = _mm_xor_si128(r.msg[(G + 2) & 3], m);
}

template <int... G>
[[gnu::target("sha,sse4.1"), gnu::always_inline]] inline void
shaNiBlock(ShaNiRegisters& r, const std::uint8_t* block, __m128i byteSwap,
           std::integer_sequence<int, G...>) {
    (shaNiGroup<G>(r, block, byteSwap), ...);
}

[[gnu::target("sha,sse4.1")]] void compressShaNi(std::uint32_t* state, const std::uint8_t* blocks,
                                                 std::size_t count) {
    const __m128i byteSwap = _mm_set_epi64x(0x0001020304050607LL, 0x08090A0B0C0D0E0FLL);
    ShaNiRegisters r;
    r.abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1B);
    r.e[0] = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);
    for (; count > 0; --count, blocks += 64) {
        const __m128i abcdBefore = r.abcd;
        const __m128i eBefore = r.e[0];
        shaNiBlock(r, blocks, byteSwap, std::make_integer_sequence<int, 20>{});
        r.e[0] = _mm_sha1nexte_epu32(r.e[0], eBefore);
        r.abcd = _mm_add_epi32(r.abcd, abcdBefore);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(r.abcd, 0x1B));
    state[4] = static_cast<std::uint32_t>(_mm_extract_epi32(r.e[0], 3));
}

#endif // QD_X86

} // namespace

bool shaNiSupported() {
#ifdef QD_X86
    static const bool supported = detectShaNi();
    return supported;
#else
    return false;
#endif
}

TSecHash::TSecHash(Sha1Engine engine) : engine_(engine), compress_(compressScalar) {
    if (engine_ == Sha1Engine::Best)
        engine_ = shaNiSupported() ? Sha1Engine::ShaNi : Sha1Engine::Scalar;
    if (engine_ == Sha1Engine::ShaNi) {
        if (!shaNiSupported()) throw EQuillDeck("This processor has no SHA instructions");
#ifdef QD_X86
        compress_ = compressShaNi;
#endif
    }
    reset();
}

void TSecHash::reset() {
    state_ = InitialState;
    pendingSize_ = 0;
    totalBytes_ = 0;
}

void TSecHash::update(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    totalBytes_ += size;
    if (pendingSize_ > 0) {
        const std::size_t take = std::min(size, pending_.size() - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, data, take);
        pendingSize_ += take;
        data += take;
        size -= take;
        if (pendingSize_ < pending_.size()) return;
        compress_(state_.data(), pending_.data(), 1);
        pendingSize_ = 0;
    }
    // Whole blocks go straight from the caller's buffer, all in one call.
    const std::size_t blocks = size / 64;
    if (blocks > 0) compress_(state_.data(), data, blocks);
    if (const std::size_t rest = size % 64; rest > 0) {
        std::memcpy(pending_.data(), data + blocks * 64, rest);
        pendingSize_ = rest;
    }
}

TSecHashDigest TSecHash::finish() {
    // 0x80, zeros, then the bit length big-endian in the last 8 bytes; one
    // extra block when fewer than 8 bytes are left after the 0x80.
    std::uint8_t tail[128] = {};
    std::memcpy(tail, pending_.data(), pendingSize_);
    tail[pendingSize_] = 0x80;
    const std::size_t tailSize = pendingSize_ < 56 ? 64 : 128;
    const std::uint64_t bits = totalBytes_ * 8;
    for (int i = 0; i < 8; ++i)
        tail[tailSize - 1 - i] = static_cast<std::uint8_t>(bits >> (8 * i));
    compress_(state_.data(), tail, tailSize / 64);
    const TSecHashDigest digest{state_};
    reset();
    return digest;
}

TSecHashDigest TSecHash::digestStream(const Reader& read) {
    reset();
    std::vector<std::uint8_t> buffer(ReadBlockSize);
    while (const std::size_t got = read(buffer.data(), buffer.size()))
        update(buffer.data(), got);
    return finish();
}

} // namespace qd
