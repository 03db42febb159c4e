// random: "Случайный выбор" with one of the five distributions.
#include "app/cli/form_output.h"
#include "core/forming/manual_selection.h"

#include <memory>

namespace kav::cli {
namespace {

const CommandRegistrar reg(41, [](CLI::App& app, CliContext& ctx) {
    auto rq = std::make_shared<RandomRequest>();
    auto* cmd = app.add_subcommand(
        "random", "append random single bets (\"Случайный выбор\"), drawn with the generator of "
                  "--seed");
    cmd->add_option("--dist", rq->distribution,
                    "0 По котировкам, 1 По пулу, 2 Произвольно, 3 Против пула, 4 Кол. фаворитов")
        ->check(CLI::Range(0, 4))
        ->default_str("0");
    cmd->add_option("--repeat", rq->repeat, "how many bets to add")->default_str("1");
    cmd->add_option("--favourites", rq->favourites, "favourite events for --dist 4")
        ->check(CLI::Range(0, kEvents))
        ->default_str("7");
    cmd->callback([&ctx, rq] {
        ctx.action = [&ctx, rq] {
            return finishForming(ctx, randomBets(ctx.model, ctx.stake, ctx.bets, *rq, ctx.rng));
        };
    });
});

} // namespace
} // namespace kav::cli
