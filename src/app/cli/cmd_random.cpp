// random: "Случайный выбор" with one of the five distributions.
#include "app/cli/form_output.h"
#include "core/forming/manual_selection.h"

#include <memory>

namespace kav::cli {
namespace {

const CommandRegistrar reg(41, [](CLI::App& app, CliContext& ctx) {
    struct RandomOptions {
        int distribution = 0;
        RandomRequest request;
    };
    auto rq = std::make_shared<RandomOptions>();
    auto* cmd = app.add_subcommand(
        "random", "append random single bets (\"Случайный выбор\"), drawn with the generator of "
                  "--seed");
    cmd->add_option("--dist", rq->distribution,
                    "0 По котировкам, 1 По пулу, 2 Произвольно, 3 Против пула, 4 Кол. фаворитов")
        ->check(CLI::Range(0, 4))
        ->default_str("0");
    cmd->add_option("--repeat", rq->request.repeat, "how many bets to add")->default_str("1");
    cmd->add_option("--favourites", rq->request.favourites, "favourite events for --dist 4")
        ->check(CLI::Range(0, kEvents))
        ->default_str("7");
    cmd->callback([&ctx, rq] {
        ctx.action = [&ctx, rq] {
            RandomRequest request = rq->request;
            request.distribution =
                listItemOption(randomDistributionAt(rq->distribution), "--dist", rq->distribution);
            return finishForming(ctx, randomBets(ctx.model, ctx.stake, ctx.bets, request, ctx.rng));
        };
    });
});

} // namespace
} // namespace kav::cli
