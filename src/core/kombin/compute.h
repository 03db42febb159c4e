// A missing brief system made on request: the generator with the template
// folder's own systems as building blocks, the exhaustive check, and the file
// saved beside the others under the scheme's name.
#pragma once

#include "core/kombin/code.h"
#include "core/kombin/search.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kav::kombin {

// Larger systems are not offered: a package of more bets is no brief system.
constexpr std::uint64_t kMaxComputedRows = 2000;

// The key of a selection of d doubles and t triples at category c (9..15): the
// insured events must give c minus the singles.
Key selectionKey(int doubles, int triples, int category);

// Whether a system for the key can be offered: at least one position and one
// hit, and no proof that every system has more than kMaxComputedRows rows.
bool canComputeSystem(const Key& key);

class Library;

// Whether "Рассчитать систему" offers a key. A bound under kMaxComputedRows
// does not make a system of that size known: the key is offered only when the
// library holds one or the constructions build one from the library's systems.
enum class SystemOffer {
    Offered,
    NotAKey,   // no position or no hit to insure
    OverLimit, // every system has more than kMaxComputedRows rows
    NoneKnown, // none of at most kMaxComputedRows rows is known
};
SystemOffer systemOffer(const Key& key, Library* known);
// Why a key is not offered, for the player; empty for an offered key or one
// that is no key.
std::string systemOfferNote(const Key& key, SystemOffer offer);

// The search budget for the key, in seconds of one thread; small keys settle
// in a moment, the largest searched ones get a quarter of a minute.
double computeBudgetSeconds(const Key& key);

struct ComputeRequest {
    Key key;
    std::string folder; // the template folder: building blocks and destination
    std::uint64_t seed = 1;
    double seconds = 0;  // 0: computeBudgetSeconds(key)
    double patience = 0; // 0: a fifth of the budget, at least a second
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(const SearchProgress&)> progress;
    std::vector<std::string> moreFolders; // further building blocks (the shipped templates)
};

struct ComputeResult {
    bool cancelled = false;
    std::size_t rows = 0;
    std::optional<std::string> path; // the saved file
    std::string error;               // for the player; empty when saved or cancelled
};

// Never throws and never saves a system that fails the check or has more than
// kMaxComputedRows rows.
ComputeResult computeSystem(const ComputeRequest& request);

} // namespace kav::kombin
