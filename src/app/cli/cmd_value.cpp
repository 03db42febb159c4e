// ev and simulate: the expected return of the bet list line by line, the list
// reduced to its best bets, and the list over many simulated draws.
#include "app/cli/cli_commands.h"

#include "core/value/expected_return.h"
#include "core/value/package_return.h"
#include "core/value/simulation.h"

#include <iostream>

namespace kav::cli {
namespace {

// The --alone flags of ev and simulate: each variant valued as if played alone.
struct AloneFlags {
    bool ev = false;
    bool simulate = false;
};
AloneFlags& aloneFlags() {
    static AloneFlags flags;
    return flags;
}

// The analysis's inputs from the draw: the totals as the analysis reads them
// (typed totals take "," as the decimal separator too).
AnalysisInput valueInput(const CliContext& ctx) {
    DrawTotals totals = ctx.totals;
    totals.poolText = plainNumberText(totals.poolText);
    totals.jackpotText = plainNumberText(totals.jackpotText);
    return analysisInput(ctx.model, totals, AnalysedVariant{});
}

// A list whose lines cannot be parsed is refused as check refuses it.
std::optional<int> refuseUnparsedList(const CliContext& ctx) {
    if (const auto fault = ctx.bets.fault()) {
        printMessage(Message{fault->text()});
        return kExitMessage;
    }
    return std::nullopt;
}

int runEv(CliContext& ctx, const EvOptions& opt) {
    if (const auto refused = refuseUnparsedList(ctx))
        return *refused;
    const AnalysisInput in = valueInput(ctx);
    const ValueRule rule = aloneFlags().ev ? ValueRule::Alone : ValueRule::InPackage;
    if (opt.keepBest || opt.minimum) {
        ReducedList reduced;
        if (opt.keepBest) {
            reduced = keepBestVariants(in, ctx.bets.lines(), *opt.keepBest, nullptr, {}, rule);
        } else {
            const auto minimum = Fixed4::parseTyped(*opt.minimum);
            if (!minimum)
                throw UsageError("--min: expected an amount, got: " + *opt.minimum);
            reduced =
                keepVariantsAtLeast(in, ctx.bets.lines(), minimum->toDouble(), nullptr, {}, rule);
        }
        if (reduced.status != AnalysisStatus::Done)
            return finish(Message{reduced.problem});
        return finish(reduced.lines, std::nullopt);
    }
    const PackageReturn ev = aloneFlags().ev
                                 ? packageExpectedReturn(in, ctx.bets.lines(), ctx.bets.total())
                                 : packageSharedReturn(in, ctx.bets.lines(), ctx.bets.total());
    if (ev.status != AnalysisStatus::Done)
        return finish(Message{ev.problem});
    std::string out;
    for (const LineReturn& line : ev.lines)
        out += (line.valid ? significantText(line.value) : std::string("invalid")) + '\n';
    out += "total " + significantText(ev.total) + '\n';
    out += "return-percent " + (ev.returnPercent ? significantText(*ev.returnPercent) : "-") + '\n';
    std::cout << out << std::flush;
    return kExitOk;
}

std::string chanceText(std::uint64_t count, std::uint64_t of) {
    return significantText(static_cast<double>(count) / static_cast<double>(of));
}

int runSimulate(CliContext& ctx, const SimulateOptions& opt) {
    if (opt.draws < kMinSimulatedDraws || opt.draws > kMaxSimulatedDraws)
        throw UsageError("--draws: expected 1000 to 1000000, got: " + std::to_string(opt.draws));
    SimulationSettings settings;
    settings.draws = opt.draws;
    settings.seed = ctx.rng.seed();
    settings.alone = aloneFlags().simulate;
    if (opt.prizes)
        settings.prizes = prizesOption(*opt.prizes);
    if (const auto refused = refuseUnparsedList(ctx))
        return *refused;
    const SimulationResult sim =
        simulateDraws(valueInput(ctx), ctx.bets.lines(), ctx.bets.total(), settings);
    if (sim.status != AnalysisStatus::Done)
        return finish(Message{sim.problem});
    std::string out;
    out += "p-any-prize " + chanceText(sim.drawsWithPrize, sim.draws) + '\n';
    out += "p-profit " + chanceText(sim.drawsWithProfit, sim.draws) + '\n';
    out += "mean-return " + significantText(sim.meanReturn) + '\n';
    for (int k = 0; k <= kEvents; ++k)
        out += "best " + std::to_string(k) + ' ' + std::to_string(sim.bestHits[k]) + '\n';
    if (opt.exact && sim.exactBestHits)
        for (int k = 0; k <= kEvents; ++k)
            out += "exact-best " + std::to_string(k) + ' ' +
                   significantText((*sim.exactBestHits)[k]) + '\n';
    std::cout << out << std::flush;
    return kExitOk;
}

} // namespace

void addValueCommands(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    EvOptions& ev = options.ev;
    auto* evCmd = app.add_subcommand(
        "ev", "expected return of the bet list as one package: per line the sum over its variants "
              "of the variant analysis's payout with the package's other winning variants among "
              "the co-winners, times the per-variant stake; then the total and the return in "
              "percent of the stake");
    auto* keep = evCmd->add_option("--keep-best", ev.keepBest,
                                   "print the list reduced to its N variants of the highest "
                                   "expected return (coupons partly kept become single bets)");
    evCmd
        ->add_option("--min", ev.minimum,
                     "print the list without the variants whose expected return is below X")
        ->excludes(keep);
    evCmd->add_flag("--alone", aloneFlags().ev,
                    "value each variant as if it were played alone (the variant analysis's total "
                    "payout, the package's own co-winners not counted), for the lines and for "
                    "--keep-best and --min");
    evCmd->callback([&ctx, &ev] { ctx.action = [&ctx, &ev] { return runEv(ctx, ev); }; });

    SimulateOptions& sim = options.simulate;
    auto* simCmd = app.add_subcommand(
        "simulate", "N simulated draws from the quotes (--seed S for the same draws again): the "
                    "chance of a prize and of a profit, the mean return, the best hits");
    simCmd->add_option("--draws", sim.draws, "the number of draws, 1000 to 1000000")->required();
    simCmd->add_option("--prizes", sim.prizes,
                       "money per winning variant, categories 9..15 (default: the variant "
                       "analysis's payout of each drawn result)");
    simCmd->add_flag("--exact", sim.exact,
                     "also print exact-best K P: the exact chance of each best hit");
    simCmd->add_flag("--alone", aloneFlags().simulate,
                     "pay each winning variant as if it were played alone (without typed "
                     "prizes; by default the package's winning variants share each category's "
                     "fund, as in ev)");
    simCmd->callback([&ctx, &sim] { ctx.action = [&ctx, &sim] { return runSimulate(ctx, sim); }; });
}

} // namespace kav::cli
