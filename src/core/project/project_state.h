// ProjectState: a player's work as one value — the draw with its marks and
// forced bet, the totals the analysis reads, the packet mode with the
// settings of every mode, the stake and the bet list. The window and the
// command line both read it from and write it to a project file.
#pragma once

#include "core/analysis/analysis.h"
#include "core/base/fixed4.h"
#include "core/bets/bets.h"
#include "core/draw/draw_model.h"
#include "core/forming/autoform.h"
#include "core/forming/condition_set.h"
#include "core/forming/manual_selection.h"
#include "core/forming/packet_mode.h"
#include "core/forming/sensation_filter.h"

#include <array>
#include <string>

namespace kav {

struct BriefSettings {
    int category = 13;      // "катег."
    bool startWith = false; // "Начать с..."
    bool operator==(const BriefSettings&) const = default;
};

struct SensationSettings {
    int lo = 3;
    int hi = 5;
    int threshold = 25;
    SensationCriterion criterion = SensationCriterion::Quotes;
    bool operator==(const SensationSettings&) const = default;
};

struct RandomSettings {
    RandomDistribution distribution = RandomDistribution::ByQuotes;
    std::int64_t repeat = 1;
    int favourites = 7;
    bool operator==(const RandomSettings&) const = default;
};

struct AutoformPanelSettings {
    int category = 13;
    std::int64_t betLimit = 1000;
    // "покр. %" as the field shows it (75 = 75 %).
    double coveragePercent = 75.0;
    AutoformMethod method = AutoformMethod::ByCount;
    bool operator==(const AutoformPanelSettings&) const = default;
};

struct ProjectState {
    // The draw: titles, quotes, pool shares, country; the marks and the forced
    // bet are the player's. Its bet fields are derived from betText.
    DrawModel draw;
    // The main window's caption for this draw, e.g. "Kavendix V1.4.2 - российский тираж".
    std::string drawTitle;
    // The row titles of the side windows (home teams of a loaded draw).
    std::array<std::string, kEvents> rowTitles{};
    DrawTotals totals;

    PacketMode mode = PacketMode::BriefSystems;
    BriefSettings brief;
    SensationSettings sensation;
    RandomSettings random;
    AutoformPanelSettings autoform;
    ConditionSet conditions; // "Условия": nothing set in a fresh session

    // The stake per bet ("20", "20.5") and the smallest the draw allows.
    std::string stakeText = "20";
    Fixed4 stakeMinimum = Fixed4::fromInt(20);

    // The bet list exactly as the list box holds it (lines joined by LF).
    std::string betText;
};

// The state of a fresh session for a country: the default draw, nothing
// marked, the country's start stake, an empty list.
ProjectState defaultProjectState(std::uint8_t drawCountry);

// True when the two states hold the same work (the draw's derived bet fields
// are not compared: they follow betText).
bool sameWork(const ProjectState& a, const ProjectState& b);

} // namespace kav
