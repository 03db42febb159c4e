// kavendix-cli: the computing core without windows.
#include "app/cli/cli_commands.h"

#include "core/base/version.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace kav::cli;
    CliContext ctx;
    CommandOptions options;
    ctx.argv0 = argc > 0 ? argv[0] : "kavendix-cli";
    CLI::App app{"kavendix-cli: forms, checks and exports football-pool bet packages"};
    app.fallthrough();
    app.set_version_flag("--version", std::string(kav::kProgramTitle));
    app.require_subcommand(1);
    app.add_option("--draw", ctx.drawFile, "the draw, read from a quotes file (.ctr)");
    app.add_option("--select", ctx.select,
                   "the marked outcomes: 15 groups like 1X,2,1,X2,1X2,... or -");
    CLI::Option* stake =
        app.add_option("--stake", ctx.stake, "the stake field's text (\"20.5\" or \"20,5\")")
            ->default_str("20.00");
    app.add_option(
        "--country", ctx.country,
        "draw country: ru (rouble) or ua (hryvnia); default: the --draw file's, else ru");
    app.add_option("--bets", ctx.betsFile, "the bet list before the command (- = stdin)");
    app.add_option("--seed", ctx.seed, "seed of the random generator (unsigned 32-bit)");
    app.add_option("--kombin", ctx.kombinDir, "the template folder");
    app.add_option("--forced", ctx.forced, "the forced bet: 15 characters of 1, X, 2, _, blank");
    app.add_flag("--start-with", ctx.startWith, "tick \"Начать с...\"");
    app.add_option("--project", ctx.projectFile,
                   "a project file (.kvp), loaded first; the other options override its parts");
    app.add_option("--archive", ctx.archiveFile,
                   "the draw archive (SQLite); default: the program's archive in the data folder");
    addAllCommands(app, ctx, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    ctx.stakeGiven = stake->count() > 0;
    try {
        prepareContext(ctx);
        if (!ctx.action)
            return kExitUsage;
        return ctx.action();
    } catch (const UsageError& e) {
        std::cerr << "kavendix-cli: " << e.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "kavendix-cli: " << e.what() << '\n';
        return kExitUsage;
    }
}
