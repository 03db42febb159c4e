#include "core/forming/manual_selection.h"

#include "core/bets/stake_text.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kav {

namespace {

const char* const kNotAllEvents = "Выбраны не все события";
const char* const kTooFewOutcomes = "Выбрано недостаточно исходов для формирования пакета";

// With weights never below 0 a share lies in 0..10000; the bound only keeps
// p1 + pX from overflowing for a caller passing anything else.
constexpr std::int64_t kShareBound = 1'000'000'000'000'000;

// The sum of three weights, saturated instead of overflowing on absurd values.
Fixed4 weightSum(const Weights& w) {
    Int128 s = static_cast<Int128>(w[0].raw()) + w[1].raw() + w[2].raw();
    s = std::clamp<Int128>(s, std::numeric_limits<std::int64_t>::min(),
                           std::numeric_limits<std::int64_t>::max());
    return Fixed4::fromRaw(static_cast<std::int64_t>(s));
}

// ";e-(1)", ";e-(X)", ";e-(2)" for every event.
using GroupTexts = std::array<std::array<std::string, kOutcomes>, kEvents>;
const GroupTexts& singleGroups() {
    static const GroupTexts groups = [] {
        GroupTexts g;
        for (int e = 0; e < kEvents; ++e)
            for (int o = 0; o < kOutcomes; ++o) {
                std::string group = ';' + std::to_string(e + 1);
                group += "-(";
                group += outcomeLetter(o);
                group += ')';
                g[e][o] = std::move(group);
            }
        return g;
    }();
    return groups;
}

} // namespace

std::optional<RandomDistribution> randomDistributionAt(int index) {
    if (index < static_cast<int>(RandomDistribution::ByQuotes) ||
        index > static_cast<int>(RandomDistribution::Favourites))
        return std::nullopt;
    return static_cast<RandomDistribution>(index);
}

Weights randomBetWeights(const DrawModel& m, int e, RandomDistribution d) {
    Weights w{};
    for (int o = 0; o < kOutcomes; ++o) {
        if (!m.marked(e, o))
            continue;
        Fixed4 q = m.quotes[e][o], pool = m.poolShares[e][o];
        switch (d) {
        case RandomDistribution::ByQuotes:
            w[o] = q;
            break;
        case RandomDistribution::ByPool:
        case RandomDistribution::Favourites:
            w[o] = pool;
            break;
        case RandomDistribution::Uniform:
            w[o] = Fixed4::fromRaw(3333);
            break;
        default: // AgainstPool: an outcome nobody has staked on weighs 100
            w[o] = pool == Fixed4() ? Fixed4::fromInt(100) : q / pool;
            break;
        }
        // A quote typed below 0 or a negative share from a file is no chance at
        // all; as a weight it would turn the draw's intervals inside out and
        // could pick an outcome that is not marked.
        w[o] = std::max(w[o], Fixed4());
    }
    return w;
}

namespace {

// What one event contributes to every attempt: the weights never change during
// one click, so they are worked out once.
struct EventPlan {
    bool noWeight = false; // the marked outcomes weigh 0 together
    bool favourite = false;
    int favouriteOutcome = 0;
    Weights w{};
    std::int64_t p1 = 0, pX = 0;
};
using Plan = std::array<EventPlan, kEvents>;

Plan planDistribution(const DrawModel& m, RandomDistribution d) {
    Plan plan;
    for (int e = 0; e < kEvents; ++e) {
        EventPlan& p = plan[e];
        p.w = randomBetWeights(m, e, d);
        Fixed4 s = weightSum(p.w);
        p.noWeight = s == Fixed4();
        if (!p.noWeight) {
            p.p1 = normalisedShare(p.w[0], s);
            p.pX = normalisedShare(p.w[1], s);
        }
    }
    return plan;
}

// The pool favourite by the six pairwise steps: on equal largest weights "1"
// wins over "X" and "X" over "2".
int poolFavourite(Weights w) {
    Fixed4 zero;
    if (w[1] < w[0])
        w[1] = zero;
    if (w[2] < w[0])
        w[2] = zero;
    if (w[2] < w[1])
        w[2] = zero;
    if (w[0] < w[1])
        w[0] = zero;
    if (w[1] < w[2])
        w[1] = zero;
    if (w[0] < w[2])
        w[0] = zero;
    return w[0] > zero ? 0 : w[1] > zero ? 1 : 2;
}

// Outside its favourite events a bet avoids the strict pool favourite, as long as
// the two other outcomes still have weight. Sums in 128 bits: shares read from a
// file can be as large as a Fixed4 holds.
Weights withoutStrictFavourite(Weights w) {
    const Int128 zero = 0, w1 = w[0].raw(), wX = w[1].raw(), w2 = w[2].raw();
    if (w1 > wX && w1 > w2 && wX + w2 > zero)
        w[0] = Fixed4();
    else if (wX > w2 && wX > w1 && w1 + w2 > zero)
        w[1] = Fixed4();
    else if (w2 > wX && w2 > w1 && w1 + wX > zero)
        w[2] = Fixed4();
    return w;
}

Plan planFavourites(const DrawModel& m) {
    Plan plan;
    for (int e = 0; e < kEvents; ++e) {
        EventPlan& p = plan[e];
        Weights pool = randomBetWeights(m, e, RandomDistribution::Favourites);
        p.noWeight = weightSum(pool) == Fixed4();
        if (p.noWeight)
            continue;
        p.favouriteOutcome = poolFavourite(pool);
        p.w = withoutStrictFavourite(pool);
        Fixed4 t = weightSum(p.w);
        p.p1 = normalisedShare(p.w[0], t);
        p.pX = normalisedShare(p.w[1], t);
    }
    return plan;
}

// Marks f distinct events 1..15 as favourites, drawing integers below 16.
void chooseFavourites(Plan& plan, int f, Rng& rng) {
    for (auto& p : plan)
        p.favourite = false;
    f = std::clamp(f, 0, kEvents);
    while (f > 0) {
        auto k = rng.below(16);
        if (k >= 1 && k <= kEvents && !plan[k - 1].favourite) {
            plan[k - 1].favourite = true;
            --f;
        }
    }
}

enum class Attempt { Added, Duplicate, NoWeight };

// Writes random single bets. Every bet the list can hold is one of 3^15 codes,
// so the duplicate test is a look-up in a table of that many flags, filled once
// from the lines already there and then from every line added.
class RandomBetWriter {
public:
    RandomBetWriter(const Lines& existing, std::string stakeText)
        : stakeText_(std::move(stakeText)), listed_(kVariantCodes, false) {
        for (const auto& line : existing)
            if (auto code = singleBetCode(line, stakeText_))
                listed_[*code] = true;
    }

    // One attempt: draws a bet from the plan and adds it unless already listed.
    Attempt attempt(Plan& plan, RandomDistribution d, int favourites, Rng& rng, Lines& added) {
        if (d == RandomDistribution::Favourites)
            chooseFavourites(plan, favourites, rng);
        Variant v{};
        std::uint32_t code = 0;
        for (int e = 0; e < kEvents; ++e) {
            const EventPlan& p = plan[e];
            if (p.noWeight)
                return Attempt::NoWeight;
            int o;
            if (d != RandomDistribution::Favourites)
                o = pickOutcome(drawShare(rng), p.p1, p.pX, p.w);
            else if (p.favourite)
                o = p.favouriteOutcome;
            else
                o = pickFavouritesOutcome(drawShare(rng), p.p1, p.pX, p.w);
            v[e] = static_cast<std::uint8_t>(o);
            code = code * 3 + static_cast<std::uint32_t>(o);
        }
        if (listed_[code])
            return Attempt::Duplicate;
        listed_[code] = true;
        added.push_back(singleBetLine(stakeText_, v));
        return Attempt::Added;
    }

private:
    std::string stakeText_;
    std::vector<bool> listed_;
};

// A drawn "2" of weight 0 (possible at r = 10000, or where the shares round to
// 9999) becomes the next outcome that has weight.
int avoidWeightless(int outcome, const Weights& w) {
    if (outcome == 2 && w[2] == Fixed4())
        return w[1] > Fixed4() ? 1 : 0;
    return outcome;
}

} // namespace

std::string singleBetLine(const std::string& stakeText, const Variant& v) {
    const GroupTexts& groups = singleGroups();
    std::string line;
    line.reserve(stakeText.size() + 8 * kEvents + 1);
    line = stakeText;
    for (int e = 0; e < kEvents; ++e)
        line += groups[e][v[e]];
    line += '.';
    return line;
}

std::optional<std::uint32_t> singleBetCode(std::string_view line, std::string_view stakeText) {
    if (line.substr(0, stakeText.size()) != stakeText)
        return std::nullopt;
    line.remove_prefix(stakeText.size());
    const GroupTexts& groups = singleGroups();
    std::uint32_t code = 0;
    for (int e = 0; e < kEvents; ++e) {
        int found = -1;
        for (int o = 0; o < kOutcomes && found < 0; ++o)
            if (line.substr(0, groups[e][o].size()) == groups[e][o])
                found = o;
        if (found < 0)
            return std::nullopt;
        line.remove_prefix(groups[e][found].size());
        code = code * 3 + static_cast<std::uint32_t>(found);
    }
    if (line != ".")
        return std::nullopt;
    return code;
}

SelectionCounts selectionCounts(const DrawModel& m) {
    SelectionCounts c;
    for (int e = 0; e < kEvents; ++e) {
        int n = m.markedCount(e);
        if (n == 0)
            break;
        c.doubles += n == 2;
        c.triples += n == 3;
    }
    return c;
}

FormResult takeAllVariants(const DrawModel& m, std::string_view stakeText, const Lines& existing) {
    FormResult r;
    auto stake = readStake(stakeText);
    if (!stake) {
        r.message = badStakeMessage();
        return r;
    }
    SelectionCounts c = selectionCounts(m);
    std::uint64_t n = 1;
    for (int i = 0; i < c.doubles; ++i)
        n *= 2;
    for (int i = 0; i < c.triples; ++i)
        n *= 3;
    std::string line = formatSelectionCoupon(m, n, stake->value);
    if (std::find(existing.begin(), existing.end(), line) == existing.end())
        r.added.push_back(std::move(line));
    return r;
}

int drawShare(Rng& rng) {
    // round(seed / 2^32 * 10000), halves to even, done exactly in integers: the
    // product seed * 10000 needs 46 bits, so the floating-point form is exact too.
    std::uint64_t r;
    do {
        const std::uint64_t x = static_cast<std::uint64_t>(rng.step()) * 10000u;
        const std::uint64_t rem = x & 0xFFFFFFFFu;
        r = x >> 32;
        if (rem > 0x80000000u || (rem == 0x80000000u && (r & 1u)))
            ++r;
    } while (r == 0);
    return static_cast<int>(r);
}

std::int64_t normalisedShare(Fixed4 w, Fixed4 s) {
    return std::clamp((w / s).raw(), -kShareBound, kShareBound);
}

int pickOutcome(int r, std::int64_t p1, std::int64_t pX, const Weights& w) {
    int o = r < p1 ? 0 : r >= p1 + pX ? 2 : 1;
    return avoidWeightless(o, w);
}

int pickFavouritesOutcome(int r, std::int64_t p1, std::int64_t pX, const Weights& w) {
    int o = r > p1 + pX ? 2 : r <= p1 ? 0 : 1;
    return avoidWeightless(o, w);
}

FormResult randomBets(const DrawModel& m, std::string_view stakeText, const Lines& existing,
                      const RandomRequest& request, Rng& rng) {
    FormResult r;
    const RandomDistribution d = request.distribution;
    if (request.repeat <= 0 || !randomDistributionAt(static_cast<int>(d)))
        return r;
    auto stake = readStake(stakeText);
    if (!stake) {
        r.message = badStakeMessage();
        return r;
    }
    Plan plan = d == RandomDistribution::Favourites ? planFavourites(m) : planDistribution(m, d);
    RandomBetWriter writer(existing, stake->text);
    for (std::int64_t i = 0; i < request.repeat; ++i) {
        Attempt a = Attempt::Duplicate;
        for (int k = 0; k < kRandomAttempts && a == Attempt::Duplicate; ++k)
            a = writer.attempt(plan, d, request.favourites, rng, r.added);
        // Every repetition would stop at the same weightless event, so the
        // message is shown once instead of once per repetition.
        if (a == Attempt::NoWeight) {
            r.message = Message{kNotAllEvents};
            break;
        }
        if (a == Attempt::Duplicate) {
            r.message = Message{kTooFewOutcomes};
            break;
        }
    }
    return r;
}

} // namespace kav
