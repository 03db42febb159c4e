// sensation: the filter on the number of upsets ("По сенсациям").
#include "app/cli/cli_commands.h"
#include "app/cli/form_output.h"
#include "core/forming/sensation_filter.h"

namespace kav::cli {

void addSensationCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    SensationOptions& opt = options.sensation;
    auto* cmd = app.add_subcommand(
        "sensation", "append the variants whose number of upsets lies between --lo and --hi");
    auto* lo = cmd->add_option("--lo", opt.request.lo, "at least this many upsets")
                   ->check(CLI::Range(0, kEvents))
                   ->default_str("3");
    auto* hi = cmd->add_option("--hi", opt.request.hi, "at most this many upsets (0: all variants)")
                   ->check(CLI::Range(0, kEvents))
                   ->default_str("5");
    auto* threshold =
        cmd->add_option("--threshold", opt.request.threshold,
                        "an outcome quoted (or staked) below this percentage is an upset")
            ->check(CLI::Range(0, 34))
            ->default_str("25");
    auto* criterion =
        cmd->add_option("--criterion", opt.criterion, "bk: the quotes, pool: the pool shares")
            ->check(CLI::IsMember({"bk", "pool"}))
            ->default_str("bk");
    cmd->callback([&ctx, &opt, lo, hi, threshold, criterion] {
        opt.request.criterion =
            opt.criterion == "pool" ? SensationCriterion::Pool : SensationCriterion::Quotes;
        ctx.action = [&ctx, &opt, lo, hi, threshold, criterion] {
            SensationRequest& r = opt.request;
            defaultFromProject(ctx, lo, r.lo, [](const ProjectState& p) { return p.sensation.lo; });
            defaultFromProject(ctx, hi, r.hi, [](const ProjectState& p) { return p.sensation.hi; });
            defaultFromProject(ctx, threshold, r.threshold,
                               [](const ProjectState& p) { return p.sensation.threshold; });
            defaultFromProject(ctx, criterion, r.criterion,
                               [](const ProjectState& p) { return p.sensation.criterion; });
            return finishForming(
                ctx, addSensationVariants(ctx.model, ctx.stake, ctx.bets.lines(), opt.request));
        };
    });
}

} // namespace kav::cli
