// check: the bet list against the result of the draw, category by category.
#include "app/cli/cli_commands.h"

#include "core/check/package_check.h"
#include "core/check/prizes.h"

#include <iostream>

namespace kav::cli {

DrawResult resultOption(const std::string& text) {
    const auto result = parseDrawResult(text);
    if (!result)
        throw UsageError("--result: expected 15 outcomes of 1, X, 2 or - (void), got: " + text);
    return *result;
}

PrizeList prizesOption(const std::string& text) {
    const auto prizes = parsePrizeList(text);
    if (!prizes)
        throw UsageError("--prizes: expected seven amounts P9,P10,...,P15, got: " + text);
    return *prizes;
}

namespace {

std::string countsText(const CategoryCounts& counts) {
    std::string s;
    for (int i = 0; i < kCategories; ++i) {
        if (i > 0)
            s += ' ';
        s += std::to_string(counts[i]);
    }
    return s;
}

int runCheck(CliContext& ctx, const CheckOptions& opt) {
    const DrawResult result = resultOption(opt.result);
    std::optional<PrizeList> prizes;
    if (opt.prizes)
        prizes = prizesOption(*opt.prizes);
    if (const auto fault = ctx.bets.fault()) {
        printMessage(Message{fault->text()});
        return kExitMessage;
    }
    const PackageCheck check = checkPackage(ctx.bets.masks(), result);
    std::string out;
    for (const LineCheck& line : check.lines)
        out += line.valid ? countsText(line.counts) + '\n' : std::string("invalid\n");
    out += "total " + countsText(check.totals) + '\n';
    MaybeMessage message;
    if (!prizes && opt.estimate) {
        const PrizeEstimate estimate = estimatePrizes(ctx.model, ctx.totals, result);
        if (estimate.prizes)
            out += "estimated-prizes " + prizeListText(*estimate.prizes) + '\n';
        else
            message = Message{estimate.problem};
        prizes = estimate.prizes;
    }
    if (prizes) {
        const PackageTable table = packageTable(check.totals, *prizes, ctx.bets.total());
        if (table.overflow) {
            message = Message{"Выигрыш слишком велик для расчёта."};
        } else {
            out += "return " + table.totalReturn.moneyText() + '\n';
            out += "stake " + table.stake.moneyText() + '\n';
            out += "profit " + table.profit.moneyText() + '\n';
        }
    }
    std::cout << out << std::flush;
    if (message) {
        printMessage(*message);
        return kExitMessage;
    }
    return kExitOk;
}

} // namespace

void addCheckCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    CheckOptions& opt = options.check;
    auto* cmd = app.add_subcommand(
        "check", "check the bet list against the draw's result: per line the variants with "
                 "exactly 9..15 hits, the totals, and with prizes the return");
    cmd->add_option("--result", opt.result,
                    "the result: 15 of 1, X, 2, or - for a void event (a hit for every bet)")
        ->required();
    cmd->add_option("--prizes", opt.prizes,
                    "money per winning variant, categories 9..15: P9,P10,...,P15 "
                    "(or \"P9; P10; ...\" with decimal commas)");
    cmd->add_flag("--estimate", opt.estimate,
                  "without --prizes: estimate the prizes from the draw's pool and shares");
    cmd->callback([&ctx, &opt] { ctx.action = [&ctx, &opt] { return runCheck(ctx, opt); }; });
}

} // namespace kav::cli
