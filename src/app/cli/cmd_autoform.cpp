// autoform: auto-forming of single bets that cover the marked field.
#include "app/cli/cli_commands.h"

#include "core/forming/autoform.h"

#include <iostream>
#include <unistd.h>

namespace kav::cli {
namespace {

// --amount: the most the bets formed by value may cost, in roubles (0: no limit).
double& amountLimit() {
    static double amount = 0;
    return amount;
}

int runAutoform(CliContext& ctx, const AutoformOptions& o) {
    AutoformSettings s;
    s.category = o.category;
    s.betLimit = o.limit;
    s.coverageTarget = static_cast<float>(o.target / 100.0);
    s.method = listItemOption(autoformMethodAt(o.method), "--method", o.method);
    s.stakeText = ctx.stake;
    s.totals = ctx.totals;
    s.totals.poolText = plainNumberText(s.totals.poolText);
    s.totals.jackpotText = plainNumberText(s.totals.jackpotText);
    s.amountLimit = amountLimit();
    ctx.stakeValue(); // a stake that is no number is a usage error here

    AutoformHooks hooks;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    if (terminal)
        hooks.progress = [](const AutoformProgress& p) {
            std::cerr << '\r' << p.caption << "\x1b[K" << std::flush;
        };
    MaybeMessage question;
    hooks.confirm = [&](const Message& m) {
        if (!o.yes)
            question = m;
        return o.yes;
    };
    const AutoformResult r = autoForm(ctx.model, ctx.bets.lines(), s, ctx.rng, hooks);
    if (terminal)
        std::cerr << '\n';
    BetList list = ctx.bets;
    list.appendLines(r.added);
    return finish(list.lines(), r.message ? r.message : question);
}

} // namespace

void addAutoformCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    AutoformOptions& o = options.autoform;
    auto* cmd =
        app.add_subcommand("autoform", "auto-forming: single bets covering the marked field");
    auto* category = cmd->add_option("--category", o.category, "category for coverage, 9..15")
                         ->check(CLI::Range(9, 15))
                         ->default_str("13");
    auto* limit = cmd->add_option("--limit", o.limit, "bet limit of the package, 1..10000000")
                      ->check(CLI::Range(std::int64_t{1}, std::int64_t{10'000'000}))
                      ->default_str("1000");
    auto* target = cmd->add_option("--target", o.target, "target coverage in percent, 1..100")
                       ->check(CLI::Range(1.0, 100.0))
                       ->default_str("75");
    auto* method = cmd->add_option("--method", o.method,
                                   "0 by count, 1 by probability, 2 by pool, 3 without overlaps, "
                                   "4 by value (expected return of the package)")
                       ->check(CLI::Range(0, 4))
                       ->default_str("0");
    cmd->add_option("--amount", amountLimit(),
                    "by value: the most the added bets may cost in roubles (0: no limit)")
        ->check(CLI::NonNegativeNumber);
    cmd->add_flag("--yes", o.yes, "answer OK when a step is estimated over 10 s");
    cmd->callback([&ctx, &o, category, limit, target, method] {
        ctx.action = [&ctx, &o, category, limit, target, method] {
            defaultFromProject(ctx, category, o.category,
                               [](const ProjectState& p) { return p.autoform.category; });
            defaultFromProject(ctx, limit, o.limit,
                               [](const ProjectState& p) { return p.autoform.betLimit; });
            defaultFromProject(ctx, target, o.target,
                               [](const ProjectState& p) { return p.autoform.coveragePercent; });
            defaultFromProject(ctx, method, o.method, [](const ProjectState& p) {
                return static_cast<int>(p.autoform.method);
            });
            return runAutoform(ctx, o);
        };
    });
}

} // namespace kav::cli
