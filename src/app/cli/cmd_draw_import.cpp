// draw import FILE|-: a pasted draw table turned into a quotes file.
#include "app/cli/cli_commands.h"

#include "core/draw/draw_table.h"
#include "io/files/text_file.h"

#include <cstdio>
#include <iostream>

namespace kav::cli {
namespace {

int runDrawImport(CliContext& ctx, const DrawImportOptions& o) {
    TableValues values = o.values == "odds"      ? TableValues::Odds
                         : o.values == "percent" ? TableValues::Percent
                                                 : TableValues::Guess;
    auto read = readDrawTable(readInputFile(o.file), values);
    if (!read.table)
        throw UsageError(o.file + ":\n" + drawTableFaultText(read.faults));
    auto draw = drawFromTable(*read.table,
                              o.method == "shin" ? MarginMethod::Shin : MarginMethod::Proportional);
    if (!draw)
        throw UsageError(o.file + ": the odds give no quotes");
    applyEventListDraw(ctx.model, draw->events);
    if (!read.table->percent) {
        char margin[32];
        std::snprintf(margin, sizeof margin, "%.2f", draw->meanMargin * 100);
        std::cerr << "margin " << margin << "%\n";
    }
    std::string bytes = io::cp1251Text(formatQuotesFile(ctx.model, ctx.drawSettings, ctx.totals));
    if (o.output.empty()) {
        std::cout << bytes << std::flush;
        return kExitOk;
    }
    return finish(io::writeFileBytes(o.output, bytes));
}

} // namespace

void addDrawCommands(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    DrawImportOptions& o = options.drawImport;
    auto* draw = app.add_subcommand("draw", "the draw from a table of matches");
    draw->require_subcommand(1);
    auto* cmd = draw->add_subcommand(
        "import", "read a table (one match a line: title, three odds or percents, optionally "
                  "three pool shares) and write the draw as a quotes file; the mean margin of "
                  "the odds goes to stderr");
    cmd->add_option("file", o.file, "the table (- = stdin)")->required();
    cmd->add_option("--method", o.method,
                    "how the margin is removed from odds: proportional (default) or shin")
        ->check(CLI::IsMember({"proportional", "shin"}));
    cmd->add_option("--values", o.values,
                    "what the three numbers are: guess (default), odds or percent")
        ->check(CLI::IsMember({"guess", "odds", "percent"}));
    cmd->add_option("-o,--output", o.output, "the quotes file to write (stdout without it)");
    cmd->callback([&ctx, &o] { ctx.action = [&ctx, &o] { return runDrawImport(ctx, o); }; });
}

} // namespace kav::cli
