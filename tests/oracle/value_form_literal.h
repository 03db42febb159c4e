// Forming by value as stated: at every step each bet of the field not yet
// chosen is valued by the package's literal return with and without it, and
// the one that gains most (the first on a tie) is added while it gains more
// than the minimum.
#pragma once

#include "oracle/package_return_literal.h"

#include <optional>
#include <vector>

namespace kav::oracle {

struct LiteralValueForming {
    std::vector<AnalysedVariant> chosen;
    // Per step, how far the best gain stood above the runner-up (relative).
    std::vector<double> margins;
};

inline double literalPackageReturn(const AnalysisInput& in, double pool, double jackpot,
                                   const std::vector<AnalysedVariant>& all) {
    double sum = 0;
    for (const AnalysedVariant& v : all)
        sum += literalSharedReturn(in, pool, jackpot, v, all);
    return sum;
}

// `field` in the order the fast search numbers it; outcomes 1..3.
inline LiteralValueForming literalValueForming(const AnalysisInput& in, double pool, double jackpot,
                                               const std::vector<AnalysedVariant>& field,
                                               std::vector<AnalysedVariant> package, int limit,
                                               double minimum) {
    LiteralValueForming out;
    std::vector<bool> taken(field.size(), false);
    for (int step = 0; step < limit; ++step) {
        const double before = literalPackageReturn(in, pool, jackpot, package);
        std::optional<std::size_t> best;
        double bestGain = 0, second = -1e300;
        for (std::size_t i = 0; i < field.size(); ++i) {
            if (taken[i])
                continue;
            package.push_back(field[i]);
            const double gain = literalPackageReturn(in, pool, jackpot, package) - before;
            package.pop_back();
            if (!best || gain > bestGain) {
                second = best ? bestGain : second;
                best = i;
                bestGain = gain;
            } else {
                second = std::max(second, gain);
            }
        }
        if (!best || bestGain <= minimum)
            break;
        out.margins.push_back((bestGain - second) / bestGain);
        taken[*best] = true;
        package.push_back(field[*best]);
        out.chosen.push_back(field[*best]);
    }
    return out;
}

} // namespace kav::oracle
