// Literal check of a coupon against a result: every variant of the coupon
// written out and its guessed events counted one by one. The counting rule of
// the package check must give the same numbers.
#pragma once

#include "core/bets/bets.h"
#include "core/check/draw_result.h"

#include <array>
#include <cstdint>

namespace kav::oracle {

inline std::array<std::uint64_t, kEvents + 1> literalHitDistribution(const Coupon& coupon,
                                                                     const DrawResult& result) {
    std::array<std::uint64_t, kEvents + 1> counts{};
    std::array<int, kEvents> outcome{};
    // Odometer over the outcomes of each event's set, event 15 fastest.
    for (int e = 0; e < kEvents; ++e) {
        if ((coupon[e] & 7) == 0)
            return counts;
        outcome[e] = 0;
        while (!(coupon[e] & (1 << outcome[e])))
            ++outcome[e];
    }
    while (true) {
        int hits = 0;
        for (int e = 0; e < kEvents; ++e)
            if (result[e] == kVoidEvent || result[e] == outcome[e])
                ++hits;
        ++counts[hits];
        int e = kEvents - 1;
        for (; e >= 0; --e) {
            int next = outcome[e] + 1;
            while (next < 3 && !(coupon[e] & (1 << next)))
                ++next;
            if (next < 3) {
                outcome[e] = next;
                break;
            }
            outcome[e] = 0;
            while (!(coupon[e] & (1 << outcome[e])))
                ++outcome[e];
        }
        if (e < 0)
            return counts;
    }
}

} // namespace kav::oracle
