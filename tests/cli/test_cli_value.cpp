// kavendix-cli ev and simulate, run as the real binary.
#include "cli/cli_runner.h"
#include "core/draw/quotes_file.h"
#include "core/value/expected_return.h"
#include "core/value/package_return.h"
#include "core/value/value_forming.h"
#include "oracle/analysis_literal.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using kav::test::runCli;

kav::DrawModel workedDraw() {
    kav::DrawModel m;
    for (int e = 0; e < kav::kEvents; ++e) {
        m.eventTitles[e] = "Home " + std::to_string(e + 1) + " - Away";
        // a little spread per event, so that no two bets are worth the same
        m.quotes[e] = {kav::Fixed4::fromRaw(450000 + e * 1000), kav::Fixed4::fromInt(28),
                       kav::Fixed4::fromRaw(270000 - e * 1000)};
        m.poolShares[e] = {kav::Fixed4::fromRaw(500000 - e * 700), kav::Fixed4::fromInt(25),
                           kav::Fixed4::fromRaw(250000 + e * 700)};
    }
    m.drawCountry = kav::kRussia;
    return m;
}

std::string drawFile(const kav::test::TempDir& dir, const kav::DrawTotals& totals) {
    const kav::DrawSettings settings{"20.00", kav::Fixed4::fromInt(20), "Kavendix"};
    std::string text;
    for (const auto& line : kav::formatQuotesFile(workedDraw(), settings, totals))
        text += line + "\r\n";
    return dir.write("draw.ctr", text).string();
}

const kav::DrawTotals kTotals{"1000000", "250000", {100, 50, 30}, 60};

const char* const kSingle = "20.00;1-(1);2-(1);3-(X);4-(1);5-(1);6-(2);7-(1);8-(1);9-(1);10-(1);"
                            "11-(1);12-(X);13-(1);14-(1);15-(2).";
const char* const kCoupon = "40.00;1-(1,X);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);"
                            "10-(1);11-(1);12-(1);13-(1);14-(1);15-(2).";

// The literal analysis of each variant, summed over the categories.
double literal(const char* letters) {
    auto in = kav::analysisInput(workedDraw(), kTotals, *kav::parseAnalysedVariant(letters));
    double sum = 0;
    for (double p : kav::oracle::literalAnalysis(in, 1000000, 250000).payout)
        sum += p;
    return sum;
}

TEST(CliEv, PrintsEachLineTheTotalAndTheReturnPercent) {
    kav::test::TempDir dir;
    const std::string draw = drawFile(dir, kTotals);
    const auto bets =
        dir.write("bets.txt", std::string(kSingle) + "\nnot a bet\n" + kCoupon + "\n");
    const auto run = runCli({"--draw", draw, "--bets", bets.string(), "ev", "--alone"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const double single = 20 * literal("11X11211111X112");
    const double coupon = 20 * (literal("111111111111112") + literal("X11111111111112"));
    const double total = single + coupon;
    EXPECT_EQ(run.out, kav::significantText(single) + "\ninvalid\n" + kav::significantText(coupon) +
                           "\ntotal " + kav::significantText(total) + "\nreturn-percent " +
                           kav::significantText(total / 60 * 100) + "\n");
    EXPECT_EQ(run.err, "");

    // By default the package's winning variants share each category's fund.
    const auto shared =
        kav::packageSharedReturn(kav::analysisInput(workedDraw(), kTotals, {}),
                                 {kSingle, "not a bet", kCoupon}, kav::Fixed4::fromInt(60));
    EXPECT_LT(shared.total, total);
    EXPECT_EQ(runCli({"--draw", draw, "--bets", bets.string(), "ev"}).out,
              kav::significantText(shared.lines[0].value) + "\ninvalid\n" +
                  kav::significantText(shared.lines[2].value) + "\ntotal " +
                  kav::significantText(shared.total) + "\nreturn-percent " +
                  kav::significantText(*shared.returnPercent) + "\n");
}

TEST(CliEv, PrintsTheListReducedToItsBestBets) {
    kav::test::TempDir dir;
    const std::string draw = drawFile(dir, kTotals);
    const auto bets =
        dir.write("bets.txt", std::string(kSingle) + "\nnot a bet\n" + kCoupon + "\n");
    const double values[] = {20 * literal("11X11211111X112"), 20 * literal("111111111111112"),
                             20 * literal("X11111111111112")};
    const std::string singles[] = {
        kSingle,
        "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);13-(1);"
        "14-(1);15-(2).",
        "20.00;1-(X);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);13-(1);"
        "14-(1);15-(2)."};
    const std::size_t best = static_cast<std::size_t>(
        std::max_element(std::begin(values), std::end(values)) - std::begin(values));
    auto run =
        runCli({"--draw", draw, "--bets", bets.string(), "ev", "--keep-best", "1", "--alone"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The kept bet stays where it was; the coupon's kept half replaces it in place.
    EXPECT_EQ(run.out, best == 0 ? std::string(kSingle) + "\nnot a bet\n"
                                 : "not a bet\n" + singles[best] + "\n");

    // --min with a decimal comma; every bet at least that stays as it was.
    run = runCli({"--draw", draw, "--bets", bets.string(), "ev", "--min", "0,01"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, std::string(kSingle) + "\nnot a bet\n" + kCoupon + "\n");
    run = runCli({"--draw", draw, "--bets", bets.string(), "ev", "--min", "1000000"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "not a bet\n");

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"ev", "--keep-best", "1", "--min", "3"}, {"ev", "--min", "много"}}) {
        std::vector<std::string> all{"--draw", draw, "--bets", bets.string()};
        all.insert(all.end(), args.begin(), args.end());
        run = runCli(all);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_EQ(run.out, "");
    }
}

TEST(CliEv, StopsWithTheAnalysisMessage) {
    kav::test::TempDir dir;
    const auto uniform = dir.write(
        "uniform.txt", "20.00;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);"
                       "11-(1);12-(1);13-(1);14-(1);15-(1).\n");
    // The default draw carries no pool.
    auto run = runCli({"--bets", uniform.string(), "ev"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Пул не является числом: «Edit1»."), std::string::npos) << run.err;

    const std::string draw = drawFile(dir, {"1000000", "250000", {0, 50, 30}, 27});
    run = runCli({"--draw", draw, "--bets", uniform.string(), "ev"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Анализ невозможен: число ставок из одних «1» в тираже равно 0."),
              std::string::npos)
        << run.err;
}

TEST(CliSimulate, PrintsChancesMeanAndBestHitsForTheSeed) {
    kav::test::TempDir dir;
    const std::string draw = drawFile(dir, kTotals);
    const auto bets = dir.write("bets.txt", std::string(kSingle) + "\n" + kCoupon + "\n");
    const std::vector<std::string> args{"--draw",  draw,    "--bets", bets.string(), "simulate",
                                        "--draws", "20000", "--seed", "77",          "--exact"};
    const auto run = runCli(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::istringstream lines(run.out);
    std::string key;
    double p = 0;
    lines >> key >> p;
    EXPECT_EQ(key, "p-any-prize");
    EXPECT_GT(p, 0);
    lines >> key >> p;
    EXPECT_EQ(key, "p-profit");
    lines >> key >> p;
    EXPECT_EQ(key, "mean-return");
    std::uint64_t drawn = 0;
    std::array<std::uint64_t, 16> counts{};
    for (int k = 0; k <= 15; ++k) {
        int hits = -1;
        lines >> key >> hits >> counts[k];
        EXPECT_EQ(key, "best");
        EXPECT_EQ(hits, k);
        drawn += counts[k];
    }
    EXPECT_EQ(drawn, 20000u);
    for (int k = 0; k <= 15; ++k) {
        int hits = -1;
        lines >> key >> hits >> p;
        EXPECT_EQ(key, "exact-best");
        EXPECT_NEAR(static_cast<double>(counts[k]) / 20000, p, 5 * std::sqrt(p / 20000) + 1e-4)
            << k;
    }
    EXPECT_EQ(runCli(args).out, run.out);

    for (const char* n : {"999", "1000001", "x"}) {
        const auto bad = runCli({"--draw", draw, "simulate", "--draws", n});
        EXPECT_EQ(bad.exitCode, 2) << n;
        EXPECT_EQ(bad.out, "");
    }
}

// Forming by value prints the bets the core chooses.
TEST(CliAutoform, FormsByValueAsTheCoreChooses) {
    kav::test::TempDir dir;
    // A jackpot well above the pool: the best bets return more than their stake.
    const kav::DrawTotals totals{"100000", "3000000", {100, 50, 30}, 60};
    const std::string draw = drawFile(dir, totals);
    const auto run =
        runCli({"--draw", draw, "--select", "1X2,1X,1,1,1,1,1,1,1,1,1,1,1,1,X2", "--bets", "-",
                "--stake", "20.00", "autoform", "--method", "4", "--limit", "5", "--amount", "60"});
    kav::ValueFormInput request;
    request.field.fill(kav::outcomeBit(0));
    request.field[0] = 7;
    request.field[1] = 3;
    request.field[14] = 6;
    request.limit = 3;
    const auto chosen = kav::formByValue(kav::analysisInput(workedDraw(), totals, {}), request);
    std::string expected;
    for (const auto& v : chosen.chosen)
        expected += kav::formatVariant(v, "20.00") + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_FALSE(chosen.chosen.empty());
}

} // namespace
