// brief, summary: the brief-system mode.
#include "app/cli/cli_commands.h"

#include "core/forming/brief_system.h"
#include "core/forming/selection_summary.h"

#include <iostream>

namespace kav::cli {
namespace {

int runBrief(CliContext& ctx, const BriefOptions& o) {
    ctx.stakeValue(); // a stake that is no number is a usage error, not a program message
    BriefState state;
    auto r = expandBriefSystem(
        {ctx.model, ctx.stake, o.category, ctx.startWith, ctx.kombinFolder(), ctx.bets.lines()},
        ctx.rng, state);
    BetList list = ctx.bets;
    list.appendLines(r.appended);
    return finish(list.lines(), r.message);
}

int runSummary(CliContext& ctx, const SummaryOptions& o) {
    // An empty stake field is a state the window knows; any other text must be a number.
    if (!ctx.stake.empty())
        ctx.stakeValue();
    auto folder = ctx.kombinFolder();
    auto indexed = indexTemplates(folder);
    if (indexed.message)
        printMessage(*indexed.message);
    auto s = updateSelectionSummary({ctx.model, ctx.stake, o.category,
                                     listItemOption(packetModeAt(o.mode), "--mode", o.mode), folder,
                                     indexed.index});
    std::string out =
        s.markedVariantsLine.value_or("") + '\n' + s.systemVariantsLine.value_or("") + '\n';
    if (s.nearest)
        for (const auto& e : *s.nearest)
            out += std::to_string(e.doubles) + ' ' + std::to_string(e.triples) + ' ' +
                   std::to_string(e.systemBets) + '\n';
    std::cout << out << std::flush;
    return kExitOk;
}

} // namespace

void addBriefCommands(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    auto* b =
        app.add_subcommand("brief", "brief-system expansion for the minimum category (--kombin, "
                                    "--forced, --start-with); prints the list");
    auto* briefCategory = b->add_option("--category", options.brief.category,
                                        "minimum category (required unless --project gives it)")
                              ->check(CLI::Range(9, 15));
    b->callback([&ctx, &o = options.brief, briefCategory] {
        ctx.action = [&ctx, &o, briefCategory] {
            defaultFromProject(
                ctx, briefCategory, o.category,
                [](const ProjectState& p) { return p.brief.category; }, true);
            return runBrief(ctx, o);
        };
    });

    auto* s = app.add_subcommand("summary", "the selection summary: both status lines, then the "
                                            "nearest systems when their window would open");
    auto* summaryCategory = s->add_option("--category", options.summary.category,
                                          "minimum category (required unless --project gives it)")
                                ->check(CLI::Range(9, 15));
    auto* summaryMode =
        s->add_option("--mode", options.summary.mode,
                      "mode: 0 brief systems, 1 sensations, 2 manual, 3 auto-forming")
            ->check(CLI::Range(0, 3));
    s->callback([&ctx, &o = options.summary, summaryCategory, summaryMode] {
        ctx.action = [&ctx, &o, summaryCategory, summaryMode] {
            defaultFromProject(
                ctx, summaryCategory, o.category,
                [](const ProjectState& p) {
                    return p.mode == PacketMode::Autoform ? p.autoform.category : p.brief.category;
                },
                true);
            defaultFromProject(ctx, summaryMode, o.mode,
                               [](const ProjectState& p) { return static_cast<int>(p.mode); });
            return runSummary(ctx, o);
        };
    });
}

} // namespace kav::cli
