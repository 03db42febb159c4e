// Auto-forming's lazy search against the incremental one on fields too large
// for the literal transcription: the same bets, sums and draws, every method,
// with and without a list; and the overlap walk it relies on against brute force.
#include "core/draw/selection_text.h"
#include "core/forming/autoform.h"
#include "core/forming/autoform_field.h"
#include "core/forming/autoform_search.h"
#include "support/autoform_draws.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <random>
#include <thread>

using namespace kav;

namespace {

// `threes` events with all outcomes, `twos` with "1X", the rest "1"; quotes
// equal in every event (many ties) or different from event to event; with
// `defaultDraw`, the default draw's equal quotes and pool shares; with
// `zeroWeight`, the draw of the first event and the home win of the second
// weigh nothing.
DrawModel fieldOf(int threes, int twos, bool equalQuotes, bool zeroWeight = false,
                  bool defaultDraw = false) {
    DrawModel m;
    m.drawCountry = kRussia;
    applyDefaultDraw(m);
    std::string sel;
    for (int e = 0; e < kEvents; ++e) {
        sel += e ? "," : "";
        sel += e < threes ? "1X2" : e < threes + twos ? "1X" : "1";
        if (defaultDraw)
            continue;
        const std::int64_t home = equalQuotes ? 40 : 30 + (e * 7) % 35;
        const std::int64_t draw = equalQuotes ? 30 : 20 + (e * 3) % 12;
        m.quotes[e] = {Fixed4::fromInt(home), Fixed4::fromInt(draw),
                       Fixed4::fromInt(100 - home - draw)};
        m.poolShares[e] = {Fixed4::fromInt(draw), Fixed4::fromInt(home),
                           Fixed4::fromInt(100 - home - draw)};
    }
    if (zeroWeight) {
        m.quotes[0][1] = m.poolShares[0][1] = Fixed4{};
        m.quotes[1][0] = m.poolShares[1][0] = Fixed4{};
    }
    m.selection = *parseSelectionText(sel);
    return m;
}

// Single bets of the field and a coupon, as a player's list holds them: six
// bets of the package.
Lines someList(const DrawModel& m, std::mt19937& gen) {
    const auto f = fieldLayout(m);
    Lines list;
    for (int i = 0; i < 3; ++i)
        list.push_back(
            formatVariant(f->variant(static_cast<std::uint32_t>(gen() % f->count)), "20"));
    Coupon c{};
    const Variant v = f->variant(static_cast<std::uint32_t>(gen() % f->count));
    for (int e = 0; e < kEvents; ++e)
        c[e] = static_cast<OutcomeSet>(outcomeBit(v[e]) | (e == 0 ? 7 : 0));
    list.push_back(formatCoupon(c, Fixed4::fromInt(20)));
    return list;
}

// Returns the number of bets added.
std::size_t expectSameAsIncremental(const DrawModel& m, const Lines& list,
                                    const AutoformSettings& s, std::uint32_t seed,
                                    const std::string& label) {
    Rng incrementalRng(seed);
    const AutoformResult want = autoFormIncremental(m, list, s, incrementalRng);
    EXPECT_FALSE(want.message) << label;
    // Gains are brought up to date block by block (sums also every ball's at
    // once, at every step), or candidate by candidate: each way is compared.
    for (const int way : {0, 1, 2}) {
        const AutoformStrategy strategy =
            way < 2 ? AutoformStrategy::Lazy : AutoformStrategy::LazyByCandidate;
        const std::string wayLabel = label + (way == 0   ? ""
                                              : way == 1 ? " every ball at once"
                                                         : " by candidate");
        AutoformSearch::alwaysSumEveryBall(way == 1);
        Rng lazyRng(seed);
        const AutoformResult lazy = autoFormWith(strategy, m, list, s, lazyRng);
        AutoformSearch::alwaysSumEveryBall(false);
        EXPECT_FALSE(lazy.message) << wayLabel;
        EXPECT_EQ(lazy.added, want.added) << wayLabel;
        EXPECT_EQ(lazy.steps, want.steps) << wayLabel;
        EXPECT_EQ(lazy.packageBets, want.packageBets) << wayLabel;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(lazy.coveredWeight),
                  std::bit_cast<std::uint32_t>(want.coveredWeight))
            << wayLabel;
        EXPECT_EQ(lazyRng.seed(), incrementalRng.seed())
            << wayLabel << ": random draws consumed differ";
    }
    return want.added.size();
}

} // namespace

TEST(AutoformLazyField, OverlapWalksMatchBruteForce) {
    std::mt19937 gen(11);
    for (const auto& [threes, twos] : {std::pair{6, 3}, std::pair{4, 5}, std::pair{0, 8}}) {
        const auto f = fieldLayout(fieldOf(threes, twos, false));
        for (int misses = 0; misses <= 6; ++misses) {
            const auto j = static_cast<std::uint32_t>(gen() % f->count);
            const auto p = static_cast<std::uint32_t>(gen() % f->count);
            const BetMask mj = variantMask(f->variant(j)), mp = variantMask(f->variant(p));
            std::vector<std::uint32_t> want, walked;
            for (std::uint32_t r = 0; r < f->count; ++r) {
                const BetMask mr = variantMask(f->variant(r));
                if (matchCount(mj, mr) >= kEvents - misses &&
                    matchCount(mp, mr) >= kEvents - misses)
                    want.push_back(r);
            }
            forEachOverlapRange(*f, j, p, misses, [&](std::uint32_t a, std::uint32_t b) {
                for (auto r = a; r < b; ++r)
                    walked.push_back(r);
            });
            EXPECT_EQ(walked, want) << threes << "+" << twos << " misses " << misses;
            // A ball in field order, by the suffix lists.
            want.clear();
            walked.clear();
            for (std::uint32_t r = 0; r < f->count; ++r)
                if (matchCount(mj, variantMask(f->variant(r))) >= kEvents - misses)
                    want.push_back(r);
            const BallInOrder ball(*f, misses);
            ball.forEach(j, [&](std::uint32_t r) { walked.push_back(r); });
            EXPECT_EQ(walked, want) << threes << "+" << twos << " ball, misses " << misses;
            // The same with the members asked for ahead: each touched before it
            // is visited, every one visited in order.
            walked.clear();
            std::vector<std::uint32_t> touched;
            ball.forEachAhead(
                j,
                [&](std::uint32_t r) {
                    ASSERT_LT(walked.size(), touched.size());
                    walked.push_back(r);
                },
                [&](std::uint32_t r) { touched.push_back(r); });
            EXPECT_EQ(walked, want) << threes << "+" << twos << " ahead, misses " << misses;
            EXPECT_EQ(touched, want) << threes << "+" << twos << " ahead, misses " << misses;
            // A block's sums at once, bit for bit those of one ball at a time.
            std::vector<std::uint8_t> state(f->count);
            std::vector<float> weight(f->count);
            for (std::uint32_t r = 0; r < f->count; ++r) {
                state[r] = gen() % 4 == 0 ? 1 : 0;
                weight[r] = static_cast<float>(gen() % 1000 + 1) * 1e-6f;
            }
            // In two parts, as two threads form them, split where the groups
            // of four added side by side do not line up; and a few of them
            // only, as the pass asks for those it will likely need.
            std::vector<float> sums(ball.suffixSize());
            const std::uint32_t first = j - j % ball.suffixSize();
            const std::uint32_t half = ball.suffixSize() / 2 + misses % 3;
            ball.sumsOfBlock(first, state.data(), weight.data(), sums.data(), half);
            ball.sumsOfBlock(first, state.data(), weight.data(), sums.data(), 0, half);
            std::vector<std::uint32_t> some;
            for (std::uint32_t c = 0; c < ball.suffixSize(); ++c)
                if (c % 3 != 1 && gen() % 4 != 0)
                    some.push_back(c);
            std::vector<float> someSums(some.size());
            ball.sumsOf(first, state.data(), weight.data(), some.data(), some.size(),
                        someSums.data());
            for (std::uint32_t c = 0, k = 0; c < ball.suffixSize(); ++c) {
                float g = 0.0f;
                ball.forEach(first + c,
                             [&](std::uint32_t r) { g = g + (state[r] == 0 ? weight[r] : 0.0f); });
                ASSERT_EQ(std::bit_cast<std::uint32_t>(sums[c]), std::bit_cast<std::uint32_t>(g))
                    << threes << "+" << twos << " misses " << misses << " candidate " << c;
                if (k < some.size() && some[k] == c) {
                    ASSERT_EQ(std::bit_cast<std::uint32_t>(someSums[k++]),
                              std::bit_cast<std::uint32_t>(g))
                        << threes << "+" << twos << " misses " << misses << " some " << c;
                }
            }
        }
    }
}

TEST(AutoformLazy, MatchesTheIncrementalSearchOnLargeFields) {
    // Fields of 3^9 to 3^11 results (and 2^x mixes) at categories 9..14; limits
    // keep the incremental search short while the runs go on well past the
    // bets whose whole balls are free.
    struct Row {
        int threes, twos, fromCategory, toCategory;
        std::int64_t limit;
    };
    const Row rows[] = {{9, 0, 9, 10, 4},
                        {9, 0, 11, 14, 30},
                        {8, 3, 11, 14, 12},
                        {10, 0, 11, 14, 12},
                        {11, 0, 12, 14, 8}};
    std::size_t added = 0, cases = 0;
    std::mt19937 gen(20261207);
    for (const Row& row : rows)
        for (int category = row.fromCategory; category <= row.toCategory; ++category)
            for (int method : {0, 1, 2, 3}) {
                const bool equalQuotes = (category + method) % 2 == 0;
                const bool withList = category % 2 == 1 && category >= 11;
                const bool zeroWeight = (method == 1 || method == 2) && category % 3 == 0;
                const bool defaultDraw = equalQuotes && row.threes % 2 == 1;
                const DrawModel m =
                    fieldOf(row.threes, row.twos, equalQuotes, zeroWeight, defaultDraw);
                AutoformSettings s;
                s.category = category;
                s.method = *autoformMethodAt(method);
                s.betLimit = row.limit + (withList ? 6 : 0);
                s.coverageTarget = 0.95f;
                const Lines list = withList ? someList(m, gen) : Lines{};
                ++cases;
                added += expectSameAsIncremental(m, list, s, static_cast<std::uint32_t>(gen()),
                                                 "3^" + std::to_string(row.threes) + " x 2^" +
                                                     std::to_string(row.twos) + " category " +
                                                     std::to_string(category) + " method " +
                                                     std::to_string(method) +
                                                     (defaultDraw   ? " default draw"
                                                      : equalQuotes ? " equal quotes"
                                                                    : "") +
                                                     (zeroWeight ? " outcomes of no weight" : "") +
                                                     (withList ? " with list" : ""));
            }
    EXPECT_GT(added, 5 * cases) << "the cases must choose bets";
}

TEST(AutoformLazy, MatchesTheIncrementalSearchOnTheWholeField) {
    // 14,348,907 results in 59,049 blocks: the default draw's equal quotes,
    // whose sums tie in crowds, and a draw with a few events all but decided.
    const char* whole = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2";
    for (const bool equal : {true, false}) {
        const DrawModel m = equal ? kav::testing::drawWithEqualQuotes(whole)
                                  : kav::testing::drawWithNearCertainEvents(whole);
        for (const int method : {1, 2}) {
            AutoformSettings s;
            s.category = 13;
            s.method = *autoformMethodAt(method);
            s.betLimit = 5;
            s.coverageTarget = 0.95f;
            EXPECT_EQ(expectSameAsIncremental(m, {}, s, 7u + static_cast<std::uint32_t>(method),
                                              std::string(equal ? "equal" : "near-certain") +
                                                  " whole field, method " + std::to_string(method)),
                      5u);
        }
    }
}

TEST(AutoformLazy, LongRunsOnSmallBallsMatchTheIncrementalSearchToTheTarget) {
    // Whole runs to 90 % (sums 60 %), with and without a list, against the incremental
    // search: counts on balls of up to two misses, kept up to date on every
    // pick, whose passes skip runs of tied candidates by jumping the generator
    // (thousands of passes that meet huge runs of ties, picks whose balls were
    // partly covered, changes shared by two threads); and sums by probability
    // and by pool, whose blocks wait for the picks near them in a heap of
    // stale blocks across passes (varying quotes, and the default draw whose
    // sums tie in crowds).
    const AutoformMethod methods[] = {AutoformMethod::ByCount, AutoformMethod::Disjoint,
                                      AutoformMethod::ByProbability, AutoformMethod::ByPool};
    for (const int category : {13, 14})
        for (const AutoformMethod method : methods)
            for (const bool withList : {false, true}) {
                const bool sums =
                    method == AutoformMethod::ByProbability || method == AutoformMethod::ByPool;
                if (sums && category == 14)
                    continue;
                const DrawModel m =
                    fieldOf(category == 13 ? 11 : 9, 0, !sums || withList, false, sums && withList);
                std::mt19937 gen(static_cast<std::uint32_t>(category));
                AutoformSettings s;
                s.category = category;
                s.method = method;
                s.betLimit = 100000;
                s.coverageTarget = sums ? 0.6f : 0.9f;
                // A coupon of 3^4 variants: picks next to the results it
                // covers have counts that fall and are given back.
                Lines list;
                if (withList) {
                    Coupon c{};
                    const auto f = fieldLayout(m);
                    const Variant v = f->variant(static_cast<std::uint32_t>(gen()) % f->count);
                    for (int e = 0; e < kEvents; ++e)
                        c[e] = static_cast<OutcomeSet>(e % 3 == 1 && e < 12 ? 7 : outcomeBit(v[e]));
                    list.push_back(formatCoupon(c, Fixed4::fromInt(20)));
                }
                expectSameAsIncremental(m, list, s, static_cast<std::uint32_t>(gen()),
                                        "category " + std::to_string(category) + " method " +
                                            std::to_string(static_cast<int>(method)) +
                                            (withList ? " with list" : ""));
            }
    // The generator's jumps, both ways.
    for (std::uint32_t seed : {0u, 1u, 0x80000000u, 0xDEADBEEFu}) {
        Rng rng(seed);
        for (std::uint64_t steps = 0; steps < 3000; ++steps) {
            ASSERT_EQ(Rng::seedAfter(seed, steps), rng.seed()) << seed << " + " << steps;
            const std::uint32_t before = rng.seed();
            ASSERT_EQ(Rng::seedBefore(rng.step()), before);
        }
    }
}

TEST(AutoformLazy, CancelStopsTheWholeFieldMidSearch) {
    // A Cancel from another thread a moment after the third step, as the
    // player's would come: it mostly lands in a pass (blocks brought up to
    // date ahead or in the pass), which stops within the step; nothing is added.
    for (const AutoformMethod method : {AutoformMethod::ByProbability, AutoformMethod::ByCount}) {
        const DrawModel m = kav::testing::drawWithVaryingQuotes(
            "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2");
        AutoformSettings s;
        s.category = 11;
        s.betLimit = 100000;
        s.coverageTarget = 0.9f;
        s.method = method;
        std::atomic<bool> cancel{false};
        std::atomic<int> steps{0};
        AutoformHooks hooks;
        hooks.cancel = &cancel;
        hooks.progress = [&](const AutoformProgress& p) {
            if (p.title)
                ++steps;
        };
        std::thread player([&] {
            while (steps < 3)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            cancel = true;
        });
        Rng rng(3);
        const AutoformResult r = autoForm(m, {}, s, rng, hooks);
        player.join();
        EXPECT_TRUE(r.cancelled) << static_cast<int>(method);
        EXPECT_TRUE(r.added.empty()) << static_cast<int>(method);
        EXPECT_LT(steps, 100) << static_cast<int>(method) << ": steps went on after the cancel";
    }
}
