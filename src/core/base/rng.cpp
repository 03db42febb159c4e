#include "core/base/rng.h"

#include <chrono>

namespace kav {

std::uint32_t Rng::seedAfter(std::uint32_t seed, std::uint64_t steps) {
    // k steps are x -> a^k x + c_k with c_k = 1 + a + ... + a^(k-1): the
    // steps' binary digits compose the maps for 1, 2, 4, ... steps.
    std::uint32_t a = kMultiplier, c = 1u;
    for (; steps != 0; steps >>= 1) {
        if (steps & 1u)
            seed = seed * a + c;
        c = c * a + c;
        a = a * a;
    }
    return seed;
}

std::uint32_t Rng::seedBefore(std::uint32_t seed) {
    // The multiplier is odd, so it has an inverse modulo 2^32 (Newton's
    // iteration doubles the correct low bits each round).
    constexpr std::uint32_t inverse = [] {
        std::uint32_t x = kMultiplier;
        for (int i = 0; i < 5; ++i)
            x *= 2u - kMultiplier * x;
        return x;
    }();
    static_assert(inverse * kMultiplier == 1u);
    return (seed - 1u) * inverse;
}

std::uint32_t Rng::clockSeed() {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(ms);
}

} // namespace kav
