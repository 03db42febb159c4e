// Enumeration of the zone results that a coupon (or a result taken as a single
// bet) reaches at a category, without testing every result of the zone: the
// zone is a mixed-radix product, so the reached results are those with at most
// `budget` events outside the coupon.
#pragma once

#include "core/coverage/coverage.h"

#include <array>
#include <cstdint>

namespace kav {

struct ZoneBox {
    struct Level {
        std::int64_t offset[kOutcomes] = {0, 0, 0}; // digit x stride, digits ascending
        std::uint8_t cost[kOutcomes] = {0, 0, 0};   // 1 when the digit lies outside the coupon
        std::uint8_t count = 0;
    };
    int budget = -1; // events outside the coupon still allowed; negative: reaches nothing
    int levels = 0;
    // Variable events, largest stride first, so a walk visits indices in ascending order.
    std::array<Level, kEvents> level{};
    // minCost[l]: events from level l on that have no digit inside the coupon.
    std::array<int, kEvents + 1> minCost{};
    // soleSuffix[l]: when every level from l on has exactly one digit inside the
    // coupon, the sum of their offsets (the one way on without a difference); else -1.
    std::array<std::int64_t, kEvents + 1> soleSuffix{};
};

// The box of a coupon over the zone at a category.
ZoneBox couponBox(const Zone& zone, const BetMask& coupon, int category);
// The box of zone result p taken as a single bet.
inline ZoneBox resultBox(const Zone& zone, int p, int category) {
    return couponBox(zone, zone.results[static_cast<std::size_t>(p)].mask(), category);
}

// Number of zone results inside the box.
std::int64_t ballSize(const Zone& zone, const ZoneBox& box);

// Calls f(index) for every zone result inside the box, in ascending index order.
// A depth-first walk over the levels with its own stack: digits that would
// leave too little budget for the levels below are skipped, the last level is
// run in place, and a level run without budget takes its one way on at once.
template <class F> void forEachInBall(const Zone&, const ZoneBox& b, F&& f) {
    if (b.budget < 0)
        return;
    const int last = b.levels - 1;
    if (last < 0) {
        f(std::int64_t{0});
        return;
    }
    std::int64_t base[kEvents + 1];
    int budget[kEvents + 1];
    int next[kEvents + 1];
    int lvl = 0;
    base[0] = 0;
    budget[0] = b.budget;
    next[0] = 0;
    while (lvl >= 0) {
        const auto l = static_cast<std::size_t>(lvl);
        const ZoneBox::Level& L = b.level[l];
        const int spare = budget[l] - b.minCost[l + 1];
        if (next[l] == 0 && budget[l] == 0 && b.soleSuffix[l] >= 0) {
            f(base[l] + b.soleSuffix[l]);
            --lvl;
            continue;
        }
        if (lvl == last) {
            for (int j = 0; j < L.count; ++j)
                if (L.cost[j] <= spare)
                    f(base[l] + L.offset[j]);
            --lvl;
            continue;
        }
        int j = next[l];
        while (j < L.count && L.cost[j] > spare)
            ++j;
        if (j >= L.count) {
            --lvl;
            continue;
        }
        next[l] = j + 1;
        base[l + 1] = base[l] + L.offset[j];
        budget[l + 1] = budget[l] - L.cost[j];
        next[l + 1] = 0;
        ++lvl;
    }
}

} // namespace kav
