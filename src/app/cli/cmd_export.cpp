// export xlsx-columns|xlsx-rows|text: the bet list as a workbook or a text file.
#include "app/cli/cli_commands.h"

#include "io/files/bet_export.h"
#include "io/files/text_file.h"

namespace kav::cli {

namespace {

int runExport(CliContext& ctx, const ExportOptions& o) {
    MaybeMessage m;
    if (o.kind == "text") {
        // -o names the file itself; the ".txt" the window appends belongs to its dialog.
        m = io::writeFileBytes(o.output, io::cp1251Text(ctx.bets.lines()));
    } else {
        io::WorkbookExport how;
        how.layout =
            o.kind == "xlsx-columns" ? io::SheetLayout::ByColumns : io::SheetLayout::ByRows;
        for (int e = 0; e < kEvents; ++e) {
            int n = ctx.model.markedCount(e);
            how.doublesCount += n == 2;
            how.shownTriplesCount += n == 3;
        }
        m = io::saveWorkbook(o.output, ctx.bets.lines(), how);
    }
    return finish(m);
}

} // namespace

void addExportCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    ExportOptions& o = options.exportList;
    auto* cmd = app.add_subcommand("export",
                                   "write the bet list (--bets) as a workbook, one bet per column "
                                   "or per row, or as a CP1251 text file");
    cmd->add_option("kind", o.kind, "xlsx-columns, xlsx-rows or text")
        ->required()
        ->check(CLI::IsMember({"xlsx-columns", "xlsx-rows", "text"}));
    cmd->add_option("-o,--output", o.output, "the file to write")->required();
    cmd->callback([&ctx, &o] { ctx.action = [&ctx, &o] { return runExport(ctx, o); }; });
}

} // namespace kav::cli
