#include "io/update_check.h"

#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace kav;
using kav::test::LoopbackServer;
namespace fs = std::filesystem;

namespace {

struct TempFolder {
    fs::path path;
    TempFolder() {
        path = fs::temp_directory_path() /
               ("kavendix-update-" + std::to_string(::getpid()) + "-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Run {
    int asked = 0;
    int started = 0;
    std::string error;
    bool quit = false;
};

Run runCheck(const io::UpdateSettings& s, bool answerYes) {
    Run r;
    io::UpdateHooks hooks;
    hooks.askYes = [&] {
        ++r.asked;
        return answerYes;
    };
    hooks.reportError = [&](const std::string& e) { r.error = e; };
    hooks.start = [&](const fs::path&, const fs::path&) {
        ++r.started;
        return true;
    };
    r.quit = io::checkForUpdate(s, hooks);
    return r;
}

io::UpdateSettings settingsFor(const std::string& server, const fs::path& folder) {
    auto s = io::defaultUpdateSettings(server);
    s.folder = folder;
    s.executableName = "kavendix";
    return s;
}

} // namespace

TEST(UpdateCheck, AsksOnlyForANewerVersion) {
    struct Case {
        std::string descriptor;
        bool asked;
    } cases[] = {{"V1.4.2\r\nnotes", false}, {"V1.4.3\r\n", true}, {"V1.10", false},
                 {"\r\nV9", false},          {"v1.0", true},       {"V1.4.2a\n", true}};
    for (const auto& c : cases) {
        LoopbackServer server;
        server.set("/updkvx.ini", {200, c.descriptor, "text/plain"});
        TempFolder dir;
        auto r = runCheck(settingsFor(server.url(), dir.path), false);
        EXPECT_EQ(r.asked, c.asked ? 1 : 0) << c.descriptor;
        EXPECT_FALSE(r.quit);
        EXPECT_EQ(r.started, 0);
        EXPECT_EQ(contents(dir.path / "updkvx.ini"), c.descriptor) << "the descriptor stays";
        EXPECT_EQ(server.hits("/kavendix.exe"), 0);
    }
}

TEST(UpdateCheck, YesDownloadsWritesTheScriptAndStartsIt) {
    LoopbackServer server;
    server.set("/updkvx.ini", {200, "V1.5\r\n", "text/plain"});
    server.set("/kavendix.exe", {200,
                                 std::string("\x7F"
                                             "ELF new program",
                                             16),
                                 "application/octet-stream"});
    TempFolder dir;
    auto r = runCheck(settingsFor(server.url(), dir.path), true);
    EXPECT_TRUE(r.quit);
    EXPECT_EQ(r.started, 1);
    EXPECT_EQ(r.error, "");
    EXPECT_FALSE(fs::exists(dir.path / "updkvx.ini"));
    EXPECT_EQ(contents(dir.path / "kavendi_.exe"), std::string("\x7F"
                                                               "ELF new program",
                                                               16));
    std::string script = contents(dir.path / "updkvx.sh");
    auto order = {"sleep 5",          "rm -f 'kavendix'",
                  "rm -f Update.ini", "mv -f kavendi_.exe 'kavendix'",
                  "sleep 10",         "exec ./'kavendix'"};
    std::size_t at = 0;
    for (const char* step : order) {
        auto found = script.find(step, at);
        ASSERT_NE(found, std::string::npos) << step << " in\n" << script;
        at = found;
    }
    EXPECT_EQ(script.find('\r'), std::string::npos);
}

TEST(UpdateCheck, FailuresAfterYesAreReportedAndNothingRuns) {
    struct Case {
        const char* name;
        LoopbackServer::Reply exe;
    } cases[] = {{"missing", {404, "", "text/plain"}},
                 {"empty", {200, "", "application/octet-stream"}}};
    for (const auto& c : cases) {
        LoopbackServer server;
        server.set("/updkvx.ini", {200, "V2", "text/plain"});
        server.set("/kavendix.exe", c.exe);
        TempFolder dir;
        auto r = runCheck(settingsFor(server.url(), dir.path), true);
        EXPECT_FALSE(r.quit) << c.name;
        EXPECT_EQ(r.started, 0) << c.name;
        EXPECT_NE(r.error, "") << c.name;
        EXPECT_FALSE(fs::exists(dir.path / "updkvx.sh")) << c.name;
    }
}

TEST(UpdateCheck, AnUnreachableOrSlowServerCostsAtMostThreeSeconds) {
    LoopbackServer slow;
    slow.set("/updkvx.ini", {200, "V9", "text/plain", std::chrono::milliseconds(8000)});
    std::string dead;
    {
        LoopbackServer gone;
        dead = gone.url();
    }
    for (const auto& url : {slow.url(), dead}) {
        TempFolder dir;
        auto start = std::chrono::steady_clock::now();
        auto r = runCheck(settingsFor(url, dir.path), true);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << url;
        EXPECT_EQ(r.asked, 0) << url;
        EXPECT_FALSE(r.quit);
    }
}

TEST(UpdateCheck, AnUnwritableFolderEndsTheCheckSilently) {
    LoopbackServer server;
    server.set("/updkvx.ini", {200, "V9", "text/plain"});
    auto r = runCheck(settingsFor(server.url(), "/nonexistent/kavendix"), true);
    EXPECT_EQ(r.asked, 0);
}

TEST(UpdateCheck, StartDetachedRunsTheScriptInItsFolder) {
    TempFolder dir;
    std::ofstream(dir.path / "s.sh") << "echo ran > marker\n";
    ASSERT_TRUE(io::startDetached(dir.path / "s.sh", dir.path));
    for (int i = 0; i < 200 && !fs::exists(dir.path / "marker"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(contents(dir.path / "marker"), "ran\n");
}

TEST(UpdateDescriptor, NamesTheVersionOnItsFirstLine) {
    EXPECT_EQ(kav::io::descriptorVersion("V1.4.3\r\nnotes\r\n"), "V1.4.3");
    EXPECT_EQ(kav::io::descriptorVersion("V1.4.3"), "V1.4.3");
    EXPECT_EQ(kav::io::descriptorVersion(""), "");
    EXPECT_EQ(kav::io::descriptorVersion("\r\nV9"), "");
}
