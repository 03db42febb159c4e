#include "core/coverage/coverage_enum.h"

namespace kav {

namespace {
bool allows(const BetMask& m, int event0, int outcome0) {
    const std::int16_t masks[kOutcomes] = {m.ones, m.draws, m.twos};
    return (static_cast<std::uint16_t>(masks[outcome0]) & eventBit(event0)) != 0;
}
} // namespace

ZoneBox couponBox(const Zone& zone, const BetMask& coupon, int category) {
    ZoneBox b;
    int budget = kEvents - category;
    for (int e = kEvents - 1; e >= 0; --e) {
        int k = zone.radix[e];
        if (k == 0)
            return b;
        if (k == 1) {
            if (!allows(coupon, e, zone.outcome[e][0]))
                --budget;
            continue;
        }
        ZoneBox::Level& L = b.level[static_cast<std::size_t>(b.levels++)];
        L.count = static_cast<std::uint8_t>(k);
        for (int d = 0; d < k; ++d) {
            L.offset[d] = d * zone.stride[e];
            L.cost[d] = allows(coupon, e, zone.outcome[e][d]) ? 0 : 1;
        }
    }
    b.minCost[static_cast<std::size_t>(b.levels)] = 0;
    b.soleSuffix[static_cast<std::size_t>(b.levels)] = 0;
    for (int l = b.levels - 1; l >= 0; --l) {
        const auto i = static_cast<std::size_t>(l);
        const auto& L = b.level[i];
        int inside = 0;
        std::int64_t offset = 0;
        for (int d = 0; d < L.count; ++d)
            if (L.cost[d] == 0) {
                ++inside;
                offset = L.offset[d];
            }
        b.minCost[i] = b.minCost[i + 1] + (inside == 0 ? 1 : 0);
        b.soleSuffix[i] =
            inside == 1 && b.soleSuffix[i + 1] >= 0 ? b.soleSuffix[i + 1] + offset : -1;
    }
    b.budget = budget < b.minCost[0] ? -1 : budget;
    return b;
}

std::int64_t ballSize(const Zone&, const ZoneBox& box) {
    if (box.budget < 0)
        return 0;
    // ways[m]: choices of the levels so far with m events outside the coupon.
    std::array<std::int64_t, kEvents + 1> ways{};
    ways[0] = 1;
    for (int l = 0; l < box.levels; ++l) {
        const auto& L = box.level[static_cast<std::size_t>(l)];
        std::int64_t in = 0, out = 0;
        for (int d = 0; d < L.count; ++d)
            (L.cost[d] ? out : in) += 1;
        for (int m = kEvents; m >= 0; --m)
            ways[static_cast<std::size_t>(m)] =
                ways[static_cast<std::size_t>(m)] * in +
                (m > 0 ? ways[static_cast<std::size_t>(m) - 1] * out : 0);
    }
    std::int64_t total = 0;
    for (int m = 0; m <= box.budget && m <= kEvents; ++m)
        total += ways[static_cast<std::size_t>(m)];
    return total;
}

} // namespace kav
