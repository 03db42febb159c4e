// all: "Взять все варианты".
#include "app/cli/form_output.h"
#include "core/forming/manual_selection.h"

namespace kav::cli {
namespace {

const CommandRegistrar reg(40, [](CLI::App& app, CliContext& ctx) {
    app.add_subcommand("all", "append the coupon of all marked outcomes (\"Взять все варианты\")")
        ->callback([&ctx] {
            ctx.action = [&ctx] {
                return finishForming(ctx, takeAllVariants(ctx.model, ctx.stake, ctx.bets));
            };
        });
});

} // namespace
} // namespace kav::cli
