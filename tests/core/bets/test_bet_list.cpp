#include "core/bets/bet_list.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

// A line of single outcomes given as 15 letters, amount first.
std::string line(const std::string& amount, const std::string& letters) {
    std::string s = amount;
    for (int e = 0; e < kEvents; ++e)
        s += ';' + std::to_string(e + 1) + "-(" + letters[e] + ')';
    return s + ".";
}

DrawModel markedEverywhere(char letter) {
    DrawModel m;
    m.drawCountry = kRussia;
    for (int e = 0; e < kEvents; ++e)
        m.selection[e][outcomeIndex(letter)] = 1;
    return m;
}

const std::string kExample = "40.00;1-(1,X);2-(2);3-(1);4-(X);5-(1);6-(2);7-(1);8-(1);9-(X);10-(2);"
                             "11-(1);12-(1);13-(X);14-(1);15-(2).";

} // namespace

TEST(BetListParse, ReadsMasksCountsAndAmounts) {
    auto p = parseBetList({"  " + line("20", "111111111111112"), kExample});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->count, 3);
    EXPECT_EQ(p->total, Fixed4::fromInt(60));
    const BetMask& m = p->masks[1];
    EXPECT_TRUE(m.ones & 0x4000);
    EXPECT_TRUE(m.draws & 0x4000);
    EXPECT_TRUE(m.twos & 0x2000);
    EXPECT_TRUE(m.ones & 0x1000);
    EXPECT_EQ(m.ones | m.draws | m.twos, 0x7FFF);
}

TEST(BetListParse, LinesThatAreNotCompleteCouponsCountNothing) {
    std::string fourteen = line("20", "111111111111111");
    fourteen = fourteen.substr(0, fourteen.rfind(';')) + ".";
    auto p =
        parseBetList({fourteen, "no semicolon here", "", "20;", line("20", "1111111111111X1")});
    ASSERT_TRUE(p);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(p->masks[i], kInvalidMask) << i;
    EXPECT_EQ(p->count, 1);
    EXPECT_EQ(p->masks.size(), 5u);
}

TEST(BetListParse, LowercaseXIsTheDraw) {
    std::string l = line("20", "111111111111111");
    l.replace(l.find("1-(1)"), 5, "1-(x)");
    auto p = parseBetList({l});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->masks[0].draws, 0x4000);
    EXPECT_EQ(p->count, 1);
}

TEST(BetListParse, GroupIsReadOnlyInsideItsBrackets) {
    // Event 10 has an empty group; it must not borrow the "X" of event 11.
    std::string l =
        "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-();11-(X);12-(1);13-(1);"
        "14-(1);15-(1).";
    auto p = parseBetList({l});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->masks[0].ones, -1);
    EXPECT_EQ(p->count, 0);
    EXPECT_EQ(p->total, Fixed4());
}

TEST(BetListParse, FailsOnANonNumericAmountOrOverlongLine) {
    std::string bad = line("abc", "111111111111111");
    EXPECT_FALSE(parseBetList({line("20", "111111111111111"), bad}).has_value());
    std::string many = "20";
    for (int g = 0; g < 17; ++g)
        many += ";1-(1)";
    EXPECT_FALSE(parseBetList({many + "."}).has_value());
    // An incomplete line is not checked for its amount.
    EXPECT_TRUE(parseBetList({"abc;1-(1)."}).has_value());

    DrawModel m;
    m.betCount = 7;
    m.betTotal = Fixed4::fromInt(140);
    EXPECT_EQ(applyBetListParse(m, parseBetList({bad})), "");
    EXPECT_EQ(m.betCount, 7);
    EXPECT_EQ(m.betTotal, Fixed4::fromInt(140));
    EXPECT_EQ(applyBetListParse(m, parseBetList({})), "Ставок в списке 0 (0 руб.)");
    EXPECT_EQ(m.betCount, 0);
}

TEST(BetListParse, SurvivesHostileText) {
    std::string junk;
    for (int i = 0; i < 2000; ++i)
        junk += static_cast<char>((i * 37) % 256);
    std::string nested(5000, '(');
    EXPECT_NO_THROW(parseBetList(splitLines(junk)));
    EXPECT_NO_THROW(parseBetList({"1;" + nested}));
}

TEST(BetNotation, WritersProduceTheDocumentedForms) {
    DrawModel m = markedEverywhere('1');
    m.selection[0][1] = 1;
    m.selection[1] = {1, 1, 1};
    EXPECT_EQ(
        formatSelectionCoupon(m, 6, Fixed4::fromInt(20)),
        "120.00;1-(1,X);2-(1,X,2);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(1).");
    m.selection[2] = {0, 0, 0};
    EXPECT_NE(formatSelectionCoupon(m, 6, *Fixed4::parse("20.5")).find(";3-();"),
              std::string::npos);
    EXPECT_EQ(formatSelectionCoupon(m, 1, *Fixed4::parse("20.5")).substr(0, 6), "20.50;");

    Coupon c{};
    c.fill(1);
    c[0] = 6;
    EXPECT_EQ(formatCoupon(c, *Fixed4::parse("13.5")).substr(0, 17), "27;1-(X,2);2-(1);");
    c[3] = 0; // an empty set is left out
    EXPECT_EQ(formatCoupon(c, Fixed4::fromInt(1)).find(";4-"), std::string::npos);

    Variant v{};
    EXPECT_EQ(formatVariant(v, "20"), line("20.00", "111111111111111"));
    EXPECT_EQ(formatVariant(v, "20.5").substr(0, 6), "20.50;");
}

TEST(BetListRemoval, RefusesWhenAnEventHasNothingMarked) {
    DrawModel m = markedEverywhere('1');
    m.selection[7] = {0, 0, 0};
    auto r = removeMarkedVariants(m, {line("20", "111111111111111")});
    EXPECT_FALSE(r.ran);
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->text, "Выбраны не все события");
}

TEST(BetListRemoval, SplitsCouponsAndDeletesSingleBetsInside) {
    DrawModel m = markedEverywhere('1');
    // A double on event 1: its "1" half is inside the box.
    std::string coupon =
        "40.00;1-(1,X);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(1).";
    auto r = removeMarkedVariants(m, {coupon});
    ASSERT_TRUE(r.ran);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0], line("20", "X11111111111111"));

    // A triple on event 1 with stake 100: the outer part keeps 2 x 33.33.
    std::string triple =
        "100;1-(1,X,2);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(1).";
    r = removeMarkedVariants(m, {triple});
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].substr(0, 15), "66.66;1-(X,2);2");

    // Single bets inside go; outside stay in place; empty lines stay.
    r = removeMarkedVariants(m, {line("20", "111111111111111"), "", line("20", "211111111111111"),
                                 line("20", "111111111111111")});
    EXPECT_EQ(r.lines, (Lines{"", line("20", "211111111111111")}));
}

TEST(BetListRemoval, SplitsAcrossSeveralEventsWithoutLosingVariants) {
    DrawModel m = markedEverywhere('1');
    m.selection[5] = {1, 1, 0};
    // Coupon with doubles on events 1 and 6 and a triple on event 15: 12 variants.
    Coupon c{};
    c.fill(1);
    c[0] = 3;
    c[5] = 7;
    c[14] = 5;
    std::string in = formatCoupon(c, Fixed4::fromInt(10));
    auto r = removeMarkedVariants(m, {in});
    auto p = parseBetList(r.lines);
    ASSERT_TRUE(p);
    // Inside the box: event 1 "1", event 6 "1" or "X", event 15 "1": 2 variants.
    EXPECT_EQ(p->count, 12 - 2);
    EXPECT_EQ(p->total, Fixed4::fromInt(100));
    // Every remaining variant lies outside the box.
    for (const auto& l : r.lines) {
        Coupon rc = toCoupon(parseBetLine(l).mask);
        bool inside = true;
        for (int e = 0; e < kEvents; ++e)
            inside = inside && (rc[e] & m.markedSet(e)) == rc[e];
        EXPECT_FALSE(inside) << l;
    }
}

TEST(BetListRemoval, LeavesLinesOutsideTheNotationUnchanged) {
    DrawModel m = markedEverywhere('1');
    Lines in{line("abc", "111111111111111"), "garbage", "20;1-(1).", line("20", "211111111111111")};
    auto r = removeMarkedVariants(m, in);
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(r.lines, in);
}

TEST(BetListText, SplitsAndJoinsMemoText) {
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(splitLines("a\r\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\n\nb");
    EXPECT_EQ(trimLine(" \t x y \r"), "x y");
    EXPECT_EQ(betListStatus(48, Fixed4::fromInt(960), " руб."), "Ставок в списке 48 (960 руб.)");
}

TEST(BetListRemoval, ReadsGroupsAsTheParseDoes) {
    DrawModel m = markedEverywhere('1');
    // Group 12 has lost its "(": the parse does not count the line, so the
    // removal must not split it into lines that would count.
    std::string broken =
        "100;1-(1,X,2);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-h1);"
        "13-(1);14-(1);15-(1).";
    auto r = removeMarkedVariants(m, {broken});
    EXPECT_EQ(r.lines, Lines{broken});

    // A lowercase draw counts for the parse, so its variant survives the removal.
    std::string lower =
        "40;1-(1,x);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
        "13-(1);14-(1);15-(1).";
    r = removeMarkedVariants(m, {lower});
    EXPECT_EQ(r.lines, Lines{line("20", "X11111111111111")});
}

TEST(BetListParse, SixteenGroupsAreNotACoupon) {
    // The empty first group would be shifted out of the fifteen events.
    auto p = parseBetList({"20;0-()" + line("", "111111111111111")});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->masks[0], kInvalidMask);
    EXPECT_EQ(p->total, Fixed4());
}
