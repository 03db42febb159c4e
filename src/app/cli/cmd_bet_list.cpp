// parse, remove: the bet list as a whole.
#include "app/cli/cli_commands.h"

#include <iostream>

namespace kav::cli {
namespace {

int runParse(CliContext& ctx) {
    if (const auto fault = ctx.bets.fault()) {
        std::cout << '\n' << std::flush;
        printMessage(Message{fault->text()});
        return kExitMessage;
    }
    std::string out = ctx.bets.statusLine(currencySuffixFor(ctx.model.drawCountry)) + '\n';
    for (const auto& mask : ctx.bets.masks()) {
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
    const MaybeMessage message = ctx.bets.removeMarkedVariants(ctx.model);
    return finish(ctx.bets.lines(), message);
}

} // namespace

void addBetListCommands(CLI::App& app, CliContext& ctx, CommandOptions&) {
    app.add_subcommand("parse", "parse the bet list: status line, then ones draws twos per line")
        ->callback([&ctx] { ctx.action = [&ctx] { return runParse(ctx); }; });
    app.add_subcommand("remove", "remove the marked variants (--select) from the bet list")
        ->callback([&ctx] { ctx.action = [&ctx] { return runRemove(ctx); }; });
}

} // namespace kav::cli
