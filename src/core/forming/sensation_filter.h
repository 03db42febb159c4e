// "По сенсациям": the variants of the marked outcomes whose number of upsets lies
// between two bounds, written as coupons that group the outcomes that are no upset.
#pragma once

#include "core/draw/draw_model.h"
#include "core/forming/form_result.h"

#include <array>
#include <string_view>

namespace kav {

enum class SensationCriterion { Quotes, Pool }; // "БК", "пул"

struct SensationRequest {
    int lo = 3;         // "Сенсаций не менее"
    int hi = 5;         // "Сенсаций не более"; 0 takes all variants instead
    int threshold = 25; // an outcome below it (strictly) is an upset
    SensationCriterion criterion = SensationCriterion::Quotes;
};

// Outcome `outcome0` of `event0` is marked and its quote (or pool share) lies
// strictly below the threshold.
bool isSensation(const DrawModel& m, int event0, int outcome0, int threshold,
                 SensationCriterion criterion);

// Choice codes of one event's three slots: 0 no choice, -1..-3 an upset outcome
// "1", "X", "2", 1..3 a single outcome that is no upset, 4 "1,X", 5 "X,2",
// 6 "1,2", 7 "1,X,2".
using SensationSlots = std::array<int, kOutcomes>;
SensationSlots sensationSlots(const DrawModel& m, int event0, int threshold,
                              SensationCriterion criterion);

// "Добавить в список" of "По сенсациям": the qualifying coupons in depth-first
// order, leaving out those whose text is already a line of `existing`.
FormResult addSensationVariants(const DrawModel& m, std::string_view stakeText,
                                const Lines& existing, const SensationRequest& request);

} // namespace kav
