// Small tools of the value computations: results and variants as indices of
// the field of 3^15 results, the variants of a coupon in order, and work
// split over the machine's two cores.
#pragma once

#include "core/analysis/analysis.h"
#include "core/bets/bets.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <thread>

namespace kav::value {

constexpr std::size_t kResults = 14348907; // 3^15
constexpr int kSlots = kMaxMisses + 1;     // misses 0..6 of one result

constexpr std::array<std::size_t, kEvents + 1> powersOfThree() {
    std::array<std::size_t, kEvents + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= kEvents; ++i)
        p[i] = p[i - 1] * 3;
    return p;
}
constexpr auto kPow3 = powersOfThree();

// The place of event e's digit in a result index.
constexpr std::size_t stride(int e) {
    return kPow3[kEvents - 1 - e];
}

inline std::size_t resultIndex(const Variant& v) {
    std::size_t i = 0;
    for (int e = 0; e < kEvents; ++e)
        i = i * 3 + v[e];
    return i;
}

// Every variant of a coupon, event 1 first, outcomes in the order "1", "X", "2".
template <class Visit> void forEachVariant(const Coupon& c, Visit visit) {
    Variant v{};
    std::array<int, kEvents> at{};
    std::array<std::array<std::uint8_t, kOutcomes>, kEvents> outcomes{};
    std::array<int, kEvents> size{};
    for (int e = 0; e < kEvents; ++e) {
        for (int o = 0; o < kOutcomes; ++o)
            if (c[e] & outcomeBit(o))
                outcomes[e][size[e]++] = static_cast<std::uint8_t>(o);
        if (size[e] == 0)
            return;
        v[e] = outcomes[e][0];
    }
    while (true) {
        visit(v);
        int e = kEvents - 1;
        while (e >= 0 && ++at[e] == size[e]) {
            at[e] = 0;
            v[e] = outcomes[e][0];
            --e;
        }
        if (e < 0)
            return;
        v[e] = outcomes[e][at[e]];
    }
}

// Runs `work(part)` for part = 0..parts-1 on two threads.
template <class Work> inline void onTwoThreads(int parts, Work work) {
    std::atomic<int> next{0};
    auto loop = [&] {
        for (int p; (p = next.fetch_add(1)) < parts;)
            work(p);
    };
    std::thread helper(loop);
    loop();
    helper.join();
}

} // namespace kav::value
