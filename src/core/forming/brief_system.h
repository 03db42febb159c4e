// Brief-system expansion ("Добавить в список" of the brief-system mode): the
// whole selection as one coupon at category 15, one bet when the singles
// alone reach the category, otherwise the latest template of the key laid onto
// the marked outcomes with random labels and the forced bet.
#pragma once

#include "core/base/message.h"
#include "core/base/rng.h"
#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"
#include "core/forming/templates.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace kav {

// What survives between clicks: the bet the first template row gave, one
// letter per event ('\0' = never set).
struct BriefState {
    std::array<char, kEvents> firstRowBet{};
};

struct BriefInput {
    const DrawModel& model;          // selection and forcedBet
    std::string_view stakeText;      // the stake field's text
    int category = 13;               // minimum category, 9..15
    bool startWith = false;          // "Начать с..." ticked
    std::filesystem::path folder;    // the template folder
    const Lines& bets;               // the bet list before the click
    std::filesystem::path ownFolder; // the player's computed systems, read with `folder`
};

struct BriefResult {
    Lines appended;       // the lines to add at the end of the bet list
    MaybeMessage message; // at most one message; nothing is appended with it
    bool bulk = false;    // the list is hidden while appending and parsed once at the end
};

BriefResult expandBriefSystem(const BriefInput& in, Rng& rng, BriefState& state);

// The two outcomes of a double in the order a template symbol "1" / "2" plays
// them: "1" and "X" give "X" first; the other pairs keep the order 1, X, 2.
// Outcome indices 0..2; the set must hold exactly two outcomes.
std::array<int, 2> doubleOrder(OutcomeSet pair);

} // namespace kav
