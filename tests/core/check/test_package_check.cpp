#include "core/base/rng.h"
#include "core/bets/bet_list_model.h"
#include "core/check/draw_result.h"
#include "core/check/package_check.h"
#include "core/check/package_history.h"
#include "core/check/prizes.h"
#include "core/draw/draw_model.h"
#include "oracle/hit_count_literal.h"

#include <gtest/gtest.h>

#include <string>

using namespace kav;

namespace {

DrawResult resultOf(const char* text) {
    return *parseDrawResult(text);
}

Coupon randomCoupon(Rng& rng, int maxTriples) {
    Coupon c{};
    int triples = 0;
    for (int e = 0; e < kEvents; ++e) {
        do
            c[e] = static_cast<OutcomeSet>(1 + rng.below(7));
        while (outcomeSetSize(c[e]) == 3 && triples >= maxTriples);
        if (outcomeSetSize(c[e]) == 3)
            ++triples;
    }
    return c;
}

DrawResult randomResult(Rng& rng, bool withVoid) {
    DrawResult r{};
    for (int e = 0; e < kEvents; ++e)
        r[e] = static_cast<std::int8_t>(withVoid && rng.below(6) == 0 ? kVoidEvent : rng.below(3));
    return r;
}

} // namespace

TEST(DrawResult, ReadsRowsListsVoidEventsAndCyrillicX) {
    const std::string row = "1X21-X2X1X2X12x";
    auto r = parseDrawResult(row);
    ASSERT_TRUE(r);
    EXPECT_EQ(drawResultText(*r), "1X21-X2X1X2X12X");
    EXPECT_EQ((*r)[4], kVoidEvent);
    EXPECT_EQ(parseDrawResult(" 1, X, 2, 1, -, X, 2, X, 1, X, 2, X, 1, 2, X "), r);
    EXPECT_EQ(parseDrawResult("1;X;2;1;-;X;2;X;1;X;2;X;1;2;X"), r);
    EXPECT_EQ(parseDrawResult("1\xD0\xA5"
                              "21-\xD1\x85"
                              "2X1X2X12X"),
              r);
    for (const char* bad : {"", "1X21-X2X1X2X12", "1X21-X2X1X2X12X1", "1X21-X2X1X2X12Y",
                            "1X21-X2X1X2X12X\xD0", "0X21-X2X1X2X12X", "1X21+X2X1X2X12X"})
        EXPECT_FALSE(parseDrawResult(bad)) << bad;
}

TEST(PackageCheck, EqualsExpandingEveryVariantOnRandomCouponsAndResults) {
    Rng rng(20261207);
    for (int round = 0; round < 400; ++round) {
        const Coupon coupon = randomCoupon(rng, 5);
        const DrawResult result = randomResult(rng, round % 2 == 1);
        EXPECT_EQ(hitDistribution(coupon, result), oracle::literalHitDistribution(coupon, result))
            << "round " << round << " result " << drawResultText(result);
    }
}

TEST(PackageCheck, EqualsExpandingTheWholeFieldOfThreeToTheFifteen) {
    Coupon all{};
    all.fill(7);
    Rng rng(7);
    for (bool withVoid : {false, true}) {
        const DrawResult result = randomResult(rng, withVoid);
        const auto dist = hitDistribution(all, result);
        EXPECT_EQ(dist, oracle::literalHitDistribution(all, result));
        std::uint64_t sum = 0;
        for (auto n : dist)
            sum += n;
        EXPECT_EQ(sum, 14348907u);
    }
    // Without void events the whole field holds C(15, k) * 2^(15 - k) variants
    // guessing exactly k.
    const auto dist = hitDistribution(all, resultOf("111111111111111"));
    for (int i = 0; i < kCategories; ++i)
        EXPECT_EQ(dist[kFirstCategory + i], static_cast<std::uint64_t>(kResultsWithHits[i]));
}

TEST(PackageCheck, AVoidEventIsAHitForEveryBetAndAnEmptyGroupForNone) {
    Coupon c{};
    c.fill(1);
    c[0] = 7; // all three outcomes of a void event win
    const auto dist = hitDistribution(c, resultOf("-11111111111111"));
    EXPECT_EQ(dist[15], 3u);
    EXPECT_EQ(dist[14], 0u);
    c[1] = 0;
    EXPECT_EQ(hitDistribution(c, resultOf("-11111111111111")),
              (std::array<std::uint64_t, kEvents + 1>{}));
}

TEST(PackageCheck, TotalsBestHitsAndWinningLinesOverTheList) {
    BetList list;
    list.setText("40.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);"
                 "12-(1);13-(1);14-(1);15-(1,X).\n"
                 "garbage\n"
                 "20.00;1-(2);2-(2);3-(2);4-(2);5-(2);6-(2);7-(2);8-(2);9-(2);10-(2);11-(2);"
                 "12-(2);13-(2);14-(2);15-(2).");
    const auto check = checkPackage(list.masks(), resultOf("111111111111111"));
    ASSERT_EQ(check.lines.size(), 3u);
    EXPECT_TRUE(check.lines[0].valid);
    EXPECT_FALSE(check.lines[1].valid);
    EXPECT_EQ(check.lines[0].counts, (CategoryCounts{0, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(check.lines[0].bestHits, 15);
    EXPECT_EQ(check.lines[2].bestHits, 0);
    EXPECT_EQ(check.totals, (CategoryCounts{0, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(check.bestHits, 15);
    EXPECT_EQ(check.winningLines, 1u);
}

TEST(Prizes, ReadsPlainCommaPairedAndSemicolonForms) {
    const PrizeList expected{Fixed4::fromInt(10),     Fixed4::fromInt(20), Fixed4::fromRaw(305000),
                             Fixed4::fromInt(40),     Fixed4::fromInt(50), Fixed4::fromInt(1000),
                             Fixed4::fromInt(1000000)};
    EXPECT_EQ(parsePrizeList("10,20,30.5,40,50,1000,1000000"), expected);
    EXPECT_EQ(parsePrizeList("10,00,20,00,30,50,40,0,50,0,1000,0,1000000,0"), expected);
    EXPECT_EQ(parsePrizeList("10; 20; 30,5; 40; 50; 1000; 1000000"), expected);
    EXPECT_EQ(parsePrizeList("10 20 30,5 40 50 1000 1 000 000"), std::nullopt); // eight parts
    EXPECT_EQ(parsePrizeList(prizeListText(expected)), expected);
    for (const char* bad : {"", "1,2,3,4,5,6", "1,2,3,4,5,6,7,8", "1,2,3,4,5,6,-7", "a,2,3,4,5,6,7",
                            "1.5,2,3,4,5,6,7,8,9,10,11,12,13,14", "1,2,3,4,5,6,"})
        EXPECT_FALSE(parsePrizeList(bad)) << bad;
}

TEST(Prizes, PackageTableMultipliesWinnersAndSumsTheReturn) {
    const PrizeList prizes{Fixed4::fromInt(10), Fixed4::fromInt(20),     Fixed4::fromInt(30),
                           Fixed4::fromInt(40), Fixed4::fromRaw(505000), Fixed4::fromInt(60),
                           Fixed4::fromInt(70)};
    const auto t = packageTable(CategoryCounts{3, 0, 0, 0, 2, 0, 0}, prizes, Fixed4::fromInt(200));
    EXPECT_EQ(t.rows[0].amount, Fixed4::fromInt(30));
    EXPECT_EQ(t.rows[4].amount, Fixed4::fromInt(101));
    EXPECT_EQ(t.totalReturn, Fixed4::fromInt(131));
    EXPECT_EQ(t.profit, Fixed4::fromInt(-69));
    ASSERT_TRUE(t.returnPercent);
    EXPECT_DOUBLE_EQ(*t.returnPercent, 65.5);
    EXPECT_FALSE(packageTable({}, prizes, Fixed4{}).returnPercent);
    const PrizeList huge{Fixed4::fromInt(1000000000000LL)};
    EXPECT_TRUE(packageTable(CategoryCounts{14348907}, huge, Fixed4{}).overflow);
}

TEST(Prizes, EstimateSharesEachCategoryAmongTheExpectedWinners) {
    DrawModel draw;
    draw.drawCountry = kRussia;
    applyDefaultDraw(draw);
    DrawTotals totals;
    totals.poolText = "10000000";
    totals.jackpotText = "0";
    const auto r = resultOf("1X21X21X21X21X2");
    const auto est = estimatePrizes(draw, totals, r);
    ASSERT_TRUE(est.prizes) << est.problem;
    // Fewer winners in the higher categories: every prize above the one below.
    for (int i = 1; i < kCategories; ++i)
        EXPECT_GT((*est.prizes)[i], (*est.prizes)[i - 1]) << i;
    // Category 15: its 5 % of the pool shared by the bets on this very result
    // (the pool times its share) and our own.
    double c = 1;
    for (int e = 0; e < kEvents; ++e)
        c *= draw.poolShares[e][r[e]].toDouble() / 100;
    const double expected = 0.05 * 10000001 / (c * 10000001 / 20 + 1);
    EXPECT_NEAR((*est.prizes)[6].toDouble(), expected, 0.01 + expected * 1e-9);
    // A jackpot goes to category 15 alone.
    totals.jackpotText = "1000000";
    const auto withJackpot = estimatePrizes(draw, totals, r);
    ASSERT_TRUE(withJackpot.prizes);
    EXPECT_GT((*withJackpot.prizes)[6], (*est.prizes)[6]);
    EXPECT_EQ((*withJackpot.prizes)[5], (*est.prizes)[5]);

    // A pool typed with a decimal comma is the same pool (the analysis reads it so).
    totals.poolText = "10 000 000,0";
    EXPECT_EQ(estimatePrizes(draw, totals, r).prizes, withJackpot.prizes);
    totals.poolText = "много";
    EXPECT_EQ(estimatePrizes(draw, totals, r).problem, "Пул не является числом: «много».");
    totals.poolText = "10000000";
    EXPECT_FALSE(estimatePrizes(draw, totals, resultOf("111111111111111")).prizes)
        << "no uniform-bet counts";
}

TEST(PackageHistory, ChecksTheKeptListWithTypedOrEstimatedPrizes) {
    DrawModel draw;
    draw.drawCountry = kRussia;
    applyDefaultDraw(draw);
    DrawTotals totals;
    totals.poolText = "10000000";
    totals.jackpotText = "0";
    const std::string bets = "40.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);"
                             "10-(1);11-(1);12-(1);13-(1);14-(1);15-(1,X).";
    const auto unchecked = historyRow(bets, draw, totals, std::nullopt, std::nullopt);
    EXPECT_FALSE(unchecked.checked);
    EXPECT_EQ(unchecked.bets, 2);
    EXPECT_EQ(unchecked.stake, Fixed4::fromInt(40));
    EXPECT_FALSE(unchecked.totalReturn);

    const PrizeList typed{Fixed4{},
                          Fixed4{},
                          Fixed4{},
                          Fixed4{},
                          Fixed4{},
                          Fixed4::fromInt(100),
                          Fixed4::fromInt(5000)};
    const auto row = historyRow(bets, draw, totals, resultOf("111111111111111"), typed);
    EXPECT_EQ(row.bestHits, 15);
    EXPECT_EQ(*row.totalReturn, Fixed4::fromInt(5100));
    EXPECT_EQ(*row.profit, Fixed4::fromInt(5060));
    EXPECT_FALSE(row.estimated);
    const auto estimated =
        historyRow(bets, draw, totals, resultOf("11111111111111X"), std::nullopt);
    EXPECT_TRUE(estimated.estimated);
    EXPECT_TRUE(estimated.totalReturn);

    // Typed for some categories: those kept, the rest estimated, as the check shows them.
    TypedPrizes some;
    some.amounts[6] = Fixed4::fromInt(5000);
    const auto r = resultOf("11111111111111X");
    const auto partly = historyRow(bets, draw, totals, r, some);
    EXPECT_TRUE(partly.estimated);
    const auto estimate = estimatePrizes(draw, totals, r).prizes;
    ASSERT_TRUE(estimate);
    EXPECT_EQ(*partly.totalReturn, Fixed4::fromInt(5000) + (*estimate)[5]);
    EXPECT_EQ(parseTypedPrizes(typedPrizesText(some)), some);
    EXPECT_EQ(typedPrizesText(some), "-,-,-,-,-,-,5000");
    EXPECT_EQ(parseTypedPrizes(typedPrizesText(typed)), TypedPrizes(typed));
    EXPECT_EQ(parseTypedPrizes(""), TypedPrizes{});
    EXPECT_FALSE(parseTypedPrizes("-,-,-,-,-,-,-"));
    EXPECT_FALSE(parseTypedPrizes("1,-,-,-,-,-,-5"));
}
