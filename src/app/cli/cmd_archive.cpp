// archive add|list|result|show and history: the draw archive of --archive.
#include "app/cli/cli_commands.h"

#include "core/check/package_history.h"
#include "io/archive/draw_archive.h"
#include "io/files/project_file.h"

#include <iostream>

namespace kav::cli {

namespace {

// Lists, a draw and the history only read: they open a read-only archive too.
std::unique_ptr<io::DrawArchive> openArchive(const CliContext& ctx, bool forReading = false) {
    const std::string path = ctx.archiveFile.empty() ? io::defaultArchivePath() : ctx.archiveFile;
    auto opened = forReading ? io::DrawArchive::openForReading(path) : io::DrawArchive::open(path);
    if (!opened.archive)
        printMessage(Message{opened.problem});
    return std::move(opened.archive);
}

} // namespace

io::DrawArchive::Answer<io::ArchivedDraw> archivedDraw(const CliContext& ctx, std::int64_t id) {
    auto archive = openArchive(ctx, true);
    if (!archive)
        return {std::nullopt, ""};
    return archive->draw(id);
}

namespace {

const char* countryCode(std::uint8_t country) {
    return country == kUkraine ? "ua" : "ru";
}

// The draw the command line built, as the archive keeps it.
io::ArchivedDraw contextDraw(const CliContext& ctx) {
    io::ArchivedDraw d;
    d.loadedAt = io::archiveTimestamp();
    d.drawCountry = ctx.model.drawCountry;
    d.title = ctx.drawSettings.windowTitle;
    d.eventTitles = ctx.model.eventTitles;
    d.quotes = ctx.model.quotes;
    d.poolShares = ctx.model.poolShares;
    d.totals = ctx.totals;
    return d;
}

int runAdd(CliContext& ctx, const ArchiveOptions& opt) {
    auto archive = openArchive(ctx);
    if (!archive)
        return kExitMessage;
    const auto drawId = archive->addDraw(contextDraw(ctx));
    if (!drawId.value) {
        printMessage(Message{drawId.problem});
        return kExitMessage;
    }
    std::cout << "draw\t" << *drawId.value << '\n' << std::flush;
    if (!opt.withPackage)
        return kExitOk;
    if (const auto fault = ctx.bets.fault()) {
        printMessage(Message{fault->text()});
        return kExitMessage;
    }
    io::ArchivedPackage p;
    p.drawId = *drawId.value;
    p.savedAt = io::archiveTimestamp();
    p.betText = ctx.bets.text();
    p.bets = ctx.bets.count();
    p.stake = ctx.bets.total();
    p.projectJson = io::projectJson(contextProjectState(ctx));
    const auto packageId = archive->addPackage(p);
    if (!packageId.value) {
        printMessage(Message{packageId.problem});
        return kExitMessage;
    }
    std::cout << "package\t" << *packageId.value << '\n' << std::flush;
    return kExitOk;
}

int runList(CliContext& ctx) {
    auto archive = openArchive(ctx, true);
    if (!archive)
        return kExitMessage;
    const auto draws = archive->draws();
    if (!draws.value) {
        printMessage(Message{draws.problem});
        return kExitMessage;
    }
    std::string out = "draw\tloaded\tcountry\ttitle\tresult\tprizes\n";
    for (const auto& d : *draws.value)
        out += std::to_string(d.id) + '\t' + d.loadedAt + '\t' + countryCode(d.drawCountry) + '\t' +
               d.title + '\t' + (d.result ? drawResultText(*d.result) : "") + '\t' +
               typedPrizesText(d.prizes) + '\n';
    std::cout << out << std::flush;
    return kExitOk;
}

int runResult(CliContext& ctx, const ArchiveOptions& opt) {
    const DrawResult result = resultOption(opt.result);
    std::optional<PrizeList> prizes;
    if (opt.prizes)
        prizes = prizesOption(*opt.prizes);
    auto archive = openArchive(ctx);
    if (!archive)
        return kExitMessage;
    const auto done = archive->setResult(opt.drawId, result, prizes);
    if (!done.value) {
        printMessage(Message{done.problem});
        return kExitMessage;
    }
    return kExitOk;
}

int runShow(CliContext& ctx, const ArchiveOptions& opt) {
    auto archive = openArchive(ctx, true);
    if (!archive)
        return kExitMessage;
    if (opt.packageId != 0) {
        const auto p = archive->package(opt.packageId);
        if (!p.value) {
            printMessage(Message{p.problem});
            return kExitMessage;
        }
        printLines(splitLines(p.value->betText));
        return kExitOk;
    }
    const auto d = archive->draw(opt.drawId);
    if (!d.value) {
        printMessage(Message{d.problem});
        return kExitMessage;
    }
    const io::ArchivedDraw& draw = *d.value;
    std::string out;
    out += "draw\t" + std::to_string(draw.id) + '\n';
    out += "loaded\t" + draw.loadedAt + '\n';
    out += std::string("country\t") + countryCode(draw.drawCountry) + '\n';
    out += "title\t" + draw.title + '\n';
    out += "pool\t" + draw.totals.poolText + '\n';
    out += "jackpot\t" + draw.totals.jackpotText + '\n';
    out += "counts\t" + std::to_string(draw.totals.uniformCounts[0]) + '\t' +
           std::to_string(draw.totals.uniformCounts[1]) + '\t' +
           std::to_string(draw.totals.uniformCounts[2]) + '\n';
    out += "result\t" + (draw.result ? drawResultText(*draw.result) : std::string()) + '\n';
    out += "prizes\t" + typedPrizesText(draw.prizes) + '\n';
    out += "event\ttitle\tquote1\tquoteX\tquote2\tpool1\tpoolX\tpool2\n";
    for (int e = 0; e < kEvents; ++e) {
        out += std::to_string(e + 1) + '\t' + draw.eventTitles[e];
        for (Fixed4 q : draw.quotes[e])
            out += '\t' + q.moneyText();
        for (Fixed4 s : draw.poolShares[e])
            out += '\t' + s.moneyText();
        out += '\n';
    }
    std::cout << out << std::flush;
    return kExitOk;
}

int runHistory(CliContext& ctx) {
    auto archive = openArchive(ctx, true);
    if (!archive)
        return kExitMessage;
    const auto packages = archive->packages();
    if (!packages.value) {
        printMessage(Message{packages.problem});
        return kExitMessage;
    }
    std::string out = "package\tdraw\tloaded\tcountry\tbets\tstake\tbest\tk9\tk10\tk11\tk12\tk13\t"
                      "k14\tk15\treturn\tprofit\tprizes\n";
    for (const auto& p : *packages.value) {
        const auto d = archive->draw(p.drawId);
        if (!d.value)
            continue;
        const io::ArchivedDraw& draw = *d.value;
        const HistoryRow row =
            historyRow(p.betText, draw.model(), draw.totals, draw.result, draw.prizes);
        out += std::to_string(p.id) + '\t' + std::to_string(draw.id) + '\t' + draw.loadedAt + '\t' +
               countryCode(draw.drawCountry) + '\t' + std::to_string(row.bets) + '\t' +
               row.stake.moneyText() + '\t' + (row.checked ? std::to_string(row.bestHits) : "");
        for (auto n : row.winners)
            out += '\t' + (row.checked ? std::to_string(n) : std::string());
        out += '\t' + (row.totalReturn ? row.totalReturn->moneyText() : std::string());
        out += '\t' + (row.profit ? row.profit->moneyText() : std::string());
        out += '\t' + std::string(!row.totalReturn ? "" : row.estimated ? "estimate" : "typed");
        out += '\n';
    }
    std::cout << out << std::flush;
    return kExitOk;
}

} // namespace

void addArchiveCommands(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    ArchiveOptions& opt = options.archive;
    auto* archive = app.add_subcommand("archive", "the draw archive of --archive");
    archive->require_subcommand(1);

    auto* add = archive->add_subcommand(
        "add", "keep the draw of --draw/--project; prints \"draw<TAB>ID\" (the same draw keeps "
               "its record)");
    add->add_flag("--package", opt.withPackage,
                  "keep the bet list (and the project state) with it too; prints "
                  "\"package<TAB>ID\"");
    add->callback([&ctx, &opt] { ctx.action = [&ctx, &opt] { return runAdd(ctx, opt); }; });

    archive->add_subcommand("list", "the kept draws, newest first, tab-separated with a header")
        ->callback([&ctx] { ctx.action = [&ctx] { return runList(ctx); }; });

    auto* result = archive->add_subcommand("result", "keep the result (and prizes) of a draw");
    result->add_option("--draw-id", opt.drawId, "the kept draw")->required();
    result->add_option("--result", opt.result, "15 of 1, X, 2, or - for a void event")->required();
    result->add_option("--prizes", opt.prizes, "money per winning variant: P9,P10,...,P15");
    result->callback([&ctx, &opt] { ctx.action = [&ctx, &opt] { return runResult(ctx, opt); }; });

    auto* show = archive->add_subcommand(
        "show", "a kept draw (--draw-id: its fields and events, tab-separated) or a kept "
                "package (--package-id: its bet list)");
    auto* drawId = show->add_option("--draw-id", opt.drawId, "the kept draw");
    auto* packageId = show->add_option("--package-id", opt.packageId, "the kept package");
    drawId->excludes(packageId);
    show->callback([&ctx, &opt, drawId, packageId] {
        if (drawId->count() == 0 && packageId->count() == 0)
            throw CLI::ValidationError("show", "--draw-id or --package-id is required");
        ctx.action = [&ctx, &opt] { return runShow(ctx, opt); };
    });

    app.add_subcommand("history",
                       "the played packages of the archive: draw, bets, stake, best hits, winners "
                       "per category 9..15, return, profit; tab-separated with a header")
        ->callback([&ctx] { ctx.action = [&ctx] { return runHistory(ctx); }; });
}

} // namespace kav::cli
