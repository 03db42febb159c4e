// The zone, its layout, the coverage count and the statistics, checked on
// known cases and against the literal transcriptions on many random inputs.
#include "core/coverage/coverage.h"
#include "core/coverage/coverage_fixtures.h"
#include "oracle/coverage_literal.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kav;
using namespace kav::covtest;

namespace {

ZoneCells cellsFromText(const char* groups[kEvents]) {
    ZoneCells c{};
    for (int e = 0; e < kEvents; ++e)
        for (const char* p = groups[e]; *p; ++p)
            c[e][static_cast<std::size_t>(outcomeIndex(*p))] = 1;
    return c;
}

ZoneCells singles(int variableEvents, int k) {
    ZoneCells c{};
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < (e < variableEvents ? k : 1); ++o)
            c[e][static_cast<std::size_t>(o)] = 1;
    return c;
}

} // namespace

TEST(MapLayout, ClosestRectangleWithDividingColumns) {
    struct Case {
        std::int64_t n;
        int cols, rows;
    } cases[] = {{4, 2, 2}, {27, 3, 9}, {7, 1, 7}, {8, 4, 2}, {59049, 243, 243}, {2, 2, 1}};
    for (auto c : cases) {
        MapLayout l = mapLayout(c.n);
        EXPECT_EQ(l.cols, c.cols) << c.n;
        EXPECT_EQ(l.rows, c.rows) << c.n;
        EXPECT_EQ(static_cast<std::int64_t>(l.cols) * l.rows, c.n);
    }
}

TEST(BuildZone, SizesAndMessages) {
    struct Case {
        ZoneCells cells;
        std::int64_t n;
        std::size_t built;
        bool shown;
        const char* message;
    };
    ZoneCells emptyRow = singles(3, 3);
    emptyRow[7] = {0, 0, 0};
    const char* pick =
        "ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА \r\n(нужные подстраховки в каждом матче)";
    const char* big = "ЗОНА ИСХОДОВ СЛИШКОМ ВЕЛИКА ДЛЯ ПРОСМОТРА";
    Case cases[] = {
        {emptyRow, 0, 0, false, pick},
        {singles(0, 1), 1, 1, false, pick},
        {singles(10, 3), 59049, 59049, true, ""},
        {singles(11, 3), 177147, 0, false, big},
        {singles(15, 3), 14348907, 0, false, big},
    };
    for (const auto& c : cases) {
        Zone z = buildZone(c.cells, flatQuotes(40, 25, 35));
        EXPECT_EQ(z.resultCount, c.n);
        EXPECT_EQ(z.results.size(), c.built) << c.n;
        EXPECT_EQ(z.shown(), c.shown) << c.n;
        EXPECT_EQ(zoneMessage(z), c.message) << c.n;
    }
    Zone limit;
    limit.resultCount = kMaxZoneResults;
    EXPECT_TRUE(limit.shown());
    limit.resultCount = kMaxZoneResults + 1;
    EXPECT_FALSE(limit.shown());
}

TEST(BuildZone, OrderMasksAndWeights) {
    const char* g[kEvents] = {"12", "1", "1", "1", "1", "1", "1",  "1",
                              "1",  "1", "1", "1", "1", "X", "1X2"};
    QuoteTable q = flatQuotes(50, 30, 20);
    Zone z = buildZone(cellsFromText(g), q);
    ASSERT_EQ(z.size(), 6);
    // Event 1 varies fastest.
    EXPECT_EQ(z.resultText(0), "1111111111111X1");
    EXPECT_EQ(z.resultText(1).substr(0, 1), "2");
    EXPECT_EQ(z.resultText(2).substr(14), "X");
    EXPECT_EQ(z.results[1].ones & eventBit(0), 0);
    EXPECT_NE(z.results[1].twos & eventBit(0), 0);
    EXPECT_DOUBLE_EQ(z.results[0].probability, 50.0 / 70 * 0.5);
    EXPECT_DOUBLE_EQ(z.results[1].probability, 20.0 / 70 * 0.5);
    double sum = 0;
    for (const auto& r : z.results)
        sum += r.probability;
    EXPECT_NEAR(sum, 1.0, 1e-12);
}

TEST(BuildZone, DegenerateQuotesGiveFiniteWeights) {
    const char* g[kEvents] = {"1X", "12", "1X2", "1", "1", "1", "1", "1",
                              "1",  "1",  "1",   "1", "1", "1", "1"};
    QuoteTable q = flatQuotes(40, 25, 35);
    q[0] = {Fixed4(), Fixed4(), Fixed4::fromInt(100)}; // both selected quotes 0: equal shares
    q[1] = {Fixed4::fromInt(-10), Fixed4(), Fixed4::fromInt(110)}; // negative counts as 0
    q[2] = {Fixed4::fromInt(-5), Fixed4::fromInt(50), Fixed4::fromInt(55)};
    Zone z = buildZone(cellsFromText(g), q);
    ASSERT_EQ(z.size(), 12);
    for (const auto& r : z.results) {
        EXPECT_TRUE(std::isfinite(r.probability));
        EXPECT_GE(r.probability, 0.0);
    }
    EXPECT_DOUBLE_EQ(z.results[0].probability, 0.5 * 0.0 * 0.0); // 1,1,1
    EXPECT_DOUBLE_EQ(z.results[3].probability, 0.5 * 1.0 * 0.0); // X,2,1
    EXPECT_DOUBLE_EQ(z.results[7].probability, 0.5 * 1.0 * 0.5); // X,2,X
    for (auto& r : z.results)
        r.coverCount = 1;
    EXPECT_EQ(probabilityPercentText(coverageSums(z).probability), "100");
}

TEST(BuildZone, MatchesTheLiteralBuild) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        ZoneCells cells = randomZone(rng, round % 3 == 0 ? 20000 : 300);
        QuoteTable q = randomQuotes(rng);
        Zone z = buildZone(cells, q);
        auto lit = oracle::literalBuildZone(cells, q);
        ASSERT_EQ(z.resultCount, lit.n);
        ASSERT_EQ(z.results.size(), lit.results.size());
        EXPECT_EQ(z.layout.cols, lit.layout.cols);
        EXPECT_EQ(z.layout.rows, lit.layout.rows);
        for (std::size_t i = 0; i < lit.results.size(); ++i) {
            ASSERT_EQ(z.results[i].mask(), lit.results[i].mask()) << i;
            // Bit for bit: the same multiplications in the same order.
            ASSERT_EQ(z.results[i].probability, lit.results[i].probability) << i;
        }
    }
}

TEST(CountCoverage, KnownCases) {
    Zone z = buildZone(singles(3, 2), flatQuotes(40, 25, 35)); // 8 results
    BetMask inside = z.results[5].mask();
    BetMask outside = variantMask(Variant{2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2});

    countCoverage(z, {inside, outside}, 15);
    int covered = 0;
    for (const auto& r : z.results)
        covered += r.coverCount;
    EXPECT_EQ(covered, 1);
    EXPECT_EQ(z.results[5].coverCount, 1);

    countCoverage(z, {inside, outside}, 0);
    for (const auto& r : z.results)
        EXPECT_EQ(r.coverCount, 2);

    countCoverage(z, {inside, kInvalidMask, inside}, 15); // the same coupon twice counts twice
    EXPECT_EQ(z.results[5].coverCount, 2);
    EXPECT_EQ(z.results[4].coverCount, 0);

    countCoverage(z, {inside}, 14); // one difference allowed: itself and its 3 neighbours
    int reached = 0;
    for (const auto& r : z.results)
        reached += r.coverCount;
    EXPECT_EQ(reached, 4);
}

TEST(CountCoverage, MatchesTheLiteralLoop) {
    std::mt19937 rng(5);
    for (int round = 0; round < 80; ++round) {
        ZoneCells cells = randomZone(rng, round % 10 == 0 ? 60000 : 2000);
        Zone z = buildZone(cells, randomQuotes(rng));
        if (z.results.empty())
            continue;
        int coupons = round % 10 == 0 ? 300 : static_cast<int>(rng() % 60);
        auto masks = randomCoupons(rng, cells, coupons);
        int category = round % 16;
        countCoverage(z, masks, category);
        auto lit = z.results;
        oracle::literalCount(lit, masks, category);
        for (std::size_t i = 0; i < lit.size(); ++i)
            ASSERT_EQ(z.results[i].coverCount, lit[i].coverCount)
                << "round " << round << " result " << i << " category " << category;
    }
}

TEST(Statistics, TextsAndRounding) {
    Zone z = buildZone(singles(3, 2), flatQuotes(40, 25, 35));
    for (auto& r : z.results)
        r.probability = 0.1;
    z.results[0].coverCount = 1;
    z.results[1].coverCount = 2;
    z.results[2].coverCount = 1;
    z.results[2].probability = 0.2;
    EXPECT_EQ(statisticsText(z), "Покрытие ставками\r\nПо количеству 37.5%\r\nПо вероятности 40%");

    struct Case {
        std::int64_t x, n;
        const char* text;
    } cases[] = {{1, 3, "33.33"}, {2, 3, "66.67"},    {1, 8, "12.5"},  {1, 80000, "0"},
                 {1, 40000, "0"}, {3, 40000, "0.01"}, {1, 20000, "0"}, {3, 20000, "0.02"},
                 {0, 5, "0"},     {5, 5, "100"}};
    for (auto c : cases)
        EXPECT_EQ(countPercentText(c.x, c.n), c.text) << c.x << "/" << c.n;
    EXPECT_EQ(probabilityPercentText(0.123456), "12.35");
    EXPECT_EQ(probabilityPercentText(std::nan("")), "0");
}
