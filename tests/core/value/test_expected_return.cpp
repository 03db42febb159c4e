#include "core/value/expected_return.h"

#include "core/base/rng.h"
#include "core/bets/bet_list_model.h"
#include "oracle/analysis_literal.h"
#include "support/analysis_draws.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using kav::AnalysisInput;
using kav::AnalysisStatus;
using kav::Fixed4;
using kav::Variant;

AnalysisInput randomDraw(kav::Rng& rng, std::uint8_t country) {
    return kav::testing::randomAnalysisDraw(rng, country, false);
}

Variant randomVariant(kav::Rng& rng) {
    Variant v{};
    for (auto& o : v)
        o = static_cast<std::uint8_t>(rng.below(3));
    return v;
}

// The literal analysis of one variant, its categories summed 9 to 15.
double literalReturn(AnalysisInput in, const Variant& v) {
    for (int e = 0; e < kav::kEvents; ++e)
        in.variant[e] = static_cast<std::uint8_t>(v[e] + 1);
    const auto values =
        kav::oracle::literalAnalysis(in, *kav::parseAnalysisNumber(in.totals.poolText),
                                     *kav::parseAnalysisNumber(in.totals.jackpotText));
    double sum = 0;
    for (double p : values.payout)
        sum += p;
    return sum;
}

// A line's expected return as stated: its variants in the order of the
// coupon, each walked literally, times the per-variant stake.
double literalLineReturn(const AnalysisInput& in, const std::string& line) {
    const auto parsed = kav::readCompleteLine(line);
    const kav::Coupon& c = parsed->sets;
    double sum = 0;
    Variant v{};
    auto visit = [&](auto& self, int e) -> void {
        if (e == kav::kEvents) {
            sum += literalReturn(in, v);
            return;
        }
        for (int o = 0; o < kav::kOutcomes; ++o)
            if (c[e] & kav::outcomeBit(o)) {
                v[e] = static_cast<std::uint8_t>(o);
                self(self, e + 1);
            }
    };
    visit(visit, 0);
    return sum * kav::perVariantStake(parsed->amount, kav::variantCount(c)).toDouble();
}

kav::Coupon fullField() {
    kav::Coupon f{};
    f.fill(7);
    return f;
}

TEST(ExpectedReturn, WholeFieldTableAgreesWithTheLiteralWalkOfEachBet) {
    kav::Rng rng(918273);
    double worst = 0;
    for (std::uint8_t country = 0; country < 3; ++country) {
        const auto in = randomDraw(rng, country);
        const auto built = kav::ExpectedReturnTable::build(in, fullField());
        ASSERT_TRUE(built.table) << built.problem;
        std::vector<Variant> variants;
        for (int i = 0; i < 6; ++i)
            variants.push_back(randomVariant(rng));
        for (std::uint8_t o = 0; o < 3; ++o) // the uniform bets, each with its own count
            variants.push_back(Variant{o, o, o, o, o, o, o, o, o, o, o, o, o, o, o});
        for (const auto& v : variants) {
            const double literal = literalReturn(in, v);
            const double table = built.table->at(v);
            worst = std::max(worst, std::abs(table - literal) / literal);
            EXPECT_NEAR(table, literal, literal * 1e-12) << kav::variantText(v);

            // The exact walk of core forms every number as the literal one.
            auto one = in;
            for (int e = 0; e < kav::kEvents; ++e)
                one.variant[e] = static_cast<std::uint8_t>(v[e] + 1);
            kav::AnalysisOutcome refused;
            const auto setup = kav::prepareWalk(one, refused);
            ASSERT_TRUE(setup);
            EXPECT_EQ(kav::exactVariantReturn(one, *setup), literal) << kav::variantText(v);
        }
    }
    // Summation order and logarithms leave a margin of orders of magnitude
    // below what the printed values need.
    EXPECT_LT(worst, 1e-13);
}

TEST(ExpectedReturn, PackagePrintsTheLiteralDigitsLineByLine) {
    kav::Rng rng(5551);
    // A few bets are walked one by one, more are looked up in the table.
    for (bool many : {false, true}) {
        const auto in = randomDraw(rng, many ? 1 : 2);
        kav::Lines lines;
        for (int i = 0; i < 10; ++i)
            lines.push_back(kav::formatVariant(randomVariant(rng), i % 2 ? "20" : "7.35"));
        lines.push_back("12.00;1-(1,X);2-(X);3-(2);4-(1);5-(1);6-(X);7-(1,2);8-(1);9-(2);10-(1);"
                        "11-(1);12-(X);13-(1);14-(2);15-(1).");
        lines.push_back("no coupon here");
        lines.push_back("30.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                        "11-(1);12-(1);13-(1);14-(1);15-(1,X,2).");
        if (many)
            lines.push_back("1620.00;1-(1,X,2);2-(X);3-(1,X,2);4-(1);5-(1);6-(X);7-(1,2);8-(1);"
                            "9-(2);10-(1,X,2);11-(1);12-(X);13-(1);14-(2);15-(1,X,2).");
        kav::BetList list(lines);
        ASSERT_TRUE(list.inSync());
        const auto ev = kav::packageExpectedReturn(in, lines, list.total());
        ASSERT_EQ(ev.status, AnalysisStatus::Done) << ev.problem;
        ASSERT_EQ(ev.lines.size(), lines.size());
        double total = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == 11) {
                EXPECT_FALSE(ev.lines[i].valid);
                continue;
            }
            ASSERT_TRUE(ev.lines[i].valid) << i;
            const double literal = literalLineReturn(in, lines[i]);
            total += literal;
            EXPECT_EQ(kav::significantText(ev.lines[i].value), kav::significantText(literal))
                << "line " << i;
        }
        EXPECT_EQ(ev.lines[10].variants, 4u);
        EXPECT_EQ(kav::significantText(ev.total), kav::significantText(total));
        ASSERT_TRUE(ev.returnPercent);
        EXPECT_EQ(kav::significantText(*ev.returnPercent),
                  kav::significantText(total / list.total().toDouble() * 100));
    }
}

TEST(ExpectedReturn, RefusesWithTheAnalysisMessages) {
    kav::Rng rng(42);
    const auto base = randomDraw(rng, 2);
    const kav::Lines mixed{kav::formatVariant(randomVariant(rng), "20")};
    const kav::Lines allDraws{"20.00;1-(X);2-(X);3-(X);4-(X);5-(X);6-(X);7-(X);8-(X);9-(X);10-(X);"
                              "11-(X);12-(X);13-(X);14-(X);15-(X)."};
    {
        auto in = base;
        in.poolShares[4][0] = Fixed4();
        const auto ev = kav::packageExpectedReturn(in, mixed, Fixed4::fromInt(20));
        EXPECT_EQ(ev.status, AnalysisStatus::Fault);
        EXPECT_EQ(ev.problem, "Анализ невозможен: доля пула исхода «1» в событии 5 равна 0.");
    }
    {
        auto in = base;
        in.totals.poolText = "Edit1";
        const auto ev = kav::packageExpectedReturn(in, mixed, Fixed4::fromInt(20));
        EXPECT_EQ(ev.status, AnalysisStatus::NotANumber);
        EXPECT_EQ(ev.problem, "Пул не является числом: «Edit1».");
    }
    {
        // No all-"X" bet is counted: a list holding one is refused, a list
        // whose field merely contains it is not.
        auto in = base;
        in.totals.uniformCounts[1] = 0;
        const auto refused = kav::packageExpectedReturn(in, allDraws, Fixed4::fromInt(20));
        EXPECT_EQ(refused.status, AnalysisStatus::Fault);
        EXPECT_EQ(refused.problem,
                  "Анализ невозможен: число ставок из одних «X» в тираже равно 0.");
        kav::Lines around = allDraws;
        around[0].replace(around[0].size() - 3, 1, "1");
        around.push_back(
            "20.00;1-(X);2-(X);3-(X);4-(X);5-(X);6-(X);7-(X);8-(X);9-(X);10-(X);11-(X);12-(X);"
            "13-(X);14-(2);15-(X).");
        const auto fine = kav::packageExpectedReturn(in, around, Fixed4::fromInt(40));
        EXPECT_EQ(fine.status, AnalysisStatus::Done) << fine.problem;
        // The same through the table of a field of more bets.
        const std::string wide = "1620.00;1-(1,X,2);2-(1,X,2);3-(1,X,2);4-(1,X,2);5-(X);6-(X);"
                                 "7-(X);8-(X);9-(X);10-(X);11-(X);12-(X);13-(X);14-(X);15-(X).";
        EXPECT_EQ(kav::packageExpectedReturn(in, {wide}, Fixed4::fromInt(1620)).problem,
                  refused.problem);
        around.push_back("810.00;1-(1,2);2-(1,X,2);3-(1,X,2);4-(1,X,2);5-(X);6-(X);7-(X);8-(X);"
                         "9-(X);10-(X);11-(X);12-(X);13-(X);14-(X);15-(X).");
        EXPECT_EQ(kav::packageExpectedReturn(in, around, Fixed4::fromInt(850)).status,
                  AnalysisStatus::Done);
    }
}

TEST(ExpectedReturn, ReductionsKeepTheBestBetsInPlace) {
    kav::Rng rng(77);
    const auto in = randomDraw(rng, 2);
    const kav::Lines lines{
        "not a bet",
        "40.00;1-(1,X);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(X).",
        "20.00;1-(2);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(X).",
    };
    // Each variant's return as a single bet at its stake.
    const kav::Lines singles{
        "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(X).",
        "20.00;1-(X);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(X).",
        lines[2],
    };
    const auto ev = kav::packageExpectedReturn(in, singles, Fixed4::fromInt(60));
    ASSERT_EQ(ev.status, AnalysisStatus::Done);
    std::vector<std::size_t> rank{0, 1, 2};
    std::sort(rank.begin(), rank.end(),
              [&](auto a, auto b) { return ev.lines[a].value > ev.lines[b].value; });

    const auto best = kav::keepBestVariants(in, lines, 1);
    ASSERT_EQ(best.status, AnalysisStatus::Done);
    EXPECT_EQ(best.removedVariants, 2u);
    EXPECT_EQ(best.lines, (kav::Lines{"not a bet", singles[rank[0]]}));

    const auto two = kav::keepBestVariants(in, lines, 2);
    kav::Lines expected{"not a bet"};
    for (std::size_t i = 0; i < 3; ++i)
        if (i != rank[2])
            expected.push_back(singles[i]);
    if (rank[2] == 2) // the coupon stays whole when both its variants stay
        expected = {"not a bet", lines[1]};
    EXPECT_EQ(two.lines, expected);

    const double middle = ev.lines[rank[1]].value;
    const auto atLeast = kav::keepVariantsAtLeast(in, lines, middle);
    EXPECT_EQ(atLeast.lines, two.lines);
    EXPECT_EQ(kav::keepVariantsAtLeast(in, lines, 0).lines, lines);
    EXPECT_EQ(kav::keepVariantsAtLeast(in, lines, 1e12).lines, kav::Lines{"not a bet"});
}

TEST(ExpectedReturn, PrintsNineSignificantDigitsWithoutExponent) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {12.3456789012, "12.3456789"},
        {0.000123456789012, "0.000123456789"},
        {9.9999999996, "10.0000000"},
        {123456789012.4, "123456789012"},
        {-2.5, "-2.50000000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(kav::significantText(value), text) << value;
}

TEST(ExpectedReturn, ValueRatioIsQuoteOverShare) {
    EXPECT_DOUBLE_EQ(*kav::valueRatio(Fixed4::fromInt(45), Fixed4::fromInt(30)), 1.5);
    EXPECT_FALSE(kav::valueRatio(Fixed4::fromInt(45), Fixed4()));
    EXPECT_FALSE(kav::valueRatio(Fixed4::fromInt(45), Fixed4::fromInt(-1)));
}

} // namespace
