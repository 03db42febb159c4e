// Auto-forming ("Автоформир."): the greedy search for single bets that cover
// the largest still uncovered part of the marked field at a chosen category.
// The search is exact: it chooses the same bets, draws the same random numbers
// and forms the same 32-bit sums as the plain double loop over the field, but
// walks each result's ball directly and keeps every candidate's gain up to date.
#pragma once

#include "core/analysis/analysis.h"
#include "core/base/message.h"
#include "core/base/rng.h"
#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kav {

// Items of "способ поиска", in list order.
enum class AutoformMethod : int {
    ByCount = 0,
    ByProbability = 1,
    ByPool = 2,
    Disjoint = 3,
    ByValue = 4 // the bet that raises the package's expected return most
};
// The method at position `index` of the list; nothing outside it.
std::optional<AutoformMethod> autoformMethodAt(int index);
// The method the window searches with for its list's current index: text typed
// into the list (any index outside it) searches by probability.
AutoformMethod autoformMethodOfList(int currentIndex);

struct AutoformSettings {
    int category = 13;                               // "катег.", 9..15
    std::int64_t betLimit = 1000;                    // "ставок макс"
    float coverageTarget = 0.75f;                    // "покр. %" / 100
    AutoformMethod method = AutoformMethod::ByCount; // "способ поиска"
    std::string stakeText = "20.00";
    // By value only: the draw's totals as the analysis reads them, and the
    // most the added bets may cost in roubles (0: the bet limit alone).
    DrawTotals totals;
    double amountLimit = 0;
};

// What the window shows while the search runs: its caption, and when set the
// application's task-bar title.
struct AutoformProgress {
    std::string caption;
    std::optional<std::string> title;
    double percent = 0.0; // the figure of the caption, for a progress bar
};

struct AutoformHooks {
    std::function<void(const AutoformProgress&)> progress;
    // Asked before a search whose step is estimated over 10 s; true = OK.
    // Without it the search goes on.
    std::function<bool(const Message&)> confirm;
    // Set from any thread to stop; the search then adds nothing.
    const std::atomic<bool>* cancel = nullptr;
};

// Why the search stopped choosing bets.
enum class AutoformStop { Target, BetLimit, NoGain, Cancelled };

struct AutoformResult {
    Lines added;          // single bets to append, in field order
    MaybeMessage message; // why the search stopped without adding
    bool cancelled = false;
    bool declined = false; // Cancel on the time question
    AutoformStop stop = AutoformStop::Cancelled;
    // Cancelled while choosing: the bets chosen until then, in field order, and
    // coveredWeight holds their coverage. They are not added unless the caller
    // says so.
    Lines chosenBeforeCancel;

    std::int64_t packageBets = 0;
    float coveredWeight = 0.0f; // the share of the field's weight covered, 0..1
    std::int64_t steps = 0;
    std::uint64_t ballSize = 0;
    std::int64_t estimateSeconds = 0;
};

AutoformResult autoForm(const DrawModel& m, const Lines& betList, const AutoformSettings& s,
                        Rng& rng, const AutoformHooks& hooks = {});

// "Внимание! Продолжать?" for a step estimated over 10 seconds; nothing otherwise.
MaybeMessage stepTimeQuestion(std::int64_t seconds);

// The progress figure: 100 x covered / target as a money text ("37.5").
std::string autoformPercentText(float coveredWeight, float coverageTarget);

} // namespace kav
