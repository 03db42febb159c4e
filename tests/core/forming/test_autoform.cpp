// Auto-forming: the fast search against the literal transcription, the ball
// walks against brute force, and the edge cases of the search.
#include "core/draw/selection_text.h"
#include "core/forming/autoform.h"
#include "core/forming/autoform_field.h"
#include "oracle/autoform_literal.h"

#include "support/autoform_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <set>

using namespace kav;

namespace {

DrawModel modelWith(const std::string& sel) {
    DrawModel m;
    m.drawCountry = kRussia;
    applyDefaultDraw(m);
    m.selection = *parseSelectionText(sel);
    return m;
}

// A random selection whose field holds at most maxResults results.
DrawModel randomModel(std::mt19937& gen, std::uint64_t maxResults, bool zeroWeights) {
    DrawModel m;
    m.drawCountry = kRussia;
    applyDefaultDraw(m);
    std::uint64_t n = 1;
    for (int e = 0; e < kEvents; ++e) {
        int set = static_cast<int>(gen() % 7) + 1;
        while (n * static_cast<std::uint64_t>(std::popcount(static_cast<unsigned>(set))) >
               maxResults)
            set = 1 << (gen() % 3);
        n *= static_cast<std::uint64_t>(std::popcount(static_cast<unsigned>(set)));
        for (int o = 0; o < kOutcomes; ++o) {
            m.selection[e][o] = (set >> o) & 1;
            m.quotes[e][o] = Fixed4::fromRaw(static_cast<std::int64_t>(gen() % 900000) + 1);
            m.poolShares[e][o] = Fixed4::fromRaw(static_cast<std::int64_t>(gen() % 900000) + 1);
            if (zeroWeights && gen() % 5 == 0) {
                m.quotes[e][o] = Fixed4();
                m.poolShares[e][o] = Fixed4();
            }
        }
    }
    std::shuffle(m.selection.begin(), m.selection.end(), gen);
    return m;
}

std::string bet(const std::string& amount, const std::string& groups) {
    // groups: 15 group bodies separated by "|".
    std::string s = amount;
    std::size_t start = 0;
    for (int e = 1; start <= groups.size(); ++e) {
        auto bar = groups.find('|', start);
        if (bar == std::string::npos)
            bar = groups.size();
        s += ';' + std::to_string(e) + "-(" + groups.substr(start, bar - start) + ')';
        start = bar + 1;
    }
    return s + ".";
}

std::string single(const Variant& v) {
    return formatVariant(v, "20");
}

// A few lines of the kinds a player's list holds: single bets inside and
// outside the field, coupons, short lines, a sixteen-group line, "x".
Lines randomList(std::mt19937& gen, const DrawModel& m) {
    Lines lines;
    const int count = static_cast<int>(gen() % 5);
    for (int i = 0; i < count; ++i) {
        Variant v{};
        Coupon c{};
        for (int e = 0; e < kEvents; ++e) {
            std::vector<int> marked;
            for (int o = 0; o < kOutcomes; ++o)
                if (m.selection[e][o])
                    marked.push_back(o);
            v[e] = static_cast<std::uint8_t>(marked[gen() % marked.size()]);
            c[e] = static_cast<OutcomeSet>(outcomeBit(v[e]) | (gen() % 4 == 0 ? gen() % 8 : 0));
        }
        switch (gen() % 6) {
        case 0:
        case 1:
            lines.push_back(single(v));
            break;
        case 2:
            lines.push_back(formatCoupon(c, Fixed4::fromInt(20)));
            break;
        case 3: {
            auto l = single(v);
            std::replace(l.begin(), l.end(), 'X', 'x');
            lines.push_back("  " + l);
            break;
        }
        case 4:
            lines.push_back("20;1-(1);2-(1,X);3-(X,2)."); // covers nothing, counts 4
            break;
        default:
            lines.push_back("20;0-(1,2)" + single(v).substr(2)); // sixteen groups
            break;
        }
    }
    return lines;
}

struct Case {
    DrawModel model;
    Lines list;
    AutoformSettings settings;
    std::uint32_t seed;
};

// Returns the number of bets the search added.
std::size_t expectSameAsLiteral(const Case& c, const std::string& label) {
    Rng fastRng(c.seed), literalRng(c.seed);
    const AutoformResult fast = autoForm(c.model, c.list, c.settings, fastRng);
    oracle::LiteralAutoform literal(c.model, static_cast<int>(c.settings.method));
    const auto want = literal.run(c.list, c.settings.stakeText, c.settings.category,
                                  c.settings.betLimit, c.settings.coverageTarget, literalRng);
    EXPECT_FALSE(want.error) << label;
    EXPECT_FALSE(fast.message) << label << ": " << fast.message->text;
    EXPECT_EQ(fast.added, want.added) << label;
    EXPECT_EQ(fast.packageBets, want.packageBets) << label;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(fast.coveredWeight),
              std::bit_cast<std::uint32_t>(want.coveredWeight))
        << label;
    EXPECT_EQ(fast.steps, want.steps) << label;
    EXPECT_EQ(fast.ballSize, want.ballSize) << label;
    EXPECT_EQ(fastRng.seed(), literalRng.seed()) << label << ": random draws consumed differ";
    return fast.added.size();
}

const std::string kAllSingles = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";

} // namespace

TEST(AutoformField, BallWalksMatchBruteForce) {
    std::mt19937 gen(7);
    for (int round = 0; round < 40; ++round) {
        DrawModel m = randomModel(gen, 800, false);
        auto f = fieldLayout(m);
        ASSERT_TRUE(f);
        for (int misses = 0; misses <= 6; ++misses) {
            const std::uint32_t j = static_cast<std::uint32_t>(gen() % f->count);
            const BetMask mj = variantMask(f->variant(j));
            std::vector<std::uint32_t> want;
            for (std::uint32_t r = 0; r < f->count; ++r)
                if (matchCount(mj, variantMask(f->variant(r))) >= kEvents - misses)
                    want.push_back(r);
            std::vector<std::uint32_t> walked, reached;
            forEachBallRange(*f, j, misses, [&](std::uint32_t a, std::uint32_t b) {
                for (auto r = a; r < b; ++r)
                    walked.push_back(r);
            });
            const Coupon cj = toCoupon(mj);
            forEachReached(*f,
                           couponDigits(*f, static_cast<std::uint16_t>(mj.ones),
                                        static_cast<std::uint16_t>(mj.draws),
                                        static_cast<std::uint16_t>(mj.twos)),
                           misses, [&](std::uint32_t r) { reached.push_back(r); });
            EXPECT_EQ(walked, want) << "walk in field order, misses " << misses;
            EXPECT_EQ(reached, want);
            EXPECT_EQ(ballSize(*f, misses), want.size());
            EXPECT_EQ(variantCount(cj), 1u);
        }
    }
}

TEST(AutoformField, RefusesAnEventWithoutMarks) {
    EXPECT_FALSE(fieldLayout(modelWith("1,1,1,1,1,1,1,-,1,1,1,1,1,1,1")));
    auto f = fieldLayout(modelWith("1X2,2,1X,1,1,1,1,1,1,1,1,1,1,1,X2"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->count, 12u);
    EXPECT_EQ(variantText(f->variant(0)), "12111111111111X");
}

TEST(AutoformExact, MatchesTheLiteralSearchForEveryMethodAndCategory) {
    std::mt19937 gen(20261207);
    int cases = 0;
    std::size_t added = 0;
    for (int method : {0, 1, 2, 3, 7}) {
        for (int category = 9; category <= 15; ++category) {
            for (bool withList : {false, true}) {
                for (int shape = 0; shape < 3; ++shape) {
                    Case c;
                    c.model = randomModel(gen, shape == 0 ? 40 : 800, method == 1 && shape == 2);
                    if (withList)
                        c.list = randomList(gen, c.model);
                    c.settings.category = category;
                    c.settings.method = autoformMethodOfList(method);
                    c.settings.betLimit = 1 + static_cast<std::int64_t>(gen() % 60);
                    c.settings.coverageTarget = static_cast<float>(gen() % 100 + 1) / 100.0f;
                    c.seed = static_cast<std::uint32_t>(gen());
                    added += expectSameAsLiteral(c, "method " + std::to_string(method) +
                                                        " category " + std::to_string(category) +
                                                        " case " + std::to_string(cases));
                    ++cases;
                }
            }
        }
    }
    EXPECT_GT(added, 5u * static_cast<std::size_t>(cases)) << "the cases must choose bets";
}

TEST(AutoformExact, ReproducesTiesOfSymmetricDraws) {
    // Equal quotes in every event make many gains equal, or equal up to the
    // rounding of the 32-bit sums: the choice among them follows the draws.
    for (int method : {0, 1, 2, 3}) {
        for (const char* sel : {"1X2,1X2,1X2,1X2,1X2,1X,1,1,1,1,1,1,1,1,1",
                                "1X,1X,1X,1X,1X,1X,1X,1X,1X,1,1,1,1,1,2"}) {
            for (int category : {12, 13, 14}) {
                Case c{modelWith(sel), {}, {}, 99u + static_cast<std::uint32_t>(category)};
                c.settings.category = category;
                c.settings.method = autoformMethodOfList(method);
                c.settings.betLimit = 80;
                c.settings.coverageTarget = 1.0f;
                expectSameAsLiteral(c, std::string(sel) + " method " + std::to_string(method));
            }
        }
    }
}

TEST(AutoformExact, ZeroWeightsAndNegativeQuotesFollowTheLiteralSearch) {
    DrawModel m = modelWith("1X2,1X2,1X2,1X2,1X,1,1,1,1,1,1,1,1,1,1");
    m.quotes[0] = {Fixed4::fromInt(0), Fixed4::fromInt(60), Fixed4::fromInt(40)};
    m.poolShares[1] = {Fixed4::fromInt(0), Fixed4::fromInt(0), Fixed4::fromInt(100)};
    for (int method : {1, 2}) {
        Case c{m, {}, {}, 5};
        c.settings.category = 14;
        c.settings.method = autoformMethodOfList(method);
        c.settings.betLimit = 200;
        c.settings.coverageTarget = 1.0f;
        expectSameAsLiteral(c, "zero weights, method " + std::to_string(method));
    }
    // Quotes so small that 32-bit products lose precision: the gains are then
    // set up by walking every ball instead of from the factors.
    DrawModel tiny = m;
    for (auto& q : tiny.quotes)
        q = {Fixed4::fromRaw(1), Fixed4::fromRaw(3), Fixed4::fromRaw(2)};
    for (int method : {1, 7}) {
        Case c{tiny, {}, {}, 6};
        c.settings.category = 13;
        c.settings.method = autoformMethodOfList(method);
        c.settings.betLimit = 40;
        c.settings.coverageTarget = 1.0f;
        expectSameAsLiteral(c, "tiny quotes, method " + std::to_string(method));
    }
    // A typed quote below zero (setQuote keeps it) makes weights negative.
    m.quotes[2] = {Fixed4::fromInt(-20), Fixed4::fromInt(70), Fixed4::fromInt(50)};
    Case c{m, {}, {}, 11};
    c.settings.category = 13;
    c.settings.method = AutoformMethod::ByProbability;
    c.settings.betLimit = 30;
    c.settings.coverageTarget = 1.0f;
    expectSameAsLiteral(c, "negative quote");
}

TEST(AutoformEdges, FifteenSinglesGiveTheOneBetUnlessItIsListed) {
    DrawModel m = modelWith(kAllSingles);
    Rng rng(1);
    auto r = autoForm(m, {}, {}, rng);
    ASSERT_EQ(r.added.size(), 1u);
    EXPECT_EQ(r.added[0], single(Variant{}));
    r = autoForm(m, {single(Variant{})}, {}, rng);
    EXPECT_TRUE(r.added.empty());
    EXPECT_EQ(r.packageBets, 1);
}

TEST(AutoformEdges, CategoryFifteenWithFullTargetTakesTheWholeFieldInOrder) {
    DrawModel m = modelWith("1X2,X2,1,1,1,1,1,1,1,1,1,1,1,1,1");
    AutoformSettings s;
    s.category = 15;
    s.coverageTarget = 1.0f;
    for (int method : {0, 1, 2, 3}) {
        s.method = autoformMethodOfList(method);
        Rng rng(3);
        auto r = autoForm(m, {}, s, rng);
        ASSERT_EQ(r.added.size(), 6u) << method;
        EXPECT_EQ(r.added.front(), "20.00;1-(1);2-(X);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);"
                                   "10-(1);11-(1);12-(1);13-(1);14-(1);15-(1).");
        for (std::uint32_t i = 0; i < 6; ++i)
            EXPECT_EQ(r.added[i], single(fieldLayout(m)->variant(i))) << "field order";
    }
    s.betLimit = 4;
    Rng rng(3);
    EXPECT_EQ(autoForm(m, {}, s, rng).added.size(), 4u);
}

TEST(AutoformEdges, OneStepRunsWhenTheListAlreadyMeetsLimitOrTarget) {
    DrawModel m = modelWith("1X2,1X2,1,1,1,1,1,1,1,1,1,1,1,1,1");
    // A coupon of 9 variants already covers the whole field.
    const Lines list{bet("180", "1,X,2|1,X,2|1|1|1|1|1|1|1|1|1|1|1|1|1")};
    AutoformSettings s;
    s.betLimit = 5;
    s.coverageTarget = 0.5f;
    Rng rng(8);
    auto r = autoForm(m, list, s, rng);
    EXPECT_TRUE(r.added.empty()) << "every result is in the list, none can be chosen";
    EXPECT_EQ(r.steps, 1);

    m = modelWith("1X2,1X2,1X2,1,1,1,1,1,1,1,1,1,1,1,1");
    const Lines five{bet("100", "1|1|1,X,2|1|1|1|1|1|1|1|1|1|1|1|1"),
                     bet("40", "2|2|1,X|1|1|1|1|1|1|1|1|1|1|1|1")};
    s.category = 15;
    Rng rng2(8);
    r = autoForm(m, five, s, rng2);
    EXPECT_EQ(r.added.size(), 1u) << "the list holds the limit of 5 bets; one step still runs";
    EXPECT_EQ(r.packageBets, 6);
}

TEST(AutoformEdges, DisjointMethodNeverOverlapsListOrChosenBets) {
    DrawModel m = modelWith("1X2,1X2,1X2,1X2,1X,1X,1,1,1,1,1,1,1,1,1");
    const Lines list{bet("20", "1|1|1|1|1|1|1|1|1|1|1|1|1|1|1")};
    AutoformSettings s;
    s.category = 13;
    s.method = AutoformMethod::Disjoint;
    s.coverageTarget = 1.0f;
    Rng rng(42);
    auto r = autoForm(m, list, s, rng);
    ASSERT_FALSE(r.added.empty());
    EXPECT_LT(r.coveredWeight, 1.0f) << "no disjoint bet is left before the whole field";
    Lines all = list;
    all.insert(all.end(), r.added.begin(), r.added.end());
    auto parsed = parseBetList(all);
    ASSERT_TRUE(parsed);
    auto f = fieldLayout(m);
    for (std::uint32_t res = 0; res < f->count; ++res) {
        const BetMask mr = variantMask(f->variant(res));
        int winners = 0;
        for (const auto& b : parsed->masks)
            winners += matchCount(b, mr) >= 13;
        EXPECT_LE(winners, 1) << "result " << variantText(f->variant(res));
    }
}

TEST(AutoformEdges, ListLinesWithLowercaseXOrOutsideTheFieldCount) {
    DrawModel m = modelWith("1X,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    AutoformSettings s;
    s.category = 15;
    s.coverageTarget = 1.0f;
    Rng rng(2);
    auto r = autoForm(m, {bet("20", "x|1|1|1|1|1|1|1|1|1|1|1|1|1|1")}, s, rng);
    ASSERT_EQ(r.added.size(), 1u);
    EXPECT_EQ(r.added[0].substr(0, 11), "20.00;1-(1)") << "the listed draw is not chosen again";
    // Short lines and bets outside the field cover nothing but still count.
    Rng rng2(2);
    r = autoForm(m, {"20;1-(1);2-(1).", bet("20", "2|1|1|1|1|1|1|1|1|1|1|1|1|1|1")}, s, rng2);
    EXPECT_EQ(r.added.size(), 2u);
    EXPECT_EQ(r.packageBets, 4);
    // Sixteen groups: no coupon of the fifteen events, so it covers nothing.
    Rng rng4(2);
    r = autoForm(m, {"20;1-(2);" + bet("20", "x|1|1|1|1|1|1|1|1|1|1|1|1|1|1").substr(3)}, s, rng4);
    EXPECT_EQ(r.added.size(), 2u);
    EXPECT_EQ(r.packageBets, 3);
    // An empty group never borrows the outcomes behind its ")".
    Rng rng3(2);
    r = autoForm(m,
                 {"20;1-();X);1-(1);1-(1);1-(1);1-(1);1-(1);1-(1);1-(1);1-(1);1-(1);1-(1);"
                  "1-(1);1-(1);1-(1);1-(1)."},
                 s, rng3);
    EXPECT_EQ(r.added.size(), 2u);
}

TEST(AutoformFailures, StopWithAMessageAndAddNothing) {
    Rng rng(1);
    AutoformSettings s;
    auto r = autoForm(modelWith("1,1,1,1,1,1,1,-,1,1,1,1,1,1,1"), {}, s, rng);
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->text, "Выбраны не все события");
    EXPECT_EQ(r.message->caption, "Ошибка");

    const DrawModel m = modelWith("1X,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    r = autoForm(m, {bet("20", "1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1|1")}, s, rng);
    ASSERT_TRUE(r.message) << "seventeen groups outgrow the 16-bit masks";
    EXPECT_NE(r.message->text.find("Строка 1"), std::string::npos);
    EXPECT_TRUE(r.added.empty());

    s.stakeText = "";
    r = autoForm(m, {}, s, rng);
    ASSERT_TRUE(r.message);
    EXPECT_TRUE(r.added.empty());
}

TEST(AutoformFailures, CancelAddsNothing) {
    const DrawModel m = modelWith("1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1,1");
    std::atomic<bool> cancel{false};
    AutoformHooks hooks;
    int steps = 0;
    hooks.progress = [&](const AutoformProgress& p) {
        if (p.title && ++steps == 3)
            cancel = true;
    };
    hooks.cancel = &cancel;
    Rng rng(4);
    AutoformSettings s;
    s.coverageTarget = 1.0f;
    auto r = autoForm(m, {}, s, rng, hooks);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.added.empty());
    EXPECT_EQ(steps, 3);
}

TEST(AutoformProgressTexts, CaptionAndTitleFollowTheSearch) {
    const DrawModel m = modelWith("1X2,1X2,1X2,1X2,1X2,1,1,1,1,1,1,1,1,1,1");
    std::vector<AutoformProgress> seen;
    AutoformHooks hooks;
    hooks.progress = [&](const AutoformProgress& p) { seen.push_back(p); };
    AutoformSettings s;
    s.category = 15;
    s.coverageTarget = 0.02f; // 5 of 243 results
    Rng rng(4);
    auto r = autoForm(m, {}, s, rng, hooks);
    ASSERT_EQ(r.added.size(), 5u);
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front().caption, "Подготовка...");
    EXPECT_EQ(seen[1].caption, "Подготовка 1%");
    const auto zero = std::find_if(seen.begin(), seen.end(),
                                   [](const auto& p) { return p.caption == "Выполнено: 0%"; });
    ASSERT_NE(zero, seen.end());
    EXPECT_FALSE(zero->title);
    EXPECT_EQ(seen.back().caption,
              "Выполнено: " + autoformPercentText(r.coveredWeight, 0.02f) + "%");
    EXPECT_EQ(seen.back().title, autoformPercentText(r.coveredWeight, 0.02f) + "%");
    EXPECT_EQ(autoformPercentText(0.375f, 1.0f), "37.5");
    EXPECT_EQ(autoformPercentText(0.5f, 0.5f), "100");
}

TEST(AutoformEstimate, QuestionOnlyAboveTenSeconds) {
    struct Row {
        std::int64_t seconds;
        const char* text;
    };
    for (const Row& row : {Row{0, nullptr}, Row{10, nullptr}, Row{11, "~ 0 мин 11 сек"},
                           Row{125, "~ 2 мин 5 сек"}}) {
        auto q = stepTimeQuestion(row.seconds);
        if (!row.text) {
            EXPECT_FALSE(q) << row.seconds;
            continue;
        }
        ASSERT_TRUE(q);
        EXPECT_EQ(q->text, std::string("Время поиска одной ставки ") + row.text);
        EXPECT_EQ(q->caption, "Внимание! Продолжать?");
        EXPECT_EQ(q->buttons, Buttons::OkCancel);
    }
}

TEST(AutoformEstimate, MeasuresTheFastStepNotTheLiteralOne) {
    // The first bet of a search, with whether the time question came and the
    // player's answer to it.
    auto firstBet = [](const DrawModel& m, int category, AutoformMethod method, bool agree,
                       bool& asked) {
        AutoformSettings s;
        s.category = category;
        s.betLimit = 1;
        s.method = method;
        Rng rng(1);
        asked = false;
        AutoformHooks hooks;
        hooks.confirm = [&](const Message&) {
            asked = true;
            return agree;
        };
        return autoForm(m, {}, s, rng, hooks);
    };
    bool asked = false;
    // 3^8 x 2^2 results: the literal step makes 26,244^2 tests (seconds), ours
    // a few ball walks (well under one second).
    auto r = firstBet(modelWith("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X,1X,1,1,1,1,1"), 13,
                      AutoformMethod::ByProbability, false, asked);
    EXPECT_EQ(r.estimateSeconds, 0);
    EXPECT_FALSE(asked);
    EXPECT_EQ(r.added.size(), 1u);
    // 3^15 results at category 11: the estimate is the measured pace of this
    // machine, so only its agreement with the question is checked here (the
    // seconds themselves are the benchmark's); a player who agrees gets the bet.
    const std::string whole = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2";
    for (const AutoformMethod method : {AutoformMethod::ByCount, AutoformMethod::ByProbability}) {
        r = firstBet(kav::testing::drawWithVaryingQuotes(whole), 11, method, true, asked);
        EXPECT_EQ(asked, r.estimateSeconds > 10) << static_cast<int>(method);
        EXPECT_EQ(r.added.size(), 1u) << static_cast<int>(method);
    }
    // Where every outcome weighs the same, every sum by probability is a near
    // tie that only an exact sum decides: a step of minutes, announced; the
    // player who declines gets nothing.
    DrawModel equal = modelWith(whole);
    for (auto& quotes : equal.quotes)
        quotes = {Fixed4::fromInt(33), Fixed4::fromInt(33), Fixed4::fromInt(33)};
    r = firstBet(equal, 11, AutoformMethod::ByProbability, false, asked);
    EXPECT_GT(r.estimateSeconds, 60);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(r.declined);
    EXPECT_TRUE(r.added.empty());
}

TEST(AutoformMethodList, ItemsInListOrderAndTypedTextSearchesByProbability) {
    EXPECT_EQ(autoformMethodAt(0), AutoformMethod::ByCount);
    EXPECT_EQ(autoformMethodAt(2), AutoformMethod::ByPool);
    EXPECT_EQ(autoformMethodAt(3), AutoformMethod::Disjoint);
    EXPECT_EQ(autoformMethodAt(4), AutoformMethod::ByValue);
    for (int outside : {-1, 5, 7}) {
        EXPECT_FALSE(autoformMethodAt(outside)) << outside;
        EXPECT_EQ(autoformMethodOfList(outside), AutoformMethod::ByProbability) << outside;
    }
    EXPECT_EQ(autoformMethodOfList(0), AutoformMethod::ByCount);
}
