// Brief-system expansion: the full coupon, the one-bet case, templates laid
// onto the marked outcomes, random labels, the forced bet and duplicates.
#include "core/forming/brief_system.h"

#include "core/draw/selection_text.h"
#include "support/template_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using kav::testing::TemplateFolder;

namespace {

kav::DrawModel modelWith(const std::string& sel, const std::string& forced = std::string(15, ' ')) {
    kav::DrawModel m;
    m.drawCountry = kav::kRussia;
    m.selection = *kav::parseSelectionText(sel);
    m.forcedBet = forced;
    return m;
}

struct Click {
    const kav::DrawModel& model;
    int category;
    std::filesystem::path folder;
    bool startWith = false;
    std::string stake = "20";

    kav::BriefResult operator()(kav::Rng& rng, kav::BriefState& state,
                                const kav::Lines& bets = {}) const {
        return kav::expandBriefSystem({model, stake, category, startWith, folder, bets}, rng,
                                      state);
    }
    kav::BriefResult operator()(std::uint32_t seed, const kav::Lines& bets = {}) const {
        kav::Rng rng(seed);
        kav::BriefState state;
        return (*this)(rng, state, bets);
    }
};

// The letter of event e (1-based) in a single-bet line, or '\0' when absent.
char letterOf(const std::string& line, int e) {
    std::string key = ';' + std::to_string(e) + "-(";
    auto at = line.find(key);
    return at == std::string::npos ? '\0' : line[at + key.size()];
}

std::string lettersOf(const std::string& line) {
    std::string out;
    for (int e = 1; e <= 15; ++e)
        out += letterOf(line, e);
    return out;
}

TEST(BriefSystem, CategoryFifteenAddsTheWholeSelectionOnce) {
    TemplateFolder f;
    auto m = modelWith("1X,1,X2,1X2,1,1,1,1,1,1,1,1,1,1,2");
    Click click{m, 15, f.path()};
    auto r = click(1);
    EXPECT_FALSE(r.message);
    EXPECT_FALSE(r.bulk);
    ASSERT_EQ(r.appended.size(), 1u);
    EXPECT_EQ(r.appended[0],
              "240.00;1-(1,X);2-(1);3-(X,2);4-(1,X,2);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
              "11-(1);12-(1);13-(1);14-(1);15-(2).");
    EXPECT_TRUE(click(2, r.appended).appended.empty());
}

TEST(BriefSystem, StopsAtAnEventWithoutAMarkBeforeDrawing) {
    TemplateFolder f;
    auto m = modelWith("1X,1,-,1,1,1,1,1,1,1,1,1,1,1,1");
    kav::Rng rng(7);
    kav::BriefState state;
    for (int category : {15, 13}) {
        auto r = Click{m, category, f.path()}(rng, state);
        ASSERT_TRUE(r.message);
        EXPECT_EQ(r.message->text, "Для каждого матча должно быть проставлено от 1 до 3 выборов");
        EXPECT_EQ(r.message->caption, "Ошибка");
        EXPECT_TRUE(r.appended.empty());
    }
    EXPECT_EQ(rng.seed(), 7u);
}

TEST(BriefSystem, OneBetWhenTheSinglesReachTheCategory) {
    TemplateFolder f;
    auto m = modelWith("1,1,1,1,1,1,1,1,1,1,1,1,1,1,X2");
    std::set<std::string> seen;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        auto r = Click{m, 14, f.path()}(seed);
        ASSERT_EQ(r.appended.size(), 1u);
        EXPECT_TRUE(r.bulk);
        EXPECT_EQ(r.appended[0].substr(0, 6), "20.00;");
        seen.insert(r.appended[0]);
    }
    EXPECT_EQ(
        seen,
        (std::set<std::string>{
            "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
            "13-(1);14-(1);15-(X).",
            "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
            "13-(1);14-(1);15-(2).",
        }));
}

TEST(BriefSystem, LabelsAreDrawnDoublesFirstThenTriples) {
    TemplateFolder f;
    // One double "1","X" (first "X") on event 2 and one triple on event 4; the
    // row of fifteen "1" plays each double's first outcome unless swapped and
    // each triple's "1" shifted.
    auto m = modelWith("1,1X,1,1X2,1,1,1,1,1,1,1,1,1,1,1");
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        kav::Rng replay(seed);
        int swap = static_cast<int>(replay.below(2));
        int shift = static_cast<int>(replay.below(3));
        auto r = Click{m, 13, f.path()}(seed);
        ASSERT_EQ(r.appended.size(), 1u);
        EXPECT_EQ(letterOf(r.appended[0], 2), swap == 0 ? 'X' : '1') << seed;
        EXPECT_EQ(letterOf(r.appended[0], 4), "1X2"[shift]) << seed;
    }
}

TEST(BriefSystem, DoubleOrderPutsTheDrawFirstOnlyBesideTheHomeWin) {
    EXPECT_EQ(kav::doubleOrder(1 | 2), (std::array<int, 2>{1, 0}));
    EXPECT_EQ(kav::doubleOrder(1 | 4), (std::array<int, 2>{0, 2}));
    EXPECT_EQ(kav::doubleOrder(2 | 4), (std::array<int, 2>{1, 2}));
}

TEST(BriefSystem, TemplateRowsGiveDifferentOutcomesInEveryDouble) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\r\n\r\n  222  \r\n");
    auto m = modelWith("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        auto r = Click{m, 14, f.path()}(seed);
        ASSERT_EQ(r.appended.size(), 2u);
        for (int e : {1, 3, 14})
            EXPECT_NE(letterOf(r.appended[0], e), letterOf(r.appended[1], e)) << e;
        for (int e : {2, 4, 15})
            EXPECT_EQ(letterOf(r.appended[0], e), '1');
    }
}

TEST(BriefSystem, TemplatePositionsCountTriplesThenDoublesFromTheRight) {
    TemplateFolder f;
    // Doubles on events 1 ("1","2") and 3 ("1","2"), triples on 5 and 7.
    // Row "12X2": from the right, triple 1 (event 5) "2", triple 2 (event 7)
    // "X", double 1 (event 1) "2", double 2 (event 3) "1".
    f.write("2-2-3-1.txt", "12X2\n");
    auto m = modelWith("12,1,12,1,1X2,1,1X2,1,1,1,1,1,1,1,1");
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        kav::Rng replay(seed);
        int swap1 = static_cast<int>(replay.below(2)), swap2 = static_cast<int>(replay.below(2));
        int shift1 = static_cast<int>(replay.below(3)), shift2 = static_cast<int>(replay.below(3));
        auto r = Click{m, 14, f.path()}(seed); // s = 11, k = 3
        ASSERT_EQ(r.appended.size(), 1u);
        EXPECT_EQ(letterOf(r.appended[0], 1), swap1 ? '1' : '2');
        EXPECT_EQ(letterOf(r.appended[0], 3), swap2 ? '2' : '1');
        EXPECT_EQ(letterOf(r.appended[0], 5), "1X2"[(2 + shift1) % 3]);
        EXPECT_EQ(letterOf(r.appended[0], 7), "1X2"[(1 + shift2) % 3]);
    }
}

TEST(BriefSystem, OneHitInsuresOnlyTheHighestDouble) {
    TemplateFolder f;
    f.write("1-0-1-2.txt", "1\n2\n");
    auto m = modelWith("1X,1,1,1,1,1,1,1,1,1,1,1,1,X2,1");
    std::set<char> last;
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        auto r = Click{m, 14, f.path()}(seed);
        ASSERT_EQ(r.appended.size(), 2u);
        for (const auto& line : r.appended) {
            EXPECT_EQ(letterOf(line, 1), '1'); // first in the order 1, X, 2, not the double's "X"
            last.insert(letterOf(line, 14));
        }
        EXPECT_NE(letterOf(r.appended[0], 14), letterOf(r.appended[1], 14));
    }
    EXPECT_EQ(last, (std::set<char>{'X', '2'}));
}

TEST(BriefSystem, OneHitWithoutAFilePlaysTheAnnouncedSystem) {
    TemplateFolder f;
    auto doubles = modelWith("1X,1,1,1,1,1,1,1,1,1,1,1,1,X2,1");
    auto r = Click{doubles, 14, f.path()}(3);
    EXPECT_FALSE(r.message);
    EXPECT_EQ(r.appended.size(), 2u);
    auto triples = modelWith("1X2,1,1,1,1,1,1,1,1,1,1,1,1,1X2,1");
    r = Click{triples, 14, f.path()}(3);
    ASSERT_EQ(r.appended.size(), 3u);
    std::set<char> played;
    for (const auto& line : r.appended) {
        EXPECT_EQ(letterOf(line, 1), '1');
        played.insert(letterOf(line, 14));
    }
    EXPECT_EQ(played.size(), 3u);
}

TEST(BriefSystem, MissingTemplateGivesItsMessage) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    auto m = modelWith("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1X"); // key (4, 0, 3)
    auto r = Click{m, 14, f.path()}(1);
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->text, "Измените число подстраховок");
    EXPECT_EQ(r.message->caption, "Нет подходящей бриф-системы");
    EXPECT_TRUE(r.appended.empty());
}

TEST(BriefSystem, UnreadableRowAddsNothingAndKeepsTheFirstRow) {
    TemplateFolder f;
    f.write("3-0-2-3.txt", "111\n222\n12121212121212121\n");
    auto m = modelWith("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    kav::Rng rng(5);
    kav::BriefState state;
    state.firstRowBet.fill('2');
    auto r = Click{m, 14, f.path()}(rng, state);
    ASSERT_TRUE(r.message);
    EXPECT_NE(r.message->text.find("3-0-2-3.txt"), std::string::npos);
    EXPECT_EQ(r.message->text.rfind("Строка 3 ", 0), 0u);
    EXPECT_TRUE(r.appended.empty());
    EXPECT_EQ(std::string(state.firstRowBet.begin(), state.firstRowBet.end()),
              std::string(15, '2'));
}

TEST(BriefSystem, StartWithMakesTheFirstBetTheForcedBet) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    const std::string sel = "1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1";
    const std::string forced = "112111111111121";
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        auto m = modelWith(sel, forced);
        Click click{m, 14, f.path(), true};
        auto r = click(seed);
        ASSERT_EQ(r.appended.size(), 2u);
        EXPECT_EQ(lettersOf(r.appended[0]), forced);
        EXPECT_EQ(lettersOf(r.appended[1]), "X111111111111X1");
    }
}

TEST(BriefSystem, StartWithLeavesEventsWithoutAForcedOutcome) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    const std::string sel = "1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1";
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        auto plain = modelWith(sel);
        auto forced = modelWith(sel, "_12111111111121");
        auto r0 = Click{plain, 14, f.path()}(seed);
        auto r1 = Click{forced, 14, f.path(), true}(seed);
        ASSERT_EQ(r1.appended.size(), 2u);
        EXPECT_EQ(letterOf(r1.appended[0], 1), letterOf(r0.appended[0], 1));
        EXPECT_EQ(letterOf(r1.appended[1], 1), letterOf(r0.appended[1], 1));
        EXPECT_EQ(letterOf(r1.appended[0], 3), '2');
        EXPECT_EQ(letterOf(r1.appended[0], 14), '2');
    }
}

TEST(BriefSystem, ForcedOutcomeThatIsNotMarkedIsNotTraded) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    auto m = modelWith("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1", "2X1111111111111");
    auto r = Click{m, 14, f.path(), true}(4);
    ASSERT_EQ(r.appended.size(), 2u);
    for (const auto& line : r.appended) {
        EXPECT_NE(letterOf(line, 1), '2');
        EXPECT_EQ(letterOf(line, 2), '1');
    }
}

TEST(BriefSystem, DuplicatesAreTestedOnlyAgainstTheLinesBeforeTheClick) {
    TemplateFolder f;
    f.write("3-0-2-3.txt", "111\n111\n222\n");
    auto m = modelWith("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    auto first = Click{m, 14, f.path()}(9);
    ASSERT_EQ(first.appended.size(), 3u); // the two equal rows both go in on an empty list
    EXPECT_EQ(first.appended[0], first.appended[1]);

    kav::Lines before = {"junk", first.appended[2]};
    auto second = Click{m, 14, f.path()}(9, before);
    ASSERT_EQ(second.appended.size(), 2u);
    EXPECT_EQ(second.appended[0], first.appended[0]);
    EXPECT_EQ(second.appended[1], first.appended[0]);
}

TEST(BriefSystem, FirstRowBetPersistsBetweenClicks) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    auto m = modelWith("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    kav::Rng rng(11);
    kav::BriefState state;
    auto r = Click{m, 14, f.path()}(rng, state);
    ASSERT_EQ(r.appended.size(), 2u);
    EXPECT_EQ(std::string(state.firstRowBet.begin(), state.firstRowBet.end()),
              lettersOf(r.appended[0]));
}

struct AmountCase {
    std::string stake;
    std::string amount;
};

TEST(BriefSystem, SingleBetAmountIsTheStakeTextWithTwoDecimals) {
    TemplateFolder f;
    auto m = modelWith("1,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
    const std::vector<AmountCase> cases = {
        {"20", "20.00"},      {"20.", "20.00"}, {"20.5", "20.50"},
        {"20.125", "20.125"}, {"2e1", "20.00"},
    };
    for (const auto& c : cases) {
        Click click{m, 13, f.path()};
        click.stake = c.stake;
        auto r = click(1);
        ASSERT_EQ(r.appended.size(), 1u) << c.stake;
        EXPECT_EQ(r.appended[0].substr(0, r.appended[0].find(';')), c.amount) << c.stake;
    }
    Click bad{m, 13, f.path()};
    for (std::string stake : {"", "abc"}) {
        bad.stake = stake;
        auto r = bad(1);
        EXPECT_TRUE(r.message) << stake;
        EXPECT_TRUE(r.appended.empty());
    }
}

TEST(BriefSystem, DoublePositionWithoutSymbolLeavesTheEventOut) {
    TemplateFolder f;
    f.write("3-0-2-1.txt", "X11\n"); // the highest double (event 14) holds "X"
    auto m = modelWith("1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1");
    auto r = Click{m, 14, f.path()}(2);
    ASSERT_EQ(r.appended.size(), 1u);
    EXPECT_EQ(letterOf(r.appended[0], 14), '\0');
    EXPECT_NE(letterOf(r.appended[0], 13), '\0');
    EXPECT_NE(letterOf(r.appended[0], 15), '\0');
}

} // namespace
