#include "core/draw/quotes_file.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

Fixed4 num(const char* s) {
    return *Fixed4::parse(s);
}

DrawModel oddDraw() {
    DrawModel m;
    const char* values[] = {"46.6461", "0.0001", "3.5",     "99999.9999",
                            "27.4389", "0",      "12.3456", "33.3333"};
    for (int e = 0; e < kEvents; ++e) {
        m.eventTitles[e] =
            e % 2 ? "Спартак - Зенит " + std::to_string(e) : " Team " + std::to_string(e);
        for (int o = 0; o < kOutcomes; ++o) {
            m.quotes[e][o] = num(values[(e + o) % 8]);
            m.poolShares[e][o] = num(values[(e + 2 * o + 3) % 8]);
        }
    }
    m.drawCountry = kUkraine;
    return m;
}

DrawSettings ukrainianSettings() {
    return {"3.00 грн.", num("3"), "Kavendix V1.4.2 - украинский тираж"};
}

Lines validLines() {
    return formatQuotesFile(oddDraw(), ukrainianSettings(),
                            DrawTotals{"125000.5", "777", {100, 50, 30}, 60});
}

} // namespace

TEST(QuotesFile, RoundTripRestoresEveryValueToTheLastDecimal) {
    DrawModel written = oddDraw();
    DrawTotals totals{"125000.5", "777", {100, 50, 30}, 60};
    Lines lines = formatQuotesFile(written, ukrainianSettings(), totals);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], " Team 0\t46.6461\t99999.9999\t0.0001\t0\t3.5\t33.3333\t");
    EXPECT_EQ(lines[19], "125000.5|777|100|50|30|");

    auto parsed = parseQuotesFile(lines);
    ASSERT_TRUE(parsed.has_value());
    DrawModel read;
    read.selection[3][1] = 1;
    read.betCount = 7;
    applyQuotesFile(read, *parsed);
    EXPECT_EQ(read.eventTitles, written.eventTitles);
    EXPECT_EQ(read.quotes, written.quotes);
    EXPECT_EQ(read.poolShares, written.poolShares);
    EXPECT_EQ(read.drawCountry, kUkraine);
    EXPECT_EQ(read.selection[3][1], 0);
    EXPECT_EQ(read.betCount, 0);
    EXPECT_EQ(parsed->settings.stakeText, "3.00 грн.");
    EXPECT_EQ(parsed->settings.stakeMinimum, num("3"));
    EXPECT_EQ(parsed->settings.windowTitle, "Kavendix V1.4.2 - украинский тираж");
    EXPECT_EQ(parsed->totals, totals);
}

TEST(QuotesFile, BrokenFilesAreRefusedAsAWhole) {
    struct Case {
        int line;
        const char* text;
    } cases[] = {
        {2, "C - D\t1\t2\t3\t4"},           // line 3 ends after a pool share without its TAB
        {0, "A\t1\t2\t3\t4\t5\t6\t7\t8\t"}, // a fourth pair
        {4, "no tab at all"},               // numbers without a title TAB
        {5, "A\t1\t\t"},                    // an empty number
        {6, "A\t1\tx\t"},                   // not a number
        {16, ""},                           // no minimum
        {17, "256"},                        // country out of range
        {17, "-1"},                         // country out of range
        {19, "1|2|3|4.5|6|"},               // a count that is no integer
        {19, "1|2|3|4|5"},                  // the last count without its "|"
        {7, "A\t-50\t38\t"},                // a negative quote, named
        {8, "A\t50\t-1\t"},                 // a negative pool share, named
    };
    for (const auto& c : cases) {
        Lines lines = validLines();
        lines[c.line] = c.text;
        std::string problem;
        EXPECT_FALSE(parseQuotesFile(lines, &problem).has_value())
            << "line " << c.line + 1 << ": " << c.text;
        if (std::string_view(c.text).find("\t-") != std::string_view::npos) {
            const std::string named = "событие " + std::to_string(c.line + 1) + ", исход 1: ";
            EXPECT_EQ(problem.rfind(named + "отрицательн", 0), 0u) << problem;
        }
    }
    Lines shortFile = validLines();
    shortFile.resize(16);
    EXPECT_FALSE(parseQuotesFile(shortFile).has_value());
    EXPECT_FALSE(parseQuotesFile({}).has_value());

    // The caption of a file an earlier version wrote with the project's name first.
    Lines titled = validLines();
    titled[18] = "work.kvp* — Kavendix - российский тираж";
    EXPECT_EQ(parseQuotesFile(titled)->settings.windowTitle, "Kavendix - российский тираж");
}

TEST(QuotesFile, MissingPairsKeepTheDrawsValuesAndEmptyLinesBlankTheTitle) {
    Lines lines = validLines();
    lines[0] = "Renamed\t";
    lines[1] = "";
    lines[2] = "One pair\t10\t20\t";
    lines[19] = " 5 | 0 |1|2|3|extra";
    auto parsed = parseQuotesFile(lines);
    ASSERT_TRUE(parsed.has_value());
    DrawModel m;
    applyDefaultDraw(m);
    applyQuotesFile(m, *parsed);
    EXPECT_EQ(m.eventTitles[0], "Renamed");
    EXPECT_EQ(m.quotes[0][0], num("40"));
    EXPECT_EQ(m.eventTitles[1], "");
    EXPECT_EQ(m.poolShares[1][2], num("35"));
    EXPECT_EQ(m.quotes[2][0], num("10"));
    EXPECT_EQ(m.poolShares[2][0], num("20"));
    EXPECT_EQ(m.quotes[2][1], num("25"));
    EXPECT_EQ(parsed->totals, (DrawTotals{"5", "1000000", {1, 2, 3}, 2}));
}

TEST(QuotesFile, TextsThatWouldBreakTheFileAreBlankedOnWriting) {
    DrawModel m = oddDraw();
    m.eventTitles[0] = "Tab\there\r\nand";
    Lines lines =
        formatQuotesFile(m, {"20.00\nруб.", num("20"), "T\r"}, {"1|2", "3", {1, 1, 1}, 1});
    EXPECT_EQ(lines[0].substr(0, 15), "Tab here  and\t4");
    EXPECT_EQ(lines[15], "20.00 руб.");
    EXPECT_EQ(lines[19], "1 2|3|1|1|1|");
    EXPECT_TRUE(parseQuotesFile(lines).has_value());
}

TEST(StakeField, TextIsTakenWithinTheOldMinimumThenTheNewMinimumApplies) {
    struct Case {
        StakeField before;
        const char* text;
        const char* minimum;
        StakeField after;
    } cases[] = {
        {{num("20"), num("20")},
         "3.00 грн.",
         "3",
         {num("20"), num("3")}}, // Ukrainian file, Russian draw
        {{num("3"), num("3")}, "20.00 руб.", "20", {num("20"), num("20")}},
        {{num("3"), num("3")}, "1,250.50 руб.", "20", {num("1250.5"), num("20")}},
        {{num("3"), num("3")}, "20,50 руб.", "20", {num("20.5"), num("20")}}, // a decimal comma
        {{num("3"), num("3")}, "1 020,50 руб.", "20", {num("1020.5"), num("20")}},
        {{num("7"), num("3")}, "nonsense", "3", {num("7"), num("3")}}, // no number: keeps its value
        {{num("3"), num("3")}, "5 грн.", "20", {num("20"), num("20")}}, // raised to the new minimum
    };
    for (const auto& c : cases) {
        DrawSettings s{c.text, num(c.minimum), ""};
        EXPECT_EQ(stakeAfterFile(c.before, s), c.after) << c.text;
    }
}

TEST(StakeField, DisplayTextGroupsThousands) {
    EXPECT_EQ(stakeDisplayText(num("20"), kRussia), "20.00 руб.");
    EXPECT_EQ(stakeDisplayText(num("3"), kUkraine), "3.00 грн.");
    EXPECT_EQ(stakeDisplayText(num("1234567.125"), kRussia), "1 234 567.12 руб.");
    EXPECT_EQ(stakeDisplayText(num("999.999"), kNoCountry), "1 000.00 руб.");
    EXPECT_EQ(parseStakeText("1,234,567.12 руб."), num("1234567.12"));
}
