// Pointing, the category tally, the best-bet search and the bet-list edits of
// the coverage map, against the literal transcriptions and known cases.
#include "core/coverage/coverage_actions.h"
#include "core/coverage/coverage_fixtures.h"
#include "core/coverage/coverage_search.h"
#include "oracle/coverage_literal.h"

#include <gtest/gtest.h>

using namespace kav;
using namespace kav::covtest;

namespace {

std::vector<std::uint8_t> flagsOf(const std::vector<ZoneResult>& rs) {
    std::vector<std::uint8_t> f;
    for (const auto& r : rs)
        f.push_back(r.flags);
    return f;
}

} // namespace

TEST(Hover, MatchesTheFullPassAndKeepsMarkers) {
    std::mt19937 rng(3);
    for (int round = 0; round < 30; ++round) {
        Zone z = buildZone(randomZone(rng, 3000), randomQuotes(rng));
        if (z.size() < 2)
            continue;
        auto lit = z.results;
        HoveredList hovered;
        for (int move = 0; move < 12; ++move) {
            int p = static_cast<int>(rng() % static_cast<unsigned>(z.size()));
            int category = static_cast<int>(rng() % 16);
            if (move % 4 == 3) { // the player marks the result under the pointer
                toggleMarker(z.results[static_cast<std::size_t>(p)]);
                toggleMarker(lit[static_cast<std::size_t>(p)]);
            }
            auto before = flagsOf(z.results);
            auto changed = hoverResult(z, p, category, hovered);
            oracle::literalHover(lit, p, category);
            ASSERT_EQ(flagsOf(z.results), flagsOf(lit)) << "round " << round << " move " << move;
            // Exactly the changed cells are repainted, and the current one always.
            for (std::size_t i = 0; i < before.size(); ++i) {
                bool listed =
                    std::find(changed.begin(), changed.end(), static_cast<int>(i)) != changed.end();
                EXPECT_EQ(listed, before[i] != z.results[i].flags || static_cast<int>(i) == p);
            }
        }
        clearHover(z, hovered);
        for (const auto& r : z.results)
            EXPECT_EQ(r.hover(), kHoverNone);
        EXPECT_TRUE(hovered.empty());
    }
}

TEST(Hover, CategoryFifteenAndFourteen) {
    Zone z = buildZone(firstOutcomes({2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}),
                       flatQuotes(40, 25, 35));
    HoveredList hovered;
    hoverResult(z, 0, 15, hovered);
    EXPECT_EQ(z.results[0].hover(), kHoverCurrent);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(z.results[static_cast<std::size_t>(i)].hover(), kHoverNone);
    hoverResult(z, 0, 14, hovered);
    EXPECT_EQ(z.results[1].hover(), kHoverNear); // differs in event 1 only
    EXPECT_EQ(z.results[2].hover(), kHoverNear); // differs in event 2 only
    EXPECT_EQ(z.results[3].hover(), kHoverNone); // differs in both
}

TEST(CategoryTally, MatchesTheLiteralCount) {
    std::mt19937 rng(8);
    for (int round = 0; round < 40; ++round) {
        ZoneCells cells = randomZone(rng, 2000);
        Zone z = buildZone(cells, randomQuotes(rng));
        if (z.results.empty())
            continue;
        auto coupons = randomCoupons(rng, cells, static_cast<int>(rng() % 40));
        for (int probe = 0; probe < 4; ++probe) {
            int p = static_cast<int>(rng() % static_cast<unsigned>(z.size()));
            ASSERT_EQ(categoryTally(z, coupons, p), oracle::literalTally(z.results, coupons, p))
                << "round " << round;
        }
    }
}

TEST(CategoryTally, TextLayout) {
    CategoryTally t{7, 6, 5, 4, 3, 2, 1}; // categories 9..15
    EXPECT_EQ(categoryTallyText("1X2111111111111", t),
              "Категорий в пакете\r\nпри 1X2111111111111:\r\n"
              "15 - 1;   14 - 2;   13 - 3;\r\n12 - 4;   11 - 5;   10 - 6;\r\n9 - 7;   ");
}

TEST(HoverStatistics, AddsWhatThePointedResultWouldCover) {
    Zone z = buildZone(firstOutcomes({2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}),
                       flatQuotes(50, 50, 0)); // 8 results of 0.125
    z.results[0].coverCount = 1;
    HoveredList hovered;
    hoverResult(z, 7, 15, hovered);
    EXPECT_EQ(hoverStatisticsText(z, hovered),
              "Покрытие ставками\r\nПо количеству 12.5%\r\n(+12.5%)\r\nПо вероятности 12.5%\r\n"
              "(+12.5%)");
    hoverResult(z, 0, 15, hovered); // already covered: nothing to add
    EXPECT_EQ(hoverStatisticsText(z, hovered), statisticsText(z));
    hoverResult(z, 0, 14, hovered); // three uncovered neighbours
    EXPECT_EQ(hoverStatisticsText(z, hovered),
              "Покрытие ставками\r\nПо количеству 12.5%\r\n(+37.5%)\r\nПо вероятности 12.5%\r\n"
              "(+37.5%)");
}

TEST(BestBet, MatchesTheLiteralSearch) {
    std::mt19937 rng(21);
    for (int round = 0; round < 70; ++round) {
        ZoneCells cells = randomZone(rng, round % 7 == 0 ? 6000 : 700);
        Zone z = buildZone(cells, round % 5 == 0 ? flatQuotes(40, 25, 35) : randomQuotes(rng));
        if (z.results.empty())
            continue;
        int category = 9 + static_cast<int>(rng() % 7);
        if (round % 9 == 0)
            category = static_cast<int>(rng() % 9);
        auto coupons = randomCoupons(rng, cells, static_cast<int>(rng() % 12));
        countCoverage(z, coupons, category);
        auto lit = oracle::literalBest(z.results, category);
        auto p = findBestBet(z, category, BestBy::Probability);
        auto n = findBestBet(z, category, BestBy::Count);
        EXPECT_EQ(p.index.value_or(-1), lit.indexP) << "round " << round << " c " << category;
        EXPECT_EQ(n.index.value_or(-1), lit.indexN) << "round " << round << " c " << category;
    }
}

TEST(BestBet, EmptyListTiesAndNothingToGain) {
    Zone z = buildZone(firstOutcomes({3, 3, 3, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}),
                       flatQuotes(40, 25, 35));
    // Every result has as many neighbours: the lowest index wins the tie.
    EXPECT_EQ(findBestBet(z, 13, BestBy::Count).index, 0);
    auto lit = oracle::literalBest(z.results, 13);
    EXPECT_EQ(findBestBet(z, 13, BestBy::Probability).index, lit.indexP);
    for (auto& r : z.results)
        r.coverCount = 1;
    EXPECT_FALSE(findBestBet(z, 13, BestBy::Count).index);
    EXPECT_FALSE(findBestBet(z, 13, BestBy::Probability).index);
    EXPECT_FALSE(findBestBet(Zone{}, 13, BestBy::Count).index);
}

TEST(BestBet, ReportsProgressAndStopsWhenCancelled) {
    Zone z = buildZone(firstOutcomes({3, 3, 3, 3, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1, 1}),
                       flatQuotes(40, 25, 35));
    std::vector<int> seen;
    auto r = findBestBet(z, 12, BestBy::Probability, [&](int pct) { seen.push_back(pct); });
    ASSERT_TRUE(r.index);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()); // only changes
    EXPECT_LT(seen.back(), 100);
    std::atomic<bool> cancel{true};
    auto stopped = findBestBet(z, 12, BestBy::Probability, {}, &cancel);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_FALSE(stopped.index);
}

TEST(BetListEdits, LeftClickLine) {
    Zone z = buildZone(firstOutcomes({2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3}),
                       flatQuotes(40, 25, 35));
    std::string rest = ";2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
                       "13-(1);14-(1);15-(2).";
    struct Case {
        const char* stake;
        const char* amount;
    } cases[] = {{"20", "20.00"}, {"20.5", "20.50"}, {"20.125", "20.125"}, {"3.00", "3.00"}};
    for (auto c : cases)
        EXPECT_EQ(singleBetLine(z, 5, c.stake), std::string(c.amount) + ";1-(X)" + rest);
}

TEST(BetListEdits, RightClickRemovesEveryCoveringCoupon) {
    Zone z = buildZone(firstOutcomes({2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}),
                       flatQuotes(40, 25, 35));
    std::string tail = ";3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);13-(1);"
                       "14-(1);15-(1).";
    Lines lines = {
        "20.00;1-(1);2-(1)" + tail,   // result 0 itself
        "junk without groups",        //
        "40.00;1-(1,X);2-(2)" + tail, // 14 of result 0
        "20.00;1-(X);2-(X)" + tail,   // 13 of result 0
        " 20;1-(1);2-(1)" + tail,     // the first coupon again, other amount
        "20.00;1-(1);2-(1)" + tail,   // and again
    };
    EXPECT_EQ(couponText(parseBetLine(lines[2]).mask), ";1-(1,X);2-(2)" + tail);

    auto r15 = removeCoveringCoupons(lines, z, 0, 15);
    EXPECT_EQ(r15.removed, 3);
    EXPECT_EQ(r15.lines, (Lines{lines[1], lines[2], lines[3]}));

    auto r14 = removeCoveringCoupons(lines, z, 0, 14);
    EXPECT_EQ(r14.removed, 4);
    EXPECT_EQ(r14.lines, (Lines{lines[1], lines[3]}));

    auto none = removeCoveringCoupons(Lines{}, z, 0, 14);
    EXPECT_EQ(none.removed, 0);
    EXPECT_TRUE(none.lines.empty());
}

TEST(BestBet, SharedOverBothCoresLikeThePlainLoop) {
    std::mt19937 rng(4);
    ZoneCells cells = firstOutcomes({3, 3, 3, 3, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1, 1});
    Zone z = buildZone(cells, randomQuotes(rng));
    for (int category : {10, 11, 12}) {
        for (int coupons : {3, 60}) {
            countCoverage(z, randomCoupons(rng, cells, coupons), category);
            auto lit = oracle::literalBest(z.results, category);
            EXPECT_EQ(findBestBet(z, category, BestBy::Probability).index.value_or(-1), lit.indexP)
                << category << " " << coupons;
            EXPECT_EQ(findBestBet(z, category, BestBy::Count).index.value_or(-1), lit.indexN)
                << category << " " << coupons;
        }
    }
}
