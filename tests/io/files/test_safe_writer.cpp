// The safe writer under kill -9: the target holds its old or its new bytes,
// never a mixture, and what the killed writers left is removed by the next
// save in the folder, except the file of a writer that is still running.
#include "io/files/text_file.h"

#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using kav::test::contents;

namespace {

int tempFilesIn(const fs::path& dir) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += kav::io::isSafeWriterTempName(e.path().filename().string());
    return n;
}

// A child that saves `bytes` piece by piece; `ready` gets a byte once the
// first piece is written, and `hold` keeps it from committing until killed.
pid_t startSaving(const fs::path& path, const std::string& bytes, int ready, bool hold) {
    const pid_t child = ::fork();
    if (child == 0) {
        kav::io::SafeFileWriter w(path.string());
        for (std::size_t at = 0; at < bytes.size(); at += 1 << 20) {
            w.write(std::string_view(bytes).substr(at, 1 << 20));
            if (at == 0 && ::write(ready, "r", 1) != 1)
                ::_exit(1);
        }
        while (hold)
            ::pause();
        ::_exit(w.commit() ? 1 : 0);
    }
    return child;
}

} // namespace

TEST(SafeWriter, SavesKilledMidwayLeaveNoStrayTempFileAfterTheNextSave) {
    const fs::path dir = kav::test::tempPath("killed-saves");
    fs::create_directories(dir);
    const fs::path project = dir / "project.kvp";
    ASSERT_EQ(kav::io::writeFileBytes(project.string(), "old"), std::nullopt);
    const std::string big(24u << 20, 'k');
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    std::mt19937 rng(7);
    for (int i = 0; i < 20; ++i) {
        const pid_t child = startSaving(project, big, pipeEnds[1], false);
        char c;
        ASSERT_EQ(::read(pipeEnds[0], &c, 1), 1);
        ::usleep(rng() % 20000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = contents(project);
        EXPECT_TRUE(now == "old" || now == big) << now.size();
    }
    EXPECT_GT(tempFilesIn(dir), 5) << "most saves were killed midway";
    // A writer still at work keeps its file.
    const pid_t running = startSaving(dir / "other.kvp", "piece", pipeEnds[1], true);
    char c;
    ASSERT_EQ(::read(pipeEnds[0], &c, 1), 1);
    ASSERT_EQ(kav::io::writeFileBytes((dir / "export.txt").string(), "x"), std::nullopt);
    EXPECT_EQ(tempFilesIn(dir), 1);
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
    EXPECT_EQ(kav::io::removeStaleTempFiles(dir.string()), 1) << "as at the program's start";
    EXPECT_EQ(tempFilesIn(dir), 0);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    fs::remove_all(dir);
}
