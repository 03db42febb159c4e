// Enumeration of the zone results that a coupon (or a result taken as a single
// bet) reaches at a category, without testing every result of the zone: the
// zone is a mixed-radix product, so the reached results are those with at most
// `budget` events outside the coupon.
#pragma once

#include "core/coverage.h"

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
};

// The box of a coupon over the zone at a category.
ZoneBox couponBox(const Zone& zone, const BetMask& coupon, int category);
// The box of zone result p taken as a single bet.
inline ZoneBox resultBox(const Zone& zone, int p, int category) {
    return couponBox(zone, zone.results[static_cast<std::size_t>(p)].mask(), category);
}

// Number of zone results inside the box.
std::int64_t ballSize(const Zone& zone, const ZoneBox& box);

namespace detail {
template <class F>
void walkBox(const ZoneBox& b, int lvl, std::int64_t base, int budget, F& f) {
    if (budget < b.minCost[static_cast<std::size_t>(lvl)])
        return;
    if (lvl == b.levels) {
        f(base);
        return;
    }
    const ZoneBox::Level& L = b.level[static_cast<std::size_t>(lvl)];
    for (int j = 0; j < L.count; ++j)
        walkBox(b, lvl + 1, base + L.offset[j], budget - L.cost[j], f);
}
} // namespace detail

// Calls f(index) for every zone result inside the box, in ascending index order.
template <class F> void forEachInBall(const Zone&, const ZoneBox& box, F&& f) {
    if (box.budget < 0)
        return;
    detail::walkBox(box, 0, 0, box.budget, f);
}

} // namespace kav
