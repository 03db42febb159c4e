// all: "Взять все варианты".
#include "app/cli/cli_commands.h"
#include "app/cli/form_output.h"
#include "core/forming/manual_selection.h"

namespace kav::cli {

void addAllCommand(CLI::App& app, CliContext& ctx, CommandOptions&) {
    app.add_subcommand("all", "append the coupon of all marked outcomes (\"Взять все варианты\")")
        ->callback([&ctx] {
            ctx.action = [&ctx] {
                return finishForming(ctx, takeAllVariants(ctx.model, ctx.stake, ctx.bets.lines()));
            };
        });
}

} // namespace kav::cli
