#include "cli/cli_runner.h"

#include <gtest/gtest.h>

using kav::test::runCli;

namespace {
const std::string kSingle =
    "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
    "13-(1);14-(1);15-(2).";
const std::string kCoupon =
    "40.00;1-(1,X);2-(2);3-(1);4-(X);5-(1);6-(2);7-(1);8-(1);9-(X);10-(2);11-(1);"
    "12-(1);13-(X);14-(1);15-(2).";
const std::string kAllOnes = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
} // namespace

TEST(CliParse, PrintsStatusAndMasksPerLine) {
    auto r = runCli({"parse", "--bets", "-"}, " " + kSingle + "\r\n" + kCoupon + "\r\nfoo\r\n\r\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "Ставок в списке 3 (60 руб.)\n32766 0 1\n21914 18500 8737\ninvalid\ninvalid\n");
    r = runCli({"--country", "ua", "parse"});
    EXPECT_EQ(r.out, "Ставок в списке 0 (0 грн.)\n");
}

// A list that cannot be read: an empty status line, the first broken line
// named on stderr with the reason, exit 1.
TEST(CliParse, BrokenListNamesItsFirstBadLineAndExitsOne) {
    std::string manyGroups = "20";
    for (int i = 0; i < 17; ++i)
        manyGroups += ";1-(1)";
    const struct {
        std::string list;
        std::string why;
    } cases[] = {
        {kSingle + "\n" + "x" + kSingle + "\n",
         "Строка 2 списка ставок не читается: сумма \"x20\""},
        {"1e308" + kSingle.substr(2), "Строка 1 списка ставок не читается: сумма \"1e308\""},
        {kSingle + "\nfoo\n" + std::string(20, '9') + kSingle.substr(2),
         "Строка 3 списка ставок не читается: сумма \"99999999999999999999\""},
        {manyGroups + ".", "Строка 1 списка ставок не читается: в строке слишком много групп"},
    };
    for (const auto& c : cases) {
        auto r = runCli({"parse", "--bets", "-"}, c.list);
        EXPECT_EQ(r.exitCode, 1) << c.why;
        EXPECT_EQ(r.out, "\n") << c.why;
        EXPECT_NE(r.err.find(c.why), std::string::npos) << r.err;
    }
}

// Russian players type a comma: --stake 20,5 is the stake 20.5 everywhere.
TEST(CliStake, CommaIsTheDecimalSeparatorToo) {
    const std::vector<std::string> sel = {"--select", "1X,1,1,1,1,1,1,1,1,1,1,1,1,1,1"};
    auto withArgs = [&](const std::string& stake) {
        std::vector<std::string> args = sel;
        args.insert(args.end(), {"--stake", stake, "all"});
        return runCli(args);
    };
    const auto comma = withArgs("20,5");
    const auto point = withArgs("20.5");
    EXPECT_EQ(comma.exitCode, 0) << comma.err;
    EXPECT_EQ(comma.out, point.out);
    EXPECT_EQ(comma.out.rfind("41.00;", 0), 0u) << comma.out;
    // Text that is no amount either way is refused as before.
    EXPECT_EQ(withArgs("20,5,1").exitCode, withArgs("abc").exitCode);
    EXPECT_EQ(withArgs("20,5,1").out, "");
}

TEST(CliRemove, SplitsCouponsAndReportsMissingMarks) {
    auto r = runCli({"remove", "--select", "1X,2,1,X,1,2,1,1,X,2,1,1,X,1,2", "--bets", "-"},
                    kCoupon + "\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");

    r = runCli({"remove", "--select", "1,2,1,X,1,2,1,1,X,2,1,1,X,1,2", "--bets", "-"},
               kCoupon + "\n");
    EXPECT_EQ(r.out,
              "20;1-(X);2-(2);3-(1);4-(X);5-(1);6-(2);7-(1);8-(1);9-(X);10-(2);11-(1);12-(1);"
              "13-(X);14-(1);15-(2).\n");

    r = runCli({"remove", "--select", "1,1,1,1,1,1,1,-,1,1,1,1,1,1,1", "--bets", "-"},
               kSingle + "\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, kSingle + "\n");
    EXPECT_NE(r.err.find("Выбраны не все события"), std::string::npos);
}

TEST(CliUsage, MalformedOptionsAndUnreadableFilesExitWithTwo) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"remove", "--select", "1,1"},
                                               {"remove", "--select", kAllOnes + ",1"},
                                               {"parse", "--bets", "/nonexistent/bets.txt"},
                                               {"parse", "--bets", "/"},
                                               {"parse", "--country", "de"},
                                               {"nosuchcommand"}}) {
        auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(runCli({"--help"}).exitCode, 0);
}
