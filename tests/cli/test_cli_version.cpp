// --version and --help of both programs: they answer on the terminal, the
// desktop program also where no display exists.
#include "cli/cli_runner.h"

#include <gtest/gtest.h>

using kav::test::runCli;

TEST(CliVersion, NamesTheProgramAndItsVersion) {
    auto r = runCli({"--version"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Kavendix V1.4.2\n");
}

#ifdef KAVENDIX_PROGRAM_PATH
TEST(DesktopProgramCommandLine, HelpAndVersionNeedNoDisplayAndABadStartIsExplained) {
    using kav::test::readWhole;
    using kav::test::shellQuote;
    kav::test::TempDir dir;
    struct Case {
        const char* option;
        const char* part;
        int exitCode = 0;
        const char* stream = "out";
        const char* platform = "";
    } cases[] = {{"--version", "kavendix V1.4.2\n"},
                 {"-v", "kavendix V1.4.2\n"},
                 {"--help", "--update-server <URL>"},
                 {"-h", "--no-update-check"},
                 {"", "QT_QPA_PLATFORM=offscreen", 1, "err"},
                 {"--no-update-check x.kvp", "нет экрана", 1, "err"},
                 {"--bogus", "--update-server <URL>", 2, "err"},
                 {"--bogus", "bogus", 2, "err", "QT_QPA_PLATFORM=offscreen"}, // in either language
                 {"--archive", "--archive", 2, "err", "QT_QPA_PLATFORM=offscreen"}};
    for (const auto& c : cases) {
        const std::string run = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                std::string(c.platform) + " " + shellQuote(KAVENDIX_PROGRAM_PATH) +
                                " " + c.option + " >" + shellQuote((dir.path / "out").string()) +
                                " 2>" + shellQuote((dir.path / "err").string());
        const int status = std::system(run.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == c.exitCode)
            << c.option << ": " << status << readWhole(dir.path / "err");
        EXPECT_NE(readWhole(dir.path / c.stream).find(c.part), std::string::npos)
            << c.option << ": " << readWhole(dir.path / c.stream);
    }
}
#endif
