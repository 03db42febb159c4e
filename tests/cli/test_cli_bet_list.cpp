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

TEST(CliParse, FailedParseEmptiesTheStatusLine) {
    auto r = runCli({"parse", "--bets", "-"}, "x" + kSingle + "\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "\n");
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
