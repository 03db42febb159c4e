// 100,000 simulated draws of a package of 1,000 single bets near the
// favourites, with and without the exact chances of the best hits.
#include "core/value/simulation.h"

#include "core/base/rng.h"

#include <chrono>
#include <cstdio>

int main() {
    kav::AnalysisInput in;
    const int quotes[3] = {45, 28, 27};
    const int shares[3] = {50, 25, 25};
    for (int e = 0; e < kav::kEvents; ++e)
        for (int o = 0; o < kav::kOutcomes; ++o) {
            in.quotes[e][o] = kav::Fixed4::fromInt(quotes[o]);
            in.poolShares[e][o] = kav::Fixed4::fromInt(shares[o]);
        }
    in.drawCountry = kav::kRussia;
    in.totals.poolText = "1000000";
    in.totals.jackpotText = "1000000";
    in.totals.uniformCounts = {100, 50, 30};
    in.totals.uniformCountMean = 60;
    kav::Rng rng(3);
    kav::Lines lines;
    for (int i = 0; i < 1000; ++i) {
        kav::Variant v{};
        for (auto& o : v)
            o = rng.below(3) == 0 ? static_cast<std::uint8_t>(rng.below(3)) : 0;
        lines.push_back(kav::formatVariant(v, "20"));
    }
    kav::SimulationSettings settings;
    settings.draws = 100000;
    settings.seed = 11;
    const auto start = std::chrono::steady_clock::now();
    const auto sim = kav::simulateDraws(in, lines, kav::Fixed4::fromInt(20000), settings);
    const double all =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto exactStart = std::chrono::steady_clock::now();
    (void)kav::exactBestHitChances(in.quotes, lines);
    const double exact =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - exactStart).count();
    std::printf("100,000 draws of 1,000 bets: %.2f s (of which the exact best-hit chances "
                "%.2f s); any prize %.4f, mean return %.2f\n",
                all, exact, static_cast<double>(sim.drawsWithPrize) / 1e5, sim.meanReturn);
    return sim.status == kav::AnalysisStatus::Done ? 0 : 1;
}
