#include "core/analysis/analysis.h"
#include "core/base/text.h"

#include "core/base/general_format.h"

#include <charconv>
#include <cmath>

namespace kav {

namespace {

// The unit stake of a draw country; 0 when the country has none.
double unitStake(std::uint8_t drawCountry) {
    switch (drawCountry) {
    case kUkraine:
        return 3;
    case kRussia:
        return 20;
    default:
        return 0;
    }
}

std::string outcomeName(int outcome0) {
    return std::string(1, outcomeLetter(outcome0));
}

// The depth-first walk over every result within kMaxMisses misses of the
// variant, in the order events 1..15, outcomes "1", "X", "2". The running
// products and sums are formed exactly as the plain walk forms them, so the
// chances come out bit for bit the same; the payout's power of the leaf is
// taken through a running logarithm of the pool share instead of two powers.
class Walk {
public:
    Walk(const AnalysisInput& in, const WalkSetup& setup, const std::atomic<bool>* cancel)
        : setup_(setup), cancel_(cancel) {
        for (int e = 0; e < kEvents; ++e) {
            for (int o = 0; o < kOutcomes; ++o) {
                Terms& t = terms_[e][o];
                t.quote = static_cast<double>(in.quotes[e][o].raw()) / 10000;
                t.share = static_cast<double>(in.poolShares[e][o].raw()) / 10000;
                // Outcomes without a positive share are never walked (prepareWalk).
                if (t.share > 0) {
                    t.inverse = 100 / t.share;
                    t.logShare = std::log(t.share / 100);
                }
                t.miss = in.variant[e] != o + 1 ? 1 : 0;
            }
        }
        for (int i = 0; i < kCategories; ++i) {
            const int k = kFirstCategory + i;
            prizeShare_[i] = static_cast<double>(kPrizeShareRaw[i]) / 10000;
            exponent_[i] = 15.0 / k;
        }
        // Past this ratio F / c the popularity g times the mean is below 2^-60,
        // so g * mean + 1 is exactly 1 and the exponential need not be taken.
        // Most results of a draw are that unpopular.
        popularityNegligible_ =
            setup.countMean == 0 ? -HUGE_VAL
                                 : 1 + (60 * std::log(2.0) + std::log(std::abs(setup.countMean))) /
                                           -kPopularitySlope;
    }

    // False when cancelled before the end.
    bool run(CategoryValues& out) {
        values_ = CategoryValues{};
        cancelled_ = false;
        descend(0, 1, 1, 0, 0, 0);
        if (cancelled_)
            return false;
        out = values_;
        return true;
    }

private:
    struct Terms {
        double quote = 0;
        double share = 0;
        double inverse = 0;
        double logShare = 0;
        int miss = 0;
    };

    void descend(int e, double d, double c, double b, double logC, int misses) {
        if (e < 3 && cancel_ && cancel_->load(std::memory_order_relaxed)) {
            cancelled_ = true;
            return;
        }
        for (int o = 0; o < kOutcomes && !cancelled_; ++o) {
            const Terms& t = terms_[e][o];
            const int a = misses + t.miss;
            if (a > kMaxMisses)
                continue;
            const double d2 = d * t.quote / 100;
            const double c2 = c * t.share / 100;
            const double b2 = b + t.inverse;
            const double logC2 = logC + t.logShare;
            if (e + 1 == kEvents)
                leaf(d2, c2, b2, logC2, a);
            else
                descend(e + 1, d2, c2, b2, logC2, a);
        }
    }

    void leaf(double d, double c, double b, double logC, int misses) {
        const int i = kCategories - 1 - misses;
        const double ratio = setup_.favourite / c;
        const double l = ratio > popularityNegligible_
                             ? setup_.stakeShare
                             : (std::exp(kPopularitySlope * (ratio - 1)) * setup_.countMean + 1) *
                                   setup_.stakeShare;
        values_.chance[i] += d;
        if (misses == 0) {
            values_.payout[i] +=
                d * prizeShare_[i] / (l + c) + d * setup_.jackpotUnits / (c / l + 1);
            return;
        }
        // (c * (b / 15)^misses)^(15 / k) without the two powers.
        const double w =
            std::exp(exponent_[i] * (logC + misses * std::log(b / 15))) * kResultsWithHits[i] + l;
        values_.payout[i] += d * prizeShare_[i] / w;
    }

    std::array<std::array<Terms, kOutcomes>, kEvents> terms_{};
    std::array<double, kCategories> prizeShare_{};
    std::array<double, kCategories> exponent_{};
    double popularityNegligible_ = 0;
    WalkSetup setup_;
    const std::atomic<bool>* cancel_;
    CategoryValues values_;
    bool cancelled_ = false;
};

bool allFinite(const CategoryValues& v) {
    for (int i = 0; i < kCategories; ++i)
        if (!std::isfinite(v.chance[i]) || !std::isfinite(v.payout[i]))
            return false;
    return true;
}

} // namespace

std::optional<std::int32_t> uniformCountMeanOf(const std::array<std::int32_t, 3>& counts) {
    const std::int64_t sum = std::int64_t{counts[0]} + counts[1] + counts[2];
    if (sum > INT32_MAX || sum < INT32_MIN)
        return std::nullopt;
    // A third is never exactly half way, so plain nearest rounding is enough.
    return static_cast<std::int32_t>(std::llround(static_cast<double>(sum) / 3));
}

AnalysisInput analysisInput(const DrawModel& model, const DrawTotals& totals,
                            const AnalysedVariant& variant) {
    AnalysisInput in;
    in.quotes = model.quotes;
    in.poolShares = model.poolShares;
    in.variant = variant;
    in.drawCountry = model.drawCountry;
    in.totals = totals;
    return in;
}

AnalysedVariant preselectedVariant(const DrawModel& model) {
    AnalysedVariant v{};
    for (int e = 0; e < kEvents; ++e)
        v[e] = model.marked(e, 1) ? 2 : model.marked(e, 2) ? 3 : 1;
    return v;
}

std::optional<AnalysedVariant> parseAnalysedVariant(std::string_view text) {
    if (text.size() != kEvents)
        return std::nullopt;
    AnalysedVariant v{};
    for (int e = 0; e < kEvents; ++e) {
        const int o = outcomeIndex(text[e]);
        if (o < 0)
            return std::nullopt;
        v[e] = static_cast<std::uint8_t>(o + 1);
    }
    return v;
}

std::optional<double> parseAnalysisNumber(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // from_chars would also take "inf" and "nan"; a field holds digits only.
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

PoolAndJackpot readPoolAndJackpot(const DrawTotals& totals) {
    PoolAndJackpot out;
    // Typed as the player types amounts ("1 250 000,5"), as every window reads them.
    const auto pool = parseAnalysisNumber(plainNumberText(totals.poolText));
    if (!pool) {
        out.problem = "Пул не является числом: «" + std::string(trimBlanks(totals.poolText)) + "».";
        return out;
    }
    const auto jackpot = parseAnalysisNumber(plainNumberText(totals.jackpotText));
    if (!jackpot) {
        out.problem =
            "Джек-пот не является числом: «" + std::string(trimBlanks(totals.jackpotText)) + "».";
        return out;
    }
    out.pool = *pool;
    out.jackpot = *jackpot;
    return out;
}

std::optional<WalkSetup> prepareWalk(const AnalysisInput& in, AnalysisOutcome& outcome) {
    auto stop = [&outcome](AnalysisStatus status, std::string problem) -> std::optional<WalkSetup> {
        outcome.status = status;
        outcome.problem = std::move(problem);
        return std::nullopt;
    };
    const PoolAndJackpot totals = readPoolAndJackpot(in.totals);
    if (!totals.problem.empty())
        return stop(AnalysisStatus::NotANumber, totals.problem);
    const double pool = totals.pool;
    const double jackpot = totals.jackpot;
    if (pool == -1)
        return stop(AnalysisStatus::NotANumber, "Пул не может быть равен -1.");

    WalkSetup s;
    if (const double u = unitStake(in.drawCountry); u != 0) {
        s.stakeShare = u / (pool + 1);
        s.jackpotUnits = jackpot / u;
    } else {
        s.stakeShare = pool;
        s.jackpotUnits = jackpot;
    }

    s.favourite = 1;
    for (int e = 0; e < kEvents; ++e) {
        std::int64_t most = in.poolShares[e][0].raw();
        for (int o = 1; o < kOutcomes; ++o)
            most = std::max(most, in.poolShares[e][o].raw());
        s.favourite *= static_cast<double>(most) / 1000000;
    }

    // A bet with the same outcome in all 15 events shares its prize with every
    // player who bet the same; the draw counts those bets.
    for (int o = 0; o < kOutcomes; ++o) {
        bool uniform = true;
        for (int e = 0; e < kEvents; ++e)
            uniform = uniform && in.variant[e] == o + 1;
        if (!uniform)
            continue;
        const std::int32_t count = in.totals.uniformCounts[o];
        if (count == 0)
            return stop(AnalysisStatus::Fault, "Анализ невозможен: число ставок из одних «" +
                                                   outcomeName(o) + "» в тираже равно 0.");
        s.stakeShare *= count;
        s.jackpotUnits /= count;
    }

    // The walk divides by the pool share of every outcome it takes: within the
    // miss limit that is every outcome of every event of a chosen bet.
    int missesBefore = 0;
    for (int e = 0; e < kEvents; ++e) {
        for (int o = 0; o < kOutcomes; ++o) {
            const int misses = missesBefore + (in.variant[e] != o + 1 ? 1 : 0);
            const std::int64_t share = in.poolShares[e][o].raw();
            if (misses > kMaxMisses || share > 0)
                continue;
            return stop(AnalysisStatus::Fault,
                        "Анализ невозможен: доля пула исхода «" + outcomeName(o) + "» в событии " +
                            std::to_string(e + 1) + (share == 0 ? " равна 0." : " отрицательна."));
        }
        if (in.variant[e] < 1 || in.variant[e] > 3)
            ++missesBefore;
    }
    s.countMean = in.totals.uniformCountMean;
    return s;
}

AnalysisOutcome analyseVariant(const AnalysisInput& in, const std::atomic<bool>* cancel) {
    AnalysisOutcome outcome;
    const auto setup = prepareWalk(in, outcome);
    if (!setup)
        return outcome;
    Walk walk(in, *setup, cancel);
    if (!walk.run(outcome.values)) {
        outcome.status = AnalysisStatus::Cancelled;
        return outcome;
    }
    if (!allFinite(outcome.values)) {
        outcome.values = CategoryValues{};
        outcome.status = AnalysisStatus::Fault;
        outcome.problem = "Анализ невозможен: с этими пулом, джек-потом и числами ставок расчёт "
                          "не даёт конечного результата.";
    }
    return outcome;
}

AnalysisTable analysisTable(const CategoryValues& values) {
    AnalysisTable t;
    t[0] = {"Категории", "Вероятность, %", "Выгодность"};
    // The totals add the values as shown to four decimals, so that they agree
    // with what a player adds up from the column.
    double chanceSum = 0;
    double payoutSum = 0;
    for (int i = 0; i < kCategories; ++i) {
        const double percent = values.chance[i] * 100;
        t[i + 1] = {std::to_string(kFirstCategory + i), generalFormat(percent, 2),
                    generalFormat(values.payout[i], 2)};
        chanceSum += roundHalfEven(percent * 10000);
        payoutSum += roundHalfEven(values.payout[i] * 10000);
    }
    t[kCategories + 1] = {"Всего", generalFormat(chanceSum / 10000, 3),
                          generalFormat(payoutSum / 10000, 3)};
    return t;
}

} // namespace kav
