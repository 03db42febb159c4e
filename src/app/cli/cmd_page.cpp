// page events|totals FILE: a saved reply of the data server applied to the draw.
#include "app/cli/cli_commands.h"

#include "io/files/text_file.h"
#include "io/pages/page_text.h"

#include <iostream>

namespace kav::cli {
namespace {

// The draw as "Котировки в файл" would write it.
void printQuotesFile(const CliContext& ctx) {
    std::cout << io::cp1251Text(formatQuotesFile(ctx.model, ctx.drawSettings, ctx.totals))
              << std::flush;
}

int runPage(CliContext& ctx, const PageOptions& o) {
    std::string text = io::pageText(readInputFile(o.file));
    if (o.kind == "events") {
        // As fetch: a page without a whole draw (empty, broken, its text only
        // in a script) prints nothing.
        if (!readEventListDraw(text)) {
            std::cerr << "kavendix-cli: the page holds no draw (no complete event records); "
                         "nothing is printed\n";
            return kExitMessage;
        }
        if (!applyEventListPage(ctx.model, text))
            std::cerr << "kavendix-cli: the page breaks the event-list format; the default draw is "
                         "used\n";
        printQuotesFile(ctx);
        return kExitOk;
    }
    if (!applyTotalsPage(ctx.model, ctx.totals, text))
        std::cerr
            << "kavendix-cli: the page breaks the totals format; the totals are unchanged and the "
               "events fall back to the default draw\n";
    const auto& t = ctx.totals;
    std::cout << "pool " << t.poolText << "\njackpot " << t.jackpotText << "\ncounts "
              << t.uniformCounts[0] << ' ' << t.uniformCounts[1] << ' ' << t.uniformCounts[2]
              << "\nmean " << t.uniformCountMean << '\n'
              << std::flush;
    return kExitOk;
}

} // namespace

void addPageCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    PageOptions& o = options.page;
    auto* cmd =
        app.add_subcommand("page", "parse a saved reply of the data server (HTML or plain text): "
                                   "events prints the draw as a quotes file, totals the totals");
    cmd->add_option("kind", o.kind, "events or totals")
        ->required()
        ->check(CLI::IsMember({"events", "totals"}));
    cmd->add_option("file", o.file, "the saved page (- = stdin)")->required();
    cmd->callback([&ctx, &o] { ctx.action = [&ctx, &o] { return runPage(ctx, o); }; });
}

} // namespace kav::cli
