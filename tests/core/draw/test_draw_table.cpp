#include "core/draw/draw_table.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {

Fixed4 num(const char* s) {
    return *Fixed4::parse(s);
}

std::array<Fixed4, 3> three(const char* a, const char* b, const char* c) {
    return {num(a), num(b), num(c)};
}

} // namespace

TEST(QuotesFromOdds, MatchesHandComputedQuotesAndMargins) {
    struct Case {
        std::array<const char*, 3> odds, proportional, shin;
        double margin;
    } cases[] = {
        // 1/2 + 1/3.4 + 1/3.6 = 1.0719; Shin's z = 0.036056
        {{"2", "3.4", "3.6"},
         {"46.6461", "27.4389", "25.9145"},
         {"47.3543", "27.1248", "25.5209"},
         0.0718954},
        {{"1.25", "6", "11"},
         {"75.643", "15.759", "8.5958"},
         {"77.4548", "14.9826", "7.5626"},
         0.0575758},
        {{"3,1", "3,2", "2,45"},
         {"30.9222", "29.9559", "39.1261"},
         {"30.8434", "29.8462", "39.3105"},
         0.0432439},
    };
    for (const auto& c : cases) {
        std::array<Fixed4, 3> odds{*Fixed4::parseTyped(c.odds[0]), *Fixed4::parseTyped(c.odds[1]),
                                   *Fixed4::parseTyped(c.odds[2])};
        auto p = quotesFromOdds(odds, MarginMethod::Proportional);
        auto s = quotesFromOdds(odds, MarginMethod::Shin);
        ASSERT_TRUE(p && s) << c.odds[0];
        EXPECT_EQ(p->quotes, three(c.proportional[0], c.proportional[1], c.proportional[2]))
            << c.odds[0];
        EXPECT_EQ(s->quotes, three(c.shin[0], c.shin[1], c.shin[2])) << c.odds[0];
        EXPECT_NEAR(p->margin, c.margin, 1e-6);
        EXPECT_NEAR(s->margin, c.margin, 1e-6);
    }
    EXPECT_FALSE(quotesFromOdds(three("1", "3", "3"), MarginMethod::Shin));
}

TEST(DrawTable, ReadsTheFormsPlayersPasteAndWritesThemBack) {
    const char* text = "№\tМатч\tП1\tX\tП2\n"
                       "1.\tСпартак - Зенит\t2,10\t3,40\t3,60\t45\t30\t25\r\n"
                       "\n"
                       "2) ЦСКА – Динамо 1.95 3.5 4\n"
                       "3;Команда 1 - Команда 2;2,5;3;2,9\n"
                       "Арсенал\tЧелси\t2\t3\t4\n";
    auto read = readDrawTable(text);
    ASSERT_TRUE(read.table) << drawTableFaultText(read.faults);
    const auto& t = *read.table;
    EXPECT_FALSE(t.percent);
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[0].title, "Спартак - Зенит");
    EXPECT_EQ(t.rows[0].values, three("2.1", "3.4", "3.6"));
    EXPECT_EQ(t.rows[0].shares, three("45", "30", "25"));
    EXPECT_EQ(t.rows[1].title, "ЦСКА – Динамо");
    EXPECT_FALSE(t.rows[1].shares);
    EXPECT_EQ(t.rows[2].title, "Команда 1 - Команда 2");
    EXPECT_EQ(t.rows[2].values, three("2.5", "3", "2.9"));
    EXPECT_EQ(t.rows[3].title, "Арсенал - Челси");

    auto again = readDrawTable(formatDrawTable(t));
    ASSERT_TRUE(again.table);
    EXPECT_EQ(formatDrawTable(*again.table), formatDrawTable(t));

    // Quotes in percent are taken as they stand; the events after the table are empty.
    auto percent = readDrawTable("A - B 47,5 27,5 25\nC - D 40% 30% 30%\n");
    ASSERT_TRUE(percent.table);
    EXPECT_TRUE(percent.table->percent);
    auto draw = drawFromTable(*percent.table, MarginMethod::Shin);
    ASSERT_TRUE(draw);
    EXPECT_EQ(draw->events.events, 2);
    EXPECT_EQ(draw->events.quotes[0], three("47.5", "27.5", "25"));
    EXPECT_EQ(draw->events.eventTitles[2], "");
    EXPECT_EQ(draw->events.quotes[2], three("0", "0", "0"));
}

TEST(DrawTable, NamesEveryLineThatDoesNotReadAndTakesNothing) {
    std::string text = "Матч П1 X П2\nA - B 2 3\nC - D 2 3 4 40 30 130\nE - F 1 3 4\n";
    for (int e = 0; e < 13; ++e)
        text += "G - H 2 3 4\n";
    auto read = readDrawTable(text);
    EXPECT_FALSE(read.table);
    EXPECT_EQ(drawTableFaultText(read.faults), "Строка 2: нет трёх чисел после названия\n"
                                               "Строка 3: доля пула вне 0..100\n"
                                               "Строка 4: коэффициент не больше 1\n"
                                               "Строка 17: больше 15 матчей");
    EXPECT_EQ(drawTableFaultText(readDrawTable(" \n\n").faults), "в таблице нет ни одного матча");
}
