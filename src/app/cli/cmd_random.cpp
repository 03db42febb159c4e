// random: "Случайный выбор" with one of the five distributions.
#include "app/cli/cli_commands.h"
#include "app/cli/form_output.h"
#include "core/forming/manual_selection.h"

namespace kav::cli {

void addRandomCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    RandomOptions& o = options.random;
    auto* cmd = app.add_subcommand(
        "random", "append random single bets (\"Случайный выбор\"), drawn with the generator of "
                  "--seed");
    auto* dist =
        cmd->add_option(
               "--dist", o.distribution,
               "0 По котировкам, 1 По пулу, 2 Произвольно, 3 Против пула, 4 Кол. фаворитов")
            ->check(CLI::Range(0, 4))
            ->default_str("0");
    auto* repeat = cmd->add_option("--repeat", o.repeat, "how many bets to add")->default_str("1");
    auto* favourites =
        cmd->add_option("--favourites", o.favourites, "favourite events for --dist 4")
            ->check(CLI::Range(0, kEvents))
            ->default_str("7");
    cmd->callback([&ctx, &o, dist, repeat, favourites] {
        ctx.action = [&ctx, &o, dist, repeat, favourites] {
            defaultFromProject(ctx, dist, o.distribution, [](const ProjectState& p) {
                return static_cast<int>(p.random.distribution);
            });
            defaultFromProject(ctx, repeat, o.repeat,
                               [](const ProjectState& p) { return p.random.repeat; });
            defaultFromProject(ctx, favourites, o.favourites,
                               [](const ProjectState& p) { return p.random.favourites; });
            RandomRequest request;
            request.distribution =
                listItemOption(randomDistributionAt(o.distribution), "--dist", o.distribution);
            request.repeat = o.repeat;
            request.favourites = o.favourites;
            return finishForming(
                ctx, randomBets(ctx.model, ctx.stake, ctx.bets.lines(), request, ctx.rng));
        };
    });
}

} // namespace kav::cli
