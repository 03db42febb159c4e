// What every kavendix-cli command shares: the common options, the draw and bet
// list they produce, the one random generator, and the exit codes.
#pragma once

#include "core/analysis/analysis.h"
#include "core/base/message.h"
#include "core/base/rng.h"
#include "core/bets/bet_list_model.h"
#include "core/draw/draw_model.h"
#include "core/draw/draw_page.h"
#include "core/draw/quotes_file.h"
#include "core/project/project_state.h"

#include <CLI/CLI.hpp>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace kav::cli {

// Exit codes of the command-line contract.
constexpr int kExitOk = 0;
constexpr int kExitMessage = 1; // the action stopped with one of the program's messages
constexpr int kExitUsage = 2;   // usage error or unreadable input, nothing on stdout

// A usage error or unreadable input found while running a command.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliContext {
    // Common options, as typed.
    std::string drawFile;
    std::string select;
    std::string stake = "20.00";
    std::string country; // empty: the draw file's country, else ru
    std::string betsFile;
    std::optional<std::uint32_t> seed;
    std::string kombinDir;
    std::string forced;
    bool startWith = false;
    std::string projectFile;
    // The draw archive; empty: the program's archive in the user's data folder.
    std::string archiveFile;
    // Whether --stake was typed (its default must not override a project's stake).
    bool stakeGiven = false;
    std::string argv0;

    // Prepared before the command runs.
    DrawModel model;
    // The rest of the draw: stake text and minimum, window title. From --draw;
    // without it the country's start values.
    DrawSettings drawSettings;
    // Pool, jackpot and uniform counts of the draw (the analysis window's
    // fields); a quotes file replaces them, the default draw has none.
    DrawTotals totals;
    // The bet list of --bets, parsed once; forming commands append to a copy.
    BetList bets;
    Rng rng;
    // The work of --project as read, before the other options overrode parts
    // of it; the mode settings of the commands default to it.
    std::optional<ProjectState> project;

    // Set by the chosen subcommand's callback; returns the exit code.
    std::function<int()> action;

    // The template folder: --kombin, else "Kombin" beside the executable, else ./Kombin.
    std::string kombinFolder() const;
    // The stake field's value; a usage error when the text is no number.
    Fixed4 stakeValue() const;
};

// The state the command line has built (for save-project): the draw, marks,
// forced bet, stake and bet list of the context; the mode settings of
// --project, else a fresh session's.
ProjectState contextProjectState(const CliContext& ctx);

// The stake text, minimum and window title a country switch sets up.
DrawSettings startDrawSettings(std::uint8_t drawCountry, std::string_view stakeText);

// Reads the common options into the model, the bet list and the generator.
// Throws UsageError on a malformed option or an unreadable file.
void prepareContext(CliContext& ctx);

// An option that names an item of one of the window's lists by its position,
// as the core's value; a usage error outside the list.
template <class Item>
Item listItemOption(std::optional<Item> item, const std::string& option, int position) {
    if (!item)
        throw UsageError(option + ": no such item: " + std::to_string(position));
    return *item;
}

// A command option the player did not type takes its value from --project
// (`fromProject` reads it from the project's state); without a project a
// `required` option is a usage error and any other keeps its default.
template <class T, class FromProject>
void defaultFromProject(const CliContext& ctx, const CLI::Option* option, T& value,
                        FromProject fromProject, bool required = false) {
    if (option->count() > 0)
        return;
    if (ctx.project)
        value = static_cast<T>(fromProject(*ctx.project));
    else if (required)
        throw UsageError(option->get_name() + " is required");
}

// Prints the bet list, one line each, LF line ends.
void printLines(const Lines& lines);
// Prints a program message on stderr.
void printMessage(const Message& m);
// The exit code after an action that may have stopped with a message.
int finish(const Lines& lines, const MaybeMessage& message);
// The same for an action that prints no list: the message on stderr, exit 1.
int finish(const MaybeMessage& message);

// Input files far beyond any real bet list or page are refused.
inline constexpr std::size_t kMaxInputFileBytes = std::size_t{256} << 20;
// Reads a whole text file; throws UsageError when it cannot be read. "-" is stdin.
std::string readInputFile(const std::string& path);

} // namespace kav::cli
