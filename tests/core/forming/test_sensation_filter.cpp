#include "core/forming/sensation_filter.h"

#include "core/forming/forming_fixture.h"
#include "core/forming/manual_selection.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

using test::allEvents;
using test::modelWith;

constexpr auto kBk = SensationCriterion::Quotes;
constexpr auto kPool = SensationCriterion::Pool;

TEST(SensationSlots, UpsetsStandAloneAndTheRestGroupInTheLowestSlot) {
    struct Case {
        const char* marked;
        int q1, qX, q2;
        SensationSlots slots;
    };
    const Case cases[] = {
        {"1X2", 50, 28, 22, {4, 0, -3}},
        {"1X2", 50, 25, 25, {7, 0, 0}}, // exactly the threshold is no upset
        {"1X2", 20, 24, 56, {-1, -2, 3}},
        {"1X2", 40, 20, 40, {6, -2, 0}},
        {"1X2", 10, 45, 45, {-1, 5, 0}},
        {"1X2", 10, 10, 10, {-1, -2, -3}},
        {"12", 40, 20, 40, {6, 0, 0}}, // an unmarked low quote is nothing
        {"X", 40, 20, 40, {0, -2, 0}},
        {"2", 40, 20, 40, {0, 0, 3}},
        {"X2", 40, 30, 30, {0, 5, 0}},
        {"-", 10, 10, 10, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        DrawModel m = modelWith(std::string(c.marked) + "," + allEvents("1").substr(2));
        test::setQuotes(m, 0, c.q1, c.qX, c.q2);
        EXPECT_EQ(sensationSlots(m, 0, 25, kBk), c.slots) << c.marked << ' ' << c.q1;
    }
}

TEST(SensationSlots, ThresholdIsStrictForBothCriteria) {
    DrawModel m = modelWith(allEvents("1X2"));
    m.quotes[0][1] = Fixed4::fromInt(25);
    m.quotes[1][1] = Fixed4::fromRaw(249999);
    m.poolShares[0][1] = Fixed4::fromRaw(249999);
    m.poolShares[1][1] = Fixed4::fromInt(25);
    EXPECT_FALSE(isSensation(m, 0, 1, 25, kBk));
    EXPECT_TRUE(isSensation(m, 1, 1, 25, kBk));
    EXPECT_TRUE(isSensation(m, 0, 1, 25, kPool));
    EXPECT_FALSE(isSensation(m, 1, 1, 25, kPool));
    EXPECT_FALSE(isSensation(m, 0, 0, 34, kBk)); // quote 40
}

// A draw where only events 3 and 7 can bring an upset: "1" there is quoted 20.
DrawModel twoUpsetEvents() {
    DrawModel m = modelWith("1,1,12,1,1,1,12,1,1,1,1,1,1,1,1");
    for (int e = 0; e < kEvents; ++e)
        test::setQuotes(m, e, 50, 25, 25);
    test::setQuotes(m, 2, 20, 20, 60);
    test::setQuotes(m, 6, 20, 20, 60);
    return m;
}

std::string onesExcept(std::initializer_list<std::pair<int, const char*>> groups) {
    std::string s;
    for (int e = 1; e <= kEvents; ++e) {
        const char* g = "1";
        for (auto [ev, text] : groups)
            if (ev == e)
                g = text;
        s += ';' + std::to_string(e) + "-(" + g + ')';
    }
    return s + ".";
}

TEST(SensationFilter, ExactlyOneUpsetLowerEventFirst) {
    FormResult r = addSensationVariants(twoUpsetEvents(), "20", {}, {1, 1, 25, kBk});
    EXPECT_FALSE(r.message);
    EXPECT_EQ(r.added, (Lines{"20.00" + onesExcept({{7, "2"}}), "20.00" + onesExcept({{3, "2"}})}));
}

TEST(SensationFilter, BoundsSelectTheUpsetCount) {
    DrawModel m = twoUpsetEvents();
    EXPECT_EQ(addSensationVariants(m, "20", {}, {0, 2, 25, kBk}).added.size(), 4u);
    EXPECT_EQ(addSensationVariants(m, "20", {}, {2, 2, 25, kBk}).added,
              (Lines{"20.00" + onesExcept({})}));
    EXPECT_EQ(addSensationVariants(m, "20", {}, {0, 1, 25, kBk}).added.size(), 3u);
    EXPECT_TRUE(addSensationVariants(m, "20", {}, {3, 5, 25, kBk}).added.empty());
    EXPECT_TRUE(addSensationVariants(m, "20", {}, {2, 1, 25, kBk}).added.empty());
    // Below a threshold of 20 nothing is an upset: only the line without upsets.
    EXPECT_EQ(addSensationVariants(m, "20", {}, {0, 1, 20, kBk}).added,
              (Lines{"80.00" + onesExcept({{3, "1,2"}, {7, "1,2"}})}));
}

TEST(SensationFilter, BoundsZeroAndZeroTakeTheWholeCoupon) {
    DrawModel m = twoUpsetEvents();
    FormResult r = addSensationVariants(m, "20", {}, {0, 0, 25, kBk});
    EXPECT_EQ(r.added, takeAllVariants(m, "20", {}).added);
    EXPECT_EQ(r.added, (Lines{"80.00" + onesExcept({{3, "1,2"}, {7, "1,2"}})}));
}

TEST(SensationFilter, AmountIsVariantsTimesStake) {
    DrawModel m = modelWith("1X,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    for (int e = 0; e < kEvents; ++e)
        test::setQuotes(m, e, 50, 30, 20);
    EXPECT_EQ(addSensationVariants(m, "20", {}, {0, 3, 25, kBk}).added,
              (Lines{"40.00" + onesExcept({{1, "1,X"}})}));
    m = modelWith("1X2,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    for (int e = 0; e < kEvents; ++e)
        test::setQuotes(m, e, 50, 30, 20);
    EXPECT_EQ(addSensationVariants(m, "20.5", {}, {0, 3, 35, kBk}).added,
              (Lines{"20.50" + onesExcept({{1, "1"}}), "20.50" + onesExcept({{1, "X"}}),
                     "20.50" + onesExcept({{1, "2"}})}));
    EXPECT_EQ(addSensationVariants(m, "20.25", {}, {0, 3, 25, kBk}).added,
              (Lines{"40.50" + onesExcept({{1, "1,X"}}), "20.25" + onesExcept({{1, "2"}})}));
}

TEST(SensationFilter, CriterionPoolReadsThePoolShares) {
    DrawModel m = modelWith("1X2,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    test::setQuotes(m, 0, 50, 30, 20);
    test::setPool(m, 0, 20, 50, 30);
    EXPECT_EQ(addSensationVariants(m, "20", {}, {1, 1, 25, kBk}).added,
              (Lines{"20.00" + onesExcept({{1, "2"}})}));
    EXPECT_EQ(addSensationVariants(m, "20", {}, {1, 1, 25, kPool}).added,
              (Lines{"20.00" + onesExcept({{1, "1"}})}));
}

TEST(SensationFilter, SecondClickAddsNothingAndOldLinesOnlyBlockThemselves) {
    DrawModel m = twoUpsetEvents();
    SensationRequest rq{0, 2, 25, kBk};
    FormResult first = addSensationVariants(m, "20", {}, rq);
    ASSERT_EQ(first.added.size(), 4u);
    EXPECT_TRUE(addSensationVariants(m, "20", first.added, rq).added.empty());
    Lines some = {first.added[1], "junk", first.added[3] + " "};
    FormResult partial = addSensationVariants(m, "20", some, rq);
    EXPECT_EQ(partial.added, (Lines{first.added[0], first.added[2], first.added[3]}));
}

TEST(SensationFilter, UnmarkedEventOrBadStake) {
    FormResult none =
        addSensationVariants(modelWith("1,1,1,-,1,1,1,1,1,1,1,1,1,1,1"), "20", {}, {0, 5, 25, kBk});
    EXPECT_TRUE(none.added.empty());
    EXPECT_FALSE(none.message);
    for (const SensationRequest& rq : {SensationRequest{1, 2, 25, kBk}, SensationRequest{0, 0}}) {
        FormResult bad = addSensationVariants(twoUpsetEvents(), "x", {}, rq);
        EXPECT_TRUE(bad.added.empty());
        EXPECT_TRUE(bad.message);
    }
}

// Every combination of slot choices, unpruned, filtered by the bounds at the end.
void bruteForce(const std::array<SensationSlots, kEvents>& slots, int e, int u, std::string prefix,
                int lo, int hi, std::vector<std::pair<int, std::string>>& out) {
    if (e == kEvents) {
        if (lo <= u && u <= hi)
            out.emplace_back(u, prefix);
        return;
    }
    static const char* const groups[] = {"2", "X",   "1",   "",    "1",    "X",
                                         "2", "1,X", "X,2", "1,2", "1,X,2"};
    for (int x : slots[e])
        if (x != 0)
            bruteForce(slots, e + 1, u + (x < 0),
                       prefix + ";" + std::to_string(e + 1) + "-(" + groups[x + 3] + ")", lo, hi,
                       out);
}

TEST(SensationFilter, PruningKeepsEveryQualifyingLineInOrder) {
    DrawModel m = modelWith("1X2,1X,1X2,12,1,X2,1X2,1,1,2,1X,1X2,1,1,1");
    for (int e = 0; e < kEvents; ++e)
        test::setQuotes(m, e, 15 + 2 * e, 30, 55 - 2 * e);
    std::array<SensationSlots, kEvents> slots;
    for (int e = 0; e < kEvents; ++e)
        slots[e] = sensationSlots(m, e, 26, kBk);
    for (auto [lo, hi] : {std::pair{0, 15}, {1, 1}, {2, 4}, {5, 5}, {6, 15}, {0, 2}, {3, 3}}) {
        std::vector<std::pair<int, std::string>> expected;
        bruteForce(slots, 0, 0, "", lo, hi, expected);
        FormResult r = addSensationVariants(m, "1", {}, {lo, hi, 26, kBk});
        ASSERT_EQ(r.added.size(), expected.size()) << lo << '-' << hi;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            auto semi = r.added[i].find(';');
            EXPECT_EQ(r.added[i].substr(semi, r.added[i].size() - semi - 1), expected[i].second);
        }
    }
}

} // namespace
} // namespace kav
