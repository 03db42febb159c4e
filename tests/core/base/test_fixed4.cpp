#include "core/base/fixed4.h"

#include <gtest/gtest.h>

#include <utility>

using kav::Fixed4;

TEST(Fixed4, RoundsHalvesToEven) {
    EXPECT_EQ(Fixed4::parse("46.5")->roundToInt(), 46);
    EXPECT_EQ(Fixed4::parse("47.5")->roundToInt(), 48);
    EXPECT_EQ(Fixed4::parse("-46.5")->roundToInt(), -46);
    EXPECT_EQ(Fixed4::parse("-47.5")->roundToInt(), -48);
    EXPECT_EQ(Fixed4::parse("0.00005")->raw(), 0);
    EXPECT_EQ(Fixed4::parse("0.00015")->raw(), 2);
    EXPECT_EQ(Fixed4::parse("0.000150001")->raw(), 2);
    EXPECT_EQ(Fixed4::parse("0.000050001")->raw(), 1);
    EXPECT_EQ(Fixed4::fromDouble(0.00025).raw(), 2);
}

TEST(Fixed4, ParsesDecimalTextAndRejectsTheRest) {
    EXPECT_EQ(Fixed4::parse("20")->raw(), 200000);
    EXPECT_EQ(Fixed4::parse(" -13.5 ")->raw(), -135000);
    EXPECT_EQ(Fixed4::parse("1E2")->raw(), 1000000);
    EXPECT_EQ(Fixed4::parse(".5")->raw(), 5000);
    for (const char* bad :
         {"", " ", "-", ".", "1,5", "20 руб.", "1e", "abc", "1.2.3", "99999999999999999"})
        EXPECT_FALSE(Fixed4::parse(bad).has_value()) << bad;
}

TEST(Fixed4, MoneyTextHasNoTrailingZeros) {
    EXPECT_EQ(Fixed4::fromInt(20).moneyText(), "20");
    EXPECT_EQ(Fixed4::parse("20.5")->moneyText(), "20.5");
    EXPECT_EQ(Fixed4::parse("160.25")->moneyText(), "160.25");
    EXPECT_EQ(Fixed4::parse("-0.0001")->moneyText(), "-0.0001");
    EXPECT_EQ(Fixed4::parse("20.5")->moneyText2(), "20.50");
    EXPECT_EQ(Fixed4::fromInt(240).moneyText2(), "240.00");
    EXPECT_EQ(kav::padTwoDecimals("20."), "20.00");
}

// What a player types into a money or quote field: a comma is a decimal
// separator, blanks group digits, and a text that mixes both separators is
// refused rather than read one way or the other.
TEST(Fixed4, ParsesTypedTextWithCommaOrPoint) {
    EXPECT_EQ(Fixed4::parseTyped("20,5"), Fixed4::parse("20.5"));
    EXPECT_EQ(Fixed4::parseTyped(" 20.50 "), Fixed4::parse("20.5"));
    EXPECT_EQ(Fixed4::parseTyped("1 000,25"), Fixed4::parse("1000.25"));
    EXPECT_EQ(Fixed4::parseTyped("-3,75"), Fixed4::parse("-3.75"));
    EXPECT_EQ(Fixed4::parseTyped(",5"), Fixed4::parse("0.5"));
    EXPECT_FALSE(Fixed4::parseTyped("1,000.5"));
    EXPECT_FALSE(Fixed4::parseTyped("1.000,5"));
    EXPECT_FALSE(Fixed4::parseTyped("20,5,1"));
    EXPECT_FALSE(Fixed4::parseTyped("20 ,5"));
    EXPECT_FALSE(Fixed4::parseTyped(","));
    EXPECT_FALSE(Fixed4::parseTyped(""));
    EXPECT_FALSE(Fixed4::parseTyped("abc"));
}

// The plain form handed to readers of "." numbers: what parseTyped reads is
// rewritten, anything else is kept as typed so that a message can quote it.
TEST(Fixed4, PlainNumberTextRewritesOnlyWhatParseTypedReads) {
    const std::pair<const char*, const char*> cases[] = {
        {"20,5", "20.5"},   {"1 000 000,50", "1000000.50"},
        {" 7,25 ", "7.25"}, {"125000.5", "125000.5"},
        {"1e6", "1e6"},     {"1,000.5", "1,000.5"},
        {"1 2a", "1 2a"},   {"Edit1", "Edit1"},
        {"", ""},
    };
    for (const auto& [typed, plain] : cases)
        EXPECT_EQ(kav::plainNumberText(typed), plain) << typed;
}
