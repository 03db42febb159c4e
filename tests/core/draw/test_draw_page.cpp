#include "core/base/version.h"
#include "core/draw/draw_page.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace kav;

namespace {

Fixed4 num(const char* s) {
    return *Fixed4::parse(s);
}

std::string record(const std::string& title, const std::string& numbers) {
    return title + "|" + numbers + ";";
}

std::string fifteenRecords() {
    std::string text;
    for (int e = 1; e <= 15; ++e)
        text += record("Home" + std::to_string(e) + " - Away", "2.00|3.40|3.60|47.5|28|24.5|");
    return text;
}

DrawModel modelWithDefaults() {
    DrawModel m;
    applyDefaultDraw(m);
    return m;
}

} // namespace

TEST(NormalizeQuotes, TurnsOddsIntoPercentWithTheRoundedOverround) {
    struct Case {
        const char* odds[3];
        const char* quotes[3];
    } cases[] = {
        {{"2.00", "3.40", "3.60"}, {"46.6461", "27.4389", "25.9145"}},
        {{"2", "2", "2"}, {"33.3333", "33.3333", "33.3333"}},
        {{"1.01", "15", "40"}, {"91.5233", "6.1626", "2.311"}},
    };
    for (const auto& c : cases) {
        DrawModel m;
        for (int o = 0; o < 3; ++o)
            m.quotes[4][o] = num(c.odds[o]);
        ASSERT_TRUE(normalizeQuotes(m, 4)) << c.odds[0];
        for (int o = 0; o < 3; ++o)
            EXPECT_EQ(m.quotes[4][o], num(c.quotes[o])) << c.odds[0] << " outcome " << o;
    }
}

TEST(NormalizeQuotes, RefusesZeroOddsAndOverflowWithoutTouchingTheEvent) {
    for (auto odds :
         {std::array<const char*, 3>{"2", "0", "3"},
          std::array<const char*, 3>{"900000000000000", "900000000000000", "900000000000000"}}) {
        DrawModel m;
        for (int o = 0; o < 3; ++o)
            m.quotes[0][o] = num(odds[o]);
        auto before = m.quotes[0];
        EXPECT_FALSE(normalizeQuotes(m, 0)) << odds[0] << " " << odds[1];
        EXPECT_EQ(m.quotes[0], before);
    }
}

TEST(ParseEventList, FillsAllFifteenEventsFromWellFormedRecords) {
    DrawModel m;
    ASSERT_TRUE(parseEventList(m, fifteenRecords()));
    for (int e = 0; e < 15; ++e) {
        EXPECT_EQ(m.eventTitles[e], "Home" + std::to_string(e + 1) + " - Away");
        EXPECT_EQ(m.quotes[e][0], num("46.6461"));
        EXPECT_EQ(m.poolShares[e][2], num("24.5"));
    }
    EXPECT_EQ(outcomeCellText(m, 0, 0), "47/48");
}

TEST(ParseEventList, KeepsTitlesUntrimmedAndTrimsNumbers) {
    DrawModel m;
    ASSERT_TRUE(parseEventList(m, " A - B |\t2 | 2|2\n|30|30|40|;"));
    EXPECT_EQ(m.eventTitles[0], " A - B ");
    EXPECT_EQ(m.quotes[0][1], num("33.3333"));
    EXPECT_EQ(m.poolShares[0][2], num("40"));
}

TEST(ParseEventList, BrokenPagesFail) {
    const std::string broken[] = {
        fifteenRecords() + record("Extra - One", "2|2|2|30|30|40|"), // a 16th record
        fifteenRecords() + "Extra|",                                 // a 16th title
        record("A - B", "2|0|2|30|30|40|"),                          // zero odds
        record("A - B", "2|2|2|30|30|40|99|"),                       // a seventh number
        record("A - B", "2|x|2|30|30|40|"),                          // not a number
        record("A - B", "2|2|2|30|30|40|") + "trailing", // text without "|" after the last ";"
        record("A - B", "2|2|2|30|30|1e400|"),           // overflow
    };
    for (const auto& text : broken) {
        DrawModel m;
        EXPECT_FALSE(parseEventList(m, text)) << text;
    }
}

TEST(ParseEventList, ShortPagesKeepWhatTheyDoNotMention) {
    DrawModel m = modelWithDefaults();
    std::string ten;
    for (int e = 1; e <= 10; ++e)
        ten += record('T' + std::to_string(e), "2|2|2|30|30|40|");
    ten += record("Short - Rec", "4|4|"); // two odds only: the third keeps the default 35
    ASSERT_TRUE(parseEventList(m, ten));
    EXPECT_EQ(m.eventTitles[9], "T10");
    EXPECT_EQ(m.eventTitles[10], "Short - Rec");
    EXPECT_EQ(m.poolShares[10][0], num("50"));
    EXPECT_EQ(m.eventTitles[11], "Матч 12");
    EXPECT_EQ(m.quotes[14][0], num("40"));

    DrawModel empty = modelWithDefaults();
    EXPECT_TRUE(parseEventList(empty, ""));
    EXPECT_EQ(empty.quotes, modelWithDefaults().quotes);
}

TEST(ReadEventListDraw, ReadsTheWholePageIntoANewDraw) {
    const auto d =
        readEventListDraw(record("T1", "2|2|2|30|30|40|") + record("T2", "2|2|2|1|2|3|"));
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->events, 2);
    EXPECT_EQ(d->quotes[1][1], num("33.3333"));
    // The rows after the page's last record are blank, whatever the draw held before.
    DrawModel m = modelWithDefaults();
    m.selection[3][1] = 1;
    applyEventListDraw(m, *d);
    EXPECT_EQ(m.eventTitles[1], "T2");
    EXPECT_EQ(m.poolShares[1][2], num("3"));
    EXPECT_EQ(m.eventTitles[2], "");
    EXPECT_EQ(m.quotes[14], (std::array<Fixed4, 3>{}));
    EXPECT_EQ(m.selection[3][1], 1);
    EXPECT_EQ(readEventListDraw(fifteenRecords())->events, 15);
}

TEST(ReadEventListDraw, PagesThatAreNoWholeEventListGiveNothing) {
    const std::string broken[] = {
        "",                                                                 // an empty page
        "500 Internal Server Error",                                        // an error page's text
        std::string("\x89PNG\r\n\x1a\n") + std::string(2, '\0') + "|\xff;", // a binary body
        fifteenRecords() + record("Extra - One", "2|2|2|30|30|40|"),        // a 16th record
        record("A - B", "2|2|2|30|30|40|") + "C - D|",                      // a record cut short
        record("A - B", "2|2|2|30|30|40|") + "C - D|2|2|2|30|",             // another
        record("Short - Rec", "4|4|"),                                      // two odds only
        record("A - B", "2|2|2|"),                                          // no pool shares
        record("A - B", "2|2|2|30|30|40|") + ";",                           // an empty record
        record("A - B", "2|0|2|30|30|40|"),                                 // zero odds
    };
    for (const auto& text : broken)
        EXPECT_FALSE(readEventListDraw(text).has_value()) << text;
}

TEST(ApplyEventListPage, BrokenPageGivesTheDefaultDrawEverywhere) {
    DrawModel m;
    EXPECT_FALSE(applyEventListPage(m, record("A - B", "2|2|2|30|30|40|") +
                                           record("C - D", "0|1|1|1|1|1|")));
    EXPECT_EQ(m.eventTitles[0], "Матч 1");
    EXPECT_EQ(m.quotes[0][0], num("40"));
    EXPECT_EQ(m.poolShares[14][1], num("15"));
}

TEST(HomeTitle, IsThePartBeforeTheFirstSeparator) {
    EXPECT_EQ(homeTitle("Спартак - Зенит"), "Спартак");
    EXPECT_EQ(homeTitle("A - B - C"), "A");
    EXPECT_EQ(homeTitle("A-B"), "");
    EXPECT_EQ(homeTitle(""), "");
}

TEST(ParseTotals, ReadsPoolJackpotAndCounts) {
    struct Case {
        const char* text;
        const char* pool;
        const char* jackpot;
        std::array<std::int32_t, 3> counts;
        std::int32_t mean;
    } cases[] = {
        {"125000.5|0|;3|4|5|", "125000.5", "1000000", {3, 4, 5}, 4},
        {" 1 | 0.00 |ignored;1|1|2|tail", "1", "0.00", {1, 1, 2}, 1},
        {"7|8|;1|2|2|", "7", "8", {1, 2, 2}, 2},
        {"7|8|;-5|0|-1|", "7", "8", {-5, 0, -1}, -2},
    };
    for (const auto& c : cases) {
        auto t = parseTotals(c.text);
        ASSERT_TRUE(t.has_value()) << c.text;
        EXPECT_EQ(t->poolText, c.pool);
        EXPECT_EQ(t->jackpotText, c.jackpot);
        EXPECT_EQ(t->uniformCounts, c.counts);
        EXPECT_EQ(t->uniformCountMean, c.mean) << c.text;
    }
}

TEST(ParseTotals, BrokenTotalsFail) {
    for (const char* text :
         {"1|2|;3|4.5|5|", "1|2|;3|4|5", "1|2|;2147483647|1|1|", "1|2|;99999999999|1|1|", ""}) {
        EXPECT_FALSE(parseTotals(text).has_value()) << text;
    }
}

TEST(ApplyTotalsPage, BrokenTotalsResetTheEventsAndKeepTheTotals) {
    DrawModel m;
    ASSERT_TRUE(applyEventListPage(m, record("A - B", "2|2|2|30|30|40|")));
    DrawTotals totals{"5", "6", {1, 2, 3}, 2};
    EXPECT_FALSE(applyTotalsPage(m, totals, "1|2|;x|y|z|"));
    EXPECT_EQ(m.eventTitles[0], "Матч 1");
    EXPECT_EQ(totals, (DrawTotals{"5", "6", {1, 2, 3}, 2}));
    EXPECT_TRUE(applyTotalsPage(m, totals, "9|0|;1|1|1|"));
    EXPECT_EQ(totals.jackpotText, "1000000");
}

TEST(Version, ComparesNumericPartsLikeTuples) {
    // Oracle: the parts as a tuple of numbers padded with zeros, each perhaps
    // with a letter; the texts vary the "V", its case and leading zeros.
    std::mt19937 rng(37);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto make = [&](std::vector<std::pair<int, char>>& parts) {
        parts.resize(1 + pick(4));
        std::string text = pick(3) == 0 ? "" : (pick(2) ? "V" : "v");
        for (std::size_t i = 0; i < parts.size(); ++i) {
            parts[i] = {pick(12), pick(5) == 0 ? static_cast<char>('a' + pick(2)) : '\0'};
            text += (i ? "." : "") + std::string(pick(4) == 0 ? "0" : "") +
                    std::to_string(parts[i].first);
            if (parts[i].second)
                text += pick(2) ? parts[i].second : static_cast<char>(parts[i].second - 32);
        }
        parts.resize(4, {0, '\0'});
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        std::vector<std::pair<int, char>> pa, pb;
        const std::string a = make(pa), b = make(pb);
        const int expected = pa < pb ? -1 : (pb < pa ? 1 : 0);
        EXPECT_EQ(compareVersions(a, b), expected) << a << " " << b;
        EXPECT_EQ(isNewerVersion(a, b), expected == 1) << a << " " << b;
    }
    EXPECT_TRUE(isNewerVersion("V1.10", "V1.4.2"));
    EXPECT_FALSE(isNewerVersion("v1.4.2", "V1.4.2"));
    for (const char* bad : {"", "V", "V1.", "1..2", "V1.4 ", "x1", "V-1", "1.a"})
        EXPECT_FALSE(compareVersions(bad, "V1")) << bad;
}
