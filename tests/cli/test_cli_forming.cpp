// all, random, sensation: the real kavendix-cli binary, driven with --seed.
#include "cli/cli_runner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using kav::test::CliResult;
using kav::test::runCli;

class FormingCli : public ::testing::Test {
protected:
    std::string betsFile(const std::string& text) { return dir_.write("bets.txt", text).string(); }
    CliResult run(const std::vector<std::string>& args) { return runCli(args); }

    kav::test::TempDir dir_;
};

const std::string kOnes = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
const std::string kOnesLine = "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);"
                              "10-(1);11-(1);12-(1);13-(1);14-(1);15-(1).";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

TEST_F(FormingCli, AllAppendsOnceAndKeepsTheInputList) {
    CliResult first = run({"--select", kOnes, "--bets", betsFile("old line\r\n"), "all"});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "old line\n" + kOnesLine + "\n");
    CliResult again = run({"--select", kOnes, "--bets", betsFile(first.out), "all"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, first.out);
    CliResult wide =
        run({"--select", "1X,X2,1X2,1,1,1,1,1,1,1,1,1,1,1,1", "--stake", "20.5", "all"});
    EXPECT_EQ(wide.out.substr(0, 20), "246.00;1-(1,X);2-(X,");
}

TEST_F(FormingCli, RandomIsReproducibleWithASeed) {
    const std::vector<std::string> args = {
        "--seed", "4242",         "--select", "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1",
        "random", "--dist",       "4",        "--repeat",
        "50",     "--favourites", "3"};
    CliResult a = run(args), b = run(args);
    EXPECT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(lines(a.out).size(), 50u);
    auto other = args;
    other[1] = "4243";
    EXPECT_NE(run(other).out, a.out);
}

TEST_F(FormingCli, RandomDrawOfTenThousandKeepsTheMarkedOutcome) {
    CliResult r = run({"--seed", "1298181734", "--select",
                       "1,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,"
                       "1X2,1X2,1X2,1X2",
                       "random", "--dist", "0"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.substr(0, 12), "20.00;1-(1);");
}

TEST_F(FormingCli, MessagesExitWithOneAndKeepWhatWasAdded) {
    CliResult dup = run({"--seed", "1", "--select", kOnes, "random", "--repeat", "5"});
    EXPECT_EQ(dup.exitCode, 1);
    EXPECT_EQ(dup.out, kOnesLine + "\n");
    EXPECT_NE(dup.err.find("Выбрано недостаточно исходов для формирования пакета"),
              std::string::npos);

    CliResult unmarked = run({"--seed", "1", "--bets", betsFile("x\n"), "random", "--repeat", "9"});
    EXPECT_EQ(unmarked.exitCode, 1);
    EXPECT_EQ(unmarked.out, "x\n");
    EXPECT_EQ(unmarked.err, "Ошибка: Выбраны не все события\n");

    CliResult stake = run({"--select", kOnes, "--stake", "", "all"});
    EXPECT_EQ(stake.exitCode, 1);
    EXPECT_EQ(stake.out, "");
    EXPECT_NE(stake.err.find("Ошибка"), std::string::npos);
}

TEST_F(FormingCli, UsageErrorsPrintNothing) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"random", "--dist", "5"},
                                               {"random", "--favourites", "16"},
                                               {"random", "--repeat", "many"},
                                               {"sensation", "--threshold", "35"},
                                               {"sensation", "--criterion", "odds"},
                                               {"sensation", "--lo", "16"},
                                               {"--select", "1,1", "all"},
                                               {"--bets", "/nonexistent/bets.txt", "all"}}) {
        CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args[0] << ' ' << args[1];
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
}

TEST_F(FormingCli, SensationByQuotesAndByPool) {
    // The default draw: quotes 40/25/35, pool 50/15/35; only "X" can be an upset.
    const std::string sel = "1X,1X2,1,1,1,1,1,1,1,1,1,1,1,1,1";
    CliResult bk =
        run({"--select", sel, "sensation", "--lo", "1", "--hi", "1", "--threshold", "26"});
    EXPECT_EQ(bk.exitCode, 0) << bk.err;
    EXPECT_EQ(bk.out, "20.00;1-(1);2-(X);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);"
                      "12-(1);13-(1);14-(1);15-(1).\n"
                      "40.00;1-(X);2-(1,2);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                      "11-(1);12-(1);13-(1);14-(1);15-(1).\n");
    // At a threshold of 25 the quote 25 is no upset, while the pool share 15 is.
    CliResult atThreshold = run({"--select", sel, "sensation", "--lo", "1", "--hi", "1"});
    EXPECT_EQ(atThreshold.out, "");
    CliResult pool =
        run({"--select", sel, "sensation", "--lo", "1", "--hi", "1", "--criterion", "pool"});
    EXPECT_EQ(pool.out, bk.out);
    // Bounds 0 and 0: the whole coupon, as "all" writes it.
    EXPECT_EQ(run({"--select", sel, "sensation", "--lo", "0", "--hi", "0"}).out,
              run({"--select", sel, "all"}).out);
}

// A quotes file: the default draw except event 1, as given.
std::string quotesFile(const std::string& event1) {
    std::string f = "Match 1\t" + event1 + "\r\n";
    for (int e = 2; e <= 15; ++e)
        f += "Match " + std::to_string(e) + "\t40\t50\t25\t15\t35\t35\t\r\n";
    return f + "20.00\r\n20\r\n2\r\nKavendix\r\n1000|1000000|1|2|3|\r\n";
}

TEST_F(FormingCli, SensationCriterionReadsTheDrawFile) {
    // Event 1: quotes 50/30/20, pool shares 20/50/30.
    const std::string draw =
        dir_.write("draw.ctr", quotesFile("50\t20\t30\t50\t20\t30\t")).string();
    const std::string sel = "1X2,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    CliResult bk = run({"--draw", draw, "--select", sel, "sensation", "--lo", "1", "--hi", "1"});
    CliResult pool = run({"--draw", draw, "--select", sel, "sensation", "--lo", "1", "--hi", "1",
                          "--criterion", "pool"});
    EXPECT_EQ(bk.exitCode, 0) << bk.err;
    EXPECT_EQ(bk.out.substr(0, 12), "20.00;1-(2);");
    EXPECT_EQ(pool.out.substr(0, 12), "20.00;1-(1);");
    EXPECT_EQ(lines(bk.out).size(), 1u);
    EXPECT_EQ(lines(pool.out).size(), 1u);
}

TEST_F(FormingCli, AgainstThePoolFavoursAnOutcomeNobodyStakedOn) {
    // Event 1: pool shares 50/0/50, so "X" weighs 100 against 0.8 and 0.7.
    const std::string draw = dir_.write("draw.ctr", quotesFile("40\t50\t25\t0\t35\t50\t")).string();
    CliResult r = run({"--draw", draw, "--seed", "5", "--select",
                       "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2", "random",
                       "--dist", "3", "--repeat", "200"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    auto bets = lines(r.out);
    ASSERT_EQ(bets.size(), 200u);
    int draws = 0;
    for (const auto& b : bets)
        draws += b.substr(0, 12) == "20.00;1-(X);";
    EXPECT_GE(draws, 190);
}

} // namespace
