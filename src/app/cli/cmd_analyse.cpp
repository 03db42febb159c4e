// analyse: the variant analysis table of one bet.
#include "app/cli/cli_commands.h"

#include <charconv>
#include <iostream>

namespace kav::cli {
namespace {

std::array<std::int32_t, 3> parseCounts(const std::string& text) {
    std::array<std::int32_t, 3> counts{};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        auto [next, ec] = std::from_chars(p, end, counts[i]);
        const bool separatorOk = i < 2 ? next != end && *next == ',' : next == end;
        if (ec != std::errc() || !separatorOk)
            throw UsageError("--counts: expected three integers A,B,C, got: " + text);
        p = next + (i < 2 ? 1 : 0);
    }
    return counts;
}

int runAnalyse(CliContext& ctx, const AnalyseOptions& opt) {
    const auto variant = parseAnalysedVariant(opt.variant);
    if (!variant)
        throw UsageError("--variant: expected 15 letters of 1, X, 2, got: " + opt.variant);
    DrawTotals totals = ctx.totals;
    if (opt.pool)
        totals.poolText = *opt.pool;
    if (opt.jackpot)
        totals.jackpotText = *opt.jackpot;
    if (opt.counts) {
        totals.uniformCounts = parseCounts(*opt.counts);
        const auto mean = uniformCountMeanOf(totals.uniformCounts);
        if (!mean)
            throw UsageError("--counts: the sum of the counts is too large: " + *opt.counts);
        totals.uniformCountMean = *mean;
    }
    // Typed totals take "," as the decimal separator too, as in the window.
    totals.poolText = plainNumberText(totals.poolText);
    totals.jackpotText = plainNumberText(totals.jackpotText);
    const auto outcome = analyseVariant(analysisInput(ctx.model, totals, *variant));
    switch (outcome.status) {
    case AnalysisStatus::Done:
        break;
    case AnalysisStatus::NotANumber:
        throw UsageError(outcome.problem +
                         (opt.pool && opt.jackpot ? "" : " (give --pool and --jackpot)"));
    case AnalysisStatus::Fault:
    case AnalysisStatus::Cancelled:
        printMessage(Message{outcome.problem});
        return kExitMessage;
    }
    std::string out;
    for (const auto& row : analysisTable(outcome.values))
        out += row[0] + '\t' + row[1] + '\t' + row[2] + '\n';
    std::cout << out << std::flush;
    return kExitOk;
}

} // namespace

void addAnalyseCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    AnalyseOptions& opt = options.analyse;
    auto* cmd =
        app.add_subcommand("analyse", "the variant analysis: chance and payout per category 9..15");
    cmd->add_option("--variant", opt.variant, "the analysed bet: 15 letters of 1, X, 2")
        ->required();
    cmd->add_option("--pool", opt.pool, "the pool text (default: that of the quotes file)");
    cmd->add_option("--jackpot", opt.jackpot,
                    "the jackpot text (default: that of the quotes file)");
    cmd->add_option("--counts", opt.counts, "the counts of all-1, all-X, all-2 bets: A,B,C");
    cmd->callback([&ctx, &opt] { ctx.action = [&ctx, &opt] { return runAnalyse(ctx, opt); }; });
}

} // namespace kav::cli
