// kavendix-cli brief and summary, run as a player's script would run them.
#include "cli/cli_runner.h"
#include "support/template_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include <string>
#include <vector>

using kav::test::runCli;
using kav::testing::TemplateFolder;

namespace {

const std::string kThreeDoubles = "1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        auto nl = text.find('\n', start);
        out.push_back(text.substr(start, nl - start));
        start = nl == std::string::npos ? text.size() : nl + 1;
    }
    return out;
}

std::string lettersOf(const std::string& line) {
    std::string out;
    for (std::size_t at = line.find("-("); at != std::string::npos; at = line.find("-(", at + 2))
        out += line[at + 2];
    return out;
}

TEST(CliBrief, CategoryFifteenPrintsTheListWithTheCoupon) {
    TemplateFolder f;
    auto bets = f.write("bets.txt", "junk\r\n");
    std::vector<std::string> args = {"--select", "1X,1,X2,1X2,1,1,1,1,1,1,1,1,1,1,2",
                                     "--bets",   bets.string(),
                                     "--seed",   "1",
                                     "brief",    "--category",
                                     "15"};
    auto r = runCli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string coupon =
        "240.00;1-(1,X);2-(1);3-(X,2);4-(1,X,2);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
        "11-(1);12-(1);13-(1);14-(1);15-(2).";
    EXPECT_EQ(r.out, "junk\n" + coupon + "\n");

    f.write("bets.txt", "junk\n" + coupon + "\n");
    r = runCli(args);
    EXPECT_EQ(r.out, "junk\n" + coupon + "\n");
}

TEST(CliBrief, ExpandsTheTemplateTheSameWayForTheSameSeed) {
    TemplateFolder f("kombin");
    f.write("3-0-2-2.txt", "111\r\n222\r\n");
    std::vector<std::string> args = {"--select", kThreeDoubles, "--seed",
                                     "42",       "--kombin",    (f.root() / "Kombin").string(),
                                     "brief",    "--category",  "14"};
    auto a = runCli(args), b = runCli(args);
    EXPECT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    auto lines = linesOf(a.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lettersOf(lines[0]), lettersOf(lines[1]));
    EXPECT_EQ(lines[0].substr(0, 6), "20.00;");
}

TEST(CliBrief, StartWithPutsTheForcedBetFirst) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    for (const std::string seed : {"1", "2", "3"}) {
        auto r =
            runCli({"--select", kThreeDoubles, "--seed", seed, "--kombin", f.path().string(),
                    "--forced", "X1211111111112_", "--start-with", "brief", "--category", "14"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        auto lines = linesOf(r.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lettersOf(lines[0]), "X12111111111121");
    }
}

TEST(CliBrief, MessagesExitWithOneAndKeepTheList) {
    TemplateFolder f;
    f.write("3-0-2-3.txt", "111\n222\n" + std::string(17, '1') + "\n");
    auto bets = f.root() / "bets.txt";
    std::ofstream(bets) << "keep me\n";
    struct Case {
        std::string select;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"1X,1,-,1,1,1,1,1,1,1,1,1,1,X2,1",
         "Для каждого матча должно быть проставлено от 1 до 3 выборов"},
        {"1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1X", "Измените число подстраховок"},
        {kThreeDoubles, "Строка 3 шаблона 3-0-2-3.txt"},
    };
    for (const auto& c : cases) {
        auto r = runCli({"--select", c.select, "--bets", bets.string(), "--kombin",
                         f.path().string(), "brief", "--category", "14"});
        EXPECT_EQ(r.exitCode, 1) << c.select;
        EXPECT_EQ(r.out, "keep me\n") << c.select;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CliBrief, BadOptionsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"--select", kThreeDoubles, "brief", "--category", "16"},
        {"--select", kThreeDoubles, "brief"},
        {"--select", kThreeDoubles, "--stake", "abc", "brief", "--category", "14"},
        {"--select", kThreeDoubles, "--stake", "abc", "summary", "--category", "14"},
        {"--select", kThreeDoubles, "summary", "--category", "14", "--mode", "4"},
        {"--select", kThreeDoubles, "--forced", "123", "brief", "--category", "14"},
    };
    for (const auto& args : cases) {
        auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[args.size() - 1];
        EXPECT_EQ(r.out, "");
    }
}

TEST(CliSummary, PrintsBothLinesAndTheNearestSystems) {
    TemplateFolder f;
    f.write("3-0-2-2.txt", "111\n222\n");
    f.write("2-0-1-2.txt", "11\n22\n");
    f.write("1-0-0-1.txt", "1\n");
    f.write("notes.txt", "");
    const std::string kombin = f.path().string();
    struct Case {
        std::string select;
        std::vector<std::string> extra;
        std::string out;
    };
    const std::vector<Case> cases = {
        {kThreeDoubles,
         {"--category", "14"},
         "Всего вариантов по отмеченным исходам 8 (160 руб.)\nЧисло вариантов по системе 2 (40 "
         "руб.)\n"},
        {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1X2",
         {"--category", "15"},
         "Всего вариантов по отмеченным исходам 3 (60 руб.)\nЧисло вариантов по системе  3 (60 "
         "руб.)\n"},
        {"1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1X", // d = 4, k = 3: no file; all three reach 14
         {"--category", "14"},
         "Всего вариантов по отмеченным исходам 16 (320 руб.)\n\n2 0 2\n3 0 2\n1 0 1\n"},
        {"1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1X",
         {"--category", "14", "--mode", "1"},
         "Всего вариантов по отмеченным исходам 16 (320 руб.)\n\n"},
        {"1X,1,12,1,1,1,1,1,1,1,1,1,1,X2,1X",
         {"--category", "9"},
         "Всего вариантов по отмеченным исходам 16 (320 руб.)\n\n"},
        {"1X,-,12,1,1,1,1,1,1,1,1,1,1,X2,1X", {"--category", "14"}, "\n\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--select", c.select, "--kombin", kombin, "summary"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.select;
        EXPECT_EQ(r.err, "");
    }
}

TEST(CliSummary, UkrainianDrawAndEmptyFolder) {
    TemplateFolder f;
    auto r = runCli({"--country", "ua", "--stake", "3", "--select", kThreeDoubles, "--kombin",
                     f.path().string(), "summary", "--category", "13"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Всего вариантов по отмеченным исходам 8 (24 грн.)\nЧисло вариантов по "
                     "системе 2 (6 грн.)\n");
    EXPECT_NE(r.err.find("Папка \"Kombin\",которая"), std::string::npos);
}

} // namespace
