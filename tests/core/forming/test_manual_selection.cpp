#include "core/forming/manual_selection.h"

#include "core/forming/forming_fixture.h"
#include "oracle/random_bets_literal.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace kav {
namespace {

using test::allEvents;
using test::modelWith;

const std::string kAllOnes = "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                             "11-(1);12-(1);13-(1);14-(1);15-(1).";

TEST(TakeAllVariants, SingleBetOnceThenNothing) {
    DrawModel m = modelWith(allEvents("1"));
    FormResult first = takeAllVariants(m, "20", {});
    ASSERT_EQ(first.added, Lines{kAllOnes});
    EXPECT_FALSE(first.message);
    FormResult second = takeAllVariants(m, "20", first.added);
    EXPECT_TRUE(second.added.empty());
    EXPECT_FALSE(second.message);
}

TEST(TakeAllVariants, AmountIsVariantsTimesStakeWithTwoDecimals) {
    struct Case {
        const char* selection;
        const char* stake;
        const char* amount;
    };
    const Case cases[] = {
        {"1X,X2,1X2,1,1,1,1,1,1,1,1,1,1,1,1", "20", "240.00;"},
        {"1X,1,1,1,1,1,1,1,1,1,1,1,1,1,1", "20.00", "40.00;"},
        {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", "20.5", "20.50;"},
        {"1X,1,1,1,1,1,1,1,1,1,1,1,1,1,1", "20.25", "40.50;"},
        {"1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2", "3", "43046721.00;"},
    };
    for (const auto& c : cases) {
        FormResult r = takeAllVariants(modelWith(c.selection), c.stake, {});
        ASSERT_EQ(r.added.size(), 1u) << c.selection;
        EXPECT_EQ(r.added[0].rfind(c.amount, 0), 0u) << r.added[0];
    }
}

TEST(TakeAllVariants, UnmarkedEventGivesEmptyGroupAndCountsOnlyEventsBefore) {
    // Doubles after the unmarked event are not in the count, as in the summary.
    FormResult r = takeAllVariants(modelWith("1X,1,-,1X,1,1,1,1,1,1,1,1,1,1,1"), "20", {});
    ASSERT_EQ(r.added.size(), 1u);
    EXPECT_EQ(r.added[0].substr(0, 30), "40.00;1-(1,X);2-(1);3-();4-(1,");
}

TEST(Stake, UnusableTextRefusesEveryAction) {
    DrawModel m = modelWith(allEvents("1X"));
    for (const char* bad :
         {"", "  ", "abc", "20 руб.", "1e2", "-20", "0", "0.00", "20,5", "1.2.3", "99999999999"}) {
        Rng rng(1);
        FormResult all = takeAllVariants(m, bad, {});
        FormResult rnd = randomBets(m, bad, {}, {RandomDistribution::ByQuotes, 3, 7}, rng);
        for (const FormResult* r : {&all, &rnd}) {
            EXPECT_TRUE(r->added.empty()) << bad;
            ASSERT_TRUE(r->message) << bad;
            EXPECT_EQ(r->message->caption, "Ошибка");
        }
    }
}

TEST(RandomBets, StakeTextIsPaddedToTwoDecimals) {
    DrawModel m = modelWith(allEvents("1"));
    for (auto [typed, written] : {std::pair{"20.5", "20.50;"},
                                  {"20", "20.00;"},
                                  {"20.", "20.00;"},
                                  {"20.125", "20.125;"},
                                  {" 3 ", "3.00;"}}) {
        for (RandomDistribution d : kRandomDistributions) {
            Rng rng(7);
            FormResult r = randomBets(m, typed, {}, {d, 1, 3}, rng);
            ASSERT_EQ(r.added.size(), 1u) << typed;
            EXPECT_EQ(r.added[0].rfind(written, 0), 0u) << r.added[0];
        }
    }
}

TEST(RandomBets, OnlyBetGoesInOnceThenThirtyOneDuplicatesStop) {
    DrawModel m = modelWith(allEvents("1"));
    Rng rng(99);
    FormResult first = randomBets(m, "20", {}, {RandomDistribution::ByQuotes, 1, 7}, rng);
    ASSERT_EQ(first.added, Lines{kAllOnes});
    EXPECT_FALSE(first.message);

    std::uint32_t before = rng.seed();
    FormResult second = randomBets(m, "20", first.added, {RandomDistribution::ByQuotes, 1, 7}, rng);
    EXPECT_TRUE(second.added.empty());
    ASSERT_TRUE(second.message);
    EXPECT_EQ(second.message->text, "Выбрано недостаточно исходов для формирования пакета");
    // 31 attempts of 15 draws each, none of them rounding to 0 here.
    Rng expected(before);
    for (int i = 0; i < 31 * 15; ++i)
        drawShare(expected);
    EXPECT_EQ(rng.seed(), expected.seed());
}

TEST(RandomBets, LinesAddedBeforeExhaustionStay) {
    // Two doubles give four distinct bets; the fifth repetition cannot find a new one.
    DrawModel m = modelWith("1X,X2,1,1,1,1,1,1,1,1,1,1,1,1,1");
    Rng rng(12345);
    FormResult r = randomBets(m, "20", {"keep me"}, {RandomDistribution::Uniform, 10, 7}, rng);
    EXPECT_EQ(r.added.size(), 4u);
    EXPECT_EQ(std::set<std::string>(r.added.begin(), r.added.end()).size(), 4u);
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->text, "Выбрано недостаточно исходов для формирования пакета");
}

TEST(RandomBets, WeightlessEventStopsOnceWithItsMessage) {
    DrawModel unmarked = modelWith("1,1,1,1,1,1,1,-,1,1,1,1,1,1,1");
    DrawModel zeroQuote = modelWith(allEvents("1"));
    zeroQuote.quotes[3][0] = Fixed4();
    zeroQuote.poolShares[3][0] = Fixed4();
    for (RandomDistribution d : kRandomDistributions) {
        Rng rng(5);
        FormResult r = randomBets(unmarked, "20", {}, {d, 1000, 7}, rng);
        EXPECT_TRUE(r.added.empty());
        ASSERT_TRUE(r.message);
        EXPECT_EQ(r.message->text, "Выбраны не все события");
    }
    // Quote and pool share 0: weightless by quotes, by pool and with favourites,
    // while "Произвольно" and "Против пула" still give it weight.
    for (RandomDistribution d : {RandomDistribution::ByQuotes, RandomDistribution::ByPool,
                                 RandomDistribution::Favourites}) {
        Rng rng(5);
        EXPECT_TRUE(randomBets(zeroQuote, "20", {}, {d, 1, 7}, rng).message) << static_cast<int>(d);
    }
    for (RandomDistribution d : {RandomDistribution::Uniform, RandomDistribution::AgainstPool}) {
        Rng rng(5);
        EXPECT_EQ(randomBets(zeroQuote, "20", {}, {d, 1, 7}, rng).added.size(), 1u)
            << static_cast<int>(d);
    }
}

TEST(RandomBets, NoRepetitionOrUnknownDistributionDoesNothing) {
    DrawModel m = modelWith(allEvents("1X2"));
    for (RandomRequest rq : {RandomRequest{RandomDistribution::ByQuotes, 0, 7},
                             RandomRequest{RandomDistribution::ByQuotes, -3, 7},
                             RandomRequest{RandomDistribution{5}, 3, 7},
                             RandomRequest{RandomDistribution{-1}, 3, 7}}) {
        Rng rng(3);
        FormResult r = randomBets(m, "", {}, rq, rng);
        EXPECT_TRUE(r.added.empty());
        EXPECT_FALSE(r.message);
        EXPECT_EQ(rng.seed(), 3u);
    }
}

TEST(RandomBetOutcome, BoundariesOfTheDocumentedRule) {
    const Weights three{Fixed4::fromInt(50), Fixed4::fromInt(30), Fixed4::fromInt(20)};
    const Weights oneAndTwo{Fixed4::fromRaw(3333), Fixed4(), Fixed4::fromRaw(3333)};
    struct Case {
        int r;
        std::int64_t p1, pX;
        const Weights* w;
        int outcome;
    };
    const Case cases[] = {
        {1, 5000, 3000, &three, 0},      {4999, 5000, 3000, &three, 0},
        {5000, 5000, 3000, &three, 1},   {7999, 5000, 3000, &three, 1},
        {8000, 5000, 3000, &three, 2},   {10000, 5000, 3000, &three, 2},
        {4999, 5000, 0, &oneAndTwo, 0},  {5000, 5000, 0, &oneAndTwo, 2},
        {10000, 5000, 0, &oneAndTwo, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pickOutcome(c.r, c.p1, c.pX, *c.w), c.outcome) << c.r;
    EXPECT_EQ(normalisedShare(Fixed4::fromInt(50), Fixed4::fromInt(100)), 5000);
    EXPECT_EQ(normalisedShare(Fixed4::fromInt(30), Fixed4::fromInt(100)), 3000);
    EXPECT_EQ(normalisedShare(Fixed4::fromRaw(3333), Fixed4::fromRaw(6666)), 5000);
    EXPECT_EQ(normalisedShare(Fixed4::fromRaw(3333), Fixed4::fromRaw(9999)), 3333);
}

TEST(RandomBetOutcome, NeverAnOutcomeOfWeightZero) {
    const Fixed4 w = Fixed4::fromInt(40);
    const Weights onlyOne{w, Fixed4(), Fixed4()};
    const Weights onlyX{Fixed4(), w, Fixed4()};
    const Weights oneAndX{w, w, Fixed4()};
    EXPECT_EQ(pickOutcome(10000, 10000, 0, onlyOne), 0);
    EXPECT_EQ(pickOutcome(10000, 0, 10000, onlyX), 1);
    EXPECT_EQ(pickOutcome(9999, 5000, 4999, oneAndX), 1);
    EXPECT_EQ(pickFavouritesOutcome(10000, 5000, 4999, oneAndX), 1);
    EXPECT_EQ(pickFavouritesOutcome(10000, 9999, 0, onlyOne), 0);
    // The documented boundaries of the favourites' draw stay.
    const Weights three{w, w, w};
    EXPECT_EQ(pickFavouritesOutcome(5000, 5000, 3000, three), 0);
    EXPECT_EQ(pickFavouritesOutcome(5001, 5000, 3000, three), 1);
    EXPECT_EQ(pickFavouritesOutcome(8000, 5000, 3000, three), 1);
    EXPECT_EQ(pickFavouritesOutcome(8001, 5000, 3000, three), 2);
}

TEST(RandomBetOutcome, DrawOfTenThousandKeepsTheOnlyMarkedOutcome) {
    Rng probe(1298181734);
    ASSERT_EQ(drawShare(probe), 10000);
    DrawModel m = modelWith("1," + allEvents("1X2").substr(4));
    for (RandomDistribution d : kRandomDistributions) {
        Rng rng(1298181734);
        FormResult r = randomBets(m, "20", {}, {d, 1, 0}, rng);
        ASSERT_EQ(r.added.size(), 1u) << static_cast<int>(d);
        EXPECT_EQ(r.added[0].substr(0, 12), "20.00;1-(1);") << static_cast<int>(d);
    }
}

// The generator state whose next step gives `after`.
std::uint32_t seedBefore(std::uint32_t after) {
    std::uint32_t inv = 134775813u; // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i)
        inv *= 2u - 134775813u * inv;
    return (after - 1u) * inv;
}

TEST(RandomDraw, SharesRoundHalvesToEvenAndSkipZero) {
    struct Case {
        std::uint32_t after;
        int r;
    };
    const Case cases[] = {
        {1u << 27, 312}, {3u << 27, 938}, {0xFFFFFFFFu, 10000}, {429497u, 1}, {214749u, 1}};
    for (const auto& c : cases) {
        Rng rng(seedBefore(c.after));
        EXPECT_EQ(drawShare(rng), c.r) << c.after;
    }
    // A draw rounding to 0 is drawn again.
    Rng zero(seedBefore(214747u));
    Rng next(214747u);
    int expected = drawShare(next);
    EXPECT_EQ(drawShare(zero), expected);
    EXPECT_EQ(zero.seed(), next.seed());
    // Same as rounding the real draw, over many steps.
    Rng a(987654321u), b(987654321u);
    for (int i = 0; i < 100000; ++i) {
        std::int64_t viaReal;
        do
            viaReal = roundHalfEvenToInt(b.real() * 10000);
        while (viaReal == 0);
        ASSERT_EQ(drawShare(a), viaReal);
    }
}

TEST(RandomBetWeights, PerDistribution) {
    DrawModel m = modelWith("1X2,1X,1X2,1,1,1,1,1,1,1,1,1,1,1,1");
    test::setPool(m, 0, 50, 0, 50);
    auto f = [](std::int64_t raw) { return Fixed4::fromRaw(raw); };
    EXPECT_EQ(randomBetWeights(m, 0, RandomDistribution::ByQuotes),
              (Weights{f(400000), f(250000), f(350000)}));
    EXPECT_EQ(randomBetWeights(m, 0, RandomDistribution::ByPool),
              (Weights{f(500000), f(0), f(500000)}));
    EXPECT_EQ(randomBetWeights(m, 1, RandomDistribution::Uniform),
              (Weights{f(3333), f(3333), f(0)}));
    // Against the pool: quote / pool share, 100 where nobody has staked.
    EXPECT_EQ(randomBetWeights(m, 0, RandomDistribution::AgainstPool),
              (Weights{f(8000), f(1000000), f(7000)}));
    EXPECT_EQ(randomBetWeights(m, 2, RandomDistribution::AgainstPool),
              (Weights{f(8000), f(16667), f(10000)}));
}

TEST(RandomFavourites, AllFavouritesTakeThePoolFavourite) {
    DrawModel m = modelWith(allEvents("1X2"));
    test::setPool(m, 1, 20, 45, 35);
    test::setPool(m, 2, 20, 35, 45);
    test::setPool(m, 3, 40, 40, 20); // a tie: "1" wins over "X"
    test::setPool(m, 4, 20, 40, 40); // "X" wins over "2"
    Rng rng(2024);
    FormResult r = randomBets(m, "20", {}, {RandomDistribution::Favourites, 1, 15}, rng);
    ASSERT_EQ(r.added.size(), 1u);
    EXPECT_EQ(r.added[0], "20.00;1-(1);2-(X);3-(2);4-(1);5-(X);6-(1);7-(1);8-(1);9-(1);10-(1);"
                          "11-(1);12-(1);13-(1);14-(1);15-(1).");
}

TEST(RandomFavourites, NoFavouritesNeverDrawTheStrictPoolFavourite) {
    DrawModel m = modelWith("1X2,1X2,1X2,1X,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1");
    test::setPool(m, 3, 60, 0, 40); // "X" marked but unstaked: "1" cannot be excluded
    Rng rng(77);
    FormResult r = randomBets(m, "20", {}, {RandomDistribution::Favourites, 300, 0}, rng);
    ASSERT_EQ(r.added.size(), 300u);
    for (const auto& line : r.added) {
        auto pos = line.find(";4-(");
        EXPECT_EQ(line.substr(pos, 7), ";4-(1);") << line;
        for (int e : {1, 2, 3, 5, 9, 14})
            EXPECT_EQ(line.find(';' + std::to_string(e) + "-(1)"), std::string::npos) << line;
        EXPECT_NE(line.find(";15-(1)."), std::string::npos) << line;
    }
}

// Shapes of selection and draw that the fast writer must treat exactly like the
// literal transcription.
DrawModel shapedModel(int shape) {
    switch (shape) {
    case 0:
        return modelWith(allEvents("1X2"));
    case 1:
        return modelWith("1X,X2,1,2,X,1X2,1,1,12,1,1,1,1,1,1");
    case 2: {
        DrawModel m = modelWith("1X2,1X2,12,X2,1X,1X2,1X2,1X2,1,2,X,1X2,1X2,1X2,1X2");
        for (int e = 0; e < kEvents; ++e) {
            test::setQuotes(m, e, 10 + 3 * e, 60 - 2 * e, 30 - e);
            test::setPool(m, e, (e * 7) % 50, e % 4 == 0 ? 0 : 20 + e, 33);
        }
        return m;
    }
    case 3:
        return modelWith("1X,1,1,1,1,1,1,1,1,1,1,1,1,1,X2");
    default:
        return modelWith("1,1,1,1,1,-,1,1,1,1,1,1,1,1,1");
    }
}

TEST(RandomBets, SameAsTheLiteralTranscription) {
    const std::string stake = "20.00";
    for (int shape = 0; shape < 5; ++shape) {
        DrawModel m = shapedModel(shape);
        for (RandomDistribution d : kRandomDistributions) {
            for (std::uint32_t seed : {1u, 42u, 1298181734u, 4000000000u, 777u}) {
                // Half of the list comes from an earlier click, so duplicates bite.
                Rng pre(seed ^ 0x5a5a5a5au);
                Lines existing = {"not a bet"};
                Lines earlier =
                    oracle::randomBetsLiteral(m, stake, existing, static_cast<int>(d), 40, 5, pre)
                        .list;
                Rng fastRng(seed), literalRng(seed);
                RandomRequest rq{d, 120, 1 + static_cast<int>(seed % 15)};
                FormResult fast = randomBets(m, stake, earlier, rq, fastRng);
                auto literal = oracle::randomBetsLiteral(m, stake, earlier, static_cast<int>(d),
                                                         rq.repeat, rq.favourites, literalRng);
                Lines joined = earlier;
                joined.insert(joined.end(), fast.added.begin(), fast.added.end());
                EXPECT_EQ(joined, literal.list)
                    << shape << ' ' << static_cast<int>(d) << ' ' << seed;
                EXPECT_EQ(fast.message ? std::optional(fast.message->text) : std::nullopt,
                          literal.message);
                EXPECT_EQ(fastRng.seed(), literalRng.seed());
            }
        }
    }
}

} // namespace
} // namespace kav

namespace kav {
namespace {

TEST(RandomBets, AbsurdWeightsNeitherOverflowNorLeaveTheMarks) {
    // Quotes typed by hand are stored without a range check; quotes files can
    // carry anything a Fixed4 holds.
    DrawModel m = test::modelWith(test::allEvents("1X2"));
    const Fixed4 huge = Fixed4::fromRaw(std::numeric_limits<std::int64_t>::max());
    for (int e = 0; e < kEvents; ++e) {
        m.quotes[e] = {huge, huge, Fixed4::fromRaw(e)};
        m.poolShares[e] = {huge, Fixed4::fromRaw(1), huge};
    }
    m.selection[4] = {1, 0, 1};
    const Fixed4 almost = Fixed4::fromRaw(huge.raw() - 1);
    m.poolShares[7] = {huge, almost, almost};
    for (RandomDistribution d : kRandomDistributions) {
        Rng rng(31);
        FormResult r = randomBets(m, "20", {}, {d, 50, 4}, rng);
        for (const auto& line : r.added)
            EXPECT_EQ(line.find(";5-(X)"), std::string::npos) << static_cast<int>(d) << ' ' << line;
    }
}

TEST(RandomBets, NegativeWeightsCountAsNothing) {
    // Event 2: only "1" marked, quoted and staked below 0; event 3: "1" negative
    // beside a marked "X".
    DrawModel m = test::modelWith("1X2,1,1X,1,1,1,1,1,1,1,1,1,1,1,1");
    test::setQuotes(m, 1, -30, -51, 15);
    test::setPool(m, 1, -41, -26, 35);
    test::setQuotes(m, 2, -10, 60, 50);
    test::setPool(m, 2, -10, 60, 50);
    for (RandomDistribution d : {RandomDistribution::ByQuotes, RandomDistribution::ByPool,
                                 RandomDistribution::Favourites}) {
        Rng rng(8);
        FormResult r = randomBets(m, "20", {}, {d, 5, 15}, rng);
        EXPECT_TRUE(r.added.empty()) << static_cast<int>(d);
        ASSERT_TRUE(r.message) << static_cast<int>(d);
        EXPECT_EQ(r.message->text, "Выбраны не все события");
    }
    m.selection[1] = {1, 1, 0};
    m.quotes[1][1] = Fixed4::fromInt(20);
    m.poolShares[1][1] = Fixed4::fromInt(20);
    for (RandomDistribution d : {RandomDistribution::ByQuotes, RandomDistribution::ByPool,
                                 RandomDistribution::Favourites}) {
        Rng rng(8);
        FormResult r =
            randomBets(m, "20", {}, {d, 30, d == RandomDistribution::Favourites ? 15 : 0}, rng);
        ASSERT_FALSE(r.added.empty()) << static_cast<int>(d);
        for (const auto& line : r.added)
            EXPECT_EQ(line.substr(12, 14), "2-(X);3-(X);4-") << static_cast<int>(d) << ' ' << line;
    }
}

} // namespace
} // namespace kav
