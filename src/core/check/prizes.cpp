#include "core/check/prizes.h"
#include "core/base/text.h"

#include <cmath>
#include <limits>
#include <vector>

namespace kav {

namespace {

std::vector<std::string_view> split(std::string_view text, bool (*isSeparator)(char)) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isSeparator(text[i])) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::optional<PrizeList> readAmounts(const std::vector<std::string>& parts) {
    if (parts.size() != kCategories)
        return std::nullopt;
    PrizeList prizes{};
    for (int i = 0; i < kCategories; ++i) {
        const auto v = Fixed4::parseTyped(parts[i]);
        if (!v || *v < Fixed4{})
            return std::nullopt;
        prizes[i] = *v;
    }
    return prizes;
}

double unitStakeOf(std::uint8_t drawCountry) {
    return minimumStake(drawCountry).toDouble();
}

} // namespace

std::optional<PrizeList> parsePrizeList(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() > 1000)
        return std::nullopt;
    std::vector<std::string> parts;
    if (text.find_first_of("; \t") != std::string_view::npos) {
        for (auto p : split(text, [](char c) { return c == ';' || isBlank(c); }))
            if (!trimBlanks(p).empty())
                parts.emplace_back(p);
        return readAmounts(parts);
    }
    const auto commaParts = split(text, [](char c) { return c == ','; });
    if (commaParts.size() == 2 * kCategories) {
        for (std::size_t i = 0; i < commaParts.size(); i += 2) {
            // Both halves must be plain digits: "12,5" pairs, not "1.2,5".
            for (auto half : {commaParts[i], commaParts[i + 1]})
                if (half.empty() || half.find_first_not_of("0123456789") != std::string_view::npos)
                    return std::nullopt;
            parts.push_back(std::string(commaParts[i]) + "." + std::string(commaParts[i + 1]));
        }
        return readAmounts(parts);
    }
    for (auto p : commaParts) {
        // Each part is a whole amount here, so it takes no comma of its own.
        parts.emplace_back(p);
    }
    return readAmounts(parts);
}

TypedPrizes::TypedPrizes(const std::optional<PrizeList>& all) {
    if (all)
        for (int i = 0; i < kCategories; ++i)
            amounts[i] = (*all)[i];
}

bool TypedPrizes::any() const {
    for (const auto& a : amounts)
        if (a)
            return true;
    return false;
}

bool TypedPrizes::complete() const {
    for (const auto& a : amounts)
        if (!a)
            return false;
    return true;
}

std::string typedPrizesText(const TypedPrizes& prizes) {
    if (!prizes.any())
        return {};
    std::string s;
    for (int i = 0; i < kCategories; ++i) {
        if (i > 0)
            s += ',';
        s += prizes.amounts[i] ? prizes.amounts[i]->moneyText() : "-";
    }
    return s;
}

std::optional<TypedPrizes> parseTypedPrizes(std::string_view text) {
    if (trimBlanks(text).empty())
        return TypedPrizes{};
    if (auto all = parsePrizeList(text))
        return TypedPrizes(*all);
    if (text.size() > 1000)
        return std::nullopt;
    const auto parts = split(text, [](char c) { return c == ','; });
    if (parts.size() != kCategories)
        return std::nullopt;
    TypedPrizes out;
    for (int i = 0; i < kCategories; ++i) {
        const std::string_view part = trimBlanks(parts[i]);
        if (part == "-")
            continue;
        const auto v = Fixed4::parse(part);
        if (!v || *v < Fixed4{})
            return std::nullopt;
        out.amounts[i] = *v;
    }
    if (!out.any())
        return std::nullopt; // seven blanks are written as the empty text
    return out;
}

std::optional<PrizeList> completedPrizes(const TypedPrizes& typed,
                                         const std::optional<PrizeList>& estimate,
                                         std::array<bool, kCategories>* estimated) {
    PrizeList out{};
    for (int i = 0; i < kCategories; ++i) {
        if (estimated)
            (*estimated)[i] = !typed.amounts[i];
        if (typed.amounts[i])
            out[i] = *typed.amounts[i];
        else if (estimate)
            out[i] = (*estimate)[i];
        else
            return std::nullopt;
    }
    return out;
}

std::string prizeListText(const PrizeList& prizes) {
    std::string s;
    for (int i = 0; i < kCategories; ++i) {
        if (i > 0)
            s += ',';
        s += prizes[i].moneyText();
    }
    return s;
}

PrizeEstimate estimatePrizes(const DrawModel& draw, const DrawTotals& totals,
                             const DrawResult& result) {
    PrizeEstimate out;
    const PoolAndJackpot read = readPoolAndJackpot(totals);
    if (!read.problem.empty()) {
        out.problem = read.problem;
        return out;
    }
    const double pool = read.pool;
    const double jackpot = read.jackpot;
    if (pool <= 0) {
        out.problem = "Оценка выигрышей невозможна: пул не больше 0.";
        return out;
    }
    const double unit = unitStakeOf(draw.drawCountry);
    double stakeShare = unit / (pool + 1);
    double jackpotUnits = jackpot / unit;

    // c: the pool share of the result itself; b: the sum of the inverse
    // shares of its outcomes, which spreads the near misses.
    double c = 1;
    double b = 0;
    double favourite = 1;
    for (int e = 0; e < kEvents; ++e) {
        std::int64_t most = draw.poolShares[e][0].raw();
        for (int o = 1; o < kOutcomes; ++o)
            most = std::max(most, draw.poolShares[e][o].raw());
        favourite *= static_cast<double>(most) / 1000000;
        if (result[e] == kVoidEvent) {
            b += 1;
            continue;
        }
        const double share = draw.poolShares[e][result[e]].toDouble();
        if (share <= 0) {
            out.problem = "Оценка выигрышей невозможна: доля пула исхода «" +
                          std::string(1, outcomeLetter(result[e])) + "» в событии " +
                          std::to_string(e + 1) + " не больше 0.";
            return out;
        }
        c *= share / 100;
        b += 100 / share;
    }
    // A result with one outcome in all 15 events is shared with every player
    // who bet it that way; the draw counts those bets.
    for (int o = 0; o < kOutcomes; ++o) {
        bool uniform = true;
        for (int e = 0; e < kEvents; ++e)
            uniform = uniform && result[e] == o;
        if (!uniform)
            continue;
        const std::int32_t count = totals.uniformCounts[o];
        if (count <= 0) {
            out.problem = "Оценка выигрышей невозможна: число ставок из одних «" +
                          std::string(1, outcomeLetter(o)) + "» в тираже равно 0.";
            return out;
        }
        stakeShare *= count;
        jackpotUnits /= count;
    }
    const double own =
        (std::exp(kPopularitySlope * (favourite / c - 1)) * totals.uniformCountMean + 1) *
        stakeShare;
    PrizeList prizes{};
    for (int i = 0; i < kCategories; ++i) {
        const int k = kFirstCategory + i;
        const double share = static_cast<double>(kPrizeShareRaw[i]) / 10000;
        double coefficient = 0;
        if (k == kEvents) {
            coefficient = share / (own + c) + jackpotUnits / (c / own + 1);
        } else {
            const int misses = kEvents - k;
            const double winners =
                std::pow(c * std::pow(b / 15, misses), 15.0 / k) * kResultsWithHits[i] + own;
            coefficient = share / winners;
        }
        const double money = std::round(coefficient * unit * 100) / 100;
        if (!std::isfinite(money) || std::abs(money) > 1e14) {
            out.problem = "Оценка выигрышей невозможна: с этими пулом, джек-потом и числами "
                          "ставок расчёт не даёт конечного результата.";
            return out;
        }
        prizes[i] = Fixed4::fromDouble(money);
    }
    out.prizes = prizes;
    return out;
}

PackageTable packageTable(const CategoryCounts& winners, const PrizeList& prizes, Fixed4 stake) {
    PackageTable t;
    constexpr Int128 kLargest = std::numeric_limits<std::int64_t>::max() / 2;
    Int128 total = 0;
    for (int i = 0; i < kCategories; ++i) {
        PackageTableRow& row = t.rows[i];
        row.category = kFirstCategory + i;
        row.winners = winners[i];
        row.prize = prizes[i];
        const Int128 amount = static_cast<Int128>(prizes[i].raw()) * winners[i];
        if (amount > kLargest || amount < -kLargest) {
            t.overflow = true;
            continue;
        }
        row.amount = Fixed4::fromRaw(static_cast<std::int64_t>(amount));
        total += amount;
    }
    if (total > kLargest || total < -kLargest)
        t.overflow = true;
    if (t.overflow)
        total = 0;
    t.totalReturn = Fixed4::fromRaw(static_cast<std::int64_t>(total));
    t.stake = stake;
    t.profit = t.totalReturn - stake;
    if (stake.raw() > 0)
        t.returnPercent = t.totalReturn.toDouble() / stake.toDouble() * 100;
    return t;
}

} // namespace kav
