// parse, remove: the bet list as a whole.
#include "app/cli/cli_commands.h"

#include <iostream>

namespace kav::cli {
namespace {

int runParse(CliContext& ctx) {
    auto parse = parseBetList(ctx.bets);
    std::string status = applyBetListParse(ctx.model, parse);
    std::string out = status + '\n';
    for (const auto& mask : ctx.model.betMasks) {
        if (!parse)
            break;
        if (!mask.valid())
            out += "invalid\n";
        else
            out += std::to_string(mask.ones) + ' ' + std::to_string(mask.draws) + ' ' +
                   std::to_string(mask.twos) + '\n';
    }
    std::cout << out << std::flush;
    return kExitOk;
}

int runRemove(CliContext& ctx) {
    auto r = removeMarkedVariants(ctx.model, ctx.bets);
    return finish(r.ran ? r.lines : ctx.bets, r.message);
}

} // namespace

void addBetListCommands(CLI::App& app, CliContext& ctx, CommandOptions&) {
    app.add_subcommand("parse", "parse the bet list: status line, then ones draws twos per line")
        ->callback([&ctx] { ctx.action = [&ctx] { return runParse(ctx); }; });
    app.add_subcommand("remove", "remove the marked variants (--select) from the bet list")
        ->callback([&ctx] { ctx.action = [&ctx] { return runRemove(ctx); }; });
}

} // namespace kav::cli
