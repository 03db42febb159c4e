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

// What the player types into an outcome cell: the quote, and the pool share
// after the "/", with a comma or a point; no number, a negative part or one
// that would push the event's next outcome below zero is refused, naming it.
TEST(DrawModel, TypedCellReadsQuoteAndPoolShare) {
    DrawModel m;
    applyDefaultDraw(m); // quotes 40/25/35, shares 50/15/35
    struct Case {
        const char* text;
        std::optional<Fixed4> quote, share;
        const char* refusal; // a part of the reason, when refused
    } cases[] = {
        {"50/38", Fixed4::fromInt(50), Fixed4::fromInt(38), nullptr},
        {"50", Fixed4::fromInt(50), std::nullopt, nullptr},
        {" 20,5/10", Fixed4::parse("20.5"), Fixed4::fromInt(10), nullptr},
        {"20.5/", Fixed4::parse("20.5"), std::nullopt, nullptr},
        {"65/65", Fixed4::fromInt(65), Fixed4::fromInt(65), nullptr},
        {"-50", {}, {}, "Котировка не может быть отрицательной: «-50»"},
        {"20/-1", {}, {}, "Доля пула не может быть отрицательной"},
        {"65,01", {}, {}, "Котировка 65,01 больше 65"},
        {"20/65.5", {}, {}, "Доля пула 65.5 больше 65"},
        {"abc/38", {}, {}, "Котировка «abc» — не число"},
        {"/38", {}, {}, "не число"},
        {"1,5.0/38", {}, {}, "не число"},
        {"20/x", {}, {}, "Доля пула «x» — не число"},
    };
    for (const auto& c : cases) {
        const auto typed = readTypedCell(m, 4, 0, c.text);
        if (c.refusal) {
            ASSERT_TRUE(std::holds_alternative<std::string>(typed)) << c.text;
            EXPECT_NE(std::get<std::string>(typed).find(c.refusal), std::string::npos)
                << std::get<std::string>(typed);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<TypedCell>(typed)) << std::get<std::string>(typed);
        EXPECT_EQ(std::get<TypedCell>(typed).quote, c.quote) << c.text;
        EXPECT_EQ(std::get<TypedCell>(typed).poolShare, c.share) << c.text;
    }
    setPoolShare(m, 4, 0, Fixed4::fromInt(10)); // "1" changes "X" of the shares
    EXPECT_EQ(m.poolShares[4][1], Fixed4::fromInt(55));
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
