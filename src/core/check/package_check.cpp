#include "core/check/package_check.h"

namespace kav {

std::array<std::uint64_t, kEvents + 1> hitDistribution(const Coupon& coupon,
                                                       const DrawResult& result) {
    std::array<std::uint64_t, kEvents + 1> p{};
    p[0] = 1;
    int degree = 0;
    for (int e = 0; e < kEvents; ++e) {
        const int size = outcomeSetSize(coupon[e]);
        int hits = 0;
        if (result[e] == kVoidEvent)
            hits = size;
        else if (coupon[e] & outcomeBit(result[e]))
            hits = 1;
        const std::uint64_t misses = static_cast<std::uint64_t>(size - hits);
        // Multiply by (misses + hits x), highest power first so that each
        // coefficient is read before it is overwritten.
        p[degree + 1] = p[degree] * static_cast<std::uint64_t>(hits);
        for (int k = degree; k > 0; --k)
            p[k] = p[k] * misses + p[k - 1] * static_cast<std::uint64_t>(hits);
        p[0] *= misses;
        ++degree;
    }
    return p;
}

CategoryCounts lineCategoryCounts(const BetMask& mask, const DrawResult& result) {
    const auto dist = hitDistribution(toCoupon(mask), result);
    CategoryCounts c{};
    for (int i = 0; i < kCategories; ++i)
        c[i] = dist[kFirstCategory + i];
    return c;
}

PackageCheck checkPackage(const std::vector<BetMask>& masks, const DrawResult& result) {
    PackageCheck check;
    check.lines.reserve(masks.size());
    for (const BetMask& mask : masks) {
        LineCheck line;
        if (mask.valid()) {
            line.valid = true;
            const auto dist = hitDistribution(toCoupon(mask), result);
            bool wins = false;
            for (int i = 0; i < kCategories; ++i) {
                line.counts[i] = dist[kFirstCategory + i];
                check.totals[i] += line.counts[i];
                wins = wins || line.counts[i] != 0;
            }
            for (int k = kEvents; k >= 0; --k)
                if (dist[k] != 0) {
                    line.bestHits = k;
                    break;
                }
            check.bestHits = std::max(check.bestHits, line.bestHits);
            if (wins)
                ++check.winningLines;
        }
        check.lines.push_back(line);
    }
    return check;
}

} // namespace kav
