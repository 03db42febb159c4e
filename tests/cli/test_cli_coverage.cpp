// kavendix-cli coverage and best, run as the real program.
#include "cli/cli_runner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using kav::test::CliResult;

// The bet list goes in on stdin; args are split at blanks.
CliResult cli(const std::string& args, const std::string& bets = {}) {
    std::vector<std::string> argv;
    if (!bets.empty()) {
        argv.push_back("--bets");
        argv.push_back("-");
    }
    std::istringstream in(args);
    for (std::string a; in >> a;)
        argv.push_back(a);
    return kav::test::runCli(argv, bets);
}

const std::string kTail = ";6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);13-(1);14-(1);15-(1).";
const std::string kZone = "--zone 1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1";

} // namespace

TEST(CliCoverage, ReportsTheMap) {
    std::string bet = "20.00;1-(1);2-(2);3-(1);4-(X);5-(1)" + kTail + "\n";
    struct Case {
        std::string args;
        std::string out;
    } cases[] = {
        {kZone + " --category 13", "results 12\nmap 4 3\nby-count 83.33\nby-probability 86.54\n"},
        {kZone + " --category 15", "results 12\nmap 4 3\nby-count 8.33\nby-probability 10.26\n"},
        {"--zone 1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1 --category 13",
         "results 177147\nmap 0 0\nby-count 0\nby-probability 0\n"},
        {"--zone -,1,1,1,1,1,1,1,1,1,1,1,1,1,1 --category 13",
         "results 0\nmap 0 0\nby-count 0\nby-probability 0\n"},
        {"--zone 1,1,1,1,1,1,1,1,1,1,1,1,1,1,1 --category 13",
         "results 1\nmap 0 0\nby-count 0\nby-probability 0\n"},
    };
    for (const auto& c : cases) {
        CliResult r = cli("coverage " + c.args, bet);
        EXPECT_EQ(r.exitCode, 0) << c.args << r.err;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

TEST(CliCoverage, CellsInMapOrder) {
    std::string bet = "20.00;1-(1);2-(2);3-(1);4-(X);5-(1)" + kTail + "\n";
    CliResult r = cli("coverage " + kZone + " --category 14 --cells", bet);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("by-count 41.67\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n0 121X11111111111 1\n1 X21X11111111111 1\n2 121211111111111 1\n"
                         "3 X21211111111111 0\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\n11 X21221111111111 0\n"), std::string::npos);
}

TEST(CliCoverage, BestAppendsOneBetOrNothing) {
    std::string bet = "20.00;1-(1);2-(2);3-(1);4-(X);5-(1)" + kTail + "\n";
    CliResult n = cli("--stake 20 best " + kZone + " --category 14 --by n", bet);
    EXPECT_EQ(n.exitCode, 0) << n.err;
    // Results 7 and 11 both newly cover five results; the lower index wins.
    EXPECT_EQ(n.out, bet + "20.00;1-(X);2-(2);3-(1);4-(2);5-(X)" + kTail + "\n");
    CliResult p = cli("best " + kZone + " --category 14 --by p", bet);
    EXPECT_EQ(p.out, bet + "20.00;1-(X);2-(2);3-(1);4-(2);5-(2)" + kTail + "\n");
    // Everything covered already: the list stays as it was.
    CliResult none = cli("best " + kZone + " --category 0 --by p", bet);
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, bet);
}

TEST(CliCoverage, BadInputIsAUsageError) {
    const char* bad[] = {
        "coverage --zone 1,1,1 --category 13",
        "coverage --zone 1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1 --category 16",
        "best --zone 1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1 --category 13 --by q",
        "--stake abc best --zone 1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1 --category 13 --by n",
        "--stake 0 best --zone 1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1 --category 13 --by n",
    };
    for (const char* args : bad) {
        CliResult r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_FALSE(r.err.empty()) << args;
    }
    CliResult broken = cli("coverage " + kZone + " --category 13",
                           "abc;1-(1);2-(2);3-(1);4-(X);5-(1)" + kTail + "\n");
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_TRUE(broken.out.empty());
}
