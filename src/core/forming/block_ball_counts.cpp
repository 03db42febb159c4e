#include "core/forming/block_ball_counts.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace kav {

namespace {

using Instructions = BlockBallCounts::Instructions;
std::atomic<Instructions> widestAllowed{Instructions::Widest};

bool allowed(Instructions i) {
    return widestAllowed.load(std::memory_order_relaxed) >= i;
}

constexpr std::size_t kWords = BlockBallCounts::kRowWords;
constexpr std::uint32_t kMaxBlock = BlockBallCounts::kMaxBlock;
static_assert(kWords * 64 == kMaxBlock);

// out[c] += how many of the n 256-bit rows have bit c set, for c below
// `lanes`: the rows are added as binary counters kept bit-sliced, one word per
// bit of the count, three of every four additions done with carry-save
// adders over sixteen rows at a time.
struct Bits {
    std::array<std::uint64_t, kWords> w{};
    Bits operator^(const Bits& o) const {
        Bits r;
        for (std::size_t k = 0; k < kWords; ++k)
            r.w[k] = w[k] ^ o.w[k];
        return r;
    }
    Bits operator&(const Bits& o) const {
        Bits r;
        for (std::size_t k = 0; k < kWords; ++k)
            r.w[k] = w[k] & o.w[k];
        return r;
    }
    Bits operator|(const Bits& o) const {
        Bits r;
        for (std::size_t k = 0; k < kWords; ++k)
            r.w[k] = w[k] | o.w[k];
        return r;
    }
    bool any() const { return (w[0] | w[1] | w[2] | w[3]) != 0; }
};

inline Bits load(const std::uint64_t* words) {
    Bits b;
    for (std::size_t k = 0; k < kWords; ++k)
        b.w[k] = words[k];
    return b;
}

// Carry-save addition: a + b + c = 2 * high + low, bit by bit.
inline void carrySave(Bits& high, Bits& low, Bits a, Bits b, Bits c) {
    const Bits u = a ^ b;
    high = (a & b) | (u & c);
    low = u ^ c;
}

constexpr int kPlanes = 24; // counts below 2^24
// Rows added in 32-bit sums before they go into the double ones.
constexpr std::size_t kWeightedRun = 64;

void addBitRowsPlain(const std::uint64_t* const* rows, std::size_t n, std::uint32_t lanes,
                     std::uint32_t* out) {
    std::array<Bits, kPlanes> plane{};
    // Adds `carry` at plane p, rippling up.
    auto addAt = [&](int p, Bits carry) {
        for (; carry.any() && p < kPlanes; ++p) {
            const Bits t = plane[p] & carry;
            plane[p] = plane[p] ^ carry;
            carry = t;
        }
    };
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const std::uint64_t* const* r = rows + i;
        Bits twosA, twosB, foursA, foursB, eightsA, eightsB, sixteens;
        carrySave(twosA, plane[0], plane[0], load(r[0]), load(r[1]));
        carrySave(twosB, plane[0], plane[0], load(r[2]), load(r[3]));
        carrySave(foursA, plane[1], plane[1], twosA, twosB);
        carrySave(twosA, plane[0], plane[0], load(r[4]), load(r[5]));
        carrySave(twosB, plane[0], plane[0], load(r[6]), load(r[7]));
        carrySave(foursB, plane[1], plane[1], twosA, twosB);
        carrySave(eightsA, plane[2], plane[2], foursA, foursB);
        carrySave(twosA, plane[0], plane[0], load(r[8]), load(r[9]));
        carrySave(twosB, plane[0], plane[0], load(r[10]), load(r[11]));
        carrySave(foursA, plane[1], plane[1], twosA, twosB);
        carrySave(twosA, plane[0], plane[0], load(r[12]), load(r[13]));
        carrySave(twosB, plane[0], plane[0], load(r[14]), load(r[15]));
        carrySave(foursB, plane[1], plane[1], twosA, twosB);
        carrySave(eightsB, plane[2], plane[2], foursA, foursB);
        carrySave(sixteens, plane[3], plane[3], eightsA, eightsB);
        addAt(4, sixteens);
    }
    for (; i < n; ++i)
        addAt(0, load(rows[i]));
    for (int p = 0; p < kPlanes; ++p) {
        if (!plane[p].any())
            continue;
        for (std::uint32_t c = 0; c < lanes; ++c)
            out[c] += static_cast<std::uint32_t>((plane[p].w[c / 64] >> (c % 64)) & 1u) << p;
    }
}

#if defined(__x86_64__) || defined(__i386__)
// As addBitRowsPlain, two rows to a 256-bit word: the counts of the two halves
// are added at the end.
#define KAV_CARRY_SAVE(high, low, a, b, c)                                                         \
    do {                                                                                           \
        const __m256i u_ = _mm256_xor_si256(a, b);                                                 \
        high = _mm256_or_si256(_mm256_and_si256(a, b), _mm256_and_si256(u_, c));                   \
        low = _mm256_xor_si256(u_, c);                                                             \
    } while (false)

__attribute__((target("avx2"))) void addBitRowsWide(const std::uint64_t* const* rows, std::size_t n,
                                                    std::uint32_t lanes, std::uint32_t* out) {
    __m256i plane[kPlanes];
    for (auto& p : plane)
        p = _mm256_setzero_si256();
#define KAV_ROW(i) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[i]))
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m256i twosA, twosB, foursA, foursB, eightsA, eightsB, sixteens;
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_ROW(i), KAV_ROW(i + 1));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_ROW(i + 2), KAV_ROW(i + 3));
        KAV_CARRY_SAVE(foursA, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_ROW(i + 4), KAV_ROW(i + 5));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_ROW(i + 6), KAV_ROW(i + 7));
        KAV_CARRY_SAVE(foursB, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(eightsA, plane[2], plane[2], foursA, foursB);
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_ROW(i + 8), KAV_ROW(i + 9));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_ROW(i + 10), KAV_ROW(i + 11));
        KAV_CARRY_SAVE(foursA, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_ROW(i + 12), KAV_ROW(i + 13));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_ROW(i + 14), KAV_ROW(i + 15));
        KAV_CARRY_SAVE(foursB, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(eightsB, plane[2], plane[2], foursA, foursB);
        KAV_CARRY_SAVE(sixteens, plane[3], plane[3], eightsA, eightsB);
        __m256i carry = sixteens;
        for (int p = 4; p < kPlanes && !_mm256_testz_si256(carry, carry); ++p) {
            const __m256i t = _mm256_and_si256(plane[p], carry);
            plane[p] = _mm256_xor_si256(plane[p], carry);
            carry = t;
        }
    }
    for (; i < n; ++i) {
        __m256i carry = KAV_ROW(i);
        for (int p = 0; p < kPlanes && !_mm256_testz_si256(carry, carry); ++p) {
            const __m256i t = _mm256_and_si256(plane[p], carry);
            plane[p] = _mm256_xor_si256(plane[p], carry);
            carry = t;
        }
    }
#undef KAV_ROW
    for (int p = 0; p < kPlanes; ++p) {
        if (_mm256_testz_si256(plane[p], plane[p]))
            continue;
        alignas(32) std::uint64_t w[kWords];
        _mm256_store_si256(reinterpret_cast<__m256i*>(w), plane[p]);
        for (std::uint32_t c = 0; c < lanes; ++c)
            out[c] += static_cast<std::uint32_t>((w[c / 64] >> (c % 64)) & 1u) << p;
    }
}
#undef KAV_CARRY_SAVE
#endif

#if defined(__x86_64__) || defined(__i386__)
// As addBitRowsWide, two rows to a 512-bit word, each carry-save addition two
// three-input logic instructions.
#define KAV_CARRY_SAVE(high, low, a, b, c)                                                         \
    do {                                                                                           \
        const __m512i a_ = (a), b_ = (b), c_ = (c);                                                \
        high = _mm512_ternarylogic_epi64(a_, b_, c_, 0xE8); /* majority */                         \
        low = _mm512_ternarylogic_epi64(a_, b_, c_, 0x96);  /* odd parity */                       \
    } while (false)

// The first row in the low half, the second in the high half.
__attribute__((target("avx512f"))) inline __m512i rowPair(const std::uint64_t* first,
                                                          const std::uint64_t* second) {
    return _mm512_mask_broadcast_i64x4(
        _mm512_maskz_loadu_epi64(0x0F, first), 0xF0,
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(second)));
}

__attribute__((target("avx512f"))) void addBitRowsWidest(const std::uint64_t* const* rows,
                                                         std::size_t n, std::uint32_t lanes,
                                                         std::uint32_t* out) {
    // Adds `value` at plane `from`, rippling up.
#define KAV_RIPPLE(from, value)                                                                    \
    do {                                                                                           \
        __m512i carry = (value);                                                                   \
        for (int p = (from); p < kPlanes && _mm512_test_epi64_mask(carry, carry) != 0; ++p) {      \
            const __m512i t = _mm512_and_si512(plane[p], carry);                                   \
            plane[p] = _mm512_xor_si512(plane[p], carry);                                          \
            carry = t;                                                                             \
        }                                                                                          \
    } while (false)
    __m512i plane[kPlanes];
    for (auto& p : plane)
        p = _mm512_setzero_si512();
#define KAV_PAIR(i) rowPair(rows[i], rows[(i) + 1])
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        __m512i twosA, twosB, foursA, foursB, eightsA, eightsB, sixteens;
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_PAIR(i), KAV_PAIR(i + 2));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_PAIR(i + 4), KAV_PAIR(i + 6));
        KAV_CARRY_SAVE(foursA, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_PAIR(i + 8), KAV_PAIR(i + 10));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_PAIR(i + 12), KAV_PAIR(i + 14));
        KAV_CARRY_SAVE(foursB, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(eightsA, plane[2], plane[2], foursA, foursB);
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_PAIR(i + 16), KAV_PAIR(i + 18));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_PAIR(i + 20), KAV_PAIR(i + 22));
        KAV_CARRY_SAVE(foursA, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(twosA, plane[0], plane[0], KAV_PAIR(i + 24), KAV_PAIR(i + 26));
        KAV_CARRY_SAVE(twosB, plane[0], plane[0], KAV_PAIR(i + 28), KAV_PAIR(i + 30));
        KAV_CARRY_SAVE(foursB, plane[1], plane[1], twosA, twosB);
        KAV_CARRY_SAVE(eightsB, plane[2], plane[2], foursA, foursB);
        KAV_CARRY_SAVE(sixteens, plane[3], plane[3], eightsA, eightsB);
        KAV_RIPPLE(4, sixteens);
    }
    for (; i + 2 <= n; i += 2)
        KAV_RIPPLE(0, KAV_PAIR(i));
#undef KAV_PAIR
    if (i < n)
        KAV_RIPPLE(0, _mm512_maskz_loadu_epi64(0x0F, rows[i]));
#undef KAV_RIPPLE
    for (int p = 0; p < kPlanes; ++p) {
        if (_mm512_test_epi64_mask(plane[p], plane[p]) == 0)
            continue;
        alignas(64) std::uint64_t w[2 * kWords];
        _mm512_store_si512(w, plane[p]);
        for (std::uint32_t c = 0; c < lanes; ++c)
            out[c] += static_cast<std::uint32_t>(((w[c / 64] >> (c % 64)) & 1u) +
                                                 ((w[kWords + c / 64] >> (c % 64)) & 1u))
                      << p;
    }
}
#undef KAV_CARRY_SAVE
#endif

void addBitRows(const std::uint64_t* const* rows, std::size_t n, std::uint32_t lanes,
                std::uint32_t* out) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool widest = __builtin_cpu_supports("avx512f");
    if (widest && allowed(Instructions::Avx512)) {
        addBitRowsWidest(rows, n, lanes, out);
        return;
    }
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide && allowed(Instructions::Avx2)) {
        addBitRowsWide(rows, n, lanes, out);
        return;
    }
#endif
    addBitRowsPlain(rows, n, lanes, out);
}

// out[c] += the sum of weight[i] over the n rows i that have bit c set.
void addWeightedRowsPlain(const std::uint64_t* const* rows, const float* weight, std::size_t n,
                          double* out) {
    for (std::size_t i = 0; i < n; ++i) {
        const double w = weight[i];
        for (std::size_t k = 0; k < kWords; ++k)
            for (std::uint64_t bits = rows[i][k]; bits != 0; bits &= bits - 1)
                out[64 * k + static_cast<std::size_t>(std::countr_zero(bits))] += w;
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Per byte of a row, the eight lanes it selects.
struct LaneMasks {
    alignas(32) std::array<std::array<std::uint32_t, 8>, 256> of{};
    LaneMasks() {
        for (std::uint32_t b = 0; b < 256; ++b)
            for (std::uint32_t c = 0; c < 8; ++c)
                of[b][c] = (b >> c) & 1u ? ~0u : 0u;
    }
};
const LaneMasks laneMasks;

// As addWeightedRowsPlain, 32 lanes at a time, added in 32-bit sums over
// kWeightedRun rows and then in doubles. The lanes are taken run by run, so
// that a run's rows are read from memory once and from the cache after.
__attribute__((target("avx2"))) void addWeightedRowsWide(const std::uint64_t* const* rows,
                                                         const float* weight, std::size_t n,
                                                         double* out) {
    const auto* masks = reinterpret_cast<const float*>(laneMasks.of.data());
    for (std::size_t from = 0; from < n; from += kWeightedRun) {
        const std::size_t to = std::min(n, from + kWeightedRun);
        for (std::size_t lane = 0; lane < kMaxBlock; lane += 32) {
            const std::size_t byte = lane / 8;
            __m256 a0 = _mm256_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
            for (std::size_t i = from; i < to; ++i) {
                std::uint32_t bits;
                std::memcpy(&bits, reinterpret_cast<const std::uint8_t*>(rows[i]) + byte,
                            sizeof bits);
                if (bits == 0)
                    continue;
                const __m256 w = _mm256_broadcast_ss(weight + i);
                a0 = _mm256_add_ps(a0, _mm256_and_ps(_mm256_load_ps(masks + 8 * (bits & 255u)), w));
                a1 = _mm256_add_ps(
                    a1, _mm256_and_ps(_mm256_load_ps(masks + 8 * (bits >> 8 & 255u)), w));
                a2 = _mm256_add_ps(
                    a2, _mm256_and_ps(_mm256_load_ps(masks + 8 * (bits >> 16 & 255u)), w));
                a3 = _mm256_add_ps(a3, _mm256_and_ps(_mm256_load_ps(masks + 8 * (bits >> 24)), w));
            }
            const __m256 a[4] = {a0, a1, a2, a3};
            for (int k = 0; k < 4; ++k) {
                double* o = out + lane + 8 * k;
                _mm256_storeu_pd(o, _mm256_add_pd(_mm256_loadu_pd(o),
                                                  _mm256_cvtps_pd(_mm256_castps256_ps128(a[k]))));
                _mm256_storeu_pd(o + 4,
                                 _mm256_add_pd(_mm256_loadu_pd(o + 4),
                                               _mm256_cvtps_pd(_mm256_extractf128_ps(a[k], 1))));
            }
        }
    }
}

// As addWeightedRowsPlain, all 256 lanes at once: a row's bits are the masks
// of sixteen masked additions.
__attribute__((target("avx512f"))) void addWeightedRowsWidest(const std::uint64_t* const* rows,
                                                              const float* weight, std::size_t n,
                                                              double* out) {
    for (std::size_t from = 0; from < n; from += kWeightedRun) {
        const std::size_t to = std::min(n, from + kWeightedRun);
        __m512 a[16];
        for (auto& x : a)
            x = _mm512_setzero_ps();
        for (std::size_t i = from; i < to; ++i) {
            const __m512 w = _mm512_set1_ps(weight[i]);
            const std::uint64_t* row = rows[i];
#define KAV_LANES(q)                                                                               \
    a[q] = _mm512_mask_add_ps(a[q], static_cast<__mmask16>(row[(q) / 4] >> (16 * ((q) % 4))),      \
                              a[q], w)
            KAV_LANES(0);
            KAV_LANES(1);
            KAV_LANES(2);
            KAV_LANES(3);
            KAV_LANES(4);
            KAV_LANES(5);
            KAV_LANES(6);
            KAV_LANES(7);
            KAV_LANES(8);
            KAV_LANES(9);
            KAV_LANES(10);
            KAV_LANES(11);
            KAV_LANES(12);
            KAV_LANES(13);
            KAV_LANES(14);
            KAV_LANES(15);
#undef KAV_LANES
        }
        alignas(64) std::array<float, kMaxBlock> run;
        for (int q = 0; q < 16; ++q)
            _mm512_store_ps(run.data() + 16 * q, a[q]);
        for (std::uint32_t c = 0; c < kMaxBlock; ++c)
            out[c] += run[c];
    }
}
#endif

// For each block (in field order) with its radius left, and each of its free
// results s in order: acc[c] = acc[c] + weight of s, for the lanes c that
// `near` (per radius and s, 256 bits) selects. Every lane adds its own terms
// in field order, rounded after each addition.
using InOrder = std::vector<std::pair<std::uint32_t, std::uint8_t>>;

void addInOrderPlain(const InOrder& blocks, const std::uint64_t* freeBits, const float* weight,
                     const std::uint64_t* near, std::uint32_t size, float* acc) {
    for (const auto& [b, radius] : blocks) {
        const float* w = weight + std::size_t{b} * size;
        const std::uint64_t* nearOfRadius = near + std::size_t{radius} * size * kWords;
        for (std::size_t k = 0; k < kWords; ++k)
            for (std::uint64_t bits = freeBits[kWords * b + k]; bits != 0; bits &= bits - 1) {
                const std::size_t s = 64 * k + static_cast<std::size_t>(std::countr_zero(bits));
                const std::uint64_t* lanes = nearOfRadius + s * kWords;
                for (std::size_t q = 0; q < kWords; ++q)
                    for (std::uint64_t c = lanes[q]; c != 0; c &= c - 1) {
                        float& a = acc[64 * q + static_cast<std::size_t>(std::countr_zero(c))];
                        a = a + w[s];
                    }
            }
    }
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx512f"))) void
addInOrderWidest(const InOrder& blocks, const std::uint64_t* freeBits, const float* weight,
                 const std::uint64_t* near, std::uint32_t size, float* acc) {
    __m512 a[16];
    for (int q = 0; q < 16; ++q)
        a[q] = _mm512_loadu_ps(acc + 16 * q);
    for (const auto& [b, radius] : blocks) {
        const float* w = weight + std::size_t{b} * size;
        const std::uint64_t* free = freeBits + kWords * b;
        if (radius == 0) {
            // Each free result adds to its own lane only: the whole block at
            // once (the loads take only the free lanes, within the block).
            for (int q = 0; q < 16; ++q) {
                const auto m = static_cast<__mmask16>(free[q / 4] >> (16 * (q % 4)));
                a[q] = _mm512_mask_add_ps(a[q], m, a[q], _mm512_maskz_loadu_ps(m, w + 16 * q));
            }
            continue;
        }
        const std::uint64_t* nearOfRadius = near + std::size_t{radius} * size * kWords;
        for (std::size_t k = 0; k < kWords; ++k)
            for (std::uint64_t bits = free[k]; bits != 0; bits &= bits - 1) {
                const std::size_t s = 64 * k + static_cast<std::size_t>(std::countr_zero(bits));
                const std::uint64_t* lanes = nearOfRadius + s * kWords;
                const __m512 v = _mm512_set1_ps(w[s]);
#define KAV_LANES(q)                                                                               \
    a[q] = _mm512_mask_add_ps(a[q], static_cast<__mmask16>(lanes[(q) / 4] >> (16 * ((q) % 4))),    \
                              a[q], v)
                KAV_LANES(0);
                KAV_LANES(1);
                KAV_LANES(2);
                KAV_LANES(3);
                KAV_LANES(4);
                KAV_LANES(5);
                KAV_LANES(6);
                KAV_LANES(7);
                KAV_LANES(8);
                KAV_LANES(9);
                KAV_LANES(10);
                KAV_LANES(11);
                KAV_LANES(12);
                KAV_LANES(13);
                KAV_LANES(14);
                KAV_LANES(15);
#undef KAV_LANES
            }
    }
    for (int q = 0; q < 16; ++q)
        _mm512_storeu_ps(acc + 16 * q, a[q]);
}
#endif

bool widestInOrder() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool widest = __builtin_cpu_supports("avx512f");
    return widest && allowed(Instructions::Avx512);
#else
    return false;
#endif
}

void addWeightedRows(const std::uint64_t* const* rows, const float* weight, std::size_t n,
                     double* out) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool widest = __builtin_cpu_supports("avx512f");
    if (widest && allowed(Instructions::Avx512)) {
        addWeightedRowsWidest(rows, weight, n, out);
        return;
    }
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide && allowed(Instructions::Avx2)) {
        addWeightedRowsWide(rows, weight, n, out);
        return;
    }
#endif
    addWeightedRowsPlain(rows, weight, n, out);
}

} // namespace

void BlockBallCounts::limitInstructions(Instructions widest) {
    widestAllowed = widest;
}

BlockBallCounts::BlockBallCounts(const FieldLayout& f, int misses) : f_(f), misses_(misses) {
    // The suffix: as many of the last levels as keep a block within kMaxBlock.
    while (suffixLevels_ < f_.levels) {
        const int e = f_.levelEvent[f_.levels - 1 - suffixLevels_];
        if (blockSize_ * f_.size[e] > kMaxBlock)
            break;
        blockSize_ *= f_.size[e];
        ++suffixLevels_;
    }
    prefixLevels_ = f_.levels - suffixLevels_;
    blocks_ = f_.count / blockSize_;
    radii_ = std::min(misses_, suffixLevels_) + 1;
    for (std::uint32_t c = 0; c < blockSize_; ++c)
        fullRow_[c / 64] |= std::uint64_t{1} << (c % 64);
    distance_.assign(static_cast<std::size_t>(blockSize_) * blockSize_, 0);
    for (std::uint32_t s = 0; s < blockSize_; ++s)
        for (std::uint32_t c = 0; c < blockSize_; ++c) {
            int d = 0;
            for (int l = f_.levels - suffixLevels_; l < f_.levels; ++l) {
                const int e = f_.levelEvent[l];
                d += f_.digit(s, e) != f_.digit(c, e) ? 1 : 0;
            }
            distance_[s * blockSize_ + c] = static_cast<std::uint8_t>(d);
        }
    byDistance_.resize(distance_.size());
    for (std::uint32_t s = 0; s < blockSize_; ++s) {
        std::uint8_t* order = byDistance_.data() + static_cast<std::size_t>(s) * blockSize_;
        for (std::uint32_t c = 0; c < blockSize_; ++c)
            order[c] = static_cast<std::uint8_t>(c);
        std::stable_sort(order, order + blockSize_, [&](std::uint8_t a, std::uint8_t b) {
            return distance_[s * blockSize_ + a] < distance_[s * blockSize_ + b];
        });
    }
    for (int radius = 0; radius <= suffixLevels_; ++radius)
        for (std::uint32_t c = 0; c < blockSize_; ++c)
            withinRadius_[radius] += distance_[c] <= radius ? 1 : 0;
    nearBits_.assign(static_cast<std::size_t>(radii_) * blockSize_ * kWords, 0);
    for (int radius = 0; radius < radii_; ++radius)
        for (std::uint32_t s = 0; s < blockSize_; ++s)
            for (std::uint32_t c = 0; c < blockSize_; ++c)
                if (distance_[s * blockSize_ + c] <= radius)
                    nearBits_[(static_cast<std::size_t>(radius) * blockSize_ + s) * kWords +
                              c / 64] |= std::uint64_t{1} << (c % 64);
    const int lowLevels = prefixLevels_ / 2;
    high_ = nearValues(0, prefixLevels_ - lowLevels);
    low_ = nearValues(prefixLevels_ - lowLevels, prefixLevels_);
    for (std::uint32_t i = 0; i < high_.within[std::min(misses_, high_.levels)]; ++i) {
        const int left = misses_ - high_.entries[i].distance;
        for (std::uint32_t k = 0; k < low_.within[std::min(left, low_.levels)]; ++k)
            ++rowsPerRadius_[std::min(left - low_.entries[k].distance, suffixLevels_)];
    }
    int twos = 0, threes = 0;
    for (int l = 0; l < prefixLevels_; ++l)
        ++(f_.size[f_.levelEvent[l]] == 2 ? twos : threes);
    overlapBlocks_ = overlapSizes(twos, threes, misses_);
    // The additions of sumInOverlap: per result of the suffix within the
    // radius left from the result, one per candidate of the block's suffix
    // within the radius left from the block.
    BallOverlaps additions{};
    for (int leftB = 0; leftB <= misses_; ++leftB)
        for (int leftP = 0; leftP <= misses_; ++leftP)
            additions[leftB][leftP] = withinRadius_[std::min(leftB, suffixLevels_)] *
                                      withinRadius_[std::min(leftP, suffixLevels_)];
    overlapAdditions_ = overlapSizes(twos, threes, misses_, &additions);
    for (int l = prefixLevels_; l < f_.levels; ++l) {
        const int e = f_.levelEvent[l];
        suffixLevelSteps_.push_back({f_.stride[e], f_.size[e]});
    }
}

BlockBallCounts::Near BlockBallCounts::nearValues(int from, int to) const {
    // A value numbers the digits of levels from..to-1, the last one fastest.
    Near n;
    n.levels = to - from;
    std::vector<std::array<std::uint8_t, kEvents>> digits(1);
    for (int l = from; l < to; ++l) {
        const int size = f_.size[f_.levelEvent[l]];
        std::vector<std::array<std::uint8_t, kEvents>> next;
        for (const auto& d : digits)
            for (int x = 0; x < size; ++x) {
                next.push_back(d);
                next.back()[l - from] = static_cast<std::uint8_t>(x);
            }
        digits = std::move(next);
    }
    n.values = static_cast<std::uint32_t>(digits.size());
    n.entries.resize(static_cast<std::size_t>(n.values) * n.values);
    for (std::uint32_t a = 0; a < n.values; ++a) {
        Near::Entry* e = n.entries.data() + static_cast<std::size_t>(a) * n.values;
        for (std::uint32_t b = 0; b < n.values; ++b) {
            int d = 0;
            for (int l = 0; l < n.levels; ++l)
                d += digits[a][l] != digits[b][l] ? 1 : 0;
            e[b] = {static_cast<std::uint16_t>(b), static_cast<std::uint8_t>(d)};
        }
        std::stable_sort(e, e + n.values, [](const Near::Entry& x, const Near::Entry& y) {
            return x.distance < y.distance;
        });
    }
    for (int r = 0; r <= n.levels; ++r)
        for (std::uint32_t b = 0; b < n.values; ++b)
            n.within[r] += n.entries[b].distance <= r ? 1 : 0;
    return n;
}

void BlockBallCounts::reset(const std::vector<std::uint8_t>& state) {
    freeBits_.assign(kWords * blocks_, 0);
    for (std::uint32_t r = 0; r < f_.count; ++r)
        if (state[r] == 0)
            freeBits_[kWords * (r / blockSize_) + r % blockSize_ / 64] |= std::uint64_t{1}
                                                                          << (r % blockSize_ % 64);
}

void BlockBallCounts::take(std::uint32_t r) {
    const std::uint32_t s = r % blockSize_;
    freeBits_[kWords * (r / blockSize_) + s / 64] &= ~(std::uint64_t{1} << (s % 64));
}

void BlockBallCounts::listRows(std::uint32_t block, Rows& rows, int fromRadius,
                               int toRadius) const {
    // The blocks within the radius of this one: the near parts of the high
    // levels, each with the parts of the low levels near enough.
    const Near& high = high_;
    const Near& low = low_;
    const std::uint32_t ownHigh = block / low.values, ownLow = block % low.values;
    const Near::Entry* nearHigh =
        high.entries.data() + static_cast<std::size_t>(ownHigh) * high.values;
    const Near::Entry* nearLow = low.entries.data() + static_cast<std::size_t>(ownLow) * low.values;
    // As many rows per radius left for every block.
    std::array<const std::uint64_t**, kEvents + 1> next{};
    toRadius = std::min(toRadius, suffixLevels_);
    for (int radius = 0; radius <= suffixLevels_; ++radius) {
        const bool listed = radius >= fromRadius && radius <= toRadius;
        rows.free[radius].resize(listed ? rowsPerRadius_[radius] : 0);
        next[radius] = rows.free[radius].data();
    }
    const std::uint32_t highEnd = high.within[std::min(misses_, high.levels)];
    for (std::uint32_t i = 0; i < highEnd; ++i) {
        const int left = misses_ - nearHigh[i].distance;
        const std::uint64_t* base = freeBits_.data() + kWords * nearHigh[i].value * low.values;
        // The low parts come by distance: one run per radius left.
        std::uint32_t k = 0;
        for (int d = 0; d <= std::min(left, low.levels); ++d) {
            const int radius = std::min(left - d, suffixLevels_);
            if (radius < fromRadius || radius > toRadius) {
                k = low.within[d];
                continue;
            }
            const std::uint64_t** out = next[radius];
            for (const std::uint32_t end = low.within[d]; k < end; ++k)
                *out++ = base + kWords * nearLow[k].value;
            next[radius] = out;
        }
    }
}

template <class T>
void BlockBallCounts::spread(std::array<std::array<T, kMaxBlock>, kEvents + 1>& weighted,
                             T* sums) const {
    // sums[c] = the sum over s of weighted[distance(c, s)][s], level by level:
    // at[k][x] holds, for the levels done, the sum over the suffixes s that
    // agree with x on the levels still to do, of weighted[k + the levels done
    // where x and s differ][s]. Only distances within `misses` weigh anything.
    std::array<std::array<T, kMaxBlock>, kEvents + 1> other; // written before read
    auto* at = &weighted;
    auto* next = &other;
    const int last = radii_ - 1;
    for (const SuffixLevel& level : suffixLevelSteps_) {
        // The results that differ from x only in this level lie `stride` apart
        // in runs of `size`: each takes the others' sums of one more miss.
        const std::uint32_t stride = level.stride, run = stride * level.size;
        for (int k = 0; k <= last; ++k) {
            const T* here = (*at)[k].data();
            T* out = (*next)[k].data();
            if (k == last) {
                std::copy(here, here + blockSize_, out);
                continue;
            }
            const T* farther = (*at)[k + 1].data();
            for (std::uint32_t base = 0; base < blockSize_; base += run) {
                const T* f = farther + base;
                const T* h = here + base;
                T* o = out + base;
                if (level.size == 2) {
                    for (std::uint32_t lo = 0; lo < stride; ++lo) {
                        o[lo] = h[lo] + f[stride + lo];
                        o[stride + lo] = h[stride + lo] + f[lo];
                    }
                } else {
                    for (std::uint32_t lo = 0; lo < stride; ++lo) {
                        const T a = f[lo], b = f[stride + lo], c = f[2 * stride + lo];
                        o[lo] = h[lo] + (b + c);
                        o[stride + lo] = h[stride + lo] + (a + c);
                        o[2 * stride + lo] = h[2 * stride + lo] + (a + b);
                    }
                }
            }
        }
        std::swap(at, next);
    }
    std::copy((*at)[0].begin(), (*at)[0].begin() + blockSize_, sums);
}

void BlockBallCounts::count(std::uint32_t block, std::uint32_t* counts, Rows& rows) const {
    listRows(block, rows);
    // free[k][s]: the free results of suffix s in the blocks whose radius left
    // is at least k.
    std::array<std::array<std::uint32_t, kMaxBlock>, kEvents + 1> free; // up to the suffix's levels
    for (int radius = suffixLevels_; radius >= 0; --radius) {
        if (radius < suffixLevels_)
            free[radius] = free[radius + 1];
        else
            free[radius].fill(0);
        if (!rows.free[radius].empty())
            addBitRows(rows.free[radius].data(), rows.free[radius].size(), blockSize_,
                       free[radius].data());
    }
    spread(free, counts);
}

void BlockBallCounts::addWeightedRadius(int radius, const float* blockWeight,
                                        const double* suffixWeight, double* into,
                                        Rows& rows) const {
    const auto& free = rows.free[radius];
    if (free.empty())
        return;
    // Wholly free blocks add their weight to every suffix alike; wholly
    // covered ones add nothing; only the others are added bit by bit.
    rows.weight.clear();
    rows.partial.clear();
    double whole = 0.0;
    // The rows lie all over the field's bits: each is asked for well before
    // it is read.
    constexpr std::size_t kRowsAhead = 16;
    for (std::size_t i = 0; i < std::min(kRowsAhead, free.size()); ++i)
        __builtin_prefetch(free[i]);
    for (std::size_t i = 0; i < free.size(); ++i) {
        if (i + kRowsAhead < free.size())
            __builtin_prefetch(free[i + kRowsAhead]);
        const std::uint64_t* row = free[i];
        const std::uint64_t any = row[0] | row[1] | row[2] | row[3];
        if (any == 0)
            continue;
        const double bw = blockWeight[(row - freeBits_.data()) / kWords];
        if (row[0] == fullRow_[0] && row[1] == fullRow_[1] && row[2] == fullRow_[2] &&
            row[3] == fullRow_[3]) {
            whole += bw;
        } else {
            rows.partial.push_back(row);
            rows.weight.push_back(static_cast<float>(bw));
        }
    }
    std::array<double, kMaxBlock> total{};
    addWeightedRows(rows.partial.data(), rows.weight.data(), rows.partial.size(), total.data());
    for (std::uint32_t s = 0; s < blockSize_; ++s)
        into[s] += (total[s] + whole) * suffixWeight[s];
}

void BlockBallCounts::sumWeightsInside(std::uint32_t block, const float* blockWeight,
                                       const double* suffixWeight, double* inside,
                                       Rows& rows) const {
    listRows(block, rows, 1);
    // weighted[k][s]: the weights of the free results of suffix s in the blocks
    // whose radius left is at least k (at least 1 for k = 0: the rim is left
    // out), times the suffix's own weight.
    std::array<std::array<double, kMaxBlock>, kEvents + 1> weighted; // up to the suffix's levels
    weighted[suffixLevels_].fill(0.0);
    for (int radius = suffixLevels_; radius >= 1; --radius) {
        if (radius < suffixLevels_)
            weighted[radius] = weighted[radius + 1];
        addWeightedRadius(radius, blockWeight, suffixWeight, weighted[radius].data(), rows);
    }
    if (suffixLevels_ > 0)
        weighted[0] = weighted[1];
    spread(weighted, inside);
}

void BlockBallCounts::sumRim(std::uint32_t block, const float* blockWeight,
                             const double* suffixWeight, double* rim, Rows& rows) const {
    listRows(block, rows, 0, 0);
    std::fill(rim, rim + blockSize_, 0.0);
    addWeightedRadius(0, blockWeight, suffixWeight, rim, rows);
}

void BlockBallCounts::sumWeights(std::uint32_t block, const float* blockWeight,
                                 const double* suffixWeight, double* sums, Rows& rows) const {
    std::array<double, kMaxBlock> rim;
    sumWeightsInside(block, blockWeight, suffixWeight, sums, rows);
    sumRim(block, blockWeight, suffixWeight, rim.data(), rows);
    for (std::uint32_t c = 0; c < blockSize_; ++c)
        sums[c] += rim[c];
}

bool BlockBallCounts::wideExactSums() {
    return widestInOrder();
}

void BlockBallCounts::exactSums(std::uint32_t block, const float* weight, float* exact,
                                Rows& rows) const {
    // The blocks within the radius in field order (each level's digits in
    // order), with the radius left in their suffixes.
    std::array<std::uint8_t, kEvents> own{};
    std::array<std::uint32_t, kEvents> step{};
    for (int l = 0; l < prefixLevels_; ++l) {
        const int e = f_.levelEvent[l];
        own[l] = static_cast<std::uint8_t>(f_.digit(block * blockSize_, e));
        step[l] = f_.stride[e] / blockSize_;
    }
    rows.inOrder.clear();
    auto walk = [&](auto& self, int level, std::uint32_t base, int left) -> void {
        if (level == prefixLevels_) {
            rows.inOrder.emplace_back(base,
                                      static_cast<std::uint8_t>(std::min(left, suffixLevels_)));
            return;
        }
        const int e = f_.levelEvent[level];
        for (int d = 0; d < f_.size[e]; ++d) {
            const int rest = left - (d != own[level] ? 1 : 0);
            if (rest >= 0)
                self(self, level + 1, base + static_cast<std::uint32_t>(d) * step[level], rest);
        }
    };
    walk(walk, 0, 0, misses_);
    std::array<float, kMaxBlock> acc{};
#if defined(__x86_64__) || defined(__i386__)
    if (widestInOrder())
        addInOrderWidest(rows.inOrder, freeBits_.data(), weight, nearBits_.data(), blockSize_,
                         acc.data());
    else
#endif
        addInOrderPlain(rows.inOrder, freeBits_.data(), weight, nearBits_.data(), blockSize_,
                        acc.data());
    std::copy(acc.begin(), acc.begin() + blockSize_, exact);
}

void BlockBallCounts::addNearRows(const Rows& rows, double* sums) const {
    addWeightedRowsPlain(rows.near.data(), rows.weight.data(), rows.near.size(), sums);
}

void BlockBallCounts::sumNearRows(const Rows& rows, std::uint32_t* counts) const {
    std::array<std::uint32_t, kMaxBlock> sums{};
    addBitRows(rows.near.data(), rows.near.size(), blockSize_, sums.data());
    std::copy(sums.begin(), sums.begin() + blockSize_, counts);
}

} // namespace kav
