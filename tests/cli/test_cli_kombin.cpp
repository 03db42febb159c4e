#include "cli/cli_runner.h"

#include <gtest/gtest.h>

using kav::test::runCli;
using kav::test::TempDir;

TEST(CliKombin, GenerateWritesTheTemplateFormatReproducibly) {
    std::vector<std::string> args{"kombin", "generate", "--doubles",   "1",         "--triples",
                                  "4",      "--hits",   "3",           "--seconds", "0.5",
                                  "--seed", "42",       "--no-library"};
    auto a = runCli(args);
    ASSERT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(runCli(args).out, a.out);
    // Five positions per row, CR LF after each, the double leftmost.
    ASSERT_GE(a.out.size(), 7u);
    EXPECT_EQ(a.out.substr(5, 2), "\r\n");
    for (std::size_t i = 0; i < a.out.size(); i += 7)
        EXPECT_NE(a.out[i], 'X') << a.out;
    EXPECT_NE(a.err.find("1-4-3-"), std::string::npos);
}

TEST(CliKombin, GenerateIntoAFolderThenVerify) {
    TempDir dir;
    auto g = runCli({"kombin", "generate", "--doubles", "0", "--triples", "4", "--hits", "3", "-o",
                     dir.path.string()});
    ASSERT_EQ(g.exitCode, 0) << g.err;
    EXPECT_EQ(g.out, (dir.path / "0-4-3-9.txt").string() + "\n");
    auto v = runCli({"kombin", "verify", dir.path.string()});
    EXPECT_EQ(v.exitCode, 0) << v.err;
    EXPECT_EQ(v.out, (dir.path / "0-4-3-9.txt").string() +
                         ": doubles 0, triples 4, hits 3, rows 9: guarantee holds\n");
}

TEST(CliKombin, GenerateOnOneCheckMatrixWithExchangeMoves) {
    TempDir dir;
    std::vector<std::string> args{
        "kombin", "generate",  "--doubles",    "0",          "--triples", "6",
        "--hits", "4",         "--no-library", "--seed",     "7",         "--seconds",
        "0.5",    "--columns", "11000",        "--exchange", "-o",        dir.path.string()};
    auto g = runCli(args);
    ASSERT_EQ(g.exitCode, 0) << g.err;
    EXPECT_NE(g.err.find("(matrix construction)"), std::string::npos) << g.err;
    auto v = runCli({"kombin", "verify", dir.path.string()});
    EXPECT_EQ(v.exitCode, 0) << v.out;
    EXPECT_NE(v.out.find("guarantee holds"), std::string::npos);
}

TEST(CliKombin, VerifyReportsEveryFileAndFailsOnOne) {
    TempDir dir;
    auto good = dir.write("3-0-2-2.txt", "111\r\n222\r\n");
    auto bad = dir.write("3-0-2-3.txt", "111\r\n222\r\n211\r\n212\r\n");
    auto weak = dir.write("0-2-1-2.txt", "11\r\n22\r\n");
    auto v = runCli({"kombin", "verify", good.string(), bad.string(), weak.string()});
    EXPECT_EQ(v.exitCode, 1);
    EXPECT_EQ(v.out, good.string() + ": doubles 3, triples 0, hits 2, rows 2: guarantee holds\n" +
                         bad.string() +
                         ": doubles 3, triples 0, hits 2, rows 4: FAILS: the file holds 4 rows, "
                         "its name announces 3\n" +
                         weak.string() +
                         ": doubles 0, triples 2, hits 1, rows 2: FAILS: 1 of 9 results get "
                         "fewer than 1 hits\n");
}

TEST(CliKombin, UsageErrorsExitWithTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"kombin", "verify", "/nonexistent/3-0-2-2.txt"},
             {"kombin", "generate", "--doubles", "3", "--triples", "0", "--hits", "4"},
             {"kombin", "generate", "--doubles", "9", "--triples", "9", "--hits", "2"},
             {"kombin", "generate", "--doubles", "3", "--triples", "0"},
             {"kombin", "generate", "--doubles", "0", "--triples", "4", "--hits", "3", "--height",
              "4"},
             {"kombin", "generate", "--doubles", "0", "--triples", "5", "--hits", "3", "--columns",
              "1130"},
             {"kombin", "generate", "--doubles", "0", "--triples", "5", "--hits", "3", "--columns",
              "110"},
             {"kombin", "generate", "--doubles", "1", "--triples", "4", "--hits", "3", "--columns",
              "1100"},
             {"kombin", "generate", "--doubles", "0", "--triples", "5", "--hits", "3", "--columns",
              "1100", "--height", "3"},
             {"kombin"}}) {
        auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "");
    }
}
