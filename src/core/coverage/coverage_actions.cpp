#include "core/coverage/coverage_actions.h"

#include "core/coverage/coverage_enum.h"

#include <algorithm>

namespace kav {

namespace {
void setHover(ZoneResult& r, std::uint8_t state) {
    r.flags = static_cast<std::uint8_t>((r.flags & kMarkerBit) | state);
}
} // namespace

std::vector<int> hoverResult(Zone& zone, int p, int category, HoveredList& hovered) {
    HoveredList ball;
    forEachInBall(zone, resultBox(zone, p, category),
                  [&](std::int64_t i) { ball.push_back(static_cast<int>(i)); });
    // The result itself is current even when the category asks for more than 15.
    if (!std::binary_search(ball.begin(), ball.end(), p))
        ball.insert(std::lower_bound(ball.begin(), ball.end(), p), p);

    std::vector<int> changed;
    auto& res = zone.results;
    std::size_t a = 0, b = 0;
    while (a < hovered.size() || b < ball.size()) {
        if (b == ball.size() || (a < hovered.size() && hovered[a] < ball[b])) {
            setHover(res[static_cast<std::size_t>(hovered[a])], kHoverNone);
            changed.push_back(hovered[a++]);
            continue;
        }
        if (a < hovered.size() && hovered[a] == ball[b])
            ++a;
        int i = ball[b++];
        auto& r = res[static_cast<std::size_t>(i)];
        std::uint8_t state = i == p ? kHoverCurrent : kHoverNear;
        if (r.hover() != state || i == p) {
            setHover(r, state);
            changed.push_back(i);
        }
    }
    hovered = std::move(ball);
    return changed;
}

std::vector<int> clearHover(Zone& zone, HoveredList& hovered) {
    for (int i : hovered)
        setHover(zone.results[static_cast<std::size_t>(i)], kHoverNone);
    std::vector<int> changed = std::move(hovered);
    hovered.clear();
    return changed;
}

CategoryTally categoryTally(const Zone& zone, const std::vector<BetMask>& coupons, int p) {
    CategoryTally tally{};
    if (p < 0 || p >= zone.size())
        return tally;
    Coupon zoneSets{};
    for (int e = 0; e < kEvents; ++e)
        for (int d = 0; d < zone.radix[e]; ++d)
            zoneSets[e] |= outcomeBit(zone.outcome[e][d]);
    Variant pv = zone.resultVariant(p);
    for (const auto& m : coupons) {
        if (!m.valid())
            continue;
        Coupon c = toCoupon(m);
        // ways[k]: variants of the coupon inside the zone agreeing with p in k events.
        std::array<std::int64_t, kEvents + 1> ways{};
        ways[0] = 1;
        bool empty = false;
        for (int e = 0; e < kEvents && !empty; ++e) {
            OutcomeSet box = c[e] & zoneSets[e];
            std::int64_t in = (box & outcomeBit(pv[e])) ? 1 : 0;
            std::int64_t out = outcomeSetSize(box) - in;
            empty = in + out == 0;
            for (int k = e + 1; k >= 0; --k)
                ways[static_cast<std::size_t>(k)] =
                    ways[static_cast<std::size_t>(k)] * out +
                    (k > 0 ? ways[static_cast<std::size_t>(k) - 1] * in : 0);
        }
        if (empty)
            continue;
        for (int k = 9; k <= kEvents; ++k)
            tally[static_cast<std::size_t>(k - 9)] += ways[static_cast<std::size_t>(k)];
    }
    return tally;
}

std::string categoryTallyText(const std::string& resultText, const CategoryTally& tally) {
    std::string s = "Категорий в пакете\r\nпри " + resultText + ":\r\n";
    for (int k = kEvents; k >= 9; --k) {
        s += std::to_string(k) + " - " + std::to_string(tally[static_cast<std::size_t>(k - 9)]);
        s += (k == 13 || k == 10) ? ";\r\n" : ";   ";
    }
    return s;
}

std::string hoverStatisticsText(const Zone& zone, const HoveredList& hovered) {
    CoverageSums s = coverageSums(zone);
    std::int64_t added = 0;
    double a = 0;
    // The hovered list is ascending, so the sum runs in index order as a full pass would.
    for (int i : hovered) {
        const auto& r = zone.results[static_cast<std::size_t>(i)];
        if (r.coverCount <= 0 && r.hover() != kHoverNone) {
            ++added;
            a += r.probability;
        }
    }
    a = std::min(a, 1.0);
    std::int64_t n = static_cast<std::int64_t>(zone.layout.cols) * zone.layout.rows;
    std::string text = "Покрытие ставками\r\nПо количеству " + countPercentText(s.covered, n) + "%";
    if (added > 0)
        text += "\r\n(+" + countPercentText(added, n) + "%)";
    text += "\r\nПо вероятности " + probabilityPercentText(s.probability) + "%";
    if (added > 0)
        text += "\r\n(+" + probabilityPercentText(a) + "%)";
    return text;
}

std::string singleBetLine(const Zone& zone, int p, std::string_view stakeText) {
    return formatVariant(zone.resultVariant(p), stakeText);
}

std::string couponText(const BetMask& coupon) {
    std::string line = formatCoupon(toCoupon(coupon), Fixed4());
    return line.substr(line.find(';'));
}

CoverRemoval removeCoveringCoupons(const Lines& lines, const Zone& zone, int p, int category) {
    CoverRemoval out{lines, 0};
    if (p < 0 || p >= zone.size())
        return out;
    BetMask result = zone.results[static_cast<std::size_t>(p)].mask();
    for (std::size_t t = lines.size(); t-- > 0;) {
        BetMask m = parseBetLine(lines[t]).mask;
        if (!m.valid() || matchCount(m, result) < category)
            continue;
        std::string text = couponText(m);
        for (std::size_t l = out.lines.size(); l-- > 0;) {
            if (out.lines[l].find(text, 1) != std::string::npos) {
                out.lines.erase(out.lines.begin() + static_cast<std::ptrdiff_t>(l));
                ++out.removed;
            }
        }
    }
    return out;
}

} // namespace kav
