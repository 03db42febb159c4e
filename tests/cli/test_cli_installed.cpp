// `cmake --install`: both programs, the templates read-only under
// share/kavendix/Kombin (found by the installed programs wherever they are
// started), the man pages and a desktop entry that starts without a terminal.
#include "cli/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using kav::test::readWhole;
using kav::test::shellQuote;

#ifdef KAVENDIX_BUILD_DIR
TEST(Installation, PlacesTheProgramsTemplatesHelpAndMenuEntry) {
    kav::test::TempDir dir;
    const fs::path prefix = dir.path / "usr";
    const std::string install = shellQuote(KAVENDIX_CMAKE) + " --install " +
                                shellQuote(KAVENDIX_BUILD_DIR) + " --prefix " +
                                shellQuote(prefix.string()) + " >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);

    const fs::path kombin = prefix / "share/kavendix/Kombin";
    ASSERT_TRUE(fs::is_regular_file(kombin / "0-1-1-3.txt"));
    EXPECT_EQ(fs::status(kombin / "0-1-1-3.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    for (const char* file : {"share/man/man1/kavendix-cli.1.gz", "share/doc/kavendix/README.md",
                             "share/doc/kavendix/copyright", "share/doc/kavendix/changelog.gz"})
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;

    // Started from a folder without templates, the installed program finds its own.
    const fs::path elsewhere = dir.path / "elsewhere";
    fs::create_directories(elsewhere);
    const std::string summary = "cd " + shellQuote(elsewhere.string()) + " && " +
                                shellQuote((prefix / "bin/kavendix-cli").string()) +
                                " --select 1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1 summary "
                                "--category 13 >out 2>err";
    EXPECT_EQ(std::system(summary.c_str()), 0) << readWhole(elsewhere / "err");
    EXPECT_EQ(readWhole(elsewhere / "out"), "Всего вариантов по отмеченным исходам 12 (240 руб.)\n"
                                            "Число вариантов по системе 2 (40 руб.)\n");

#ifdef KAVENDIX_PROGRAM_PATH
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/man/man1/kavendix.1.gz"));
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/icons/hicolor/scalable/apps/kavendix.svg"));
    const std::string entry = readWhole(prefix / "share/applications/kavendix.desktop");
    for (const char* line : {"\nType=Application\n", "\nExec=kavendix %f\n", "\nIcon=kavendix\n",
                             "\nTerminal=false\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    const std::string version = "env -u DISPLAY -u QT_QPA_PLATFORM " +
                                shellQuote((prefix / "bin/kavendix").string()) + " --version >" +
                                shellQuote((elsewhere / "v").string());
    EXPECT_EQ(std::system(version.c_str()), 0);
    EXPECT_EQ(readWhole(elsewhere / "v"), "kavendix V1.4.2\n");
#endif
}
#endif
