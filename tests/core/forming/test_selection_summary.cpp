// The two summary lines, the counts they store and the nearest-systems listing.
#include "core/forming/selection_summary.h"

#include "core/draw/selection_text.h"
#include "support/template_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using kav::PacketMode;
using kav::TemplateEntry;
using kav::testing::TemplateFolder;

namespace {

kav::DrawModel modelWith(const std::string& sel, std::uint8_t country = kav::kRussia) {
    kav::DrawModel m;
    m.drawCountry = country;
    m.selection = *kav::parseSelectionText(sel);
    return m;
}

const std::string kThreeDoubles = "1X,12,X2,1,1,1,1,1,1,1,1,1,1,1,1";
const std::string kOneDouble = "1X,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
const std::string kOneTriple = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1X2";
const std::string kSingles = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";

struct LineCase {
    std::string what;
    std::string sel;
    int category;
    std::vector<std::string> files;
    std::optional<std::string> markedVariantsLine;
    std::optional<std::string> systemVariantsLine;
    bool window;
};

TEST(SelectionSummary, WritesBothLinesExactly) {
    const std::vector<LineCase> cases = {
        {"three doubles, file of the key",
         kThreeDoubles,
         14,
         {"3-0-2-2.txt"},
         "Всего вариантов по отмеченным исходам 8 (160 руб.)",
         "Число вариантов по системе 2 (40 руб.)",
         false},
        {"one double, one hit, no file",
         kOneDouble,
         15,
         {},
         "Всего вариантов по отмеченным исходам 2 (40 руб.)",
         "Число вариантов по системе 2 (40 руб.)",
         false},
        {"one triple, one hit, no file: two blanks",
         kOneTriple,
         15,
         {},
         "Всего вариантов по отмеченным исходам 3 (60 руб.)",
         "Число вариантов по системе  3 (60 руб.)",
         false},
        {"one triple, a file of the key wins",
         kOneTriple,
         15,
         {"0-1-1-5.txt"},
         "Всего вариантов по отмеченным исходам 3 (60 руб.)",
         "Число вариантов по системе 5 (100 руб.)",
         false},
        {"all singles: k = 0, no window",
         kSingles,
         13,
         {},
         "Всего вариантов по отмеченным исходам 1 (20 руб.)",
         "",
         false},
        {"all singles with a 0-0-0 file",
         kSingles,
         13,
         {"0-0-0-1.txt"},
         "Всего вариантов по отмеченным исходам 1 (20 руб.)",
         "Число вариантов по системе 1 (20 руб.)",
         false},
        {"singles reach the category, no file: window",
         kThreeDoubles,
         12,
         {},
         "Всего вариантов по отмеченным исходам 8 (160 руб.)",
         "",
         true},
        {"category 15 without template: no window",
         "1X,12,X2,1X2,1,1,1,1,1,1,1,1,1,1,1",
         15,
         {},
         "Всего вариантов по отмеченным исходам 24 (480 руб.)",
         "",
         false},
        {"an event without a mark empties both",
         "1X,12,-,1,1,1,1,1,1,1,1,1,1,1,1",
         13,
         {"3-0-2-2.txt"},
         "",
         "",
         false},
        {"a name whose count is no number keeps the line",
         kThreeDoubles,
         14,
         {"3-0-2-two.txt"},
         "Всего вариантов по отмеченным исходам 8 (160 руб.)",
         std::nullopt,
         false},
    };
    for (const auto& c : cases) {
        TemplateFolder f;
        for (const auto& name : c.files)
            f.write(name, "1\n");
        auto index = kav::indexTemplates(f.path()).index;
        auto m = modelWith(c.sel);
        auto s = kav::updateSelectionSummary(
            {m, "20.00", c.category, PacketMode::BriefSystems, f.path(), index});
        EXPECT_EQ(s.markedVariantsLine, c.markedVariantsLine) << c.what;
        EXPECT_EQ(s.systemVariantsLine, c.systemVariantsLine) << c.what;
        EXPECT_EQ(s.nearest.has_value(), c.window) << c.what;
    }
}

TEST(SelectionSummary, StoresTheCountsItReachedBeforeStopping) {
    TemplateFolder f;
    kav::TemplateIndex none;
    auto stop = modelWith("1X,1X2,12,-,1X,1,1,1,1,1,1,1,1,1,1", kav::kUkraine);
    auto s = kav::updateSelectionSummary({stop, "3", 13, PacketMode::BriefSystems, f.path(), none});
    EXPECT_EQ(s.doublesCount, 2); // events after the unmarked one are not counted
    EXPECT_EQ(s.triplesCount, 1);
    EXPECT_FALSE(s.shownTriplesCount);
    EXPECT_EQ(s.currencySuffix, " грн.");

    auto full = modelWith("1X,1X2,12,1,1X,1,1,1,1,1,1,1,1,1,1X2", kav::kUkraine);
    s = kav::updateSelectionSummary({full, "", 13, PacketMode::BriefSystems, f.path(), none});
    EXPECT_EQ(s.doublesCount, 0); // an empty stake stops before counting
    EXPECT_FALSE(s.markedVariantsLine);
    EXPECT_FALSE(s.systemVariantsLine);

    s = kav::updateSelectionSummary({full, "abc", 13, PacketMode::BriefSystems, f.path(), none});
    EXPECT_EQ(s.doublesCount, 3);
    EXPECT_EQ(s.triplesCount, 2);
    EXPECT_FALSE(s.markedVariantsLine); // the stake is needed first at the first line
    EXPECT_FALSE(s.shownTriplesCount);

    s = kav::updateSelectionSummary({full, "3.5", 13, PacketMode::BriefSystems, f.path(), none});
    EXPECT_EQ(s.markedVariantsLine, "Всего вариантов по отмеченным исходам 72 (252 грн.)");
    EXPECT_EQ(s.shownTriplesCount, 2);
    kav::storeSummaryCounts(full, s);
    EXPECT_EQ(full.doublesCount, 3);
    EXPECT_EQ(full.shownTriplesCount, 2);
    EXPECT_EQ(full.currencySuffix, " грн.");
}

TEST(SelectionSummary, OtherModesLeaveTheSecondLineAndTheWindowAlone) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    auto index = kav::indexTemplates(f.path()).index;
    auto m = modelWith(kThreeDoubles);
    for (auto mode : {PacketMode::Sensations, PacketMode::Manual, PacketMode::Autoform}) {
        auto s = kav::updateSelectionSummary({m, "20", 12, mode, f.path(), index});
        EXPECT_EQ(s.markedVariantsLine, "Всего вариантов по отмеченным исходам 8 (160 руб.)");
        EXPECT_FALSE(s.systemVariantsLine) << static_cast<int>(mode);
        EXPECT_FALSE(s.nearest) << static_cast<int>(mode);
        EXPECT_EQ(s.doublesCount, 3);
    }
}

TEST(NearestSystems, ListsTemplatesOfTheCategoryWithFewerInsuredEvents) {
    // d = 3, t = 1, c = 13.
    const kav::TemplateIndex index = {
        {4, 0, 2, 30},                // as many insured events, category 15 - 4 + 2
        {2, 2, 2, 25},                // more triples than the selection
        {3, 1, 2, 20}, {3, 0, 2, 12}, // category 14
        {2, 0, 0, 9},  {5, 0, 3, 8},  // more insured events than the selection
        {0, 1, 0, 3},                 // category 14
    };
    auto rows = kav::nearestSystems(index, 3, 1, 13);
    EXPECT_EQ(rows, (std::vector<TemplateEntry>{{4, 0, 2, 30}, {3, 1, 2, 20}, {2, 0, 0, 9}}));
}

TEST(NearestSystems, ListsAtMostEightInIndexOrder) {
    TemplateFolder f;
    for (int bets = 1; bets <= 20; ++bets)
        f.write("3-0-1-" + std::to_string(bets) + ".txt", "1\n");
    auto index = kav::indexTemplates(f.path()).index;
    auto m = modelWith("1X,12,X2,1X,1,1,1,1,1,1,1,1,1,1,1"); // d = 4, c = 13 matches 3-0-1
    auto s = kav::updateSelectionSummary({m, "20", 13, PacketMode::BriefSystems, f.path(), index});
    ASSERT_TRUE(s.nearest);
    ASSERT_EQ(s.nearest->size(), 8u);
    EXPECT_EQ(s.nearest->front().systemBets, 20);
    EXPECT_EQ(s.nearest->back().systemBets, 13);
    EXPECT_EQ(s.systemVariantsLine, "");
}

TEST(MoneyTimes, IsExactBeyondTheFixedPointRange) {
    EXPECT_EQ(kav::moneyTimes(kav::Fixed4::fromRaw(200000), 8), "160");
    EXPECT_EQ(kav::moneyTimes(*kav::Fixed4::parse("0.25"), 3), "0.75");
    EXPECT_EQ(kav::moneyTimes(*kav::Fixed4::parse("900000000000000.5"), 14348907),
              "12914016300000007174453.5");
}

} // namespace
