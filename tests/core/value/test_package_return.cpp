#include "core/value/package_return.h"

#include "core/base/rng.h"
#include "core/bets/bet_list_model.h"
#include "core/value/simulation.h"
#include "oracle/package_return_literal.h"
#include "support/analysis_draws.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using kav::AnalysedVariant;
using kav::Coupon;

// Small packages around one bet (sometimes a uniform one): a few coupons
// that differ from it in a few events, sometimes with a second outcome, and
// sometimes one coupon played twice, so that their variants share results.
std::vector<Coupon> randomPackage(kav::Rng& rng) {
    Coupon base{};
    const bool uniform = rng.below(6) == 0;
    const auto first = static_cast<int>(rng.below(3));
    for (auto& s : base)
        s = kav::outcomeBit(uniform ? first : static_cast<int>(rng.below(3)));
    while (true) {
        std::vector<Coupon> coupons;
        const auto n = rng.below(3) + 1;
        for (std::uint64_t i = 0; i < n; ++i) {
            Coupon c = base;
            for (auto changes = rng.below(5); changes > 0; --changes)
                c[rng.below(15)] = kav::outcomeBit(static_cast<int>(rng.below(3)));
            if (rng.below(3) == 0)
                c[rng.below(15)] |= kav::outcomeBit(static_cast<int>(rng.below(3)));
            coupons.push_back(c);
        }
        if (rng.below(8) == 0)
            coupons.push_back(coupons.front());
        std::uint64_t variants = 0;
        for (const Coupon& c : coupons)
            variants += kav::variantCount(c);
        if (variants <= 3)
            return coupons;
    }
}

std::vector<AnalysedVariant> variantsOf(const Coupon& c) {
    std::vector<AnalysedVariant> out{AnalysedVariant{}};
    for (int e = 0; e < kav::kEvents; ++e) {
        std::vector<AnalysedVariant> next;
        for (const auto& v : out)
            for (int o = 0; o < kav::kOutcomes; ++o)
                if (c[e] & kav::outcomeBit(o)) {
                    next.push_back(v);
                    next.back()[e] = static_cast<std::uint8_t>(o + 1);
                }
        out = next;
    }
    return out;
}

TEST(PackageReturn, SharedPayoutAgreesWithTheLiteralCountOfCoWinners) {
    kav::Rng rng(3801);
    int sharedPackages = 0;
    for (int round = 0; round < 200; ++round) {
        const auto in =
            kav::testing::randomAnalysisDraw(rng, static_cast<std::uint8_t>(round % 3), false);
        const double pool = *kav::parseAnalysisNumber(in.totals.poolText);
        const double jackpot = *kav::parseAnalysisNumber(in.totals.jackpotText);
        const auto coupons = randomPackage(rng);
        std::vector<AnalysedVariant> all;
        for (const Coupon& c : coupons)
            for (const auto& v : variantsOf(c))
                all.push_back(v);
        std::vector<kav::ShareMethod> methods{kav::ShareMethod::Automatic};
        if (round % 70 == 0)
            methods.push_back(kav::ShareMethod::OverField);
        for (auto method : methods) {
            const auto shared = kav::sharedCoefficients(in, coupons, nullptr, {}, method);
            ASSERT_EQ(shared.status, kav::AnalysisStatus::Done) << shared.problem;
            sharedPackages += shared.shared ? 1 : 0;
            for (std::size_t g = 0; g < coupons.size(); ++g) {
                double literal = 0;
                for (const auto& v : variantsOf(coupons[g]))
                    literal += kav::oracle::literalSharedReturn(in, pool, jackpot, v, all);
                EXPECT_NEAR(shared.perCoupon[g], literal, literal * 1e-9)
                    << "round " << round << " coupon " << g;
            }
        }
        // A package of one bet is the variant analysis, to the printed digit.
        if (all.size() == 1) {
            const kav::Lines one{kav::formatCoupon(coupons[0], kav::Fixed4::fromInt(20))};
            const auto shared = kav::packageSharedReturn(in, one, kav::Fixed4::fromInt(20));
            const auto alone = kav::packageExpectedReturn(in, one, kav::Fixed4::fromInt(20));
            EXPECT_EQ(kav::significantText(shared.total), kav::significantText(alone.total));
        }
    }
    EXPECT_GT(sharedPackages, 100);
}

TEST(PackageReturn, WholeFieldTakesNoMoreThanTheFundAndTheJackpot) {
    auto in = kav::testing::sampleAnalysisDraw();
    in.totals.poolText = "30000000";
    in.totals.jackpotText = "2500000";
    Coupon field{};
    field.fill(7);
    const kav::Fixed4 stake = kav::Fixed4::fromInt(20 * 14348907);
    const kav::Lines lines{kav::formatCoupon(field, kav::Fixed4::fromInt(20))};
    const auto shared = kav::packageSharedReturn(in, lines, stake);
    ASSERT_EQ(shared.status, kav::AnalysisStatus::Done) << shared.problem;
    EXPECT_LE(shared.total, 0.9 * 30000000 + 2500000);
}

TEST(PackageReturn, SimulatedDrawsMeetTheSharedReturn) {
    auto in = kav::testing::sampleAnalysisDraw();
    in.totals.poolText = "100000";
    // 512 variants near the favourites, most results won by many of them.
    const kav::Lines lines{"10240.00;1-(1,X);2-(1,X);3-(1,X);4-(1,X);5-(1,X);6-(1,X);7-(1,X);"
                           "8-(1,X);9-(1,2);10-(1);11-(1);12-(1);13-(1);14-(1);15-(1)."};
    kav::BetList list(lines);
    const auto shared = kav::packageSharedReturn(in, lines, list.total());
    const auto alone = kav::packageExpectedReturn(in, lines, list.total());
    ASSERT_EQ(shared.status, kav::AnalysisStatus::Done) << shared.problem;
    EXPECT_LT(shared.total, 0.9 * alone.total);
    kav::SimulationSettings settings;
    settings.draws = 200000;
    settings.seed = 38;
    const auto sim = kav::simulateDraws(in, lines, list.total(), settings);
    ASSERT_EQ(sim.status, kav::AnalysisStatus::Done) << sim.problem;
    EXPECT_NEAR(sim.meanReturn, shared.total, 4 * sim.meanError);
}

} // namespace
