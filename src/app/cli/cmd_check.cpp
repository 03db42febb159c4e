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
    std::optional<DrawResult> typedResult;
    if (!opt.result.empty())
        typedResult = resultOption(opt.result);
    std::optional<PrizeList> prizes;
    TypedPrizes archived; // the prizes kept in the archive, when the draw is one of it
    if (opt.prizes)
        prizes = prizesOption(*opt.prizes);
    if (opt.drawId) {
        // The archived draw replaces the draw of the options; its kept result
        // and prizes serve where none are typed.
        const auto draw = archivedDraw(ctx, *opt.drawId);
        if (!draw.value) {
            if (!draw.problem.empty())
                printMessage(Message{draw.problem});
            return kExitMessage;
        }
        ctx.model.quotes = draw.value->quotes;
        ctx.model.poolShares = draw.value->poolShares;
        ctx.model.eventTitles = draw.value->eventTitles;
        ctx.model.drawCountry = draw.value->drawCountry;
        ctx.totals = draw.value->totals;
        if (!typedResult)
            typedResult = draw.value->result;
        if (!prizes) {
            // Prizes typed for some categories only are completed by the estimate.
            archived = draw.value->prizes;
            if (archived.complete())
                prizes = completedPrizes(archived, std::nullopt);
        }
        if (!typedResult) {
            printMessage(
                Message{"У тиража " + std::to_string(*opt.drawId) + " в архиве нет результата."});
            return kExitMessage;
        }
    }
    if (!typedResult)
        throw UsageError("--result is required (or --draw-id of a draw with a kept result)");
    const DrawResult result = *typedResult;
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
        prizes = completedPrizes(archived, estimate.prizes);
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
    return finish(message);
}

} // namespace

void addCheckCommand(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    CheckOptions& opt = options.check;
    auto* cmd = app.add_subcommand(
        "check", "check the bet list against the draw's result: per line the variants with "
                 "exactly 9..15 hits, the totals, and with prizes the return");
    cmd->add_option("--result", opt.result,
                    "the result: 15 of 1, X, 2, or - for a void event (a hit for every bet)");
    cmd->add_option("--draw-id", opt.drawId,
                    "check against a draw of --archive: its quotes, pool and kept result and "
                    "prizes (--result and --prizes override them)");
    cmd->add_option("--prizes", opt.prizes,
                    "money per winning variant, categories 9..15: P9,P10,...,P15 "
                    "(or \"P9; P10; ...\" with decimal commas)");
    cmd->add_flag("--estimate", opt.estimate,
                  "without --prizes: estimate the prizes from the draw's pool and shares");
    cmd->callback([&ctx, &opt] { ctx.action = [&ctx, &opt] { return runCheck(ctx, opt); }; });
}

} // namespace kav::cli
