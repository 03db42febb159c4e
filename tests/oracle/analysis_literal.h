// The variant analysis transcribed step by step, recursion and all: the
// oracle the fast walk of core/analysis.cpp is compared with. Slow on purpose.
#pragma once

#include "core/analysis/analysis.h"

#include <cmath>

namespace kav::oracle {

struct LiteralAnalysis {
    const AnalysisInput& in;
    double w = 0;
    double ju = 0;
    double f = 1;
    CategoryValues values;

    // Steps 2 to 7 with the pool and jackpot already read as numbers.
    LiteralAnalysis(const AnalysisInput& input, double pool, double jackpot) : in(input) {
        if (in.drawCountry == 1 || in.drawCountry == 2) {
            const double u = in.drawCountry == 1 ? 3 : 20;
            w = u / (pool + 1);
            ju = jackpot / u;
        } else {
            w = pool;
            ju = jackpot;
        }
        for (int e = 0; e < 15; ++e) {
            std::int64_t most = in.poolShares[e][0].raw();
            if (in.poolShares[e][1].raw() > most)
                most = in.poolShares[e][1].raw();
            if (in.poolShares[e][2].raw() > most)
                most = in.poolShares[e][2].raw();
            f = f * (static_cast<double>(most) / 1000000);
        }
        int count[4] = {0, 0, 0, 0};
        for (int e = 0; e < 15; ++e)
            ++count[in.variant[e] <= 3 ? in.variant[e] : 0];
        if (count[1] == 15) {
            w = w * in.totals.uniformCounts[0];
            ju = ju / in.totals.uniformCounts[0];
        } else if (count[2] == 15) {
            w = w * in.totals.uniformCounts[1];
            ju = ju / in.totals.uniformCounts[1];
        } else if (count[3] == 15) {
            w = w * in.totals.uniformCounts[2];
            ju = ju / in.totals.uniformCounts[2];
        }
        walk(0, 1, 1, 0, 0);
    }

    void walk(int e, double d, double c, double b, int a) {
        if (e == 15) {
            result(d, c, b, a);
            return;
        }
        for (int o = 1; o <= 3; ++o) {
            const int a2 = o == in.variant[e] ? a : a + 1;
            if (a2 > 6)
                continue;
            const double q = static_cast<double>(in.quotes[e][o - 1].raw()) / 10000;
            const double s = static_cast<double>(in.poolShares[e][o - 1].raw()) / 10000;
            walk(e + 1, d * q / 100, c * s / 100, b + 100 / s, a2);
        }
    }

    void result(double d, double c, double b, int a) {
        static const double prizeShare[16] = {0, 0,    0,    0,    0,    0,    0,    0,
                                              0, 0.40, 0.20, 0.10, 0.05, 0.05, 0.05, 0.05};
        static const std::int32_t resultsWithHits[16] = {0, 0,      0,     0,     0,    0,   0,  0,
                                                         0, 320320, 96096, 21840, 3640, 420, 30, 1};
        const int k = 15 - a;
        const double g = std::exp(-5.52 * (f / c - 1));
        const double l = (g * in.totals.uniformCountMean + 1) * w;
        values.chance[k - 9] += d;
        if (k == 15) {
            values.payout[k - 9] += d * prizeShare[15] / (l + c) + d * ju / (c / l + 1);
        } else {
            const double bigW =
                std::pow(c * std::pow(b / 15, 15 - k), 15.0 / k) * resultsWithHits[k] + l;
            values.payout[k - 9] += d * prizeShare[k] / bigW;
        }
    }
};

inline CategoryValues literalAnalysis(const AnalysisInput& in, double pool, double jackpot) {
    return LiteralAnalysis(in, pool, jackpot).values;
}

} // namespace kav::oracle
