#include "cli/cli_runner.h"

#include "core/draw/selection_text.h"
#include "core/forming/autoform.h"

#include <gtest/gtest.h>

using kav::test::runCli;

namespace {

const std::string kSmall = "1X2,1X2,1X,1,1,1,1,1,1,1,1,1,1,1,2";
const std::string kListed =
    "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);13-(1);"
    "14-(1);15-(2).";

// What the window would append for the same inputs.
kav::Lines coreLines(const std::string& sel, const kav::Lines& list, int category,
                     std::int64_t limit, float target, int method, std::uint32_t seed,
                     const std::string& stake = "20.00") {
    kav::DrawModel m;
    kav::applyDefaultDraw(m);
    m.selection = *kav::parseSelectionText(sel);
    kav::AutoformSettings s{category, limit, target, *kav::autoformMethodAt(method), stake};
    kav::Rng rng(seed);
    kav::Lines out = list;
    auto r = kav::autoForm(m, list, s, rng);
    out.insert(out.end(), r.added.begin(), r.added.end());
    return out;
}

} // namespace

TEST(CliAutoform, PrintsTheListWithTheChosenBetsAppended) {
    struct Row {
        int category;
        int limit;
        const char* target;
        float coverage;
        int method;
    };
    for (const Row& row : {Row{14, 4, "100", 1.0f, 0}, Row{13, 50, "60", 0.6f, 1},
                           Row{14, 10, "90.5", 0.905f, 2}, Row{14, 30, "100", 1.0f, 3}}) {
        auto r = runCli({"autoform", "--select", kSmall, "--bets", "-", "--seed", "77", "--stake",
                         "20.5", "--category", std::to_string(row.category), "--limit",
                         std::to_string(row.limit), "--target", row.target, "--method",
                         std::to_string(row.method)},
                        kListed + "\r\n");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::string want;
        for (const auto& l : coreLines(kSmall, {kListed}, row.category, row.limit, row.coverage,
                                       row.method, 77, "20.5"))
            want += l + "\n";
        EXPECT_EQ(r.out, want) << "method " << row.method;
        EXPECT_EQ(r.out.rfind(kListed + "\n", 0), 0u) << "the input line comes first, unchanged";
        EXPECT_NE(r.out.find("\n20.50;1-("), std::string::npos) << "method " << row.method;
        EXPECT_EQ(r.err, "") << "no progress when stderr is no terminal";
    }
}

TEST(CliAutoform, CategoryFifteenAppendsTheFieldInOrder) {
    auto r = runCli({"autoform", "--select", "1X,1,1,1,1,1,1,1,1,1,1,1,1,1,X2", "--category", "15",
                     "--target", "100", "--seed", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string head = "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                             "11-(1);12-(1);13-(1);14-(1);15-(X).\n";
    EXPECT_EQ(r.out.substr(0, head.size()), head);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 4);
}

TEST(CliAutoform, MessagesExitWithOneAndKeepTheList) {
    // An event without a mark.
    auto r = runCli({"autoform", "--select", "1,1,1,1,1,1,1,-,1,1,1,1,1,1,1", "--bets", "-"},
                    kListed + "\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, kListed + "\n");
    EXPECT_NE(r.err.find("Выбраны не все события"), std::string::npos);

    // A line of seventeen groups.
    r = runCli({"autoform", "--select", kSmall, "--bets", "-"},
               "20;0-(1);0-(1);" + kListed.substr(6) + "\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Строка 1"), std::string::npos);

    // A step of minutes on 3^15 results by probability where every outcome
    // weighs the same (every gain a near tie, each formed exactly): without
    // --yes the question stops the search.
    std::string equal;
    for (int e = 1; e <= 15; ++e)
        equal += "Match " + std::to_string(e) + "\t33\t33\t33\t33\t33\t33\t\r\n";
    const kav::test::TempDir dir;
    const auto draw = dir.write("equal.ctr", equal + "20.00\r\n20\r\n2\r\nKavendix\r\n"
                                                     "1000|1000000|1|2|3|\r\n");
    r = runCli({"autoform", "--draw", draw.string(), "--select",
                "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2", "--category", "11",
                "--method", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Время поиска одной ставки ~ "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Внимание! Продолжать?"), std::string::npos);
}

TEST(CliAutoform, BadOptionsAreUsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"--category", "8"},
                                                                  {"--category", "16"},
                                                                  {"--method", "5"},
                                                                  {"--limit", "0"},
                                                                  {"--target", "0"},
                                                                  {"--target", "abc"},
                                                                  {"--stake", "двадцать"}}) {
        std::vector<std::string> all{"autoform", "--select", kSmall};
        all.insert(all.end(), args.begin(), args.end());
        auto r = runCli(all);
        EXPECT_EQ(r.exitCode, 2) << args[0] << " " << args[1];
        EXPECT_EQ(r.out, "");
    }
}
