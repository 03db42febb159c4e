// "+P" and "+N": the single bet inside the zone that newly covers the most
// results, by probability or by count.
#pragma once

#include "core/coverage/coverage.h"

#include <atomic>
#include <functional>
#include <optional>

namespace kav {

enum class BestBy { Probability, Count };

struct BestBet {
    std::optional<int> index; // nothing when no candidate gains anything
    bool cancelled = false;
};

// Percent of the candidates done, 0..99, called only when it changes and
// always on the calling thread.
using SearchProgress = std::function<void(int percent)>;

// Gains are taken against the results with coverCount 0. On equal gains the
// lower index wins. Both cores share the candidates; the result is the same as
// a plain loop over the candidates in index order.
BestBet findBestBet(const Zone& zone, int category, BestBy by, const SearchProgress& progress = {},
                    const std::atomic<bool>* cancel = nullptr);

} // namespace kav
