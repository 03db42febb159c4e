#include "io/update/update_check.h"

#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <thread>

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

// The throw-away key pair the build made for these tests.
const io::UpdateKeyPair& testKeys() {
    static const io::UpdateKeyPair keys = [] {
        io::UpdateKeyPair k;
        const fs::path dir = KAVENDIX_TEST_UPDATE_KEYS;
        k.publicKey = io::parsePublicKey(contents(dir / "test.pub")).value();
        k.secretKey = io::parseSecretKey(contents(dir / "test.key")).value();
        return k;
    }();
    return keys;
}

std::string signedBy(const io::UpdateSecretKey& key, const std::string& data) {
    return io::signatureFileText(io::signUpdate(data, key));
}

io::UpdateSettings settingsFor(const std::string& server, const fs::path& folder) {
    auto s = io::defaultUpdateSettings(server);
    s.folder = folder;
    s.installed = fs::is_directory(folder.parent_path() / "share/kavendix");
    s.executableName = "kavendix";
    s.publicKey = testKeys().publicKey;
    return s;
}

const std::string kNewProgram("\x7F"
                              "ELF new program",
                              16);

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
    server.set("/kavendix.exe", {200, kNewProgram, "application/octet-stream"});
    server.set("/kavendix.exe.sig",
               {200, signedBy(testKeys().secretKey, kNewProgram), "text/plain"});
    TempFolder dir;
    auto r = runCheck(settingsFor(server.url(), dir.path), true);
    EXPECT_TRUE(r.quit);
    EXPECT_EQ(r.started, 1);
    EXPECT_EQ(r.error, "");
    EXPECT_FALSE(fs::exists(dir.path / "updkvx.ini"));
    EXPECT_EQ(contents(dir.path / "kavendi_.exe"), kNewProgram);
    std::string script = contents(dir.path / "updkvx.sh");
    auto order = {"sleep 5",
                  "mv -f 'kavendix' 'kavendix.old'",
                  "rm -f Update.ini",
                  "mv -f kavendi_.exe 'kavendix'",
                  "sleep 10",
                  "./'kavendix'",
                  "rm -f \"$status\" 'kavendix.old'"};
    std::size_t at = 0;
    for (const char* step : order) {
        auto found = script.find(step, at);
        ASSERT_NE(found, std::string::npos) << step << " in\n" << script;
        at = found;
    }
    EXPECT_EQ(script.find("rm -f 'kavendix'\n"), std::string::npos) << "the old program is kept";
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

TEST(UpdateCheck, AnInstalledProgramIsLeftToThePackageManager) {
    LoopbackServer server;
    server.set("/updkvx.ini", {200, "V9", "text/plain"});
    TempFolder dir;
    fs::create_directories(dir.path / "bin");
    auto s = settingsFor(server.url(), dir.path / "bin");
    s.installed = false;
    EXPECT_EQ(runCheck(s, false).asked, 1) << "a program in its build folder asks";
    fs::create_directories(dir.path / "share/kavendix/Kombin");
    s = settingsFor(server.url(), dir.path / "bin");
    EXPECT_TRUE(s.installed);
    EXPECT_EQ(runCheck(s, true).asked, 0);
    EXPECT_EQ(server.hits("/updkvx.ini"), 1);
}

TEST(UpdateCheck, StartDetachedRunsTheScriptInItsFolder) {
    TempFolder dir;
    std::ofstream(dir.path / "s.sh") << "echo ran > marker\n";
    ASSERT_TRUE(io::startDetached(dir.path / "s.sh", dir.path));
    // The shell creates the file before it writes into it: wait for the text.
    for (int i = 0; i < 500 && contents(dir.path / "marker") != "ran\n"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(contents(dir.path / "marker"), "ran\n");
}

TEST(UpdateDescriptor, NamesTheVersionOnItsFirstLine) {
    EXPECT_EQ(kav::io::descriptorVersion("V1.4.3\r\nnotes\r\n"), "V1.4.3");
    EXPECT_EQ(kav::io::descriptorVersion("V1.4.3"), "V1.4.3");
    EXPECT_EQ(kav::io::descriptorVersion(""), "");
    EXPECT_EQ(kav::io::descriptorVersion("\r\nV9"), "");
}

TEST(SignedUpdate, TheReleaseToolsSignatureIsAccepted) {
    // Signed by the publisher's tool with the secret key file, as a release is.
    TempFolder dir;
    std::ofstream(dir.path / "release", std::ios::binary) << kNewProgram;
    const std::string sign = std::string(KAVENDIX_SIGN_RELEASE) + " sign '" +
                             KAVENDIX_TEST_UPDATE_KEYS + "/test.key' '" +
                             (dir.path / "release").string() + "'";
    ASSERT_EQ(std::system(sign.c_str()), 0) << sign;
    LoopbackServer server;
    server.set("/updkvx.ini", {200, "V9", "text/plain"});
    server.set("/kavendix.exe", {200, kNewProgram, "application/octet-stream"});
    server.set("/kavendix.exe.sig", {200, contents(dir.path / "release.sig"), "text/plain"});
    auto r = runCheck(settingsFor(server.url(), dir.path), true);
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.quit);
    EXPECT_EQ(r.started, 1);
    EXPECT_EQ(contents(dir.path / "kavendi_.exe"), kNewProgram);
    EXPECT_TRUE(fs::exists(dir.path / "updkvx.sh"));
}

TEST(SignedUpdate, AnUpdateThatDoesNotVerifyIsRefusedAndNothingIsReplaced) {
    const auto& key = testKeys().secretKey;
    const std::string good = signedBy(key, kNewProgram);
    std::string changed = kNewProgram;
    changed[8] ^= 1;
    struct Case {
        const char* name;
        std::string exe;
        std::optional<std::string> signature; // nothing: the server has none
        std::string reason;                   // a part of the message
        std::size_t maxBytes = 1u << 20;
        bool withKey = true;
    } cases[] = {
        {"no signature", kNewProgram, std::nullopt, "не прислал подпись"},
        {"another key", kNewProgram, signedBy(io::makeUpdateKeyPair().secretKey, kNewProgram),
         "подпись не подходит"},
        {"changed after signing", changed, good, "подпись не подходит"},
        {"truncated", kNewProgram.substr(0, 10), good, "подпись не подходит"},
        {"oversize", kNewProgram + std::string(100, 'x'),
         signedBy(key, kNewProgram + std::string(100, 'x')), "больше 64 байт", 64},
        {"not a signature file", kNewProgram, "signature\n" + good, "файл подписи"},
        {"signature cut short", kNewProgram, good.substr(0, good.size() - 10), "файл подписи"},
        {"a build without a key", kNewProgram, good, "нет ключа", 1u << 20, false},
    };
    for (const auto& c : cases) {
        LoopbackServer server;
        server.set("/updkvx.ini", {200, "V9", "text/plain"});
        server.set("/kavendix.exe", {200, c.exe, "application/octet-stream"});
        if (c.signature)
            server.set("/kavendix.exe.sig", {200, *c.signature, "text/plain"});
        TempFolder dir;
        std::ofstream(dir.path / "kavendix", std::ios::binary) << "old program";
        auto s = settingsFor(server.url(), dir.path);
        s.executableHttp.maxBodyBytes = c.maxBytes;
        if (!c.withKey)
            s.publicKey.reset();
        auto r = runCheck(s, true);
        EXPECT_FALSE(r.quit) << c.name;
        EXPECT_EQ(r.started, 0) << c.name;
        EXPECT_NE(r.error.find("Обновление отклонено: "), std::string::npos) << c.name << r.error;
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << c.name << ": " << r.error;
        EXPECT_FALSE(fs::exists(dir.path / "kavendi_.exe")) << c.name;
        EXPECT_FALSE(fs::exists(dir.path / "updkvx.sh")) << c.name;
        EXPECT_EQ(contents(dir.path / "kavendix"), "old program") << c.name;
    }
}

TEST(SignatureFile, ReadsOnlyTheHeaderAndOneSignatureLine) {
    io::UpdateSignature sig{};
    for (std::size_t i = 0; i < sig.size(); ++i)
        sig[i] = static_cast<std::uint8_t>(i * 7);
    const std::string text = io::signatureFileText(sig);
    std::string crlf = text;
    crlf.insert(crlf.find('\n'), "\r");
    crlf.insert(crlf.rfind('\n'), "\r");
    std::string upper = text;
    for (std::size_t i = upper.find('\n') + 1; i < upper.size(); ++i)
        upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[i])));
    EXPECT_EQ(io::parseSignatureFile(text), sig);
    EXPECT_EQ(io::parseSignatureFile(crlf), sig);
    EXPECT_EQ(io::parseSignatureFile(upper), sig);
    EXPECT_EQ(io::parseSignatureFile(text + "\n\r\n"), sig);
    const std::string hex = text.substr(text.find('\n') + 1, 128);
    for (const std::string& bad :
         {std::string(), hex + "\n", text + "more\n", text.substr(0, text.size() - 2),
          std::string(io::kSignatureHeader) + "\n " + hex + "\n",
          std::string(io::kSignatureHeader) + "\n" + hex.substr(0, 127) + "g\n", " " + text})
        EXPECT_FALSE(io::parseSignatureFile(bad)) << bad;
}

namespace {

// Runs the replace script in `dir` with no waits but a second for the start.
void runReplaceScript(const fs::path& dir) {
    std::ofstream(dir / "updkvx.sh") << [] {
        std::string text;
        for (const auto& l : io::updateScriptLines("kavendix", {0, 0, 1}))
            text += l + '\n';
        return text;
    }();
    const std::string run = "sh '" + (dir / "updkvx.sh").string() + "' >/dev/null 2>&1";
    std::system(run.c_str());
}

void writeProgram(const fs::path& file, const std::string& body) {
    std::ofstream(file, std::ios::binary) << body;
    fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
}

} // namespace

TEST(ReplaceScript, KeepsTheOldProgramUntilTheNewOneHasStarted) {
    const std::string oldProgram = "#!/bin/sh\necho old >> ran\n";
    struct Case {
        const char* name;
        std::string newProgram;
        bool replaced;
        std::string ran; // what the programs wrote, in order
    } cases[] = {
        {"starts", "#!/bin/sh\necho new >> ran\n", true, "new\n"},
        {"ends with a failure", "#!/bin/sh\necho broken >> ran\nexit 3\n", false, "broken\nold\n"},
        {"cannot be run",
         "\x7F"
         "ELF garbage",
         false, "old\n"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        writeProgram(dir.path / "kavendix", oldProgram);
        std::ofstream(dir.path / "kavendi_.exe", std::ios::binary) << c.newProgram;
        runReplaceScript(dir.path);
        // The restored old program runs in the script's place: wait for it.
        for (int i = 0; i < 200 && contents(dir.path / "ran") != c.ran; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(contents(dir.path / "ran"), c.ran) << c.name;
        EXPECT_EQ(contents(dir.path / "kavendix"), c.replaced ? c.newProgram : oldProgram)
            << c.name;
        EXPECT_FALSE(fs::exists(dir.path / "kavendix.old")) << c.name;
        EXPECT_FALSE(fs::exists(dir.path / "kavendi_.exe")) << c.name;
    }
}
