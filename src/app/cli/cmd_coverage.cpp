// coverage, best: the coverage map over a zone and its "+P" / "+N" search.
#include "app/cli/cli_commands.h"

#include "core/bets/stake_text.h"
#include "core/coverage/coverage.h"
#include "core/coverage/coverage_actions.h"
#include "core/coverage/coverage_search.h"
#include "core/draw/selection_text.h"

#include <unistd.h>

#include <iostream>

namespace kav::cli {
namespace {

// The zone, built from the draw's quotes and counted against the bet list.
Zone countedZone(const CliContext& ctx, const CoverageOptions& o) {
    auto cells = parseSelectionText(o.zone);
    if (!cells)
        throw UsageError("--zone: expected 15 comma-separated groups of 1, X, 2 or -, got: " +
                         o.zone);
    // The window keeps its previous counts when the list cannot be parsed; here
    // there are none, so say so instead of printing a map of nothing.
    if (!ctx.bets.inSync())
        throw UsageError("the bet list cannot be parsed (a complete line whose amount is no "
                         "number, or a line with too many groups)");
    Zone zone = buildZone(*cells, ctx.model.quotes);
    if (zone.shown())
        countCoverage(zone, ctx.bets.masks(), o.category);
    return zone;
}

int runCoverage(const CliContext& ctx, const CoverageOptions& o) {
    Zone zone = countedZone(ctx, o);
    std::string out = "results " + std::to_string(zone.resultCount) + '\n';
    if (!zone.shown()) {
        out += "map 0 0\nby-count 0\nby-probability 0\n";
    } else {
        CoverageSums sums = coverageSums(zone);
        out += "map " + std::to_string(zone.layout.cols) + ' ' + std::to_string(zone.layout.rows) +
               '\n';
        out += "by-count " + countPercentText(sums.covered, zone.resultCount) + '\n';
        out += "by-probability " + probabilityPercentText(sums.probability) + '\n';
        if (o.cells)
            for (int i = 0; i < zone.size(); ++i)
                out += std::to_string(i) + ' ' + zone.resultText(i) + ' ' +
                       std::to_string(zone.results[static_cast<std::size_t>(i)].coverCount) + '\n';
    }
    std::cout << out << std::flush;
    return kExitOk;
}

int runBest(const CliContext& ctx, const CoverageOptions& o) {
    // The window refuses to write a bet while the stake field holds no usable amount.
    if (!readStake(ctx.stake))
        throw UsageError("--stake: " + badStakeMessage().text);
    Zone zone = countedZone(ctx, o);
    BetList list = ctx.bets;
    if (zone.shown()) {
        SearchProgress progress;
        if (isatty(STDERR_FILENO))
            progress = [](int pct) { std::cerr << "\rВыполнено " << pct << "%" << std::flush; };
        BestBet best = findBestBet(zone, o.category,
                                   o.by == "p" ? BestBy::Probability : BestBy::Count, progress);
        if (progress)
            std::cerr << "\r                \r" << std::flush;
        if (best.index)
            list.appendLines({singleBetLine(zone, *best.index, ctx.stake)});
    }
    printLines(list.lines());
    return kExitOk;
}

} // namespace

void addCoverageCommands(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    CoverageOptions& cov = options.coverage;
    CoverageOptions& best = options.best;
    auto* c = app.add_subcommand("coverage", "the coverage map over a zone: size, layout, shares");
    c->add_option("--zone", cov.zone, "the zone, in the form of --select")->required();
    c->add_option("--category", cov.category, "the map's category")
        ->required()
        ->check(CLI::Range(0, 15));
    c->add_flag("--cells", cov.cells, "also print INDEX RESULT COVERCOUNT per result");
    c->callback([&ctx, &cov] { ctx.action = [&ctx, &cov] { return runCoverage(ctx, cov); }; });

    auto* b = app.add_subcommand(
        "best", "\"+P\" / \"+N\": add the single bet of the zone that covers most");
    b->add_option("--zone", best.zone, "the zone, in the form of --select")->required();
    b->add_option("--category", best.category, "the map's category")
        ->required()
        ->check(CLI::Range(0, 15));
    b->add_option("--by", best.by, "p: by probability, n: by count")
        ->required()
        ->check(CLI::IsMember({"p", "n"}));
    b->callback([&ctx, &best] { ctx.action = [&ctx, &best] { return runBest(ctx, best); }; });
}

} // namespace kav::cli
