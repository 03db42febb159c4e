// "Условия": the fast scan against the variant-by-variant transcription on
// random draws, fields, condition sets and lists; the text form of ranges and
// base rows; the measures' tie rules.
#include "core/bets/bet_list.h"
#include "core/forming/condition_filter.h"
#include "core/forming/forming_fixture.h"
#include "core/forming/manual_selection.h"
#include "oracle/conditions_literal.h"

#include <gtest/gtest.h>

#include <random>

namespace kav {
namespace {

using test::modelWith;

// Quotes drawn from a few values, so that ties of the largest and the
// smallest quote are common, with halves that the points round.
DrawModel randomDraw(std::mt19937& rng) {
    DrawModel m = modelWith(test::allEvents("1X2"));
    const std::int64_t raws[] = {100000, 250000, 250000, 335000, 345000, 400000, 500000, 125000};
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o) {
            m.quotes[e][o] = Fixed4::fromRaw(raws[rng() % 8]);
            m.poolShares[e][o] = Fixed4::fromRaw(raws[rng() % 8] + 5000 * (rng() % 3));
        }
    return m;
}

// A field of at most about `limit` variants: events get one, two or three outcomes.
Coupon randomField(std::mt19937& rng, std::uint64_t limit) {
    Coupon c{};
    std::uint64_t n = 1;
    for (int e = 0; e < kEvents; ++e) {
        OutcomeSet s = static_cast<OutcomeSet>(1u << (rng() % 3));
        const int want = static_cast<int>(rng() % 3);
        for (int k = 0; k < want && n * (outcomeSetSize(s) + 1) <= limit; ++k)
            s |= static_cast<OutcomeSet>(1u << (rng() % 3));
        c[e] = s;
        n *= static_cast<std::uint64_t>(outcomeSetSize(s));
    }
    return c;
}

ConditionRange randomRange(std::mt19937& rng, int from, int to, int width) {
    ConditionRange r;
    r.lo = from + static_cast<int>(rng() % static_cast<unsigned>(to - from + 1));
    // Now and then a range nothing can meet: reversed, or out of reach.
    if (rng() % 12 == 0)
        r.hi = r.lo - 1;
    else
        r.hi = r.lo + static_cast<int>(rng() % static_cast<unsigned>(width + 1));
    return r;
}

ConditionSet randomConditions(std::mt19937& rng) {
    ConditionSet c;
    for (int k = 0; k < kMeasures; ++k) {
        if (rng() % 3 != 0)
            continue;
        switch (static_cast<Measure>(k)) {
        case Measure::Points:
        case Measure::PoolPoints:
            c.ranges[k] = randomRange(rng, 250, 650, 150);
            break;
        case Measure::ValuePoints:
            c.ranges[k] = randomRange(rng, 900, 1900, 400);
            break;
        case Measure::LongestRun:
            c.ranges[k] = randomRange(rng, 1, 9, 5);
            break;
        case Measure::Changes:
            c.ranges[k] = randomRange(rng, 0, 14, 6);
            break;
        default:
            c.ranges[k] = randomRange(rng, 0, 15, 6);
            break;
        }
    }
    const int rows = static_cast<int>(rng() % 3);
    for (int i = 0; i < rows; ++i) {
        BaseRowCondition b;
        for (auto& ch : b.row)
            ch = "1X2-"[rng() % 4];
        b.range = randomRange(rng, 0, 10, 5);
        c.baseRows.push_back(b);
    }
    c.tolerance = static_cast<int>(rng() % 3);
    return c;
}

std::string describe(const ConditionSet& c) {
    std::string s = "T=" + std::to_string(c.tolerance);
    for (int k = 0; k < kMeasures; ++k)
        if (c.ranges[k])
            s += " m" + std::to_string(k) + "=" + conditionRangeText(*c.ranges[k]);
    for (const auto& b : c.baseRows)
        s += " base=" + baseRowConditionText(b);
    return s;
}

TEST(Conditions, CountAndOrderAgreeWithEveryVariantTested) {
    std::mt19937 rng(1717);
    for (int round = 0; round < 120; ++round) {
        const DrawModel m = randomDraw(rng);
        const Coupon field = randomField(rng, round % 10 == 0 ? 200000 : 20000);
        const ConditionSet c = randomConditions(rng);
        SCOPED_TRACE(describe(c));
        Lines fast, literal;
        forEachPassingVariant(m, field, c,
                              [&](const Variant& v) { fast.push_back(variantText(v)); });
        oracle::conditions_detail::literalVariants(field, [&](const Variant& v) {
            if (oracle::conditions_detail::literalPasses(m, c, v))
                literal.push_back(variantText(v));
        });
        ASSERT_EQ(fast, literal) << "round " << round;
        ASSERT_EQ(countPassingVariants(m, field, c), literal.size());
    }
}

TEST(Conditions, WholeFieldCountAgreesWithEveryVariantTested) {
    std::mt19937 rng(99);
    const DrawModel m = randomDraw(rng);
    Coupon field{};
    field.fill(7);
    ConditionSet c;
    c.range(Measure::Ones) = ConditionRange{4, 7};
    c.range(Measure::Points) = ConditionRange{450, 520};
    c.range(Measure::LongestRun) = ConditionRange{2, 4};
    c.range(Measure::Changes) = ConditionRange{8, 12};
    c.baseRows.push_back({"1X21X2-1X21X2-1", ConditionRange{3, 6}});
    c.baseRows.push_back({"222111XXX------", ConditionRange{2, 5}});
    c.tolerance = 1;
    EXPECT_EQ(countPassingVariants(m, field, c), oracle::literalConditionCount(m, field, c));
}

TEST(Conditions, EmptyEventOrNoConditions) {
    DrawModel m = modelWith(test::allEvents("1X"));
    Coupon field = markedField(m);
    EXPECT_EQ(countPassingVariants(m, field, ConditionSet{}), 1u << 15);
    field[6] = 0;
    EXPECT_EQ(countPassingVariants(m, field, ConditionSet{}), 0u);
    m.selection[6] = {0, 0, 0};
    const auto r = addConditionVariants(m, "20", {}, ConditionSet{});
    EXPECT_TRUE(r.added.empty());
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->text, "Выбраны не все события");
}

TEST(Conditions, FavouriteAndOutsiderTies) {
    DrawModel m = modelWith(test::allEvents("1X2"));
    test::setQuotes(m, 0, 40, 40, 20); // favourite "1", outsider "2"
    test::setQuotes(m, 1, 30, 35, 35); // favourite "X", outsider "1"
    test::setQuotes(m, 2, 20, 40, 20); // favourite "X", outsider "2"
    test::setQuotes(m, 3, 33, 33, 33); // favourite "1", outsider "2"
    EXPECT_EQ(favouriteOutcome(m, 0), 0);
    EXPECT_EQ(outsiderOutcome(m, 0), 2);
    EXPECT_EQ(favouriteOutcome(m, 1), 1);
    EXPECT_EQ(outsiderOutcome(m, 1), 0);
    EXPECT_EQ(favouriteOutcome(m, 2), 1);
    EXPECT_EQ(outsiderOutcome(m, 2), 2);
    EXPECT_EQ(favouriteOutcome(m, 3), 0);
    EXPECT_EQ(outsiderOutcome(m, 3), 2);
}

TEST(Conditions, PointsAreTheGridsRoundedNumbers) {
    DrawModel m = modelWith(test::allEvents("1"));
    for (int e = 0; e < kEvents; ++e)
        m.quotes[e][0] = Fixed4::fromRaw(334999); // the grid shows 33
    ConditionSet c;
    c.range(Measure::Points) = ConditionRange{495, 495};
    EXPECT_EQ(countPassingVariants(m, markedField(m), c), 1u);
    c.range(Measure::Points) = ConditionRange{496, 600};
    EXPECT_EQ(countPassingVariants(m, markedField(m), c), 0u);
}

// A draw and list for the list application: singles, coupons partly failing,
// lines the parse does not count, blank lines.
Lines randomList(std::mt19937& rng, int n) {
    Lines lines;
    const char* amounts[] = {"20.00", "100.00", "7.00", "1000.50"};
    for (int i = 0; i < n; ++i) {
        switch (rng() % 8) {
        case 0:
            lines.push_back(rng() % 2 ? "" : "  не ставка");
            break;
        case 1:
            lines.push_back("20.00;1-(1);2-(X)."); // too few groups
            break;
        default: {
            Coupon c = randomField(rng, rng() % 2 ? 4 : 800);
            std::string line = formatCoupon(c, Fixed4::fromInt(1));
            line = amounts[rng() % 4] + line.substr(line.find(';'));
            lines.push_back(rng() % 5 == 0 ? " " + line + " " : line);
        }
        }
    }
    return lines;
}

TEST(Conditions, ValuePointsAreTheGridsHundredthsOfQuoteOverShare) {
    const auto f = [](const char* text) { return *Fixed4::parseTyped(text); };
    EXPECT_EQ(valuePoints(f("45"), f("50")), 90);
    EXPECT_EQ(valuePoints(f("50"), f("30")), 167);
    // Exact halves go away from zero, computed without a binary fraction.
    EXPECT_EQ(valuePoints(f("0,0101"), f("0,02")), 51);
    EXPECT_EQ(valuePoints(f("-0,0101"), f("0,02")), -51);
    EXPECT_EQ(valuePoints(f("0,0099"), f("0,02")), 50);
    EXPECT_EQ(valuePoints(f("40"), f("0")), std::nullopt);
    EXPECT_EQ(valuePoints(f("40"), f("-1")), std::nullopt);

    // On a draw: the favourite's over-played "1" and the under-played "2".
    DrawModel m;
    applyDefaultDraw(m);
    for (int e = 0; e < kEvents; ++e) {
        m.quotes[e] = {f("50"), f("30"), f("20")};
        m.poolShares[e] = {f("60"), f("30"), f("10")};
    }
    m.poolShares[14] = {f("0"), f("0"), f("100")}; // no share: no value
    ConditionSet c;
    c.range(Measure::ValuePoints) = ConditionRange{1500, 1500};
    const ConditionTables t = conditionTables(m, c);
    Variant allDraws{};
    allDraws.fill(1);
    allDraws[14] = 2; // 14 x 100 + 20
    EXPECT_FALSE(passesConditions(t, allDraws));
    c.range(Measure::ValuePoints) = ConditionRange{1420, 1420};
    EXPECT_TRUE(passesConditions(conditionTables(m, c), allDraws));
    Variant ones{}; // 14 x 83 (50 / 60) + 0 for the event without a share
    c.range(Measure::ValuePoints) = ConditionRange{14 * 83, 14 * 83};
    EXPECT_TRUE(passesConditions(conditionTables(m, c), ones));
}

TEST(Conditions, ListApplicationAgreesWithEveryVariantTested) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 60; ++round) {
        const DrawModel m = randomDraw(rng);
        const Lines lines = randomList(rng, 12);
        const ConditionSet c = randomConditions(rng);
        SCOPED_TRACE(describe(c));
        std::uint64_t removed = 0;
        const Lines literal = oracle::literalConditionList(m, lines, c, &removed);
        const auto fast = applyConditionsToList(m, lines, c);
        ASSERT_EQ(fast.lines, literal) << "round " << round;
        EXPECT_EQ(fast.removedVariants, removed);
    }
}

TEST(Conditions, ListLineLargerThanTheSmallPathIsScannedAlike) {
    std::mt19937 rng(5);
    const DrawModel m = randomDraw(rng);
    Coupon c{};
    for (int e = 0; e < kEvents; ++e)
        c[e] = e < 9 ? 7 : 1; // 19683 variants
    const Lines lines{formatCoupon(c, Fixed4::fromRaw(3333)), formatCoupon(c, Fixed4::fromInt(1))};
    ConditionSet cs;
    cs.range(Measure::Draws) = ConditionRange{0, 3};
    cs.range(Measure::LongestRun) = ConditionRange{7, 15};
    cs.tolerance = 1;
    std::uint64_t removed = 0;
    const auto fast = applyConditionsToList(m, lines, cs);
    EXPECT_EQ(fast.lines, oracle::literalConditionList(m, lines, cs, &removed));
    EXPECT_EQ(fast.removedVariants, removed);
    EXPECT_EQ(fast.replacedLines, 2u);
}

TEST(Conditions, FieldApplicationSkipsListedBetsAndAgrees) {
    std::mt19937 rng(77);
    for (int round = 0; round < 25; ++round) {
        DrawModel m = randomDraw(rng);
        const Coupon field = randomField(rng, 3000);
        for (int e = 0; e < kEvents; ++e)
            for (int o = 0; o < kOutcomes; ++o)
                m.selection[e][o] = (field[e] >> o) & 1;
        const ConditionSet c = randomConditions(rng);
        SCOPED_TRACE(describe(c));
        // Some of the variants already listed as the same single bets, some
        // with another stake (not the same line), and a coupon.
        Lines existing{formatCoupon(field, Fixed4::fromInt(20))};
        oracle::conditions_detail::literalVariants(field, [&](const Variant& v) {
            if (rng() % 4 == 0)
                existing.push_back(singleBetLine(rng() % 2 ? "20.00" : "30.00", v));
        });
        const auto r = addConditionVariants(m, "20", existing, c);
        EXPECT_FALSE(r.message);
        Lines fast = existing;
        fast.insert(fast.end(), r.added.begin(), r.added.end());
        ASSERT_EQ(fast, oracle::literalConditionField(m, field, c, "20.00", existing));
    }
}

TEST(Conditions, RangeAndBaseRowText) {
    struct Case {
        const char* text;
        bool ok;
    };
    const Case ranges[] = {{"0:15", true},  {"3:3", true},   {"-5:7", true},
                           {"5:3", false},  {"5", false},    {":3", false},
                           {"3:", false},   {"a:b", false},  {"1:2:3", false},
                           {"+1:2", false}, {" 1:2", false}, {"1:10000000000000", false}};
    for (const auto& c : ranges) {
        const auto r = parseConditionRange(c.text);
        EXPECT_EQ(r.has_value(), c.ok) << c.text;
        if (r) {
            EXPECT_EQ(conditionRangeText(*r), c.text);
        }
    }
    const auto b = parseBaseRowCondition("1x2-----------X:2:5");
    ASSERT_TRUE(b);
    EXPECT_EQ(baseRowConditionText(*b), "1X2-----------X:2:5");
    for (const char* bad : {"1X2:1:2", "1X2-----------X3:1:2", "1X2-----------0:1:2",
                            "1X2-----------X:5:1", "1X2-----------X", "1X2-----------X:"})
        EXPECT_FALSE(parseBaseRowCondition(bad)) << bad;
}

TEST(Conditions, ToleranceCountsFailedConditions) {
    // All "1": 15 ones, longest run 15, no changes.
    DrawModel m = modelWith(test::allEvents("1"));
    ConditionSet c;
    c.range(Measure::Ones) = ConditionRange{0, 5};                    // fails
    c.range(Measure::LongestRun) = ConditionRange{1, 3};              // fails
    c.range(Measure::Changes) = ConditionRange{0, 0};                 // passes
    c.baseRows.push_back({"222222222222222", ConditionRange{1, 15}}); // fails
    for (int t = 0; t <= 4; ++t) {
        c.tolerance = t;
        EXPECT_EQ(countPassingVariants(m, markedField(m), c), t >= 3 ? 1u : 0u) << t;
    }
}

} // namespace
} // namespace kav
