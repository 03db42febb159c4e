#include "cli/cli_runner.h"

#include <gtest/gtest.h>

using kav::test::readWhole;
using kav::test::runCli;
using kav::test::TempDir;

namespace {

const std::string kSelect = "1X,2,1,X2,1X2,1,1,1,1,1,1,1,1,1,1";
const std::string kSingle =
    "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
    "13-(1);14-(1);15-(2).";

std::string writeFile(const TempDir& dir, const std::string& name, const std::string& text) {
    const std::string path = (dir.path / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

// The state built from options and saved is the state --project brings back:
// every command gives the same output from the file as from the options.
TEST(CliProject, SavedStateDrivesEveryCommandLikeTheOptions) {
    TempDir dir;
    const std::string bets = writeFile(dir, "bets.txt", kSingle + "\n");
    const std::string project = (dir.path / "p.kvp").string();
    const std::vector<std::string> state = {"--select",  kSelect, "--stake",     "25,5",
                                            "--bets",    bets,    "--forced",    "1X2____________",
                                            "--country", "ua",    "--start-with"};
    auto args = state;
    args.insert(args.end(), {"save-project", "-o", project});
    const auto saved = runCli(args);
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(saved.out, "");

    const std::vector<std::vector<std::string>> commands = {
        {"parse"},
        {"all"},
        {"summary", "--category", "13"},
        {"sensation", "--lo", "0", "--hi", "2"},
        {"random", "--dist", "2", "--repeat", "3"},
        {"autoform", "--category", "13", "--limit", "5"},
    };
    for (const auto& command : commands) {
        auto fromOptions = state;
        fromOptions.insert(fromOptions.end(), {"--seed", "7"});
        fromOptions.insert(fromOptions.end(), command.begin(), command.end());
        std::vector<std::string> fromProject = {"--project", project, "--seed", "7"};
        fromProject.insert(fromProject.end(), command.begin(), command.end());
        const auto a = runCli(fromOptions);
        const auto b = runCli(fromProject);
        EXPECT_EQ(a.exitCode, b.exitCode) << command[0] << ": " << b.err;
        EXPECT_EQ(a.out, b.out) << command[0];
    }

    // Saved again from the project alone, the file is byte for byte the same.
    const std::string again = (dir.path / "again.kvp").string();
    ASSERT_EQ(runCli({"--project", project, "save-project", "-o", again}).exitCode, 0);
    EXPECT_EQ(readWhole(again), readWhole(project));
}

// Options given with --project override its parts; a command's own options
// that were not typed take the project's mode settings.
TEST(CliProject, OptionsOverrideTheProjectAndCommandsTakeItsSettings) {
    TempDir dir;
    const std::string project = writeFile(dir, "p.kvp", R"({
        "format": "kavendix-project", "version": 1,
        "draw": {"country": "ru", "events": [
            {"marked": "1X"}, {"marked": "1"}, {"marked": "1"}, {"marked": "1"}, {"marked": "1"},
            {"marked": "1"}, {"marked": "1"}, {"marked": "1"}, {"marked": "1"}, {"marked": "1"},
            {"marked": "1"}, {"marked": "1"}, {"marked": "1"}, {"marked": "1"}, {"marked": "X2"}]},
        "mode": "brief", "brief": {"category": 14},
        "stake": {"perBet": "30", "minimum": "20"},
        "bets": ""})");
    const auto all = runCli({"--project", project, "all"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out.rfind("120.00;", 0), 0u) << all.out; // 4 variants at the project's 30
    const auto cheaper = runCli({"--project", project, "--stake", "20", "all"});
    EXPECT_EQ(cheaper.out.rfind("80.00;", 0), 0u) << cheaper.out;
    const auto summary = runCli({"--project", project, "summary"});
    const auto explicitSummary =
        runCli({"--project", project, "summary", "--category", "14", "--mode", "0"});
    EXPECT_EQ(summary.exitCode, 0) << summary.err;
    EXPECT_EQ(summary.out, explicitSummary.out);
    // Without a project the category stays required.
    EXPECT_EQ(runCli({"summary"}).exitCode, 2);
}

TEST(CliProject, UnreadableProjectIsAUsageErrorWithTheReason) {
    TempDir dir;
    const std::string broken =
        writeFile(dir, "broken.kvp", R"({"format": "kavendix-project", "ver)");
    auto r = runCli({"--project", broken, "parse"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("повреждён"), std::string::npos) << r.err;
    const std::string newer =
        writeFile(dir, "newer.kvp", R"({"format": "kavendix-project", "version": 9})");
    r = runCli({"--project", newer, "parse"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("более новой версией"), std::string::npos) << r.err;
    r = runCli({"--project", (dir.path / "missing.kvp").string(), "parse"});
    EXPECT_EQ(r.exitCode, 2);
    // A project that cannot be written is a message, exit 1.
    r = runCli({"save-project", "-o", (dir.path / "no" / "such" / "p.kvp").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Не удалось записать"), std::string::npos) << r.err;
}
