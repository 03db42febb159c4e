// kavendix-cli analyse, run as the real binary.
#include "cli/cli_runner.h"
#include "core/analysis/analysis.h"
#include "core/draw/quotes_file.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

namespace {

using kav::test::runCli;

// Splits a command line at blanks.
std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// The table the window would show for the CLI's default draw.
std::string expectedTable(const char* variant, std::uint8_t country, const char* pool,
                          const char* jackpot, std::array<std::int32_t, 3> counts) {
    kav::DrawModel m;
    kav::applyDefaultDraw(m);
    m.drawCountry = country;
    kav::DrawTotals totals{pool, jackpot, counts, *kav::uniformCountMeanOf(counts)};
    const auto outcome =
        kav::analyseVariant(kav::analysisInput(m, totals, *kav::parseAnalysedVariant(variant)));
    EXPECT_EQ(outcome.status, kav::AnalysisStatus::Done);
    std::string text;
    for (const auto& row : kav::analysisTable(outcome.values))
        text += row[0] + '\t' + row[1] + '\t' + row[2] + '\n';
    return text;
}

TEST(CliAnalyse, PrintsTheTableOfTheWindow) {
    struct Case {
        const char* args;
        const char* variant;
        std::uint8_t country;
        const char* pool;
        const char* jackpot;
        std::array<std::int32_t, 3> counts;
    };
    const Case cases[] = {
        {"", "11111111111111X", kav::kRussia, "1000000", "1000000", {100, 50, 30}},
        {"--country ua", "11111111111111X", kav::kUkraine, "1000000", "1000000", {100, 50, 30}},
        // a uniform variant takes its own count
        {"", "111111111111111", kav::kRussia, "250000.5", "0", {7, 50, 30}},
        {"", "x2x2x2x2x2x2x2x", kav::kRussia, "1e6", "3000", {-4, 0, 9}},
    };
    for (const auto& c : cases) {
        const std::string counts = std::to_string(c.counts[0]) + "," + std::to_string(c.counts[1]) +
                                   "," + std::to_string(c.counts[2]);
        const auto run =
            runCli(words(std::string(c.args) + " analyse --variant " + c.variant + " --pool " +
                         c.pool + " --jackpot " + c.jackpot + " --counts " + counts));
        EXPECT_EQ(run.exitCode, 0) << c.variant << run.err;
        EXPECT_EQ(run.out, expectedTable(c.variant, c.country, c.pool, c.jackpot, c.counts))
            << c.variant;
        EXPECT_EQ(run.out.rfind("Категории\tВероятность, %\tВыгодность\n", 0), 0u);
    }
}

// Pool and jackpot typed with a decimal comma read as with a point, as the
// window's fields do.
TEST(CliAnalyse, CommaInPoolAndJackpotIsADecimalSeparator) {
    const auto comma = runCli(words("analyse --variant 11111111111111X --pool 250000,5 "
                                    "--jackpot 1000,25 --counts 100,50,30"));
    const auto point = runCli(words("analyse --variant 11111111111111X --pool 250000.5 "
                                    "--jackpot 1000.25 --counts 100,50,30"));
    EXPECT_EQ(comma.exitCode, 0) << comma.err;
    EXPECT_EQ(comma.out, point.out);
}

TEST(CliAnalyse, KnownFigureOfTheDefaultDraw) {
    const auto run = runCli(words(
        "analyse --variant 11111111111111X --pool 1000000 --jackpot 1000000 --counts 100,50,30"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\nВсего\t8.13\t0.226\n"), std::string::npos) << run.out;
}

// The worked example's draw as a quotes file (ASCII texts, so the code page
// does not matter).
std::filesystem::path workedExampleFile(const kav::test::TempDir& dir) {
    kav::DrawModel m;
    for (int e = 0; e < kav::kEvents; ++e) {
        m.eventTitles[e] = "Home " + std::to_string(e + 1) + " - Away";
        m.quotes[e] = {kav::Fixed4::fromInt(45), kav::Fixed4::fromInt(28),
                       kav::Fixed4::fromInt(27)};
        m.poolShares[e] = {kav::Fixed4::fromInt(50), kav::Fixed4::fromInt(25),
                           kav::Fixed4::fromInt(25)};
    }
    m.drawCountry = kav::kRussia;
    const kav::DrawSettings settings{"20.00", kav::Fixed4::fromInt(20), "Kavendix"};
    const kav::DrawTotals totals{"1000000", "1000000", {100, 50, 30}, 60};
    std::string text;
    for (const auto& line : kav::formatQuotesFile(m, settings, totals))
        text += line + "\r\n";
    return dir.write("worked.ctr", text);
}

TEST(CliAnalyse, TakesPoolJackpotAndCountsFromTheQuotesFile) {
    kav::test::TempDir dir;
    const std::string draw = workedExampleFile(dir).string();
    auto run = runCli({"--draw", draw, "analyse", "--variant", "11111111111111X"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Категории\tВероятность, %\tВыгодность\n"
                       "9\t9.4\t0.17\n"
                       "10\t4.4\t0.082\n"
                       "11\t1.5\t0.039\n"
                       "12\t0.4\t0.018\n"
                       "13\t0.07\t0.017\n"
                       "14\t0.0077\t0.014\n"
                       "15\t0.00039\t0.13\n"
                       "Всего\t15.8\t0.464\n");

    run = runCli({"--draw", draw, "analyse", "--variant", "22222222222222x"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\nВсего\t0.743\t1.22\n"), std::string::npos) << run.out;

    // Options override the file's values one by one.
    run = runCli({"--draw", draw, "analyse", "--variant", "11111111111111X", "--jackpot", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\n15\t0.00039\t0.0049\n"), std::string::npos) << run.out;
    run = runCli({"--draw", draw, "analyse", "--variant", "111111111111111", "--counts", "0,1,1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
}

TEST(CliAnalyse, RejectsBadOptionsWithNothingOnStdout) {
    const char* cases[] = {
        "analyse --variant 1111111 --pool 1 --jackpot 1",
        "analyse --variant 11111111111111Z --pool 1 --jackpot 1",
        "analyse --variant 111111111111111 --pool 1 --jackpot 1 --counts 1,2",
        "analyse --variant 111111111111111 --pool 1 --jackpot 1 --counts 1,2,x",
        "analyse --variant 111111111111111 --pool 1 --jackpot 1 --counts 2147483647,2147483647,1",
        "analyse --variant 111111111111111 --pool abc --jackpot 1",
        "analyse --variant 111111111111111 --pool -1 --jackpot 1",
        // the default draw has no pool or jackpot
        "analyse --variant 111111111111111",
        "analyse --pool 1 --jackpot 1",
    };
    for (const char* args : cases) {
        const auto run = runCli(words(args));
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_FALSE(run.err.empty()) << args;
    }
}

TEST(CliAnalyse, FaultIsOneMessageAndNoTable) {
    const auto run =
        runCli(words("analyse --variant XXXXXXXXXXXXXXX --pool 1000 --jackpot 10 --counts 5,0,5"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Ошибка: Анализ невозможен: число ставок из одних «X» в тираже равно 0.\n");
}

} // namespace
