#include "io/update/update_check.h"

#include "support/loopback_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

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
    std::string error;   // after yes
    std::string refusal; // of the descriptor
    std::vector<std::string> arguments;
    bool quit = false;
};

Run runCheck(const io::UpdateSettings& s, bool answerYes) {
    Run r;
    io::UpdateHooks hooks;
    hooks.askYes = [&](const io::ReleaseDescriptor&) {
        ++r.asked;
        return answerYes;
    };
    hooks.reportError = [&](const std::string& e) { r.error = e; };
    hooks.noteRefusal = [&](const std::string& e) { r.refusal = e; };
    hooks.start = [&](const fs::path&, const fs::path&, const std::vector<std::string>& args) {
        ++r.started;
        r.arguments = args;
        return true;
    };
    r.quit = io::checkForUpdate(s, hooks);
    return r;
}

// What the folder holds besides the files named.
std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
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
    // The loopback server speaks plain HTTP; redirects stay HTTPS only.
    s.descriptorHttp.protocols = s.executableHttp.protocols = "http";
    return s;
}

const std::string kNewProgram("\x7F"
                              "ELF new program",
                              16);

io::ReleaseDescriptor describe(const std::string& exe, const std::string& version,
                               const std::string& minimum = "V1.0") {
    return {1, version, exe.size(), io::sha256Of(exe), "2026-12-08", minimum};
}

// Puts a release on the server: its descriptor, signed, and its executable.
void publish(LoopbackServer& server, const io::ReleaseDescriptor& d, const std::string& exe,
             const io::UpdateSecretKey& key = testKeys().secretKey) {
    const std::string text = io::releaseDescriptorText(d);
    server.set("/kavendix.release", {200, text, "text/plain"});
    server.set("/kavendix.release.sig", {200, signedBy(key, text), "text/plain"});
    server.set("/kavendix.exe", {200, exe, "application/octet-stream"});
}

} // namespace

TEST(UpdateCheck, AsksOnlyForAVerifiedStrictlyNewerVersion) {
    struct Case {
        std::string version, minimum;
        bool asked;
        std::string refusal;
    } cases[] = {
        {"V1.4.2", "V1.0", false, ""},       {"V1.4.3", "V1.0", true, ""},
        {"V1.10", "V1.4", true, ""},         {"v1.5", "v1.4.2", true, ""},
        {"V1.4.2a", "V1", true, ""},         {"V1.4.1", "V1.0", false, "не новее"},
        {"V1.0", "V1.0", false, "не новее"}, {"V1.5", "V1.4.3", false, "только поверх V1.4.3"}};
    for (const auto& c : cases) {
        LoopbackServer server;
        publish(server, describe(kNewProgram, c.version, c.minimum), kNewProgram);
        TempFolder dir;
        auto r = runCheck(settingsFor(server.url(), dir.path), false);
        EXPECT_EQ(r.asked, c.asked ? 1 : 0) << c.version;
        EXPECT_NE(r.refusal.find(c.refusal), std::string::npos) << c.version << r.refusal;
        EXPECT_EQ(r.refusal.empty(), c.refusal.empty()) << c.version << r.refusal;
        EXPECT_FALSE(r.quit);
        EXPECT_TRUE(filesIn(dir.path).empty()) << "nothing is written before yes";
        EXPECT_EQ(server.hits("/kavendix.exe"), 0);
    }
}

TEST(UpdateCheck, YesDownloadsWritesTheScriptAndStartsItWithTheArguments) {
    LoopbackServer server;
    publish(server, describe(kNewProgram, "V1.5"), kNewProgram);
    TempFolder dir;
    auto s = settingsFor(server.url(), dir.path);
    s.arguments = {"--data-server", "https://x y", "my project.kvp"};
    auto r = runCheck(s, true);
    EXPECT_TRUE(r.quit);
    EXPECT_EQ(r.started, 1);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.arguments, s.arguments);
    EXPECT_EQ(filesIn(dir.path), (std::vector<std::string>{"kavendi_.exe", "updkvx.sh"}));
    EXPECT_EQ(contents(dir.path / "kavendi_.exe"), kNewProgram);
    std::string script = contents(dir.path / "updkvx.sh");
    auto order = {"rm -f updkvx.sh",
                  "sleep 5",
                  "mv -f 'kavendix' 'kavendix.old'",
                  "rm -f Update.ini updkvx.ini",
                  "mv -f kavendi_.exe 'kavendix'",
                  "sleep 10",
                  "./'kavendix' \"$@\"",
                  "rm -f \"$status\" 'kavendix.old'"};
    std::size_t at = 0;
    for (const char* step : order) {
        auto found = script.find(step, at);
        ASSERT_NE(found, std::string::npos) << step << " in\n" << script;
        at = found;
    }
    EXPECT_EQ(script.find('\r'), std::string::npos);
}

TEST(UpdateCheck, FailuresAfterYesAreReportedAndNothingStays) {
    struct Case {
        const char* name;
        LoopbackServer::Reply exe;
        std::string reason;
    } cases[] = {{"missing", {404, "", "text/plain"}, "Не удалось загрузить"},
                 {"empty", {200, "", "application/octet-stream"}, "не совпадает"}};
    for (const auto& c : cases) {
        LoopbackServer server;
        publish(server, describe(kNewProgram, "V2"), kNewProgram);
        server.set("/kavendix.exe", c.exe);
        TempFolder dir;
        auto r = runCheck(settingsFor(server.url(), dir.path), true);
        EXPECT_FALSE(r.quit) << c.name;
        EXPECT_EQ(r.started, 0) << c.name;
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << c.name << r.error;
        EXPECT_TRUE(filesIn(dir.path).empty()) << c.name;
    }
}

TEST(UpdateCheck, AnUnreachableOrSlowServerCostsAtMostThreeSeconds) {
    LoopbackServer slow;
    slow.set("/kavendix.release", {200, "V9", "text/plain", std::chrono::milliseconds(8000)});
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

TEST(UpdateCheck, AnUnwritableFolderIsReportedAfterYes) {
    LoopbackServer server;
    publish(server, describe(kNewProgram, "V9"), kNewProgram);
    auto r = runCheck(settingsFor(server.url(), "/nonexistent/kavendix"), true);
    EXPECT_EQ(r.asked, 1);
    EXPECT_FALSE(r.quit);
    EXPECT_NE(r.error.find("Не удалось записать"), std::string::npos) << r.error;
}

TEST(UpdateCheck, AnInstalledProgramIsLeftToThePackageManager) {
    LoopbackServer server;
    publish(server, describe(kNewProgram, "V9"), kNewProgram);
    TempFolder dir;
    fs::create_directories(dir.path / "bin");
    auto s = settingsFor(server.url(), dir.path / "bin");
    s.installed = false;
    EXPECT_EQ(runCheck(s, false).asked, 1) << "a program in its build folder asks";
    fs::create_directories(dir.path / "share/kavendix/Kombin");
    s = settingsFor(server.url(), dir.path / "bin");
    EXPECT_TRUE(s.installed);
    EXPECT_EQ(runCheck(s, true).asked, 0);
    EXPECT_EQ(server.hits("/kavendix.release"), 1);
}

TEST(UpdateCheck, StartDetachedRunsTheScriptInItsFolderWithTheArguments) {
    TempFolder dir;
    std::ofstream(dir.path / "s.sh") << "echo \"ran $#: $2\" > marker\n";
    ASSERT_TRUE(io::startDetached(dir.path / "s.sh", dir.path, {"a", "b c"}));
    // The shell creates the file before it writes into it: wait for the text.
    for (int i = 0; i < 500 && contents(dir.path / "marker") != "ran 2: b c\n"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(contents(dir.path / "marker"), "ran 2: b c\n");
}

TEST(UpdateDescriptor, ReadsOnlyAWholeWellFormedDescriptor) {
    const io::ReleaseDescriptor d = describe(kNewProgram, "V1.10.0", "v1.4.2");
    const std::string text = io::releaseDescriptorText(d);
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(io::readReleaseDescriptor(text).descriptor, d);
    EXPECT_EQ(io::readReleaseDescriptor(crlf + "\r\n").descriptor, d);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const std::pair<std::string, std::string> bad[] = {
        {"", "нет заголовка"},
        {replaced("format=1", "format=2"), "в формате 2"},
        {replaced("date=2026-12-08\n", ""), "нет поля date"},
        {text + "size=16\n", "size дважды"},
        {text + "notes=x\n", "неизвестное поле notes"},
        {replaced("version=V1.10.0", "version=1.x"), "версия"},
        {replaced("size=16", "size=0"), "размер"},
        {replaced("sha256=", "sha256=0"), "SHA-256"},
        {replaced("2026-12-08", "2026-13-08"), "дата"},
        {replaced("\nminimum", "\nminimum "), "неизвестное поле"},
    };
    for (const auto& [t, reason] : bad) {
        auto r = io::readReleaseDescriptor(t);
        EXPECT_FALSE(r.descriptor) << t;
        EXPECT_NE(r.error.find(reason), std::string::npos) << t << r.error;
    }
}

TEST(SignedUpdate, TheReleaseToolsDescriptorIsAccepted) {
    // Described and signed by the publisher's tool with the secret key file, as a release is.
    TempFolder dir;
    std::ofstream(dir.path / "release", std::ios::binary) << kNewProgram;
    const std::string keys = KAVENDIX_TEST_UPDATE_KEYS;
    const std::string tool = std::string(KAVENDIX_SIGN_RELEASE) + " ";
    const std::string exe = "'" + (dir.path / "release").string() + "'";
    const std::string desc = "'" + (dir.path / "kavendix.release").string() + "'";
    for (const std::string& cmd :
         {tool + "release '" + keys + "/test.key' " + exe + " V1.5 V1.4 >/dev/null",
          tool + "check '" + keys + "/test.pub' " + desc + " " + exe + " >/dev/null"})
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::ofstream(dir.path / "release", std::ios::app) << "x";
    const std::string check =
        tool + "check '" + keys + "/test.pub' " + desc + " " + exe + " 2>/dev/null";
    EXPECT_NE(std::system(check.c_str()), 0) << "a changed executable fails the check";
    EXPECT_EQ(contents(dir.path / "updkvx.ini"), "V1.5\r\n") << "for older programs";
    EXPECT_TRUE(io::parseSignatureFile(contents(dir.path / "release.sig")));
    LoopbackServer server;
    server.set("/kavendix.release", {200, contents(dir.path / "kavendix.release"), "text/plain"});
    server.set("/kavendix.release.sig",
               {200, contents(dir.path / "kavendix.release.sig"), "text/plain"});
    server.set("/kavendix.exe", {200, kNewProgram, "application/octet-stream"});
    TempFolder folder;
    auto r = runCheck(settingsFor(server.url(), folder.path), true);
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.quit);
    EXPECT_EQ(contents(folder.path / "kavendi_.exe"), kNewProgram);
}

TEST(SignedUpdate, AnUpdateThatDoesNotVerifyIsRefusedAndNothingIsKept) {
    const auto& key = testKeys().secretKey;
    std::string changed = kNewProgram;
    changed[8] ^= 1;
    const std::string big(1u << 20, 'x');
    struct Case {
        const char* name;
        io::ReleaseDescriptor descriptor;
        std::string exe;    // what the server sends
        std::string reason; // a part of the refusal or the error
        bool asked = true;
        std::size_t maxBytes = 1u << 20;
        std::function<void(LoopbackServer&)> tamper = nullptr;
    } cases[] = {
        {"descriptor unsigned", describe(kNewProgram, "V9"), kNewProgram, "без верной подписи",
         false, 1u << 20,
         [](LoopbackServer& s) {
             s.set("/kavendix.release.sig", {404, ""});
         }},
        {"descriptor signed by another key", describe(kNewProgram, "V9"), kNewProgram,
         "без верной подписи", false, 1u << 20,
         [](LoopbackServer& s) {
             const std::string text = io::releaseDescriptorText(describe(kNewProgram, "V9"));
             s.set("/kavendix.release.sig",
                   {200, signedBy(io::makeUpdateKeyPair().secretKey, text), "text/plain"});
         }},
        {"an older signed build offered as newer", describe(kNewProgram, "V1.4.1"), kNewProgram,
         "без верной подписи", false, 1u << 20,
         [](LoopbackServer& s) {
             s.set("/kavendix.release",
                   {200, io::releaseDescriptorText(describe(kNewProgram, "V9.9")), "text/plain"});
         }},
        {"hash differs", describe(kNewProgram, "V9"), changed, "SHA-256"},
        {"cut short", describe(kNewProgram, "V9"), kNewProgram.substr(0, 10), "не совпадает"},
        {"longer than described", describe(kNewProgram, "V9"), kNewProgram + big,
         "больше, чем в подписанном"},
        {"described over the cap", describe(big, "V9"), big, "больше 64 байт", true, 64},
    };
    for (const auto& c : cases) {
        LoopbackServer server;
        publish(server, c.descriptor, c.exe, key);
        if (c.tamper)
            c.tamper(server);
        TempFolder dir;
        std::ofstream(dir.path / "kavendix", std::ios::binary) << "old program";
        auto s = settingsFor(server.url(), dir.path);
        s.executableHttp.maxBodyBytes = c.maxBytes;
        std::int64_t mostReceived = 0;
        auto r = runCheck(s, true);
        EXPECT_EQ(r.asked, c.asked ? 1 : 0) << c.name;
        EXPECT_FALSE(r.quit) << c.name;
        EXPECT_EQ(r.started, 0) << c.name;
        const std::string& why = c.asked ? r.error : r.refusal;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
        EXPECT_EQ(filesIn(dir.path), std::vector<std::string>{"kavendix"}) << c.name;
        EXPECT_EQ(contents(dir.path / "kavendix"), "old program") << c.name;
        if (c.maxBytes == 64) {
            EXPECT_EQ(server.hits("/kavendix.exe"), 0) << c.name;
        }
        if (c.exe.size() > kNewProgram.size() && c.asked) {
            // Refused by the declared length: the body is never taken.
            auto d = c.descriptor;
            auto p = io::prepareUpdate(s, d, [&](std::int64_t got, std::int64_t) {
                mostReceived = std::max(mostReceived, got);
                return true;
            });
            EXPECT_FALSE(p.script) << c.name;
            EXPECT_LT(mostReceived, 64 << 10) << c.name;
        }
    }
}

TEST(SignedUpdate, DownloadsAreHttpsOnlyAndACancelLeavesNothing) {
    const std::string big(8u << 20, 'b');
    LoopbackServer server;
    publish(server, describe(big, "V9"), big);
    TempFolder dir;
    // The program's own settings refuse a plain address outright.
    auto strict = settingsFor(server.url(), dir.path);
    strict.descriptorHttp.protocols = "https";
    auto r = runCheck(strict, true);
    EXPECT_EQ(r.asked, 0);
    EXPECT_NE(r.refusal.find("не загружено"), std::string::npos) << r.refusal;
    EXPECT_EQ(server.hits("/kavendix.release"), 0);
    // A redirect to plain HTTP is not followed.
    const auto s = settingsFor(server.url(), dir.path);
    server.set("/kavendix.exe", {302, "", "text/plain", {}, server.url() + "/plain.exe"});
    server.set("/plain.exe", {200, big, "application/octet-stream"});
    auto redirected = io::prepareUpdate(s, describe(big, "V9"));
    EXPECT_FALSE(redirected.script);
    EXPECT_EQ(server.hits("/plain.exe"), 0);
    // Cancelled part way: the partial download goes.
    server.set("/kavendix.exe", {200, big, "application/octet-stream"});
    std::int64_t seen = 0;
    auto cancelled = io::prepareUpdate(s, describe(big, "V9"), [&](std::int64_t got, std::int64_t) {
        seen = got;
        return got < (1 << 20);
    });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.script);
    EXPECT_GE(seen, 1 << 20);
    EXPECT_TRUE(filesIn(dir.path).empty());
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
    const std::string run = "sh '" + (dir / "updkvx.sh").string() + "' -a 'b c' >/dev/null 2>&1";
    std::system(run.c_str());
}

void writeProgram(const fs::path& file, const std::string& body) {
    std::ofstream(file, std::ios::binary) << body;
    fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
}

} // namespace

TEST(ReplaceScript, KeepsTheOldProgramUntilTheNewOneHasStartedAndLeavesNoUpdateFile) {
    const std::string oldProgram = "#!/bin/sh\necho old \"$2\" >> ran\n";
    struct Case {
        const char* name;
        std::string newProgram;
        bool replaced;
        std::string ran; // what the programs wrote, in order
    } cases[] = {
        {"starts", "#!/bin/sh\necho new \"$2\" >> ran\n", true, "new b c\n"},
        {"ends with a failure", "#!/bin/sh\necho broken >> ran\nexit 3\n", false,
         "broken\nold b c\n"},
        {"cannot be run",
         "\x7F"
         "ELF garbage",
         false, "old b c\n"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        writeProgram(dir.path / "kavendix", oldProgram);
        std::ofstream(dir.path / "kavendi_.exe", std::ios::binary) << c.newProgram;
        std::ofstream(dir.path / "updkvx.ini") << "V1.5\r\n";
        runReplaceScript(dir.path);
        // The restored old program runs in the script's place: wait for it.
        for (int i = 0; i < 200 && contents(dir.path / "ran") != c.ran; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(contents(dir.path / "ran"), c.ran) << c.name;
        EXPECT_EQ(contents(dir.path / "kavendix"), c.replaced ? c.newProgram : oldProgram)
            << c.name;
        EXPECT_EQ(filesIn(dir.path), (std::vector<std::string>{"kavendix", "ran"})) << c.name;
    }
}
