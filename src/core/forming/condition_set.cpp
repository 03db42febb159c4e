#include "core/forming/condition_set.h"

#include <algorithm>
#include <charconv>

namespace kav {

int ConditionSet::setCount() const {
    int n = static_cast<int>(baseRows.size());
    for (const auto& r : ranges)
        n += r ? 1 : 0;
    return n;
}

namespace {

// An integer bound: an optional "-", then digits only, within the largest bound.
std::optional<std::int64_t> parseBound(std::string_view text) {
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    std::int64_t v = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (*begin == '+')
        return std::nullopt;
    auto [next, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || next != end || v > kLargestConditionBound ||
        v < -kLargestConditionBound)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<ConditionRange> parseConditionRange(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto lo = parseBound(text.substr(0, colon));
    const auto hi = parseBound(text.substr(colon + 1));
    if (!lo || !hi || *lo > *hi)
        return std::nullopt;
    return ConditionRange{*lo, *hi};
}

std::string conditionRangeText(const ConditionRange& r) {
    return std::to_string(r.lo) + ':' + std::to_string(r.hi);
}

std::optional<BaseRowCondition> parseBaseRowCondition(std::string_view text) {
    if (text.size() < kEvents + 1 || text[kEvents] != ':')
        return std::nullopt;
    BaseRowCondition b;
    for (int e = 0; e < kEvents; ++e) {
        const char c = text[e];
        if (c != '-' && outcomeIndex(c) < 0)
            return std::nullopt;
        b.row[e] = c == 'x' ? 'X' : c;
    }
    const auto range = parseConditionRange(text.substr(kEvents + 1));
    if (!range)
        return std::nullopt;
    b.range = *range;
    return b;
}

std::string baseRowConditionText(const BaseRowCondition& b) {
    return b.row + ':' + conditionRangeText(b.range);
}

int favouriteOutcome(const DrawModel& m, int e) {
    int best = 0;
    for (int o = 1; o < kOutcomes; ++o)
        if (m.quotes[e][o] > m.quotes[e][best])
            best = o;
    return best;
}

int outsiderOutcome(const DrawModel& m, int e) {
    int least = 0;
    for (int o = 1; o < kOutcomes; ++o)
        if (m.quotes[e][o] <= m.quotes[e][least])
            least = o;
    return least;
}

namespace {
// Wide enough for 200 times any quote.
__extension__ using Wide = __int128;
} // namespace

std::optional<std::int64_t> valuePoints(Fixed4 quote, Fixed4 poolShare) {
    if (poolShare.raw() <= 0)
        return std::nullopt;
    const Wide twice = static_cast<Wide>(quote.raw()) * 200;
    const Wide share = poolShare.raw();
    const Wide rounded =
        twice >= 0 ? (twice + share) / (2 * share) : -((share - twice) / (2 * share));
    return static_cast<std::int64_t>(rounded);
}

ConditionTables conditionTables(const DrawModel& m, const ConditionSet& c) {
    ConditionTables t;
    t.tolerance = c.tolerance;
    for (int k = 0; k < kMeasures; ++k) {
        const auto measure = static_cast<Measure>(k);
        if (!c.ranges[k] || measure == Measure::LongestRun || measure == Measure::Changes)
            continue;
        ConditionTables::Additive a;
        a.range = *c.ranges[k];
        for (int e = 0; e < kEvents; ++e) {
            const int fav = favouriteOutcome(m, e), out = outsiderOutcome(m, e);
            for (int o = 0; o < kOutcomes; ++o) {
                std::int64_t v = 0;
                switch (measure) {
                case Measure::Ones:
                case Measure::Draws:
                case Measure::Twos:
                    v = o == k ? 1 : 0;
                    break;
                case Measure::Favourites:
                    v = o == fav ? 1 : 0;
                    break;
                case Measure::Outsiders:
                    v = o == out ? 1 : 0;
                    break;
                case Measure::Points:
                    v = m.quotes[e][o].roundToInt();
                    break;
                case Measure::PoolPoints:
                    v = m.poolShares[e][o].roundToInt();
                    break;
                default:
                    v = valuePoints(m.quotes[e][o], m.poolShares[e][o]).value_or(0);
                    break;
                }
                a.value[e][o] = v;
            }
        }
        t.additive.push_back(a);
    }
    for (const auto& b : c.baseRows) {
        ConditionTables::Additive a;
        a.range = b.range;
        for (int e = 0; e < kEvents; ++e)
            for (int o = 0; o < kOutcomes; ++o)
                a.value[e][o] = e < static_cast<int>(b.row.size()) && b.row[e] == outcomeLetter(o);
        t.additive.push_back(a);
    }
    t.longestRun = c.range(Measure::LongestRun);
    t.changes = c.range(Measure::Changes);
    return t;
}

int longestRunOf(const Variant& v) {
    int longest = 1, run = 1;
    for (int e = 1; e < kEvents; ++e) {
        run = v[e] == v[e - 1] ? run + 1 : 1;
        longest = std::max(longest, run);
    }
    return longest;
}

int changesOf(const Variant& v) {
    int n = 0;
    for (int e = 1; e < kEvents; ++e)
        n += v[e] != v[e - 1];
    return n;
}

bool passesConditions(const ConditionTables& t, const Variant& v) {
    int failed = 0;
    for (const auto& a : t.additive) {
        std::int64_t sum = 0;
        for (int e = 0; e < kEvents; ++e)
            sum += a.value[e][v[e]];
        failed += !a.range.contains(sum);
    }
    if (t.longestRun)
        failed += !t.longestRun->contains(longestRunOf(v));
    if (t.changes)
        failed += !t.changes->contains(changesOf(v));
    return failed <= t.tolerance;
}

} // namespace kav
