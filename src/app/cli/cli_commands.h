// The commands of kavendix-cli: the options of each, as typed, and the table
// that adds them to the command line in the order --help lists them.
#pragma once

#include "app/cli/cli_context.h"
#include "core/check/draw_result.h"
#include "core/check/prizes.h"
#include "core/forming/condition_set.h"
#include "core/forming/sensation_filter.h"
#include "io/archive/draw_archive.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kav::cli {

struct BriefOptions {
    int category = 13;
};

struct SummaryOptions {
    int category = 13;
    int mode = 0; // position in the mode list
};

struct RandomOptions {
    int distribution = 0; // position in "Распределение"
    std::int64_t repeat = 1;
    int favourites = 7;
};

struct SensationOptions {
    SensationRequest request;
    std::string criterion = "bk";
};

struct AutoformOptions {
    int category = 13;
    std::int64_t limit = 1000;
    double target = 75.0;
    int method = 0; // position in "способ поиска"
    bool yes = false;
};

// coverage and best.
struct CoverageOptions {
    std::string zone;
    int category = 13;
    bool cells = false;
    std::string by;
};

struct GenerateOptions {
    int doubles = -1, triples = -1, hits = -1;
    double seconds = 10;
    double patience = 0;
    std::uint64_t maxRows = 0;
    std::optional<std::uint32_t> seed;
    int threads = 2;
    int height = 0;
    std::size_t target = 0;
    std::string outDir;
    std::string library;
    bool noLibrary = false;
    bool noSearch = false;
    std::string columns;
    bool exchange = false;
};

struct KombinOptions {
    GenerateOptions generate;
    std::vector<std::string> verifyFiles;
    std::string reportFolder;
};

struct PageOptions {
    std::string kind;
    std::string file;
};

struct FetchOptions {
    std::string server;
    std::string output;
};

struct ExportOptions {
    std::string kind;
    std::string output;
};

struct AnalyseOptions {
    std::string variant;
    std::optional<std::string> pool;
    std::optional<std::string> jackpot;
    std::optional<std::string> counts;
};

struct ProjectOptions {
    std::string output;
};

struct FilterOptions {
    // The typed ranges "a:b", in the order of kav::Measure.
    std::array<std::optional<std::string>, kMeasures> ranges;
    std::vector<std::string> baseRows;
    int tolerance = 0;
    std::string on = "field";
    bool count = false;
};

struct CheckOptions {
    std::string result;
    std::optional<std::string> prizes;
    bool estimate = false;
    std::optional<std::int64_t> drawId; // a draw of the archive instead of --draw
};

struct ArchiveOptions {
    std::int64_t drawId = 0;
    std::int64_t packageId = 0;
    bool withPackage = false;
    std::string result;
    std::optional<std::string> prizes;
};

struct EvOptions {
    std::optional<std::uint64_t> keepBest;
    std::optional<std::string> minimum;
};

struct SimulateOptions {
    std::uint64_t draws = 100000;
    std::optional<std::string> prizes;
    bool exact = false;
};

// --result and --prizes as typed; a usage error for a malformed one.
DrawResult resultOption(const std::string& text);
PrizeList prizesOption(const std::string& text);
// A draw of the archive of --archive (which says itself why it cannot be opened).
io::DrawArchive::Answer<io::ArchivedDraw> archivedDraw(const CliContext& ctx, std::int64_t id);

// The options of every command, alive for the whole run: the command line
// writes them while parsing, the chosen command's action reads them.
struct CommandOptions {
    BriefOptions brief;
    SummaryOptions summary;
    RandomOptions random;
    SensationOptions sensation;
    AutoformOptions autoform;
    CoverageOptions coverage;
    CoverageOptions best;
    KombinOptions kombin;
    PageOptions page;
    FetchOptions fetch;
    ExportOptions exportList;
    AnalyseOptions analyse;
    ProjectOptions project;
    FilterOptions filter;
    CheckOptions check;
    ArchiveOptions archive;
    EvOptions ev;
    SimulateOptions simulate;
};

// Each adds its subcommands to `app`; a subcommand's callback sets ctx.action.
using AddCommands = void (*)(CLI::App& app, CliContext& ctx, CommandOptions& options);

void addBetListCommands(CLI::App& app, CliContext& ctx, CommandOptions& options); // parse, remove
void addBriefCommands(CLI::App& app, CliContext& ctx, CommandOptions& options);   // brief, summary
void addAllCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addRandomCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addSensationCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addAutoformCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addCoverageCommands(CLI::App& app, CliContext& ctx, CommandOptions& options); // coverage, best
void addKombinCommands(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addPageCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addFetchCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addExportCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addAnalyseCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addProjectCommand(CLI::App& app, CliContext& ctx, CommandOptions& options); // save-project
void addFilterCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addCheckCommand(CLI::App& app, CliContext& ctx, CommandOptions& options);
void addArchiveCommands(CLI::App& app, CliContext& ctx,
                        CommandOptions& options);                               // archive, history
void addValueCommands(CLI::App& app, CliContext& ctx, CommandOptions& options); // ev, simulate

// The command table, in the order --help lists the commands.
inline constexpr AddCommands kCommandTable[] = {
    addBetListCommands,  addBriefCommands,   addAllCommand,       addRandomCommand,
    addSensationCommand, addAutoformCommand, addCoverageCommands, addKombinCommands,
    addPageCommand,      addFetchCommand,    addExportCommand,    addAnalyseCommand,
    addProjectCommand,   addFilterCommand,   addCheckCommand,     addArchiveCommands,
    addValueCommands,
};

inline void addAllCommands(CLI::App& app, CliContext& ctx, CommandOptions& options) {
    for (AddCommands add : kCommandTable)
        add(app, ctx, options);
}

} // namespace kav::cli
