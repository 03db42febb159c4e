// ConditionSet: the conditions of "Условия" — closed integer ranges on what a
// single bet is made of (sign counts, favourites, outsiders, points, runs,
// changes, hits against base rows) and how many of them may fail. Also their
// text form ("a:b", "ROW:a:b") and the measures of one variant.
#pragma once

#include "core/bets/bets.h"
#include "core/draw/draw_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// A closed interval of integers; lo > hi holds nothing.
struct ConditionRange {
    std::int64_t lo = 0;
    std::int64_t hi = 0;
    bool contains(std::int64_t v) const { return lo <= v && v <= hi; }
    bool operator==(const ConditionRange&) const = default;
};

// What a condition counts in a variant, in the order the panel and the
// project file list them.
enum class Measure : int {
    Ones = 0,        // events with "1"
    Draws = 1,       // events with "X"
    Twos = 2,        // events with "2"
    Favourites = 3,  // events whose outcome has its event's largest quote
    Outsiders = 4,   // events whose outcome has its event's smallest quote
    Points = 5,      // the sum of the outcomes' rounded quotes
    PoolPoints = 6,  // the sum of the outcomes' rounded pool shares
    LongestRun = 7,  // the longest run of consecutive events with one outcome
    Changes = 8,     // events 2..15 whose outcome differs from the previous one
    ValuePoints = 9, // the sum of the outcomes' value points (see valuePoints)
};
inline constexpr int kMeasures = 10;

// A row of 15 letters "1", "X", "2", "-" and the range of hits a variant must
// have against it; "-" agrees with nothing.
struct BaseRowCondition {
    std::string row = std::string(kEvents, '-');
    ConditionRange range;
    bool operator==(const BaseRowCondition&) const = default;
};

struct ConditionSet {
    std::array<std::optional<ConditionRange>, kMeasures> ranges{};
    std::vector<BaseRowCondition> baseRows;
    // A variant passes when at most this many of the set conditions fail.
    int tolerance = 0;

    std::optional<ConditionRange>& range(Measure m) { return ranges[static_cast<int>(m)]; }
    const std::optional<ConditionRange>& range(Measure m) const {
        return ranges[static_cast<int>(m)];
    }
    // The number of conditions that are set: ranges and base rows.
    int setCount() const;
    bool operator==(const ConditionSet&) const = default;
};

// Base rows a set may hold: far more than a player types, and a bound on
// what a file can ask for.
inline constexpr std::size_t kMaxBaseRows = 100;

// Bounds typed beyond this are refused: every sum of measures then stays far
// from the ends of a 64-bit integer.
inline constexpr std::int64_t kLargestConditionBound = 1'000'000'000'000;

// "a:b" with a <= b, integers (an optional leading "-"); nothing otherwise.
std::optional<ConditionRange> parseConditionRange(std::string_view text);
std::string conditionRangeText(const ConditionRange& r);

// "ROW:a:b": ROW 15 letters of "1", "X" ("x" accepted), "2", "-"; nothing otherwise.
std::optional<BaseRowCondition> parseBaseRowCondition(std::string_view text);
std::string baseRowConditionText(const BaseRowCondition& b);

// Outcome of an event's largest quote (ties: the first of 1, X, 2) and of its
// smallest (ties: the last). The quotes are compared exactly, not as rounded.
int favouriteOutcome(const DrawModel& m, int event0);
// The value of an outcome in hundredths, as the grid's value view shows it:
// its quote over its pool share, times 100, rounded half away from zero
// (quote 45, share 50: 90). An outcome without a share above 0 has no value:
// nothing.
std::optional<std::int64_t> valuePoints(Fixed4 quote, Fixed4 poolShare);
int outsiderOutcome(const DrawModel& m, int event0);

// What each condition adds per event and outcome, worked out once per draw:
// every measure but the longest run and the changes is such a sum.
struct ConditionTables {
    struct Additive {
        ConditionRange range;
        std::array<std::array<std::int64_t, kOutcomes>, kEvents> value{};
    };
    std::vector<Additive> additive; // the set sum conditions, base rows last
    std::optional<ConditionRange> longestRun;
    std::optional<ConditionRange> changes;
    int tolerance = 0;

    int count() const {
        return static_cast<int>(additive.size()) + (longestRun ? 1 : 0) + (changes ? 1 : 0);
    }
};
ConditionTables conditionTables(const DrawModel& m, const ConditionSet& c);

int longestRunOf(const Variant& v);
int changesOf(const Variant& v);

// Whether one variant passes: at most `tolerance` of the set conditions fail.
bool passesConditions(const ConditionTables& t, const Variant& v);

} // namespace kav
