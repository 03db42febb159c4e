// The expected return of a package of distinct single bets: the table over the
// whole field (one build, then a look-up per bet) against the literal walk of
// each bet, and the whole-field table on its own.
#include "core/value/expected_return.h"
#include "oracle/analysis_literal.h"
#include "support/analysis_draws.h"

#include "core/base/rng.h"

#include <chrono>
#include <cstdio>
#include <set>
#include <string>

namespace {

kav::AnalysisInput sampleInput() {
    return kav::testing::sampleAnalysisDraw();
}

kav::Lines distinctSingles(std::size_t n, kav::Rng& rng) {
    std::set<std::string> seen;
    kav::Lines lines;
    while (lines.size() < n) {
        kav::Variant v{};
        for (auto& o : v)
            o = static_cast<std::uint8_t>(rng.below(3));
        const std::string line = kav::formatVariant(v, "20.00");
        if (seen.insert(line).second)
            lines.push_back(line);
    }
    return lines;
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main() {
    const auto in = sampleInput();
    kav::Rng rng(7);
    for (std::size_t n : {std::size_t{1000}, std::size_t{10000}}) {
        const auto lines = distinctSingles(n, rng);
        const auto start = std::chrono::steady_clock::now();
        const auto ev = kav::packageExpectedReturn(in, lines, kav::Fixed4::fromRaw(200000 * n));
        std::printf("%zu distinct single bets: %.2f s (total %s)\n", n, seconds(start),
                    kav::significantText(ev.total).c_str());
    }
    // The literal walk of a few bets, to put the table's time per bet beside it.
    const auto lines = distinctSingles(20, rng);
    auto literalStart = std::chrono::steady_clock::now();
    for (const auto& line : lines) {
        auto input = in;
        const auto sets = kav::readCompleteLine(line)->sets;
        for (int e = 0; e < kav::kEvents; ++e)
            input.variant[e] = sets[e] == 1 ? 1 : sets[e] == 2 ? 2 : 3;
        volatile double sink = kav::oracle::literalAnalysis(input, 1000000, 1000000).payout[0];
        (void)sink;
    }
    const double literalPerBet = seconds(literalStart) / static_cast<double>(lines.size());
    const auto tableStart = std::chrono::steady_clock::now();
    kav::Coupon field{};
    field.fill(7);
    const auto table = kav::ExpectedReturnTable::build(in, field);
    const double tableTime = seconds(tableStart);
    std::printf("whole field (14,348,907 bets): %.2f s; literal walk: %.1f ms per bet, "
                "%.0f h for the field; literal / table for 1,000 bets: %.1f\n",
                tableTime, literalPerBet * 1e3, literalPerBet * 14348907 / 3600,
                literalPerBet * 1000 / tableTime);
    return table.table ? 0 : 1;
}
