// all, random, sensation: the real kavendix-cli binary, driven with --seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct CliRun {
    std::string out, err;
    int code = -1;
};

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class FormingCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("kavendix-forming-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string betsFile(const std::string& text) {
        auto p = dir_ / "bets.txt";
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }

    CliRun run(const std::vector<std::string>& args) {
        const char* cli = std::getenv("KAVENDIX_CLI");
        EXPECT_NE(cli, nullptr);
        std::string cmd = quote(cli ? cli : "kavendix-cli");
        for (const auto& a : args)
            cmd += " " + quote(a);
        cmd += " >" + quote((dir_ / "out").string()) + " 2>" + quote((dir_ / "err").string());
        CliRun r;
        int status = std::system(cmd.c_str());
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = slurp(dir_ / "out");
        r.err = slurp(dir_ / "err");
        return r;
    }

    std::filesystem::path dir_;
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
    CliRun first = run({"--select", kOnes, "--bets", betsFile("old line\r\n"), "all"});
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "old line\n" + kOnesLine + "\n");
    CliRun again = run({"--select", kOnes, "--bets", betsFile(first.out), "all"});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(again.out, first.out);
    CliRun wide = run({"--select", "1X,X2,1X2,1,1,1,1,1,1,1,1,1,1,1,1", "--stake", "20.5", "all"});
    EXPECT_EQ(wide.out.substr(0, 20), "246.00;1-(1,X);2-(X,");
}

TEST_F(FormingCli, RandomIsReproducibleWithASeed) {
    const std::vector<std::string> args = {"--seed", "4242", "--select",
                                           "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1,1",
                                           "random", "--dist", "4", "--repeat", "50",
                                           "--favourites", "3"};
    CliRun a = run(args), b = run(args);
    EXPECT_EQ(a.code, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(lines(a.out).size(), 50u);
    auto other = args;
    other[1] = "4243";
    EXPECT_NE(run(other).out, a.out);
}

TEST_F(FormingCli, RandomDrawOfTenThousandKeepsTheMarkedOutcome) {
    CliRun r = run({"--seed", "1298181734", "--select", "1,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,"
                                                     "1X2,1X2,1X2,1X2",
                 "random", "--dist", "0"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.substr(0, 12), "20.00;1-(1);");
}

TEST_F(FormingCli, MessagesExitWithOneAndKeepWhatWasAdded) {
    CliRun dup = run({"--seed", "1", "--select", kOnes, "random", "--repeat", "5"});
    EXPECT_EQ(dup.code, 1);
    EXPECT_EQ(dup.out, kOnesLine + "\n");
    EXPECT_NE(dup.err.find("Выбрано недостаточно исходов для формирования пакета"),
              std::string::npos);

    CliRun unmarked = run({"--seed", "1", "--bets", betsFile("x\n"), "random", "--repeat", "9"});
    EXPECT_EQ(unmarked.code, 1);
    EXPECT_EQ(unmarked.out, "x\n");
    EXPECT_EQ(unmarked.err, "Ошибка: Выбраны не все события\n");

    CliRun stake = run({"--select", kOnes, "--stake", "", "all"});
    EXPECT_EQ(stake.code, 1);
    EXPECT_EQ(stake.out, "");
    EXPECT_NE(stake.err.find("Ошибка"), std::string::npos);
}

TEST_F(FormingCli, UsageErrorsPrintNothing) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"random", "--dist", "5"},
             {"random", "--favourites", "16"},
             {"random", "--repeat", "many"},
             {"sensation", "--threshold", "35"},
             {"sensation", "--criterion", "odds"},
             {"sensation", "--lo", "16"},
             {"--select", "1,1", "all"},
             {"--bets", "/nonexistent/bets.txt", "all"}}) {
        CliRun r = run(args);
        EXPECT_EQ(r.code, 2) << args[0] << ' ' << args[1];
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
    }
}

TEST_F(FormingCli, SensationByQuotesAndByPool) {
    // The default draw: quotes 40/25/35, pool 50/15/35; only "X" can be an upset.
    const std::string sel = "1X,1X2,1,1,1,1,1,1,1,1,1,1,1,1,1";
    CliRun bk = run({"--select", sel, "sensation", "--lo", "1", "--hi", "1", "--threshold", "26"});
    EXPECT_EQ(bk.code, 0) << bk.err;
    EXPECT_EQ(bk.out, "20.00;1-(1);2-(X);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);"
                      "12-(1);13-(1);14-(1);15-(1).\n"
                      "40.00;1-(X);2-(1,2);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                      "11-(1);12-(1);13-(1);14-(1);15-(1).\n");
    // At a threshold of 25 the quote 25 is no upset, while the pool share 15 is.
    CliRun atThreshold = run({"--select", sel, "sensation", "--lo", "1", "--hi", "1"});
    EXPECT_EQ(atThreshold.out, "");
    CliRun pool = run({"--select", sel, "sensation", "--lo", "1", "--hi", "1", "--criterion", "pool"});
    EXPECT_EQ(pool.out, bk.out);
    // Bounds 0 and 0: the whole coupon, as "all" writes it.
    EXPECT_EQ(run({"--select", sel, "sensation", "--lo", "0", "--hi", "0"}).out,
              run({"--select", sel, "all"}).out);
}

} // namespace
