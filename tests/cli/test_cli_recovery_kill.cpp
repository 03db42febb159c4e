// The desktop program killed while it asks to restore the work of a crashed
// session: the autosave it offers must outlive the kill, untouched, so that
// the next start offers the same work again.
#include "cli/cli_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#ifdef KAVENDIX_PROGRAM_PATH
TEST(DesktopProgramCrash, KillDuringTheRecoveryQuestionKeepsTheAutosave) {
    using kav::test::readWhole;
    using kav::test::shellQuote;
    namespace fs = std::filesystem;
    kav::test::TempDir dir;
    const fs::path data = dir.path / "data/Kavendix/kavendix";
    fs::create_directories(data);
    const fs::path autosave = data / "autosave.kvp";
    auto saved = kav::test::runCli({"--select", "1X2,1,1,1,1,1,1,1,1,1,1,1,1,1,1", "--bets",
                                    dir.write("bets.txt", "20;1-(1,X).\n").string(), "save-project",
                                    "-o", autosave.string()});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const std::string named = (dir.path / "named.kvp").string();
    dir.write("data/Kavendix/kavendix/autosave.origin", named);
    const std::string work = readWhole(autosave);

    // Each start finds the server down (a draw-download failure comes in
    // while the question is open) and is killed after the old autosave
    // timer would have fired.
    for (int start = 0; start < 2; ++start) {
        const fs::path pidFile = dir.path / "pid";
        const std::string run =
            "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME=" +
            shellQuote(dir.path.string()) +
            " XDG_DATA_HOME=" + shellQuote((dir.path / "data").string()) +
            " XDG_CONFIG_HOME=" + shellQuote((dir.path / "config").string()) + " " +
            shellQuote(KAVENDIX_PROGRAM_PATH) +
            " --no-update-check --data-server http://127.0.0.1:9/ >/dev/null 2>&1 & echo $! >" +
            shellQuote(pidFile.string());
        ASSERT_EQ(std::system(run.c_str()), 0);
        const pid_t pid = std::stoi(readWhole(pidFile));
        std::this_thread::sleep_for(std::chrono::seconds(start == 0 ? 5 : 2));
        ASSERT_EQ(::kill(pid, 0), 0) << "the program ended before it was killed";
        ::kill(pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_TRUE(fs::exists(autosave)) << "start " << start;
        EXPECT_EQ(readWhole(autosave), work);
        EXPECT_EQ(readWhole(data / "autosave.origin"), named);
    }
}
#endif
