// The selection summary under the grid: the number and money of all variants of
// the marked outcomes, the brief system that matches the selection and the
// minimum category, and the templates the nearest-systems window lists when
// none matches.
#pragma once

#include "core/draw/draw_model.h"
#include "core/forming/packet_mode.h"
#include "core/forming/templates.h"
#include "core/kombin/code.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

// The rows the nearest-systems window lists, at most this many.
constexpr std::size_t kNearestRows = 8;

struct SummaryInput {
    const DrawModel& model;                     // selection and draw country
    std::string_view stakeText;                 // the stake field's text
    int category = 13;                          // minimum category, 9..15
    PacketMode mode = PacketMode::BriefSystems; // the system line only in this mode
    std::filesystem::path folder;               // the template folder, searched afresh
    const TemplateIndex& index;                 // the templates indexed at start
    std::filesystem::path ownFolder;            // the player's computed systems, read with `folder`
};

struct SelectionSummary {
    // Always stored into the model.
    std::string currencySuffix;
    std::uint8_t doublesCount = 0;
    std::uint8_t triplesCount = 0;
    // Stored only when set; an unset line keeps the text it shows.
    std::optional<std::uint8_t> shownTriplesCount;
    // The two summary lines under the grid: all variants of the marked outcomes
    // with their money, and the variants of the matching brief system.
    std::optional<std::string> markedVariantsLine;
    std::optional<std::string> systemVariantsLine;
    // The nearest-systems window: shown with these rows (possibly none) when set.
    std::optional<std::vector<TemplateEntry>> nearest;
    // With the nearest systems: the key of the selection, when a system for it
    // may be computed on request.
    std::optional<kombin::Key> computable;
    // With the nearest systems and no key to compute: why the selection's own
    // system is not offered.
    std::optional<std::string> computeNote;
};

SelectionSummary updateSelectionSummary(const SummaryInput& in);

// Writes the counts of a summary into the model.
void storeSummaryCounts(DrawModel& m, const SelectionSummary& s);

// The templates of category c with no more insured events than d + t and no
// more triples than t, in index order, at most kNearestRows.
std::vector<TemplateEntry> nearestSystems(const TemplateIndex& index, int d, int t, int c);

// The text of n x stake as money (at most four decimals, no trailing zeros),
// exact for every count of variants and every stake.
std::string moneyTimes(Fixed4 stake, std::uint64_t n);

} // namespace kav
