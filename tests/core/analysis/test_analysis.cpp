#include "core/analysis/analysis.h"
#include "core/base/rng.h"
#include "oracle/analysis_literal.h"
#include "support/analysis_draws.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using kav::AnalysedVariant;
using kav::AnalysisInput;
using kav::AnalysisStatus;
using kav::AnalysisTable;
using kav::Fixed4;

AnalysedVariant variantOf(const char* letters) {
    return *kav::parseAnalysedVariant(letters);
}

// Every event with the same quotes and pool shares, in percent.
AnalysisInput evenDraw(std::array<double, 3> quotes, std::array<double, 3> shares,
                       const char* variant) {
    AnalysisInput in;
    for (int e = 0; e < kav::kEvents; ++e)
        for (int o = 0; o < kav::kOutcomes; ++o) {
            in.quotes[e][o] = Fixed4::fromDouble(quotes[o]);
            in.poolShares[e][o] = Fixed4::fromDouble(shares[o]);
        }
    in.variant = variantOf(variant);
    in.drawCountry = kav::kRussia;
    in.totals.poolText = "1000000";
    in.totals.jackpotText = "1000000";
    in.totals.uniformCounts = {100, 50, 30};
    in.totals.uniformCountMean = 60;
    return in;
}

AnalysisInput workedExample(const char* variant) {
    return evenDraw({45, 28, 27}, {50, 25, 25}, variant);
}

AnalysisTable tableOf(const AnalysisInput& in) {
    auto outcome = kav::analyseVariant(in);
    EXPECT_EQ(outcome.status, AnalysisStatus::Done) << outcome.problem;
    return kav::analysisTable(outcome.values);
}

std::array<std::string, 8> column(const AnalysisTable& t, int col) {
    std::array<std::string, 8> out;
    for (int r = 1; r <= 8; ++r)
        out[r - 1] = t[r][col];
    return out;
}

using Column = std::array<std::string, 8>;

TEST(VariantAnalysis, WorkedExampleReproducesToTheDigit) {
    const auto t = tableOf(workedExample("11111111111111X"));
    EXPECT_EQ(t[0][0], "Категории");
    EXPECT_EQ(t[0][1], "Вероятность, %");
    EXPECT_EQ(t[0][2], "Выгодность");
    EXPECT_EQ(column(t, 0), (Column{"9", "10", "11", "12", "13", "14", "15", "Всего"}));
    EXPECT_EQ(column(t, 1),
              (Column{"9.4", "4.4", "1.5", "0.4", "0.07", "0.0077", "0.00039", "15.8"}));
    EXPECT_EQ(column(t, 2),
              (Column{"0.17", "0.082", "0.039", "0.018", "0.017", "0.014", "0.13", "0.464"}));

    const auto outsider = tableOf(workedExample("22222222222222X"));
    EXPECT_EQ(outsider[8][1], "0.743");
    EXPECT_EQ(outsider[8][2], "1.22");
}

TEST(VariantAnalysis, CertainOutcomesGiveTheTopCategoryOnly) {
    auto in = evenDraw({100, 0, 0}, {50, 25, 25}, "111111111111111");
    const auto t = tableOf(in);
    EXPECT_EQ(column(t, 1), (Column{"0", "0", "0", "0", "0", "0", "1E2", "100"}));
}

TEST(VariantAnalysis, EvenOddsFollowTheBinomialLaw) {
    // The analysed outcome at 50 and the other two summing to 50, mixed per event.
    auto in = evenDraw({50, 20, 30}, {40, 30, 30}, "1X21X21X21X21X2");
    for (int e = 0; e < kav::kEvents; ++e) {
        const int mine = in.variant[e] - 1;
        in.quotes[e][mine] = Fixed4::fromInt(50);
        in.quotes[e][(mine + 1) % 3] = Fixed4::fromInt(10 + e);
        in.quotes[e][(mine + 2) % 3] = Fixed4::fromInt(40 - e);
    }
    auto outcome = kav::analyseVariant(in);
    ASSERT_EQ(outcome.status, AnalysisStatus::Done);
    static const double binomial[] = {5005, 3003, 1365, 455, 105, 15, 1};
    for (int i = 0; i < kav::kCategories; ++i)
        EXPECT_NEAR(outcome.values.chance[i], binomial[i] / 32768, 1e-13) << "category " << 9 + i;
    EXPECT_EQ(column(kav::analysisTable(outcome.values), 1),
              (Column{"15", "9.2", "4.2", "1.4", "0.32", "0.046", "0.0031", "30.4"}));
}

// The chance of exactly k hits, by the textbook recurrence over events.
std::array<double, 16> hitDistribution(const AnalysisInput& in) {
    std::array<double, 16> p{};
    p[0] = 1;
    for (int e = 0; e < kav::kEvents; ++e) {
        const double hit = in.quotes[e][in.variant[e] - 1].toDouble() / 100;
        for (int k = e + 1; k >= 0; --k)
            p[k] = p[k] * (1 - hit) + (k > 0 ? p[k - 1] * hit : 0);
    }
    return p;
}

AnalysisInput randomDraw(kav::Rng& rng, std::uint8_t country) {
    return kav::testing::randomAnalysisDraw(rng, country, true);
}

TEST(VariantAnalysis, FastWalkMatchesTheLiteralTranscription) {
    kav::Rng rng(20261207);
    for (int round = 0; round < 12; ++round) {
        auto in = randomDraw(rng, static_cast<std::uint8_t>(round % 3));
        if (round >= 9) // the uniform variants, each with its own count
            in.variant.fill(static_cast<std::uint8_t>(round - 8));
        const auto fast = kav::analyseVariant(in);
        ASSERT_EQ(fast.status, AnalysisStatus::Done) << fast.problem;
        const auto literal =
            kav::oracle::literalAnalysis(in, *kav::parseAnalysisNumber(in.totals.poolText),
                                         *kav::parseAnalysisNumber(in.totals.jackpotText));
        const auto exact = hitDistribution(in);
        for (int i = 0; i < kav::kCategories; ++i) {
            // The chances are formed by the same operations in the same order.
            EXPECT_EQ(fast.values.chance[i], literal.chance[i])
                << "round " << round << " category " << 9 + i;
            EXPECT_NEAR(fast.values.chance[i], exact[9 + i], 1e-12);
            EXPECT_NEAR(fast.values.payout[i], literal.payout[i],
                        std::abs(literal.payout[i]) * 1e-12)
                << "round " << round << " category " << 9 + i;
        }
        EXPECT_EQ(kav::analysisTable(fast.values), kav::analysisTable(literal))
            << "round " << round;
    }
}

TEST(VariantAnalysis, UniformVariantSharesWithItsCount) {
    struct Case {
        const char* variant;
        double countFactor; // the count of the variant's kind, or 1 when mixed
    };
    const Case cases[] = {
        {"111111111111111", 100}, {"XXXXXXXXXXXXXXX", 50}, {"222222222222222", 30},
        {"11111111111111X", 1},   {"X11111111111111", 1},  {"1X2111111111111", 1},
    };
    for (const auto& c : cases) {
        auto in = workedExample(c.variant);
        kav::AnalysisOutcome unused;
        const auto setup = kav::prepareWalk(in, unused);
        ASSERT_TRUE(setup.has_value()) << c.variant;
        EXPECT_DOUBLE_EQ(setup->stakeShare, 20.0 / 1000001 * c.countFactor) << c.variant;
        EXPECT_DOUBLE_EQ(setup->jackpotUnits, 1000000.0 / 20 / c.countFactor) << c.variant;
        EXPECT_DOUBLE_EQ(setup->favourite, std::pow(0.5, 15));
    }
}

TEST(VariantAnalysis, StakeUnitsDependOnTheCountry) {
    auto in = workedExample("11111111111111X");
    kav::AnalysisOutcome unused;
    const std::pair<std::uint8_t, double> units[] = {{kav::kUkraine, 3}, {kav::kRussia, 20}};
    for (auto [country, u] : units) {
        in.drawCountry = country;
        const auto setup = kav::prepareWalk(in, unused);
        EXPECT_DOUBLE_EQ(setup->stakeShare, u / 1000001);
        EXPECT_DOUBLE_EQ(setup->jackpotUnits, 1000000 / u);
    }
    in.drawCountry = kav::kNoCountry;
    const auto setup = kav::prepareWalk(in, unused);
    EXPECT_DOUBLE_EQ(setup->stakeShare, 1000000);
    EXPECT_DOUBLE_EQ(setup->jackpotUnits, 1000000);
}

TEST(VariantAnalysis, RefusesInputsItCannotUseWithOneLine) {
    struct Case {
        const char* name;
        void (*spoil)(AnalysisInput&);
        AnalysisStatus status;
        const char* problem;
    };
    const Case cases[] = {
        {"pool text", [](AnalysisInput& in) { in.totals.poolText = "Edit1"; },
         AnalysisStatus::NotANumber, "Пул не является числом: «Edit1»."},
        // "1,5" is typed 1.5; with both separators it is no number.
        {"jackpot text", [](AnalysisInput& in) { in.totals.jackpotText = " 1,5.0 "; },
         AnalysisStatus::NotANumber, "Джек-пот не является числом: «1,5.0»."},
        {"pool -1", [](AnalysisInput& in) { in.totals.poolText = "-1"; },
         AnalysisStatus::NotANumber, "Пул не может быть равен -1."},
        {"zero share", [](AnalysisInput& in) { in.poolShares[2][1] = Fixed4(); },
         AnalysisStatus::Fault, "Анализ невозможен: доля пула исхода «X» в событии 3 равна 0."},
        {"zero share of the analysed outcome",
         [](AnalysisInput& in) { in.poolShares[14][1] = Fixed4(); }, AnalysisStatus::Fault,
         "Анализ невозможен: доля пула исхода «X» в событии 15 равна 0."},
        {"negative share", [](AnalysisInput& in) { in.poolShares[0][2] = Fixed4::fromInt(-5); },
         AnalysisStatus::Fault,
         "Анализ невозможен: доля пула исхода «2» в событии 1 отрицательна."},
        {"uniform count 0",
         [](AnalysisInput& in) {
             in.variant.fill(3);
             in.totals.uniformCounts[2] = 0;
         },
         AnalysisStatus::Fault, "Анализ невозможен: число ставок из одних «2» в тираже равно 0."},
        {"payout beyond the range of numbers",
         [](AnalysisInput& in) {
             // hand-typed quotes are not range-checked
             in.totals.jackpotText = "1e307";
             for (auto& ev : in.quotes)
                 ev = {Fixed4::fromInt(1000), Fixed4::fromInt(1000), Fixed4::fromInt(1000)};
         },
         AnalysisStatus::Fault,
         "Анализ невозможен: с этими пулом, джек-потом и числами ставок расчёт не даёт конечного "
         "результата."},
    };
    for (const auto& c : cases) {
        auto in = workedExample("11111111111111X");
        c.spoil(in);
        const auto outcome = kav::analyseVariant(in);
        EXPECT_EQ(outcome.status, c.status) << c.name;
        EXPECT_EQ(outcome.problem, c.problem) << c.name;
        EXPECT_EQ(outcome.values.chance, decltype(outcome.values.chance){}) << c.name;
    }
}

TEST(VariantAnalysis, UnchosenVariantReachesNoCategory) {
    // Before the window is first opened every event is a miss; the walk stops
    // after six events, so shares further on are never divided by.
    auto in = workedExample("111111111111111");
    in.variant.fill(0);
    in.poolShares[9][0] = Fixed4();
    const auto outcome = kav::analyseVariant(in);
    ASSERT_EQ(outcome.status, AnalysisStatus::Done) << outcome.problem;
    EXPECT_EQ(column(kav::analysisTable(outcome.values), 1),
              (Column{"0", "0", "0", "0", "0", "0", "0", "0"}));
    in.poolShares[5][2] = Fixed4();
    EXPECT_EQ(kav::analyseVariant(in).status, AnalysisStatus::Fault);
}

TEST(VariantAnalysis, StopsWhenCancelled) {
    std::atomic<bool> cancel{true};
    const auto outcome = kav::analyseVariant(workedExample("11111111111111X"), &cancel);
    EXPECT_EQ(outcome.status, AnalysisStatus::Cancelled);
}

TEST(VariantAnalysis, PreselectsDrawThenAwayThenHome) {
    kav::DrawModel m;
    m.selection[0] = {1, 1, 1};
    m.selection[1] = {1, 0, 1};
    m.selection[2] = {0, 0, 1};
    m.selection[3] = {1, 1, 0};
    m.selection[4] = {1, 0, 0};
    EXPECT_EQ(kav::variantText(kav::Variant{}), std::string(15, '1'));
    const auto v = kav::preselectedVariant(m);
    EXPECT_EQ(v, variantOf("X22X11111111111"));
}

TEST(VariantAnalysis, ReadsVariantsNumbersAndCounts) {
    EXPECT_EQ(variantOf("1x21X21X21X21X2")[1], 2);
    for (const char* bad :
         {"", "11111111111111", "1111111111111111", "11111111111111Y", "1111111111111 1"})
        EXPECT_FALSE(kav::parseAnalysedVariant(bad)) << bad;

    EXPECT_EQ(kav::parseAnalysisNumber("125000.5"), 125000.5);
    EXPECT_EQ(kav::parseAnalysisNumber(" 1e6 "), 1e6);
    EXPECT_EQ(kav::parseAnalysisNumber("+3"), 3);
    EXPECT_EQ(kav::parseAnalysisNumber("-0.25"), -0.25);
    for (const char* bad : {"", " ", "Edit1", "1,5", "inf", "nan", "1e999", "--1", "1e", "0x10"})
        EXPECT_FALSE(kav::parseAnalysisNumber(bad)) << bad;

    EXPECT_EQ(kav::uniformCountMeanOf({3, 4, 5}), 4);
    EXPECT_EQ(kav::uniformCountMeanOf({1, 1, 2}), 1);
    EXPECT_EQ(kav::uniformCountMeanOf({1, 2, 2}), 2);
    EXPECT_EQ(kav::uniformCountMeanOf({-1, -2, -2}), -2);
    EXPECT_FALSE(kav::uniformCountMeanOf({INT32_MAX, INT32_MAX, 5}));
}

} // namespace
