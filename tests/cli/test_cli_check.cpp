// kavendix-cli check, archive and history, run as the real binary.
#include "cli/cli_runner.h"
#include "core/base/rng.h"
#include "core/bets/bet_list.h"
#include "core/check/draw_result.h"
#include "oracle/hit_count_literal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kav::test::runCli;
using kav::test::TempDir;

std::string countsLine(const std::array<std::uint64_t, kav::kEvents + 1>& dist) {
    std::string s;
    for (int k = 9; k <= 15; ++k)
        s += (k > 9 ? " " : "") + std::to_string(dist[k]);
    return s;
}

const char* const kSingle = "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(1);13-(1);14-(1);15-(1).";

} // namespace

TEST(CliCheck, EveryLineAndTheTotalEqualExpandingTheVariants) {
    // Random coupons, a line that is no coupon, and the whole field of 3^15.
    kav::Rng rng(99);
    std::string list;
    std::vector<kav::Coupon> coupons;
    for (int i = 0; i < 30; ++i) {
        kav::Coupon c{};
        for (auto& set : c)
            set = static_cast<kav::OutcomeSet>(1 + rng.below(i % 3 == 0 ? 7 : 3));
        coupons.push_back(c);
    }
    coupons.back().fill(7);
    const auto result = *kav::parseDrawResult("1X2-X21X2-X1X21");
    std::string expected;
    std::array<std::uint64_t, kav::kEvents + 1> total{};
    for (std::size_t i = 0; i < coupons.size(); ++i) {
        list += kav::formatCoupon(coupons[i], kav::Fixed4::fromInt(20)) + '\n';
        const auto dist = kav::oracle::literalHitDistribution(coupons[i], result);
        for (int k = 0; k <= kav::kEvents; ++k)
            total[k] += dist[k];
        expected += countsLine(dist) + '\n';
        if (i == 3) {
            list += "не ставка\n";
            expected += "invalid\n";
        }
    }
    expected += "total " + countsLine(total) + '\n';
    const auto r =
        runCli({"--bets", "-", "check", "--result", "1,X,2,-,X,2,1,X,2,-,X,1,X,2,1"}, list);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected);
}

TEST(CliCheck, PrizesGiveReturnStakeAndProfitInPlainMoney) {
    const std::string list = std::string(kSingle) + '\n' + kSingle + '\n';
    struct Case {
        const char* prizes;
        const char* tail;
    } cases[] = {
        {"0,0,0,0,0,0,1000.5", "return 2001\nstake 40\nprofit 1961\n"},
        {"0;0;0;0;0;0;1000,25", "return 2000.5\nstake 40\nprofit 1960.5\n"},
        {"0,0,0,0,0,0,0,0,0,0,0,0,10,50", "return 21\nstake 40\nprofit -19\n"},
    };
    for (const auto& c : cases) {
        const auto r = runCli(
            {"--bets", "-", "check", "--result", "111111111111111", "--prizes", c.prizes}, list);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out,
                  "0 0 0 0 0 0 1\n0 0 0 0 0 0 1\ntotal 0 0 0 0 0 0 2\n" + std::string(c.tail))
            << c.prizes;
    }
}

TEST(CliCheck, MalformedResultOrPrizesAreUsageErrorsWithNothingPrinted) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"check", "--result", "11111111111111"},
             {"check", "--result", "11111111111111Y"},
             {"check"},
             {"check", "--draw-id", "x"},
             {"check", "--result", "111111111111111", "--prizes", "1,2,3"},
             {"check", "--result", "111111111111111", "--prizes", "1,2,3,4,5,6,-7"},
         }) {
        std::vector<std::string> full{"--bets", "-"};
        full.insert(full.end(), args.begin(), args.end());
        const auto r = runCli(full, kSingle);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
}

TEST(CliArchive, KeepsDrawPackageAndResultAndHistoryShowsTheReturn) {
    TempDir dir;
    const std::string archive = (dir.path / "archive.sqlite").string();
    const std::string list = std::string(kSingle) + '\n';
    auto add = runCli({"--archive", archive, "--bets", "-", "archive", "add", "--package"}, list);
    ASSERT_EQ(add.exitCode, 0) << add.err;
    EXPECT_EQ(add.out, "draw\t1\npackage\t1\n");
    // The same draw loaded again keeps its record.
    add = runCli({"--archive", archive, "archive", "add"});
    EXPECT_EQ(add.out, "draw\t1\n");

    auto history = runCli({"--archive", archive, "history"});
    ASSERT_EQ(history.exitCode, 0) << history.err;
    const std::string header = "package\tdraw\tloaded\tcountry\tbets\tstake\tbest\tk9\tk10\tk11\t"
                               "k12\tk13\tk14\tk15\treturn\tprofit\tprizes\n";
    ASSERT_EQ(history.out.substr(0, header.size()), header);
    EXPECT_NE(history.out.find("\tru\t1\t20\t\t\t\t\t\t\t\t\t\t\t\n"), std::string::npos)
        << history.out;

    const auto typed = runCli({"--archive", archive, "archive", "result", "--draw-id", "1",
                               "--result", "11111111111111X", "--prizes", "0,0,0,0,0,150,0"});
    ASSERT_EQ(typed.exitCode, 0) << typed.err;
    history = runCli({"--archive", archive, "history"});
    EXPECT_NE(history.out.find("\tru\t1\t20\t14\t0\t0\t0\t0\t0\t1\t0\t150\t130\ttyped\n"),
              std::string::npos)
        << history.out;

    const auto shown = runCli({"--archive", archive, "archive", "show", "--package-id", "1"});
    EXPECT_EQ(shown.out, list);
    const auto drawShown = runCli({"--archive", archive, "archive", "show", "--draw-id", "1"});
    EXPECT_NE(drawShown.out.find("result\t11111111111111X\nprizes\t0,0,0,0,0,150,0\n"),
              std::string::npos)
        << drawShown.out;
    const auto listed = runCli({"--archive", archive, "archive", "list"});
    EXPECT_EQ(listed.out.substr(0, listed.out.find('\n')),
              "draw\tloaded\tcountry\ttitle\tresult\tprizes");

    // The check against the archived draw takes its kept result and prizes.
    const auto kept =
        runCli({"--archive", archive, "--bets", "-", "check", "--draw-id", "1"}, list);
    EXPECT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_EQ(kept.out, "0 0 0 0 0 1 0\ntotal 0 0 0 0 0 1 0\nreturn 150\nstake 20\nprofit 130\n");
    const auto typedOver = runCli({"--archive", archive, "--bets", "-", "check", "--draw-id", "1",
                                   "--result", "111111111111111"},
                                  list);
    EXPECT_EQ(typedOver.out,
              "0 0 0 0 0 0 1\ntotal 0 0 0 0 0 0 1\nreturn 0\nstake 20\nprofit -20\n");
    const auto noResult =
        runCli({"--archive", archive, "--bets", "-", "check", "--draw-id", "9"}, list);
    EXPECT_EQ(noResult.exitCode, 1);
    EXPECT_NE(noResult.err.find("В архиве нет тиража 9."), std::string::npos);

    const auto missing = runCli({"--archive", archive, "archive", "result", "--draw-id", "7",
                                 "--result", "111111111111111"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("В архиве нет тиража 7."), std::string::npos);
}

TEST(CliArchive, AnUnusableArchiveIsAMessageAndTheDefaultLivesInTheDataFolder) {
    TempDir dir;
    const auto broken = dir.write("broken.sqlite", std::string(4096, 'x'));
    const auto r = runCli({"--archive", broken.string(), "history"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Архив тиражей повреждён"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    // No --archive: $XDG_DATA_HOME/Kavendix/kavendix/archive.sqlite.
    const std::string data = (dir.path / "data").string();
    const std::string cmd = "XDG_DATA_HOME=" + kav::test::shellQuote(data) + " " +
                            kav::test::shellQuote(KAVENDIX_CLI_PATH) +
                            " archive add >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path / "data/Kavendix/kavendix/archive.sqlite"));
}
