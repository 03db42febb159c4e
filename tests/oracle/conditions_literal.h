// Literal transcription of "Условия": every variant of the field (or of a
// line) is built in turn, each of its measures worked out from the draw, and
// the failed conditions counted. The fast scan must give exactly the same
// counts, lines and order.
#pragma once

#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"
#include "core/forming/condition_set.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kav::oracle {

namespace conditions_detail {

inline std::int64_t literalMeasure(const DrawModel& m, const Variant& v, Measure what) {
    std::int64_t n = 0;
    switch (what) {
    case Measure::Ones:
    case Measure::Draws:
    case Measure::Twos:
        for (int e = 0; e < kEvents; ++e)
            n += v[e] == static_cast<int>(what);
        return n;
    case Measure::Favourites:
        for (int e = 0; e < kEvents; ++e) {
            const auto& q = m.quotes[e];
            // The first outcome no other outcome's quote exceeds.
            int fav = q[0] >= q[1] && q[0] >= q[2] ? 0 : q[1] >= q[2] ? 1 : 2;
            n += v[e] == fav;
        }
        return n;
    case Measure::Outsiders:
        for (int e = 0; e < kEvents; ++e) {
            const auto& q = m.quotes[e];
            // The last outcome no other outcome's quote undercuts.
            int out = q[2] <= q[0] && q[2] <= q[1] ? 2 : q[1] <= q[0] ? 1 : 0;
            n += v[e] == out;
        }
        return n;
    case Measure::Points:
        for (int e = 0; e < kEvents; ++e)
            n += m.quotes[e][v[e]].roundToInt();
        return n;
    case Measure::PoolPoints:
        for (int e = 0; e < kEvents; ++e)
            n += m.poolShares[e][v[e]].roundToInt();
        return n;
    case Measure::ValuePoints:
        // Hundredths of quote / share, an outcome without a share counting 0.
        for (int e = 0; e < kEvents; ++e) {
            const auto share = m.poolShares[e][v[e]].raw();
            if (share > 0)
                n += std::llround(100.0 * static_cast<double>(m.quotes[e][v[e]].raw()) /
                                  static_cast<double>(share));
        }
        return n;
    case Measure::LongestRun:
        for (int start = 0; start < kEvents; ++start) {
            int len = 0;
            while (start + len < kEvents && v[start + len] == v[start])
                ++len;
            n = std::max<std::int64_t>(n, len);
        }
        return n;
    case Measure::Changes:
        for (int e = 1; e < kEvents; ++e)
            n += v[e] != v[e - 1];
        return n;
    }
    return n;
}

inline bool literalPasses(const DrawModel& m, const ConditionSet& c, const Variant& v) {
    int failed = 0;
    for (int k = 0; k < kMeasures; ++k)
        if (c.ranges[k]) {
            const std::int64_t x = literalMeasure(m, v, static_cast<Measure>(k));
            failed += x < c.ranges[k]->lo || x > c.ranges[k]->hi;
        }
    for (const auto& b : c.baseRows) {
        std::int64_t hits = 0;
        for (int e = 0; e < kEvents; ++e)
            hits += b.row[e] == "1X2"[v[e]];
        failed += hits < b.range.lo || hits > b.range.hi;
    }
    return failed <= c.tolerance;
}

// Every variant of the coupon in field order: an odometer whose last wheel
// (event 15) turns fastest, each wheel through its event's letters 1, X, 2.
inline void literalVariants(const Coupon& field, const std::function<void(const Variant&)>& f) {
    std::array<std::vector<std::uint8_t>, kEvents> wheels;
    for (int e = 0; e < kEvents; ++e) {
        for (int o = 0; o < 3; ++o)
            if (field[e] & (1u << o))
                wheels[e].push_back(static_cast<std::uint8_t>(o));
        if (wheels[e].empty())
            return;
    }
    std::array<std::size_t, kEvents> at{};
    while (true) {
        Variant v{};
        for (int e = 0; e < kEvents; ++e)
            v[e] = wheels[e][at[e]];
        f(v);
        int e = kEvents - 1;
        while (e >= 0 && ++at[e] == wheels[e].size())
            at[e--] = 0;
        if (e < 0)
            return;
    }
}

inline std::string literalSingleLine(const std::string& amount, const Variant& v) {
    std::string line = amount;
    for (int e = 0; e < kEvents; ++e)
        line += ";" + std::to_string(e + 1) + "-(" + std::string(1, "1X2"[v[e]]) + ")";
    return line + ".";
}

} // namespace conditions_detail

inline std::uint64_t literalConditionCount(const DrawModel& m, const Coupon& field,
                                           const ConditionSet& c) {
    std::uint64_t n = 0;
    conditions_detail::literalVariants(
        field, [&](const Variant& v) { n += conditions_detail::literalPasses(m, c, v); });
    return n;
}

// The list after appending the passing variants of the field as single bets
// with the stake text `stake` (already padded), skipping lines already listed.
inline Lines literalConditionField(const DrawModel& m, const Coupon& field, const ConditionSet& c,
                                   const std::string& stake, const Lines& existing) {
    Lines out = existing;
    std::set<std::string> seen(existing.begin(), existing.end());
    conditions_detail::literalVariants(field, [&](const Variant& v) {
        if (!conditions_detail::literalPasses(m, c, v))
            return;
        std::string line = conditions_detail::literalSingleLine(stake, v);
        if (seen.insert(line).second)
            out.push_back(line);
    });
    return out;
}

// The list with every complete line tested variant by variant.
inline Lines literalConditionList(const DrawModel& m, const Lines& lines, const ConditionSet& c,
                                  std::uint64_t* removed = nullptr) {
    Lines out;
    for (const auto& text : lines) {
        const std::string_view trimmed = trimLine(text);
        const auto line = trimmed.empty() ? std::nullopt : readCompleteLine(trimmed);
        if (!line) {
            out.push_back(text);
            continue;
        }
        Lines kept;
        std::uint64_t all = 0;
        conditions_detail::literalVariants(line->sets, [&](const Variant& v) {
            ++all;
            if (conditions_detail::literalPasses(m, c, v))
                kept.push_back(conditions_detail::literalSingleLine("", v));
        });
        if (kept.size() == all) {
            out.push_back(text);
            continue;
        }
        if (removed)
            *removed += all - kept.size();
        const std::string amount = perVariantStake(line->amount, all).moneyText();
        for (const auto& k : kept)
            out.push_back(amount + k);
    }
    return out;
}

} // namespace kav::oracle
