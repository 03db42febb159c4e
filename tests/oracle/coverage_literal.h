// Literal transcriptions of the coverage map's algorithms: the zone build by
// copying, the full coverage loop, the pointer move's full pass and tally, and
// the best-bet search over every candidate and every uncovered result. They
// are the oracle that the fast versions in core are compared with.
#pragma once

#include "core/coverage/coverage.h"

#include <cstdint>
#include <vector>

namespace kav::oracle {

struct LiteralZone {
    std::vector<ZoneResult> results;
    MapLayout layout;
    std::int64_t n = 0;
};

inline LiteralZone literalBuildZone(const ZoneCells& cells, const QuoteTable& quotes) {
    LiteralZone z;
    z.results.assign(1, ZoneResult{});
    std::int64_t n = 1;
    for (int e = 0; e < kEvents; ++e) {
        int k = cells[e][0] + cells[e][1] + cells[e][2];
        std::int64_t m = n;
        n *= k;
        z.results.resize(static_cast<std::size_t>(n));
        if (k >= 1) {
            int sel[3], s = 0;
            for (int o = 0; o < 3; ++o)
                if (cells[e][o])
                    sel[s++] = o;
            for (int copy = 1; copy < k; ++copy)
                for (std::int64_t i = 0; i < m; ++i)
                    z.results[static_cast<std::size_t>(copy * m + i)] =
                        z.results[static_cast<std::size_t>(i)];
            for (int d = 0; d < k; ++d) {
                for (std::int64_t i = 0; i < m; ++i) {
                    auto& r = z.results[static_cast<std::size_t>(d * m + i)];
                    int o = sel[d];
                    r.ones = static_cast<std::uint16_t>(r.ones << 1);
                    r.draws = static_cast<std::uint16_t>(r.draws << 1);
                    r.twos = static_cast<std::uint16_t>(r.twos << 1);
                    (o == 0 ? r.ones : o == 1 ? r.draws : r.twos) |= 1;
                    if (k == 2) {
                        std::int64_t qa = quotes[e][sel[0]].raw(), qb = quotes[e][sel[1]].raw();
                        r.probability = r.probability * static_cast<double>(quotes[e][o].raw()) /
                                        static_cast<double>(qa + qb);
                    } else if (k == 3) {
                        r.probability =
                            r.probability * static_cast<double>(quotes[e][o].raw()) / 1000000.0;
                    }
                    r.flags = 0;
                    r.coverCount = 0;
                }
            }
        }
        z.layout = mapLayout(n);
    }
    z.n = n;
    return z;
}

inline void literalCount(std::vector<ZoneResult>& results, const std::vector<BetMask>& coupons,
                         int category) {
    for (auto& r : results)
        r.coverCount = 0;
    for (const auto& c : coupons) {
        if (c.ones == -1)
            continue;
        for (auto& r : results)
            if (matchCount(c, r.mask()) >= category)
                ++r.coverCount;
    }
}

// Hover states after a pointer move to p, by the full pass.
inline void literalHover(std::vector<ZoneResult>& results, int p, int category) {
    auto set = [](ZoneResult& r, std::uint8_t v) {
        r.flags = static_cast<std::uint8_t>((r.flags & 0x80) | v);
    };
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (static_cast<int>(i) == p) {
            set(results[i], 2);
            continue;
        }
        int k = matchCount(results[i].mask(), results[static_cast<std::size_t>(p)].mask());
        if (k >= category && results[i].hover() != 1)
            set(results[i], 1);
        if (k < category && results[i].hover() != 0)
            set(results[i], 0);
    }
}

inline std::array<std::int64_t, 7> literalTally(const std::vector<ZoneResult>& results,
                                                const std::vector<BetMask>& coupons, int p) {
    std::array<std::int64_t, 7> tally{};
    for (const auto& c : coupons) {
        if (c.ones == -1)
            continue;
        for (const auto& t : results) {
            auto inside = (t.ones & c.ones) | (t.draws & c.draws) | (t.twos & c.twos);
            if ((inside & 0xFFFF) != 0x7FFF)
                continue;
            int k = matchCount(t.mask(), results[static_cast<std::size_t>(p)].mask());
            if (k >= 9)
                ++tally[static_cast<std::size_t>(k - 9)];
        }
    }
    return tally;
}

struct LiteralBest {
    int indexP = -1;
    int indexN = -1;
};

inline LiteralBest literalBest(const std::vector<ZoneResult>& results, int category) {
    LiteralBest best;
    double bestP = 0;
    std::int64_t bestN = 0;
    for (std::size_t p = 0; p < results.size(); ++p) {
        std::int64_t gainN = 0;
        double gainP = 0;
        for (const auto& r : results) {
            if (r.coverCount != 0)
                continue;
            if (matchCount(results[p].mask(), r.mask()) >= category) {
                ++gainN;
                gainP += r.probability;
            }
        }
        if (gainP > bestP) {
            bestP = gainP;
            best.indexP = static_cast<int>(p);
        }
        if (gainN > bestN) {
            bestN = gainN;
            best.indexN = static_cast<int>(p);
        }
    }
    return best;
}

} // namespace kav::oracle
