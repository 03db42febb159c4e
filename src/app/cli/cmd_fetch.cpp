// fetch: the draw from the data server, written as a quotes file.
#include "app/cli/cli_commands.h"

#include "io/files/text_file.h"
#include "io/pages/draw_download.h"

#include <iostream>

namespace kav::cli {

namespace {

int runFetch(CliContext& ctx, const FetchOptions& o) {
    io::HttpRequest http(io::drawPageHttpOptions());
    // Choosing a draw sets the stake field to the country's start value.
    DrawSettings settings =
        startDrawSettings(ctx.model.drawCountry, minimumStake(ctx.model.drawCountry).moneyText2());
    DrawTotals totals;
    if (auto error = io::fetchDraw(http, o.server, ctx.model, totals)) {
        std::cerr << "kavendix-cli: " << *error << '\n';
        return kExitMessage;
    }
    std::string bytes = io::cp1251Text(formatQuotesFile(ctx.model, settings, totals));
    if (o.output.empty()) {
        std::cout << bytes << std::flush;
        return kExitOk;
    }
    return finish(io::writeFileBytes(o.output, bytes));
}

} // namespace

void addFetchCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    FetchOptions& o = options.fetch;
    auto* cmd =
        app.add_subcommand("fetch", "download the draw of --country from the data server and write "
                                    "it as a quotes file");
    cmd->add_option("--server", o.server, "the data server, e.g. https://host")->required();
    cmd->add_option("-o,--output", o.output, "the quotes file to write (stdout without it)");
    cmd->callback([&ctx, &o] { ctx.action = [&ctx, &o] { return runFetch(ctx, o); }; });
}

} // namespace kav::cli
