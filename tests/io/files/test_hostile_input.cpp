// Hostile outside input at the io layer: quotes files cut short or that are
// no files at all, and draw pages that are too large or never end.
#include "cli/cli_runner.h"
#include "io/files/quotes_file_io.h"
#include "io/pages/draw_download.h"
#include "io/pages/servers.h"
#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

using namespace kav;
using kav::test::TempDir;

namespace {

std::string quotesFileBytes() {
    TempDir dir;
    DrawModel m;
    applyDefaultDraw(m);
    m.eventTitles[0] = "Спартак - Зенит";
    m.quotes[0][0] = *Fixed4::parse("46.6461");
    m.poolShares[14][2] = *Fixed4::parse("27.5");
    m.drawCountry = kRussia;
    DrawSettings s{"20.00 руб.", Fixed4::fromInt(20), "Тираж"};
    DrawTotals t{"125000.5", "2000000", {13, 24, 35}, 24};
    auto path = (dir.path / "full.ctr").string();
    EXPECT_EQ(io::writeQuotesFile(path, m, s, t), std::nullopt);
    return kav::test::readWhole(path);
}

// Everything of the file that changes the draw.
bool sameDraw(const QuotesFileContent& a, const QuotesFileContent& b) {
    return a.titles == b.titles && a.quotes == b.quotes && a.poolShares == b.poolShares &&
           a.drawCountry == b.drawCountry && a.settings.stakeText == b.settings.stakeText &&
           a.settings.stakeMinimum == b.settings.stakeMinimum;
}

} // namespace

TEST(HostileQuotesFile, EveryTruncationIsRefusedOrReadWhole) {
    const std::string bytes = quotesFileBytes();
    auto whole = io::parseQuotesFileBytes(bytes);
    ASSERT_TRUE(whole.has_value());

    DrawModel before;
    applyDefaultDraw(before);
    before.eventTitles[3] = "unchanged";
    int accepted = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        auto cut = io::parseQuotesFileBytes(std::string_view(bytes).substr(0, n));
        if (!cut)
            continue;
        ++accepted;
        // A file cut inside the window title or the totals line still carries
        // the whole draw; a cut anywhere earlier must be refused.
        EXPECT_TRUE(sameDraw(*cut, *whole)) << "cut at byte " << n;
    }
    EXPECT_GT(accepted, 0);
}

TEST(HostileQuotesFile, PathsThatAreNoFilesAreRefusedWithoutWaiting) {
    TempDir dir;
    auto plain = dir.write("plain.txt", "x");
    auto fifo = dir.path / "pipe.ctr";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto big = dir.write("big.ctr", quotesFileBytes() + std::string(io::kMaxQuotesFileBytes, ' '));
    for (const auto& path :
         {dir.path.string(), fifo.string(), (plain / "draw.ctr").string(), big.string(),
          std::string("/dev/zero"), std::string("/proc/self/mem")}) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(io::readQuotesFile(path).has_value()) << path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << path;
    }
}

TEST(HostileDrawPage, FiftyMegabytePageIsRefused) {
    test::LoopbackServer server;
    server.set("/big", {200, std::string(50u << 20, '<'), "text/html"});
    io::HttpRequest http(io::drawPageHttpOptions());
    auto start = std::chrono::steady_clock::now();
    auto page = io::downloadPageText(http, server.url() + "/big");
    EXPECT_FALSE(page.text.has_value());
    EXPECT_FALSE(page.error.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(HostileDrawPage, PageThatNeverEndsTimesOut) {
    // A server that keeps sending a page, a chunk every few milliseconds,
    // until the client goes or the test ends.
    httplib::Server server;
    std::atomic<bool> stopping{false};
    server.Get("/endless", [&](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/html", [&](std::size_t, httplib::DataSink& sink) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!stopping && std::chrono::steady_clock::now() < until) {
                if (!sink.write("<p>1 2 3</p>", 12))
                    return false;
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            sink.done();
            return true;
        });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));

    // The program's own page options must bound the wait at all.
    EXPECT_LE(io::drawPageHttpOptions().totalTimeout, std::chrono::seconds(60));
    io::HttpOptions quick = io::drawPageHttpOptions();
    quick.totalTimeout = std::chrono::milliseconds(500);
    io::HttpRequest http(quick);
    auto start = std::chrono::steady_clock::now();
    auto page = io::downloadPageText(http, "http://127.0.0.1:" + std::to_string(port) + "/endless");
    EXPECT_FALSE(page.text.has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    stopping = true;
    server.stop();
    thread.join();
}
