// Hostile input fed to the real kavendix-cli: huge and binary bet lists, pages
// far too large, quotes "files" that are no files, and an overfull template
// folder. Each must end in the documented output or a clear message.
#include "cli/cli_runner.h"
#include "support/hostile_lists.h"
#include "support/loopback_server.h"
#include "support/template_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>

using kav::test::runCli;
using kav::test::TempDir;

namespace {

const std::string& kSingle = kav::testing::kSingleCoupon;
const std::string kAllTwos = "2,2,2,2,2,2,2,2,2,2,2,2,2,2,2";

std::size_t countLines(const std::string& s) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

std::chrono::milliseconds since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

} // namespace

TEST(CliHostileBets, TenMegabyteListIsCountedWhole) {
    const auto [list, lines] = kav::testing::repeatedCoupons(10u << 20);
    auto start = std::chrono::steady_clock::now();
    auto r = runCli({"parse", "--bets", "-"}, list);
    EXPECT_LT(since(start), std::chrono::seconds(30));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Ставок в списке " + std::to_string(lines) + " (" +
                                                     std::to_string(lines * 20) + " руб.)");
    EXPECT_EQ(countLines(r.out), lines + 1);

    // Removing variants no line holds leaves all of them in place.
    r = runCli({"remove", "--select", kAllTwos, "--bets", "-"}, list);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(countLines(r.out), lines);
    EXPECT_EQ(r.out.substr(0, kSingle.size() + 1), kSingle + "\n");
}

TEST(CliHostileBets, BinaryAndOverlongLinesAreKeptAndSkipped) {
    // A complete coupon whose amount is no number, or a line with more groups
    // than a mask holds, fails the whole parse: the status line is emptied.
    struct Case {
        std::string name;
        std::string line;
        bool counted;
    };
    const std::string invalidUtf8 = "\xff\xfe\xc3(\xe2\x82\x28\xf0\x28\x8c\xbc";
    const std::vector<Case> cases = {
        {"long", std::string(100000, '1'), true},
        {"long with groups", "20;" + std::string(100000, ';'), true},
        {"many groups",
         [] {
             std::string s = "20";
             for (int i = 0; i < 20000; ++i)
                 s += ";1-(1)";
             return s + ".";
         }(),
         false},
        {"nul bytes", std::string("20;1-(1)\0;2-(1)\0\0", 18), true},
        {"nul amount", std::string("\0", 1) + kSingle.substr(2), false},
        {"invalid utf-8", invalidUtf8 + kSingle, false},
        {"invalid utf-8 groups", kSingle.substr(0, 10) + invalidUtf8, true},
        {"invalid utf-8 amount", "2\xff;" + kSingle.substr(3), false},
    };
    for (const auto& c : cases) {
        const std::string list = kSingle + "\n" + c.line + "\n" + kSingle + "\n";
        auto r = runCli({"parse", "--bets", "-"}, list);
        EXPECT_EQ(r.exitCode, c.counted ? 0 : 1) << c.name << ": " << r.err;
        if (c.counted)
            EXPECT_EQ(r.out, "Ставок в списке 2 (40 руб.)\n32766 0 1\ninvalid\n32766 0 1\n")
                << c.name;
        else
            EXPECT_EQ(r.out, "\n") << c.name;

        r = runCli({"remove", "--select", kAllTwos, "--bets", "-"}, list);
        EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, list) << c.name;
    }
}

TEST(CliHostileDraw, QuotesFilesThatAreNoFilesAreRefused) {
    TempDir dir;
    auto plain = dir.write("plain.txt", "not a quotes file\n");
    auto fifo = dir.path / "pipe.ctr";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& path : {dir.path.string(), fifo.string(), (plain / "draw.ctr").string(),
                             (dir.path / "missing.ctr").string(), std::string("/dev/zero")}) {
        auto start = std::chrono::steady_clock::now();
        auto r = runCli({"--draw", path, "parse"});
        EXPECT_LT(since(start), std::chrono::seconds(5)) << path;
        EXPECT_EQ(r.exitCode, 2) << path;
        EXPECT_EQ(r.out, "") << path;
        EXPECT_FALSE(r.err.empty()) << path;
    }
}

TEST(CliHostileFetch, HugePageFailsAndWritesNoFile) {
    kav::test::LoopbackServer server;
    server.set(kav::test::eventsTarget(), {200, std::string(50u << 20, 'x'), "text/html"});
    server.set(kav::test::totalsTarget(), {200, "pool 1", "text/html"});
    TempDir dir;
    auto out = dir.path / "draw.ctr";
    auto start = std::chrono::steady_clock::now();
    auto r = runCli({"fetch", "--server", server.url(), "-o", out.string()});
    EXPECT_LT(since(start), std::chrono::seconds(20));
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliHostileTemplates, TenThousandFilesAreIndexedQuickly) {
    kav::testing::TemplateFolder f;
    for (int i = 0; i < 10000; ++i) {
        // Mostly junk names, some real templates and a few folders among them.
        if (i % 100 == 0)
            f.write("3-0-2-" + std::to_string(i + 2) + ".txt", "111\n222\n");
        else if (i % 997 == 0)
            std::filesystem::create_directory(f.path() / ("9-9-9-" + std::to_string(i) + ".txt"));
        else
            f.write("junk-" + std::to_string(i) + (i % 3 ? ".txt" : ".dat"), "");
    }
    const std::string select = "1X,1X,1X,1,1,1,1,1,1,1,1,1,1,1,1";
    auto start = std::chrono::steady_clock::now();
    auto r =
        runCli({"--select", select, "--kombin", f.path().string(), "summary", "--category", "14"});
    EXPECT_LT(since(start), std::chrono::seconds(20));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GE(countLines(r.out), 2u);

    start = std::chrono::steady_clock::now();
    r = runCli({"--select", select, "--seed", "1", "--kombin", f.path().string(), "brief",
                "--category", "14"});
    EXPECT_LT(since(start), std::chrono::seconds(20));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(countLines(r.out), 2u);
}

TEST(CliHostileBets, EndlessInputIsRefusedNotReadForever) {
    auto start = std::chrono::steady_clock::now();
    auto r = runCli({"parse", "--bets", "/dev/zero"});
    EXPECT_LT(since(start), std::chrono::seconds(20));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("larger than"), std::string::npos) << r.err;

    r = runCli({"page", "events", "/dev/zero"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
}
