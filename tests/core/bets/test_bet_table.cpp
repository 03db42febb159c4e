#include "core/bets/bet_table.h"

#include <gtest/gtest.h>

using namespace kav;

namespace {
const BetTable& tableOf(const std::variant<BetTable, Message>& v) {
    return std::get<BetTable>(v);
}
} // namespace

TEST(BetTable, RecordsHoldOutcomeTextsAndTheAmount) {
    Lines lines = {
        "  40.00;1-(1,X);2-(2);3-(1,X,2);4-(  X );5-(2)6-(1). ",
        "",
        "no separator here",
        "20;1-(1", // a group without ")" ends the line
        "20;1-(1);2-(X);3-(2);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);13-(1);14-("
        "1);15-(2);16-(X);",
        "20;1-(1,X,2,1,X,2,1);2-(2)", // more than ten characters in a group
    };
    auto built = buildBetTable(lines);
    const auto& t = tableOf(built);
    ASSERT_EQ(t.records.size(), 6u);
    ASSERT_TRUE(t.records[0]);
    EXPECT_EQ(t.records[0]->amount, 40.0);
    EXPECT_EQ(t.records[0]->outcomes[0], "1,X");
    EXPECT_EQ(t.records[0]->outcomes[1], "2");
    EXPECT_EQ(t.records[0]->outcomes[2], "1,X,2");
    EXPECT_EQ(t.records[0]->outcomes[3], "X");
    EXPECT_EQ(t.records[0]->outcomes[5], "1");
    EXPECT_EQ(t.records[0]->outcomes[6], "");
    EXPECT_FALSE(t.records[1]);
    EXPECT_FALSE(t.records[2]);
    EXPECT_EQ(t.records[3]->outcomes[0], "1");
    EXPECT_EQ(t.records[3]->outcomes[1], "");
    EXPECT_EQ(t.records[4]->outcomes[14], "2");
    EXPECT_EQ(t.records[5]->outcomes[0], "1,X,2,1,X,");
    EXPECT_EQ(t.records[5]->outcomes[1], "2");
}

TEST(BetTable, AnAmountThatIsNoNumberStopsTheExportWithItsLine) {
    auto built = buildBetTable({"20;1-(1)", "abc;1-(1)"});
    ASSERT_TRUE(std::holds_alternative<Message>(built));
    EXPECT_NE(std::get<Message>(built).text.find("Строка 2"), std::string::npos);
    EXPECT_TRUE(std::holds_alternative<Message>(buildBetTable({";1-(1)"})));
}

TEST(BetTable, SheetNameAndLineLimits) {
    EXPECT_EQ(exportSheetName(3, 1, 48), "3_1_48");
    EXPECT_FALSE(exportLineLimitMessage(16384, true));
    ASSERT_TRUE(exportLineLimitMessage(16385, true));
    EXPECT_EQ(exportLineLimitMessage(16385, true)->text,
              "Формат Excell не позволяет сохранять более 16384 вариантов");
    EXPECT_FALSE(exportLineLimitMessage(100000, false));
}
