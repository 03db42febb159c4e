// save-project: the state the command line built, as a project file.
#include "app/cli/cli_commands.h"

#include "io/files/project_file.h"

namespace kav::cli {

namespace {

int runSaveProject(CliContext& ctx, const ProjectOptions& o) {
    return finish(io::saveProjectFile(o.output, contextProjectState(ctx)));
}

} // namespace

void addProjectCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    ProjectOptions& o = options.project;
    auto* cmd = app.add_subcommand(
        "save-project", "write the state the options built (--project, --draw, --select, --forced, "
                        "--start-with, --stake, --country, --bets) as a project file");
    cmd->add_option("-o,--output", o.output, "the project file to write")->required();
    cmd->callback([&ctx, &o] { ctx.action = [&ctx, &o] { return runSaveProject(ctx, o); }; });
}

} // namespace kav::cli
