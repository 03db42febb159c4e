// Draws for the variant analysis and what is built on it (expected return,
// simulation): random ones for comparisons with the literal walk, and one
// fixed draw for the benchmarks.
#pragma once

#include "core/analysis/analysis.h"
#include "core/base/rng.h"

#include <string>

namespace kav::testing {

// A random draw whose quotes and shares add up to 100 per event; with
// `drawVariant` the analysed variant is drawn too, event by event.
inline AnalysisInput randomAnalysisDraw(Rng& rng, std::uint8_t country, bool drawVariant) {
    AnalysisInput in;
    for (int e = 0; e < kEvents; ++e) {
        for (auto* table : {&in.quotes[e], &in.poolShares[e]}) {
            const auto a = static_cast<std::int64_t>(rng.below(600000)) + 50000;
            const auto b = static_cast<std::int64_t>(rng.below(300000)) + 50000;
            (*table)[0] = Fixed4::fromRaw(a);
            (*table)[1] = Fixed4::fromRaw(b);
            (*table)[2] = Fixed4::fromRaw(1000000 - a - b);
        }
        if (drawVariant)
            in.variant[e] = static_cast<std::uint8_t>(rng.below(3) + 1);
    }
    in.drawCountry = country;
    in.totals.poolText = std::to_string(rng.below(5000000) + 1000);
    in.totals.jackpotText = std::to_string(rng.below(3000000));
    in.totals.uniformCounts = {static_cast<std::int32_t>(rng.below(500) + 1),
                               static_cast<std::int32_t>(rng.below(100) + 1),
                               static_cast<std::int32_t>(rng.below(300) + 1)};
    in.totals.uniformCountMean = *uniformCountMeanOf(in.totals.uniformCounts);
    return in;
}

// A Russian draw of 45/28/27 quotes and 50/25/25 shares with a little spread
// per event, so no two branches carry equal numbers.
inline AnalysisInput sampleAnalysisDraw() {
    AnalysisInput in;
    const int quotes[3] = {45, 28, 27};
    const int shares[3] = {50, 25, 25};
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o) {
            const int spread = o == 2 ? -e : o == 1 ? e : 0;
            in.quotes[e][o] = Fixed4::fromRaw(quotes[o] * 10000 + spread * 1000);
            in.poolShares[e][o] = Fixed4::fromRaw(shares[o] * 10000 + spread * 700);
        }
    in.drawCountry = kRussia;
    in.totals.poolText = "1000000";
    in.totals.jackpotText = "1000000";
    in.totals.uniformCounts = {100, 50, 30};
    in.totals.uniformCountMean = 60;
    return in;
}

} // namespace kav::testing
