#include "app/cli/cli_context.h"

#include "core/draw/draw_page.h"
#include "core/draw/selection_text.h"
#include "io/files/project_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace kav::cli {

namespace {
// Reads at most kMaxInputFileBytes: a device such as /dev/zero or an endless
// pipe must end in a message, not in exhausted memory.
std::string readBounded(std::istream& in, const std::string& path) {
    std::string data;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        data.append(buf, static_cast<std::size_t>(in.gcount()));
        if (data.size() > kMaxInputFileBytes)
            throw UsageError("cannot read " + path + ": larger than " +
                             std::to_string(kMaxInputFileBytes >> 20) + " MB");
    }
    if (in.bad())
        throw UsageError("cannot read " + path);
    return data;
}
} // namespace

std::string readInputFile(const std::string& path) {
    if (path == "-")
        return readBounded(std::cin, "standard input");
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw UsageError("cannot read " + path + ": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UsageError("cannot read " + path);
    return readBounded(in, path);
}

std::string CliContext::kombinFolder() const {
    if (!kombinDir.empty())
        return kombinDir;
    std::error_code ec;
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (!ec) {
        // Beside the program in its build folder; under share/ when installed.
        for (const auto& folder : {exe.parent_path() / "Kombin",
                                   exe.parent_path().parent_path() / "share/kavendix/Kombin"})
            if (std::filesystem::is_directory(folder, ec))
                return folder.string();
    }
    return "Kombin";
}

Fixed4 CliContext::stakeValue() const {
    auto v = stakePerBet(stake);
    if (!v)
        throw UsageError("--stake: not a number: " + stake);
    return *v;
}

// Provided by the quotes-file reader; replaces the default draw.
void loadDrawFile(CliContext& ctx);

DrawSettings startDrawSettings(std::uint8_t drawCountry, std::string_view stakeText) {
    DrawSettings s;
    s.stakeMinimum = minimumStake(drawCountry);
    auto stake = stakePerBet(stakeText);
    s.stakeText = stake ? stakeDisplayText(std::max(*stake, s.stakeMinimum), drawCountry)
                        : std::string(stakeText);
    s.windowTitle = drawWindowTitle(drawCountry);
    return s;
}

namespace {

// --project: the saved work becomes the starting point of every other option.
void loadProject(CliContext& ctx) {
    const io::ProjectRead read = io::loadProjectFile(ctx.projectFile);
    if (!read.state)
        throw UsageError(read.error);
    const ProjectState& p = *read.state;
    ctx.project = p;
    assignDrawAndMarks(ctx.model, p.draw);
    ctx.totals = p.totals;
    ctx.drawSettings.stakeMinimum = p.stakeMinimum;
    ctx.drawSettings.windowTitle = p.drawTitle;
    ctx.drawSettings.stakeText = stakeDisplayText(*Fixed4::parse(p.stakeText), p.draw.drawCountry);
    if (!ctx.stakeGiven)
        ctx.stake = p.stakeText;
    ctx.startWith = ctx.startWith || p.brief.startWith;
    ctx.bets.setText(p.betText);
}

} // namespace

ProjectState contextProjectState(const CliContext& ctx) {
    ProjectState s = ctx.project ? *ctx.project : defaultProjectState(ctx.model.drawCountry);
    assignDrawAndMarks(s.draw, ctx.model);
    s.drawTitle = ctx.drawSettings.windowTitle;
    // Titles that came from a quotes file name their home team in the side
    // windows, as the window shows them after loading the file.
    if (!ctx.drawFile.empty() || !ctx.project)
        for (int e = 0; e < kEvents; ++e)
            s.rowTitles[e] = ctx.drawFile.empty() ? ctx.model.eventTitles[e]
                                                  : homeTitle(ctx.model.eventTitles[e]);
    s.totals = ctx.totals;
    s.brief.startWith = ctx.startWith;
    s.stakeMinimum = ctx.drawSettings.stakeMinimum;
    const auto stake = stakePerBet(ctx.stake);
    s.stakeText = stake ? std::max(*stake, s.stakeMinimum).moneyText() : s.stakeMinimum.moneyText();
    // The list of a project stays byte for byte unless --bets replaced it.
    s.betText = ctx.project && ctx.betsFile.empty() ? ctx.project->betText : ctx.bets.text();
    return s;
}

void prepareContext(CliContext& ctx) {
    // "20,5" as a Russian player types it is the amount 20.5; the bet lines
    // and every later step take the stake in its plain form.
    if (!Fixed4::parse(ctx.stake))
        if (auto typed = Fixed4::parseTyped(ctx.stake))
            ctx.stake = typed->moneyText();
    std::uint8_t country = kRussia;
    if (ctx.country == "ua")
        country = kUkraine;
    else if (!ctx.country.empty() && ctx.country != "ru")
        throw UsageError("--country must be ru or ua");
    ctx.model.drawCountry = country;
    applyDefaultDraw(ctx.model);
    ctx.drawSettings = startDrawSettings(country, ctx.stake);
    if (!ctx.projectFile.empty()) {
        loadProject(ctx);
        if (!ctx.country.empty())
            ctx.model.drawCountry = country;
    }
    if (!ctx.drawFile.empty()) {
        loadDrawFile(ctx);
        if (!ctx.country.empty())
            ctx.model.drawCountry = country;
    }
    ctx.model.currencySuffix = currencySuffixFor(ctx.model.drawCountry);
    if (!ctx.select.empty()) {
        auto sel = parseSelectionText(ctx.select);
        if (!sel)
            throw UsageError("--select: expected 15 comma-separated groups of 1, X, 2 or -, got: " +
                             ctx.select);
        ctx.model.selection = *sel;
    }
    if (!ctx.forced.empty()) {
        if (ctx.forced.size() != kEvents)
            throw UsageError("--forced: expected 15 characters of 1, X, 2, _ or blank");
        for (char c : ctx.forced)
            if (c != '1' && c != 'X' && c != '2' && c != '_' && c != ' ')
                throw UsageError("--forced: expected 15 characters of 1, X, 2, _ or blank");
        ctx.model.forcedBet = ctx.forced;
    }
    if (!ctx.betsFile.empty())
        ctx.bets.setText(readInputFile(ctx.betsFile));
    ctx.rng.setSeed(ctx.seed ? *ctx.seed : Rng::clockSeed());
}

void printLines(const Lines& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += '\n';
    }
    std::cout << out << std::flush;
}

void printMessage(const Message& m) {
    std::cerr << m.caption << ": " << m.text << '\n';
}

int finish(const Lines& lines, const MaybeMessage& message) {
    printLines(lines);
    return finish(message);
}

int finish(const MaybeMessage& message) {
    if (message) {
        printMessage(*message);
        return kExitMessage;
    }
    return kExitOk;
}

} // namespace kav::cli
