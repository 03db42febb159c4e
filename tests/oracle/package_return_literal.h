// A package's payout with its own co-winners, written down as stated: each
// variant walked as the literal analysis walks it, and at each result the
// package's variants with the same number of hits counted one by one.
#pragma once

#include "core/analysis/analysis.h"

#include <cmath>
#include <vector>

namespace kav::oracle {

// `all`: every variant of the package, repeats included, outcomes 1..3.
inline double literalSharedReturn(const AnalysisInput& in, double pool, double jackpot,
                                  const AnalysedVariant& v,
                                  const std::vector<AnalysedVariant>& all) {
    const bool perUnit = in.drawCountry == 1 || in.drawCountry == 2;
    const double u = in.drawCountry == 1 ? 3 : 20;
    const double unit = perUnit ? u / (pool + 1) : pool;
    double w = unit;
    double ju = perUnit ? jackpot / u : jackpot;
    double f = 1;
    for (int e = 0; e < 15; ++e) {
        std::int64_t most = in.poolShares[e][0].raw();
        for (int o = 1; o < 3; ++o)
            most = std::max(most, in.poolShares[e][o].raw());
        f = f * (static_cast<double>(most) / 1000000);
    }
    for (int o = 1; o <= 3; ++o) {
        int same = 0;
        for (int e = 0; e < 15; ++e)
            same += v[e] == o ? 1 : 0;
        if (same == 15) {
            w = w * in.totals.uniformCounts[o - 1];
            ju = ju / in.totals.uniformCounts[o - 1];
        }
    }
    static const double prizeShare[16] = {0, 0,    0,    0,    0,    0,    0,    0,
                                          0, 0.40, 0.20, 0.10, 0.05, 0.05, 0.05, 0.05};
    static const double resultsWithHits[16] = {0, 0,      0,     0,     0,    0,   0,  0,
                                               0, 320320, 96096, 21840, 3640, 420, 30, 1};
    AnalysedVariant r{};
    double sum = 0;
    auto walk = [&](auto& self, int e, double d, double c, double b, int a) -> void {
        if (e == 15) {
            int m = 0; // the package's variants with as many misses at this result
            for (const AnalysedVariant& x : all) {
                int misses = 0;
                for (int i = 0; i < 15; ++i)
                    misses += x[i] != r[i] ? 1 : 0;
                m += misses == a ? 1 : 0;
            }
            const double others = (m - 1) * unit;
            const int k = 15 - a;
            const double g = std::exp(-5.52 * (f / c - 1));
            const double l = (g * in.totals.uniformCountMean + 1) * w;
            if (k == 15) {
                sum += d * prizeShare[15] / (l + c + others) + d * ju / ((c + others) / l + 1);
            } else {
                const double bigW =
                    std::pow(c * std::pow(b / 15, 15 - k), 15.0 / k) * resultsWithHits[k] + l;
                sum += d * prizeShare[k] / (bigW + others);
            }
            return;
        }
        for (int o = 1; o <= 3; ++o) {
            const int a2 = o == v[e] ? a : a + 1;
            if (a2 > 6)
                continue;
            const double q = static_cast<double>(in.quotes[e][o - 1].raw()) / 10000;
            const double s = static_cast<double>(in.poolShares[e][o - 1].raw()) / 10000;
            r[e] = static_cast<std::uint8_t>(o);
            self(self, e + 1, d * q / 100, c * s / 100, b + 100 / s, a2);
        }
    };
    walk(walk, 0, 1, 1, 0, 0);
    return sum;
}

} // namespace kav::oracle
