// "Условия": the variants of a field (or of each bet-list line) that pass a
// ConditionSet — counted, listed in field order, appended as single bets, or
// put in place of the list's lines that hold failing variants.
#pragma once

#include "core/bets/bet_list.h"
#include "core/forming/condition_set.h"
#include "core/forming/form_result.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace kav {

// The number of variants of `field` (one outcome set per event) that pass.
std::uint64_t countPassingVariants(const DrawModel& m, const Coupon& field, const ConditionSet& c);

// Every passing variant of `field`, in field order: event 1 varies slowest,
// outcomes in the order "1", "X", "2".
void forEachPassingVariant(const DrawModel& m, const Coupon& field, const ConditionSet& c,
                           const std::function<void(const Variant&)>& visit);

// The field of the marked outcomes; an event with nothing marked has an empty set.
Coupon markedField(const DrawModel& m);

// On the field: the passing variants of the marked outcomes as single bets,
// written as "Случайный выбор" writes them; a variant the list already holds
// as such a line is not added again.
FormResult addConditionVariants(const DrawModel& m, std::string_view stakeText,
                                const Lines& existing, const ConditionSet& c);

struct ConditionListResult {
    Lines lines;
    std::uint64_t removedVariants = 0;
    std::size_t replacedLines = 0;
};
// On the list: a complete line whose variants all pass stays; any other is
// replaced in place by its passing variants as single bets at the line's
// per-variant stake. Other lines stay as they are.
ConditionListResult applyConditionsToList(const DrawModel& m, const Lines& lines,
                                          const ConditionSet& c);

// "Удалено вариантов: N" for the player after the list application.
Message conditionListReport(const ConditionListResult& r);

} // namespace kav
