// BetList: every change leaves the derived data equal to a full parse.
#include "core/bets/bet_list_model.h"

#include <gtest/gtest.h>

#include <random>

using namespace kav;

namespace {

std::string coupon(const std::string& amount, const std::string& groups15) {
    std::string s = amount;
    for (int e = 0; e < kEvents; ++e) {
        s += ';';
        s += std::to_string(e + 1);
        s += "-(";
        const char c = groups15[static_cast<std::size_t>(e)];
        s += c == 'd' ? std::string("1,X") : c == 't' ? std::string("1,X,2") : std::string(1, c);
        s += ')';
    }
    return s + '.';
}

// A line of every kind the list meets: single bets, coupons, lines the parse
// does not count, and lines on which the whole parse fails.
std::string randomLine(std::mt19937& gen) {
    static const char* const kLetters = "1X2dt";
    std::string groups(kEvents, '1');
    for (auto& g : groups)
        g = kLetters[gen() % (gen() % 4 == 0 ? 5 : 3)];
    switch (gen() % 12) {
    case 0:
        return "";
    case 1:
        return "  " + coupon("20", groups) + " ";
    case 2:
        return "abc;1-(1)."; // no complete coupon: kept, not counted
    case 3:
        return coupon("20", groups).substr(0, 40); // groups missing
    case 4:
        return gen() % 8 == 0 ? coupon("x1", groups) : coupon("7.5", groups); // rarely: fails
    case 5:
        return gen() % 8 == 0 ? coupon("1", groups) + ";16-(1)." : coupon("0.25", groups);
    default:
        return coupon(std::to_string(gen() % 100) + ".00", groups);
    }
}

// A bet-list text as a file or the clipboard gives it: LF or CR LF, sometimes a final break.
std::string randomText(std::mt19937& gen, int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            text += gen() % 2 ? "\r\n" : "\n";
        text += randomLine(gen);
    }
    if (gen() % 3 == 0)
        text += gen() % 2 ? "\r\n" : "\n";
    return text;
}

// The derived data equal a full parse of the lines; while the lines do not
// parse, they equal `lastGood`.
void expectMatchesFullParse(const BetList& list, const BetList& lastGood, const std::string& what) {
    const auto full = parseBetList(list.lines());
    ASSERT_EQ(list.inSync(), full.has_value()) << what;
    const BetListParse expected =
        full ? *full : BetListParse{lastGood.masks(), lastGood.count(), lastGood.total()};
    EXPECT_EQ(list.masks(), expected.masks) << what;
    EXPECT_EQ(list.count(), expected.count) << what;
    EXPECT_EQ(list.total(), expected.total) << what;
    EXPECT_EQ(list.statusLine(" руб."),
              full ? betListStatus(full->count, full->total, " руб.") : std::string())
        << what;
}

} // namespace

TEST(BetListModel, AppendingInPiecesEqualsParsingTheWholeList) {
    std::mt19937 gen(11);
    for (int round = 0; round < 300; ++round) {
        const std::string text = randomText(gen, 1 + static_cast<int>(gen() % 40));
        const Lines all = splitLines(text);
        BetList pieces, lastGood;
        std::size_t at = 0;
        while (at < all.size()) {
            const std::size_t n = std::min<std::size_t>(all.size() - at, 1 + gen() % 6);
            pieces.appendLines(Lines(all.begin() + static_cast<std::ptrdiff_t>(at),
                                     all.begin() + static_cast<std::ptrdiff_t>(at + n)));
            at += n;
            expectMatchesFullParse(pieces, lastGood, "round " + std::to_string(round));
            if (pieces.inSync())
                lastGood = pieces;
        }
        EXPECT_EQ(pieces.lines(), all);
        BetList whole;
        whole.setText(text);
        EXPECT_EQ(whole.lines(), all);
        EXPECT_EQ(whole.inSync(), pieces.inSync());
        if (whole.inSync()) {
            EXPECT_EQ(whole.parse()->masks, pieces.masks());
        }
    }
}

TEST(BetListModel, ReplacingLinesEqualsAFreshParse) {
    std::mt19937 gen(23);
    for (int round = 0; round < 300; ++round) {
        BetList list;
        list.setText(randomText(gen, static_cast<int>(gen() % 20)));
        BetList lastGood = list.inSync() ? list : BetList();
        for (int step = 0; step < 5; ++step) {
            const std::size_t first = list.empty() ? 0 : gen() % (list.size() + 1);
            const std::size_t count = gen() % 4;
            Lines with;
            for (std::size_t i = gen() % 4; i > 0; --i)
                with.push_back(randomLine(gen));
            Lines expected = list.lines();
            const std::size_t from = std::min(first, expected.size());
            const std::size_t to = std::min(from + count, expected.size());
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(from),
                           expected.begin() + static_cast<std::ptrdiff_t>(to));
            expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(from), with.begin(),
                            with.end());
            list.replaceLines(first, count, with);
            ASSERT_EQ(list.lines(), expected);
            expectMatchesFullParse(
                list, lastGood, "round " + std::to_string(round) + " step " + std::to_string(step));
            if (list.inSync())
                lastGood = list;
        }
    }
}

TEST(BetListModel, RemovalOfMarkedVariantsEqualsAFreshParse) {
    DrawModel m;
    m.drawCountry = kRussia;
    for (int e = 0; e < kEvents; ++e)
        m.selection[static_cast<std::size_t>(e)][0] = 1;
    m.selection[0][1] = 1;
    std::mt19937 gen(5);
    for (int round = 0; round < 100; ++round) {
        BetList list;
        list.setText(randomText(gen, 1 + static_cast<int>(gen() % 20)));
        const RemovalResult expected = removeMarkedVariants(m, list.lines());
        const BetList before = list;
        EXPECT_FALSE(list.removeMarkedVariants(m));
        EXPECT_EQ(list.lines(), expected.lines);
        expectMatchesFullParse(list, before, "round " + std::to_string(round));
    }
    // Without a mark in every event nothing runs and the list stays.
    m.selection[3] = {0, 0, 0};
    BetList list(Lines{coupon("20", "111111111111111")});
    const auto message = list.removeMarkedVariants(m);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Выбраны не все события");
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(list.count(), 1);
}

TEST(BetListModel, AFailedParseKeepsTheLastCountsUntilTheBreakingLineGoes) {
    BetList list(Lines{coupon("20", "d11111111111111"), "text between the coupons"});
    ASSERT_TRUE(list.inSync());
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.masks().size(), 2u);
    EXPECT_FALSE(list.masks()[1].valid());

    list.appendLines({coupon("1", "111111111111111"), coupon("abc", "111111111111111")});
    EXPECT_FALSE(list.inSync());
    EXPECT_EQ(list.statusLine(" руб."), "");
    EXPECT_FALSE(list.parse());
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.total(), Fixed4::fromInt(20));
    EXPECT_EQ(list.masks().size(), 2u);

    DrawModel m;
    m.betCount = 99;
    EXPECT_EQ(list.applyTo(m), "");
    EXPECT_EQ(m.betCount, 99); // the model keeps its counts, as with applyBetListParse

    list.appendLines({coupon("2", "111111111111111")}); // the breaking line is still there
    EXPECT_FALSE(list.inSync());
    list.replaceLines(3, 1, {});
    ASSERT_TRUE(list.inSync());
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.total(), Fixed4::fromInt(23));
    EXPECT_EQ(list.applyTo(m), "Ставок в списке 4 (23 руб.)");
    EXPECT_EQ(m.betCount, 4);
    EXPECT_EQ(m.betMasks.size(), 4u);
}

TEST(BetListModel, ClearIsTheParseOfAnEmptyList) {
    BetList list(Lines{coupon("x", "111111111111111")});
    EXPECT_FALSE(list.inSync());
    list.clear();
    EXPECT_TRUE(list.inSync());
    EXPECT_TRUE(list.masks().empty());
    EXPECT_EQ(list.statusLine(" грн."), "Ставок в списке 0 (0 грн.)");
    EXPECT_EQ(list.text(), "");
}
