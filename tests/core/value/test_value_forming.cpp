#include "core/value/field_walk.h"
#include "core/value/value_forming.h"

#include "oracle/value_form_literal.h"
#include "support/analysis_draws.h"

#include <gtest/gtest.h>

namespace {

using kav::AnalysedVariant;

AnalysedVariant lettered(const kav::Variant& v) {
    AnalysedVariant out{};
    for (int e = 0; e < kav::kEvents; ++e)
        out[e] = static_cast<std::uint8_t>(v[e] + 1);
    return out;
}

// Small fields around a random bet with a package of none or one bet near it;
// small pools in most rounds, so that the package's own winners weigh.
TEST(ValueForming, KeptGainsChooseTheBetsOfTheLiteralPlainGreedy) {
    kav::Rng rng(3805);
    int compared = 0;
    for (int round = 0; round < 12; ++round) {
        auto in =
            kav::testing::randomAnalysisDraw(rng, static_cast<std::uint8_t>(round % 3), false);
        if (round % 4 != 0)
            in.totals.poolText = std::to_string(rng.below(20000) + 500);
        const double pool = *kav::parseAnalysisNumber(in.totals.poolText);
        const double jackpot = *kav::parseAnalysisNumber(in.totals.jackpotText);
        kav::ValueFormInput request;
        kav::Variant base{};
        for (int e = 0; e < kav::kEvents; ++e) {
            base[e] = static_cast<std::uint8_t>(rng.below(3));
            request.field[e] = kav::outcomeBit(base[e]);
        }
        for (int k = 0; k < 2; ++k)
            request.field[rng.below(15)] |= kav::outcomeBit(static_cast<int>(rng.below(3)));
        if (round % 2 == 1) {
            kav::Variant near = base;
            near[rng.below(15)] = static_cast<std::uint8_t>(rng.below(3));
            request.start.push_back(near);
        }
        request.limit = 3;
        request.minimumGain = round % 3 == 0 ? 1 : 0;
        const auto fast = kav::formByValue(in, request);
        ASSERT_EQ(fast.status, kav::AnalysisStatus::Done) << fast.problem;

        std::vector<AnalysedVariant> field, start;
        kav::value::forEachVariant(request.field, [&](const kav::Variant& v) {
            if (std::any_of(v.begin(), v.end(), [&](std::uint8_t o) { return o != v[0]; }))
                field.push_back(lettered(v));
        });
        for (const auto& v : request.start)
            start.push_back(lettered(v));
        const auto literal = kav::oracle::literalValueForming(in, pool, jackpot, field, start, 3,
                                                              request.minimumGain);
        // Bets whose gains differ only in the rounding of the sums may come
        // in either order: compare up to the first such step.
        std::size_t steps = 0;
        while (steps < literal.margins.size() && literal.margins[steps] > 1e-9)
            ++steps;
        ASSERT_GE(fast.chosen.size(), steps) << "round " << round;
        for (std::size_t i = 0; i < steps; ++i)
            EXPECT_EQ(lettered(fast.chosen[i]), literal.chosen[i]) << "round " << round;
        if (steps == literal.chosen.size()) {
            EXPECT_EQ(fast.chosen.size(), literal.chosen.size()) << "round " << round;
        }
        compared += static_cast<int>(steps);
    }
    EXPECT_GT(compared, 15);
}

} // namespace
