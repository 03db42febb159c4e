#include "core/value/simulation.h"

#include "core/base/rng.h"
#include "core/bets/bet_list_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using kav::AnalysisInput;
using kav::AnalysisStatus;
using kav::Fixed4;

AnalysisInput draw(kav::Rng& rng) {
    AnalysisInput in;
    for (int e = 0; e < kav::kEvents; ++e)
        for (auto* table : {&in.quotes[e], &in.poolShares[e]}) {
            const auto a = static_cast<std::int64_t>(rng.below(500000)) + 200000;
            const auto b = static_cast<std::int64_t>(rng.below(200000)) + 150000;
            (*table)[0] = Fixed4::fromRaw(a);
            (*table)[1] = Fixed4::fromRaw(b);
            (*table)[2] = Fixed4::fromRaw(1000000 - a - b);
        }
    in.drawCountry = kav::kRussia;
    in.totals.poolText = "5000000";
    in.totals.jackpotText = "0";
    in.totals.uniformCounts = {100, 50, 30};
    in.totals.uniformCountMean = 60;
    return in;
}

// Bets near the favourites, so that the package reaches the prize categories.
kav::Lines package(const AnalysisInput& in, kav::Rng& rng, int singles) {
    kav::Lines lines;
    for (int i = 0; i < singles; ++i) {
        kav::Variant v{};
        for (int e = 0; e < kav::kEvents; ++e)
            v[e] = rng.below(4) == 0                   ? static_cast<std::uint8_t>(rng.below(3))
                   : in.quotes[e][0] > in.quotes[e][2] ? 0
                                                       : 2;
        lines.push_back(kav::formatVariant(v, "20"));
    }
    lines.push_back("360.00;1-(1,X,2);2-(1);3-(1,X);4-(1);5-(1);6-(1,X,2);7-(1);8-(2);9-(1);"
                    "10-(1);11-(1);12-(1);13-(X,2);14-(1);15-(1).");
    return lines;
}

TEST(Simulation, BestHitsConvergeToTheirExactChances) {
    kav::Rng rng(314);
    for (int round = 0; round < 2; ++round) {
        const auto in = draw(rng);
        const auto lines = package(in, rng, 150);
        kav::BetList list(lines);
        kav::SimulationSettings settings;
        settings.draws = 40000;
        settings.seed = 1234u + static_cast<std::uint32_t>(round);
        const auto sim = kav::simulateDraws(in, lines, list.total(), settings);
        ASSERT_EQ(sim.status, AnalysisStatus::Done) << sim.problem;
        ASSERT_TRUE(sim.exactBestHits);
        double chanceSum = 0;
        std::uint64_t drawSum = 0;
        for (int k = 0; k <= kav::kEvents; ++k) {
            const double p = (*sim.exactBestHits)[k];
            const double n = static_cast<double>(settings.draws);
            // Five standard deviations of a binomial count, and one draw.
            const double tolerance = 5 * std::sqrt(p * (1 - p) / n) + 1 / n;
            EXPECT_NEAR(static_cast<double>(sim.bestHits[k]) / n, p, tolerance)
                << "round " << round << " best " << k;
            chanceSum += p;
            drawSum += sim.bestHits[k];
        }
        EXPECT_NEAR(chanceSum, 1, 1e-12);
        EXPECT_EQ(drawSum, settings.draws);
        std::uint64_t binned = 0;
        for (auto c : sim.returnBins)
            binned += c;
        EXPECT_EQ(binned, settings.draws);
        EXPECT_EQ(sim.returnBins[0], settings.draws - sim.drawsWithPrize);
        EXPECT_LE(sim.drawsWithProfit, sim.drawsWithPrize);

        // The same seed draws the same; another draws otherwise.
        const auto again = kav::simulateDraws(in, lines, list.total(), settings);
        EXPECT_EQ(again.bestHits, sim.bestHits);
        EXPECT_EQ(again.meanReturn, sim.meanReturn);
        settings.seed += 100;
        EXPECT_NE(kav::simulateDraws(in, lines, list.total(), settings).bestHits, sim.bestHits);
    }
}

TEST(Simulation, ExactChancesOfOneBetFollowItsHitChances) {
    kav::Rng rng(99);
    const auto in = draw(rng);
    const kav::Variant v{0, 1, 2, 0, 0, 1, 2, 0, 0, 0, 2, 1, 0, 0, 2};
    const auto exact = kav::exactBestHitChances(in.quotes, {kav::formatVariant(v, "20")});
    ASSERT_TRUE(exact);
    std::array<double, 16> p{};
    p[0] = 1;
    for (int e = 0; e < kav::kEvents; ++e) {
        const double hit = in.quotes[e][v[e]].toDouble() / 100;
        for (int k = e + 1; k >= 0; --k)
            p[k] = p[k] * (1 - hit) + (k > 0 ? p[k - 1] * hit : 0);
    }
    for (int k = 0; k <= kav::kEvents; ++k)
        EXPECT_NEAR((*exact)[k], p[k], 1e-12) << k;
    // An empty list never hits.
    EXPECT_NEAR((*kav::exactBestHitChances(in.quotes, {}))[0], 1.0, 1e-12);
}

// Thirteen events with a certain outcome and two even ones: four results.
AnalysisInput nearlyCertainDraw() {
    kav::Rng rng(5);
    AnalysisInput in = draw(rng);
    for (int e = 0; e < 13; ++e)
        in.quotes[e] = {Fixed4::fromInt(100), Fixed4(), Fixed4()};
    for (int e = 13; e < 15; ++e)
        in.quotes[e] = {Fixed4::fromInt(50), Fixed4(), Fixed4::fromInt(50)};
    return in;
}

TEST(Simulation, MeanReturnMeetsTheExpectedReturn) {
    auto in = nearlyCertainDraw();
    in.totals.jackpotText = "300000";
    const kav::Lines lines{
        "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(2).",
        "40.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(X);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1,2);15-(1).",
    };
    kav::BetList list(lines);
    const auto ev = kav::packageExpectedReturn(in, lines, list.total());
    ASSERT_EQ(ev.status, AnalysisStatus::Done) << ev.problem;
    kav::SimulationSettings settings;
    settings.draws = 20000;
    settings.seed = 8;
    settings.alone = true;
    const auto sim = kav::simulateDraws(in, lines, list.total(), settings);
    ASSERT_EQ(sim.status, AnalysisStatus::Done) << sim.problem;
    EXPECT_NEAR(sim.meanReturn, ev.total, ev.total * 0.03);
    EXPECT_EQ(sim.drawsWithPrize, settings.draws);
    EXPECT_EQ(sim.bestHits[15] + sim.bestHits[14], settings.draws);
}

TEST(Simulation, TypedPrizesPayPerWinningVariant) {
    auto in = nearlyCertainDraw();
    in.totals.poolText = "Edit1"; // not read with typed prizes
    const kav::Lines lines{"80.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                           "11-(1);12-(1);13-(1);14-(1,2);15-(1,2)."};
    kav::SimulationSettings settings;
    settings.draws = 1000;
    settings.prizes = *kav::parsePrizeList("1,2,3,4,5,100,1000");
    const auto sim = kav::simulateDraws(in, lines, Fixed4::fromInt(80), settings);
    ASSERT_EQ(sim.status, AnalysisStatus::Done) << sim.problem;
    // Every draw: one variant with 15 hits and two with 14, one with 13.
    EXPECT_DOUBLE_EQ(sim.meanReturn, 1000 + 2 * 100 + 5);
    EXPECT_EQ(sim.drawsWithProfit, settings.draws);
    EXPECT_EQ(sim.bestHits[15], settings.draws);
    EXPECT_EQ(sim.returnBins[kav::kReturnBins - 2], settings.draws); // 10..100 times the stake
}

TEST(Simulation, RefusesWhatItCannotDraw) {
    auto in = nearlyCertainDraw();
    in.quotes[3] = {Fixed4(), Fixed4(), Fixed4()};
    kav::SimulationSettings settings;
    settings.draws = 1000;
    auto sim = kav::simulateDraws(in, {}, Fixed4(), settings);
    EXPECT_EQ(sim.status, AnalysisStatus::Fault);
    EXPECT_EQ(sim.problem, "Моделирование невозможно: котировки события 4 не дают вероятностей.");
    in = nearlyCertainDraw();
    in.totals.poolText = "Edit1";
    sim = kav::simulateDraws(in, {}, Fixed4(), settings);
    EXPECT_EQ(sim.status, AnalysisStatus::NotANumber);
    EXPECT_EQ(sim.problem, "Пул не является числом: «Edit1».");
}

} // namespace
