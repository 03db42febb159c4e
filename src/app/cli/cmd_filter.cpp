// filter: reduction by conditions ("Условия") on the field or on the list.
#include "app/cli/cli_commands.h"
#include "app/cli/form_output.h"
#include "core/forming/condition_filter.h"

#include <iostream>

namespace kav::cli {

namespace {

struct RangeOption {
    const char* name;
    Measure measure;
    const char* help;
};
constexpr RangeOption kRangeOptions[] = {
    {"--ones", Measure::Ones, "events with 1"},
    {"--draws", Measure::Draws, "events with X"},
    {"--twos", Measure::Twos, "events with 2"},
    {"--favourites", Measure::Favourites, "events won by the largest quote"},
    {"--outsiders", Measure::Outsiders, "events won by the smallest quote"},
    {"--points", Measure::Points, "the sum of the rounded quotes"},
    {"--pool-points", Measure::PoolPoints, "the sum of the rounded pool shares"},
    {"--longest-run", Measure::LongestRun, "the longest run of one outcome"},
    {"--changes", Measure::Changes, "events whose outcome differs from the previous one"},
    {"--value-points", Measure::ValuePoints,
     "the sum of the outcomes' quote / pool share in hundredths (an outcome without a share: 0)"},
};
static_assert(std::size(kRangeOptions) == kMeasures);

ConditionSet readConditions(const FilterOptions& opt) {
    ConditionSet c;
    for (std::size_t k = 0; k < std::size(kRangeOptions); ++k) {
        const auto& text = opt.ranges[k];
        if (!text)
            continue;
        const auto r = parseConditionRange(*text);
        if (!r)
            throw UsageError(std::string(kRangeOptions[k].name) +
                             ": expected a:b, integers with a <= b, got: " + *text);
        c.range(kRangeOptions[k].measure) = *r;
    }
    for (const auto& text : opt.baseRows) {
        const auto b = parseBaseRowCondition(text);
        if (!b)
            throw UsageError("--base: expected ROW:a:b, ROW 15 letters of 1, X, 2, -, and "
                             "integers a <= b, got: " +
                             text);
        c.baseRows.push_back(*b);
    }
    c.tolerance = opt.tolerance;
    return c;
}

int runFilter(CliContext& ctx, const FilterOptions& opt, bool conditionsTyped) {
    ConditionSet c = readConditions(opt);
    // Without any condition typed, the project's conditions apply.
    if (!conditionsTyped && ctx.project)
        c = ctx.project->conditions;
    if (opt.count) {
        std::cout << countPassingVariants(ctx.model, markedField(ctx.model), c) << '\n'
                  << std::flush;
        return kExitOk;
    }
    if (opt.on == "list") {
        printLines(applyConditionsToList(ctx.model, ctx.bets.lines(), c).lines);
        return kExitOk;
    }
    return finishForming(ctx, addConditionVariants(ctx.model, ctx.stake, ctx.bets.lines(), c));
}

} // namespace

void addFilterCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    FilterOptions& opt = options.filter;
    auto* cmd = app.add_subcommand(
        "filter", "reduction by conditions: the variants whose measures lie in the given ranges");
    std::vector<CLI::Option*> typed;
    for (std::size_t k = 0; k < std::size(kRangeOptions); ++k)
        typed.push_back(cmd->add_option(kRangeOptions[k].name, opt.ranges[k],
                                        std::string("a:b, ") + kRangeOptions[k].help));
    typed.push_back(cmd->add_option("--base", opt.baseRows,
                                    "ROW:a:b, hits against a row of 15 letters 1, X, 2, - "
                                    "(repeatable)"));
    typed.push_back(
        cmd->add_option("--tolerance", opt.tolerance, "how many of the set conditions may fail")
            ->check(CLI::Range(0, 1000))
            ->default_str("0"));
    cmd->add_option("--on", opt.on, "field: append the passing variants; list: reduce the list")
        ->check(CLI::IsMember({"field", "list"}))
        ->default_str("field");
    cmd->add_flag("--count", opt.count, "print only the number of passing variants of the field");
    cmd->callback([&ctx, &opt, typed] {
        bool conditionsTyped = false;
        for (const CLI::Option* o : typed)
            conditionsTyped = conditionsTyped || o->count() > 0;
        ctx.action = [&ctx, &opt, conditionsTyped] { return runFilter(ctx, opt, conditionsTyped); };
    });
}

} // namespace kav::cli
