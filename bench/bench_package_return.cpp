// The package's return with its own co-winners: 1,000 single bets, 100,000
// single bets and the whole field, each in a child process of its own so that
// its peak memory is its own, on a draw with quotes that vary by event and on
// the default draw's equal quotes; beside them the literal computation (each
// variant walked, the package counted at every result one variant at a time).
#include "bench_draws.h"
#include "core/value/package_return.h"
#include "oracle/package_return_literal.h"

#include "core/base/rng.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <set>

namespace {

using kav::bench::defaultDraw;
using kav::bench::seconds;
using kav::bench::withTotals;

std::vector<kav::Variant> distinctSingles(std::size_t n, kav::Rng& rng) {
    std::set<kav::Variant> seen;
    std::vector<kav::Variant> out;
    while (out.size() < n) {
        kav::Variant v{};
        for (auto& o : v)
            o = static_cast<std::uint8_t>(rng.below(3));
        if (seen.insert(v).second)
            out.push_back(v);
    }
    return out;
}

// Runs the package in a child and prints its time and peak memory.
void measure(const char* name, const kav::AnalysisInput& in, const kav::Lines& lines,
             kav::Fixed4 stake) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        const auto ev = kav::packageSharedReturn(in, lines, stake);
        const double time = seconds(start);
        const auto [cpu, peakMb] = kav::bench::usageSoFar();
        // Two threads: on an idle machine of two cores the time is about half the CPU time.
        std::printf("  %-26s %6.2f s (CPU %6.2f s) %6ld MB  return %s (%s %%)\n", name, time, cpu,
                    peakMb, kav::significantText(ev.total, 6).c_str(),
                    ev.returnPercent ? kav::significantText(*ev.returnPercent, 4).c_str() : "-");
        std::fflush(stdout);
        _exit(ev.status == kav::AnalysisStatus::Done ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

} // namespace

int main() {
    const std::pair<const char*, kav::AnalysisInput> draws[] = {
        {"quotes varying by event", withTotals(kav::testing::sampleAnalysisDraw())},
        {"default draw, equal quotes", defaultDraw()},
    };
    kav::Rng rng(38);
    const auto singles = distinctSingles(100000, rng);
    kav::Lines thousand, hundredThousand;
    for (std::size_t i = 0; i < singles.size(); ++i) {
        const auto line = kav::formatVariant(singles[i], "20");
        if (i < 1000)
            thousand.push_back(line);
        hundredThousand.push_back(line);
    }
    kav::Coupon field{};
    field.fill(7);
    const kav::Lines whole{kav::formatCoupon(field, kav::Fixed4::fromInt(20))};
    for (const auto& [name, in] : draws) {
        std::printf("%s:\n", name);
        measure("1,000 single bets", in, thousand, kav::Fixed4::fromInt(20000));
        measure("100,000 single bets", in, hundredThousand, kav::Fixed4::fromInt(2000000));
        measure("whole field (14,348,907)", in, whole, kav::Fixed4::fromInt(20 * 14348907));

        // The literal computation of a few of the 1,000 bets, per bet.
        std::vector<kav::AnalysedVariant> all;
        for (std::size_t i = 0; i < 1000; ++i) {
            kav::AnalysedVariant v{};
            for (int e = 0; e < kav::kEvents; ++e)
                v[e] = static_cast<std::uint8_t>(singles[i][e] + 1);
            all.push_back(v);
        }
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 3; ++i)
            (void)kav::oracle::literalSharedReturn(in, 30000000, 2500000, all[i], all);
        const double perBet = seconds(start) / 3;
        std::printf("  literal: %.2f s per bet of the 1,000, %.0f s for the package\n", perBet,
                    perBet * 1000);
    }
    return 0;
}
