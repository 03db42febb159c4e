#include "core/bets/bets.h"
#include "core/draw/draw_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

using namespace kav;

namespace {
Coupon couponOf(const char* letters) {
    Coupon c{};
    for (int e = 0; e < kEvents; ++e)
        c[e] = outcomeBit(outcomeIndex(letters[e]));
    return c;
}
} // namespace

TEST(BetMask, EventOneIsBit14AndMatchingCountsGuessedEvents) {
    Coupon c = couponOf("222222222222222");
    c[0] = 1 | 2; // "1" and "X" for event 1
    BetMask m = toMask(c);
    EXPECT_EQ(m.ones, 0x4000);
    EXPECT_EQ(m.draws, 0x4000);
    EXPECT_EQ(m.twos, 0x3FFF);
    EXPECT_EQ(variantCount(c), 2u);
    EXPECT_EQ(matchCount(m, toMask(couponOf("X22222222222222"))), 15);
    EXPECT_EQ(matchCount(m, toMask(couponOf("222222222222222"))), 14);
    EXPECT_EQ(toCoupon(m), c);

    BetMask allOnes = toMask(couponOf("111111111111111"));
    EXPECT_EQ(allOnes.ones, 0x7FFF);
    EXPECT_EQ(allOnes.draws, 0);
    EXPECT_EQ(allOnes.twos, 0);
}

TEST(BetMask, GetcatIgnoresBit15) {
    EXPECT_EQ(getcat(0xFFFF), 15);
    EXPECT_EQ(getcat(0x8000), 0);
    EXPECT_EQ(getcat(0x0101), 2);
}

TEST(DrawModel, CellTextRoundsHalvesToEvenAndKeepsTheSign) {
    DrawModel m;
    EXPECT_EQ(outcomeCellText(m, 0, 0), "0/0");
    m.quotes[0][0] = *Fixed4::parse("46.5");
    m.poolShares[0][0] = *Fixed4::parse("47.5");
    EXPECT_EQ(outcomeCellText(m, 0, 0), "46/48");
    m.quotes[0][1] = *Fixed4::parse("-3.6");
    EXPECT_EQ(outcomeCellText(m, 0, 1), "-4/0");
}

TEST(DrawModel, SetQuoteRebalancesTheCyclicallyNextOutcome) {
    DrawModel m;
    m.quotes[4] = {Fixed4::fromInt(40), Fixed4::fromInt(25), Fixed4::fromInt(35)};
    setQuote(m, 4, 1, Fixed4::fromInt(30)); // "X" changes "2"
    EXPECT_EQ(m.quotes[4][0], Fixed4::fromInt(40));
    EXPECT_EQ(m.quotes[4][1], Fixed4::fromInt(30));
    EXPECT_EQ(m.quotes[4][2], Fixed4::fromInt(30));
    setQuote(m, 4, 2, Fixed4::fromInt(90)); // "2" changes "1", no range check
    EXPECT_EQ(m.quotes[4][0], Fixed4::fromInt(-20));
    setQuote(m, 4, 0, *Fixed4::parse("60")); // "1" changes "X"
    EXPECT_EQ(m.quotes[4][1], Fixed4::fromInt(-50));
}

// What the player types into an outcome cell: the quote before the "/" (or the
// whole text), with a comma or a point; no number or an absurd one is no quote.
TEST(DrawModel, TypedQuoteReadsTheQuoteBeforeThePool) {
    const std::pair<const char*, std::optional<Fixed4>> cases[] = {
        {"50/38", Fixed4::fromInt(50)},
        {"50", Fixed4::fromInt(50)},
        {" 20,5/38", Fixed4::parse("20.5")},
        {"20.5/", Fixed4::parse("20.5")},
        {"-3/0", Fixed4::fromInt(-3)},
        {"1000000/1", Fixed4::fromInt(1000000)},
        {"1000001/1", std::nullopt},
        {"-1000001", std::nullopt},
        {"abc/38", std::nullopt},
        {"/38", std::nullopt},
        {"", std::nullopt},
        {"1,5.0/38", std::nullopt},
    };
    for (const auto& [text, quote] : cases)
        EXPECT_EQ(typedQuote(text), quote) << text;
}

TEST(DrawModel, ResetKeepsForcedBetAndStakeParsingRefusesEmptyText) {
    DrawModel m;
    m.selection[3][2] = 1;
    m.forcedBet[3] = '2';
    resetSelection(m);
    EXPECT_EQ(m.markedCount(3), 0);
    EXPECT_EQ(m.forcedBet[3], '2');
    EXPECT_FALSE(stakePerBet("").has_value());
    EXPECT_FALSE(stakePerBet("20 руб.").has_value());
    EXPECT_EQ(stakePerBet("20.5")->raw(), 205000);
    EXPECT_EQ(currencySuffixFor(kUkraine), " грн.");
    EXPECT_EQ(currencySuffixFor(kRussia), " руб.");
    EXPECT_EQ(currencySuffixFor(kNoCountry), " руб.");
}
