// filter: the real kavendix-cli binary against the variant-by-variant
// transcription, its usage errors, and the conditions of a project file.
#include "cli/cli_runner.h"
#include "core/draw/selection_text.h"
#include "core/forming/condition_filter.h"
#include "oracle/conditions_literal.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using kav::test::CliResult;
using kav::test::runCli;

const char* const kOptionNames[kav::kMeasures] = {
    "--ones",   "--draws",       "--twos",        "--favourites", "--outsiders",
    "--points", "--pool-points", "--longest-run", "--changes",    "--value-points"};

// The options that say what the condition set says.
std::vector<std::string> conditionArgs(const kav::ConditionSet& c) {
    std::vector<std::string> args;
    for (int k = 0; k < kav::kMeasures; ++k)
        if (c.ranges[k]) {
            args.push_back(kOptionNames[k]);
            args.push_back(kav::conditionRangeText(*c.ranges[k]));
        }
    for (const auto& b : c.baseRows) {
        args.push_back("--base");
        args.push_back(kav::baseRowConditionText(b));
    }
    args.push_back("--tolerance");
    args.push_back(std::to_string(c.tolerance));
    return args;
}

kav::ConditionSet randomConditions(std::mt19937& rng) {
    kav::ConditionSet c;
    const int spans[kav::kMeasures][2] = {{0, 15},    {0, 15},    {0, 15}, {0, 15}, {0, 15},
                                          {400, 550}, {300, 600}, {1, 10}, {0, 14}, {1200, 1800}};
    for (int k = 0; k < kav::kMeasures; ++k)
        if (rng() % 3 == 0) {
            const int lo = spans[k][0] + static_cast<int>(rng() % (spans[k][1] - spans[k][0] + 1));
            const int width = static_cast<int>(rng() % (k == 5 || k == 6 ? 60 : k == 9 ? 300 : 6));
            c.ranges[k] = kav::ConditionRange{lo, lo + width};
        }
    for (int i = static_cast<int>(rng() % 3); i > 0; --i) {
        kav::BaseRowCondition b;
        for (auto& ch : b.row)
            ch = "1X2-"[rng() % 4];
        const int lo = static_cast<int>(rng() % 8);
        b.range = {lo, lo + static_cast<int>(rng() % 5)};
        c.baseRows.push_back(b);
    }
    c.tolerance = static_cast<int>(rng() % 3);
    return c;
}

std::string randomSelection(std::mt19937& rng) {
    const char* groups[] = {"1", "X", "2", "1X", "X2", "12", "1X2"};
    std::string s;
    for (int e = 0; e < kav::kEvents; ++e)
        s += std::string(e ? "," : "") + groups[rng() % 7];
    return s;
}

kav::DrawModel defaultDraw(const std::string& selection) {
    kav::DrawModel m;
    kav::applyDefaultDraw(m);
    m.drawCountry = kav::kRussia;
    m.selection = *kav::parseSelectionText(selection);
    return m;
}

std::string joined(const kav::Lines& lines) {
    std::string s;
    for (const auto& l : lines)
        s += l + "\n";
    return s;
}

class FilterCli : public ::testing::Test {
protected:
    kav::test::TempDir dir_;
};

TEST_F(FilterCli, CountFieldAndListAgreeWithEveryVariantTested) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 6; ++round) {
        const std::string sel = randomSelection(rng);
        const kav::ConditionSet c = randomConditions(rng);
        const kav::DrawModel m = defaultDraw(sel);
        const kav::Coupon field = kav::markedField(m);
        const auto args = conditionArgs(c);
        SCOPED_TRACE(sel);

        std::vector<std::string> count{"--select", sel, "filter", "--count"};
        count.insert(count.end(), args.begin(), args.end());
        CliResult counted = runCli(count);
        ASSERT_EQ(counted.exitCode, 0) << counted.err;
        EXPECT_EQ(counted.out,
                  std::to_string(kav::oracle::literalConditionCount(m, field, c)) + "\n");

        // The field, with one passing and one other bet already listed.
        kav::Lines existing{"старая строка"};
        kav::oracle::conditions_detail::literalVariants(field, [&](const kav::Variant& v) {
            if (existing.size() < 3 && rng() % 5 == 0)
                existing.push_back(kav::oracle::conditions_detail::literalSingleLine("20.00", v));
        });
        const auto bets = dir_.write("bets.txt", joined(existing)).string();
        std::vector<std::string> onField{"--select", sel, "--bets", bets, "filter"};
        onField.insert(onField.end(), args.begin(), args.end());
        CliResult appended = runCli(onField);
        ASSERT_EQ(appended.exitCode, 0) << appended.err;
        EXPECT_EQ(appended.out,
                  joined(kav::oracle::literalConditionField(m, field, c, "20.00", existing)));

        // The list: the output of the field run plus a coupon of the whole selection.
        kav::Lines list = existing;
        list.push_back(kav::formatCoupon(field, kav::Fixed4::fromInt(5)));
        const auto listFile = dir_.write("list.txt", joined(list)).string();
        std::vector<std::string> onList{"--select", sel,    "--bets", listFile,
                                        "filter",   "--on", "list"};
        onList.insert(onList.end(), args.begin(), args.end());
        CliResult reduced = runCli(onList);
        ASSERT_EQ(reduced.exitCode, 0) << reduced.err;
        EXPECT_EQ(reduced.out, joined(kav::oracle::literalConditionList(m, list, c)));
    }
}

TEST_F(FilterCli, MalformedConditionsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"filter", "--ones", "5:3"},
        {"filter", "--ones", "5"},
        {"filter", "--points", "a:b"},
        {"filter", "--changes", "1:2:3"},
        {"filter", "--base", "1X2:1:2"},
        {"filter", "--base", "1X2-----------X:5:1"},
        {"filter", "--base", "1X2-----------Y:1:5"},
        {"filter", "--tolerance", "-1"},
        {"filter", "--on", "nowhere"},
        {"filter", "--bogus"},
    };
    for (const auto& args : cases) {
        CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        EXPECT_FALSE(r.err.empty()) << args.back();
    }
}

TEST_F(FilterCli, FieldWithAnEventUnmarkedSaysSo) {
    CliResult r = runCli({"--select", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,-", "--bets",
                          dir_.write("b.txt", "строка\n").string(), "filter"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "строка\n");
    EXPECT_NE(r.err.find("Выбраны не все события"), std::string::npos);
}

TEST_F(FilterCli, ProjectConditionsApplyUnlessConditionsAreTyped) {
    CliResult saved = runCli({"--select", "1X2,1X2,1X2,1,1,1,1,1,1,1,1,1,1,1,1", "save-project",
                              "-o", (dir_.path / "p.kvp").string()});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    std::string doc = kav::test::readWhole(dir_.path / "p.kvp");
    const auto at = doc.rfind('}');
    doc.insert(at, ",\"conditions\": {\"ones\": \"14:15\", \"tolerance\": 0}\n");
    const auto project = dir_.write("q.kvp", doc).string();
    // 14 or 15 "1" among three free events where the other twelve are "1": 1 + 3 x 2.
    CliResult fromProject = runCli({"--project", project, "filter", "--count"});
    EXPECT_EQ(fromProject.exitCode, 0) << fromProject.err;
    EXPECT_EQ(fromProject.out, "7\n");
    CliResult typed = runCli({"--project", project, "filter", "--count", "--ones", "12:12"});
    EXPECT_EQ(typed.out, "8\n");
}

} // namespace
