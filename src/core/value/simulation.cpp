#include "core/value/simulation.h"
#include "core/value/field_walk.h"

#include "core/base/rng.h"
#include "core/check/package_check.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kav {

namespace {

using namespace value;

struct PackageLine {
    BetMask mask;
    Coupon sets{};
    double stake = 0; // per variant
    bool single = false;
};

// Each event's outcome chances from its quotes.
struct OutcomeChances {
    std::array<std::array<double, kOutcomes>, kEvents> p{};
    std::string problem;
};

OutcomeChances outcomeChances(const std::array<std::array<Fixed4, kOutcomes>, kEvents>& quotes) {
    OutcomeChances out;
    for (int e = 0; e < kEvents; ++e) {
        std::int64_t sum = 0;
        bool negative = false;
        for (int o = 0; o < kOutcomes; ++o) {
            sum += quotes[e][o].raw();
            negative = negative || quotes[e][o].raw() < 0;
        }
        if (sum <= 0 || negative) {
            out.problem = "Моделирование невозможно: котировки события " + std::to_string(e + 1) +
                          " не дают вероятностей.";
            return out;
        }
        for (int o = 0; o < kOutcomes; ++o)
            out.p[e][o] = static_cast<double>(quotes[e][o].raw()) / static_cast<double>(sum);
    }
    return out;
}

// The analysis's payout coefficient per category for one drawn result: the
// pool share of the category divided among the winners the public's shares
// let expect, with the jackpot in category 15; with `winners`, the package's
// other winning variants of the category join them, one unit stake share each.
class ResultPayout {
public:
    ResultPayout(const AnalysisInput& in, const WalkSetup& setup,
                 const std::array<std::optional<WalkSetup>, kOutcomes>& uniform)
        : in_(in), setup_(setup), uniform_(uniform) {}

    std::array<double, kCategories> of(const Variant& r,
                                       const std::array<double, kCategories>* winners) const {
        double c = 1;
        double b = 0;
        for (int e = 0; e < kEvents; ++e) {
            const double s = static_cast<double>(in_.poolShares[e][r[e]].raw()) / 10000;
            c = c * s / 100;
            b = b + 100 / s;
        }
        const bool uniform = std::all_of(r.begin(), r.end(), [&](auto o) { return o == r[0]; });
        const WalkSetup& top = uniform && uniform_[r[0]] ? *uniform_[r[0]] : setup_;
        std::array<double, kCategories> out{};
        for (int i = 0; i < kCategories; ++i) {
            const int k = kFirstCategory + i;
            const WalkSetup& s = k == kEvents ? top : setup_;
            const double share = static_cast<double>(kPrizeShareRaw[i]) / 10000;
            const double g = std::exp(kPopularitySlope * (s.favourite / c - 1));
            const double l = (g * s.countMean + 1) * s.stakeShare;
            const double others =
                winners && (*winners)[i] > 1 ? ((*winners)[i] - 1) * setup_.stakeShare : 0;
            if (k == kEvents)
                out[i] = share / (l + c + others) + s.jackpotUnits / ((c + others) / l + 1);
            else
                out[i] = share / (std::pow(c * std::pow(b / 15, kEvents - k), 15.0 / k) *
                                      kResultsWithHits[i] +
                                  l + others);
        }
        return out;
    }

private:
    const AnalysisInput& in_;
    WalkSetup setup_;
    std::array<std::optional<WalkSetup>, kOutcomes> uniform_;
};

struct PartialCounts {
    std::uint64_t withPrize = 0, withProfit = 0;
    double returnSum = 0, returnSquares = 0;
    std::array<std::uint64_t, kEvents + 1> bestHits{};
    std::array<std::uint64_t, kReturnBins> bins{};
};

int returnBin(double ret, double stake) {
    if (ret <= 0)
        return 0;
    if (stake <= 0)
        return kReturnBins - 1;
    const double ratio = ret / stake;
    int bin = 1;
    for (double edge : kReturnBinEdges) {
        if (ratio < edge)
            return bin;
        ++bin;
    }
    return bin;
}

} // namespace

std::optional<std::array<double, kEvents + 1>>
exactBestHitChances(const std::array<std::array<Fixed4, kOutcomes>, kEvents>& quotes,
                    const Lines& lines, std::uint64_t maxVariants) {
    const OutcomeChances chances = outcomeChances(quotes);
    if (!chances.problem.empty())
        return std::nullopt;
    std::uint64_t total = 0;
    std::vector<std::optional<CompleteLine>> parsed;
    for (const auto& line : lines) {
        parsed.push_back(readCompleteLine(line));
        if (parsed.back())
            total += variantCount(parsed.back()->sets);
    }
    if (total > maxVariants)
        return std::nullopt;
    // The misses of every result from the nearest variant of the list, spread
    // from the variants one event at a time.
    std::vector<std::uint8_t> misses(kResults, kEvents);
    for (const auto& line : parsed)
        if (line)
            forEachVariant(line->sets, [&](const Variant& v) { misses[resultIndex(v)] = 0; });
    for (int e = 0; e < kEvents; ++e) {
        const std::size_t s = stride(e);
        const std::size_t blocks = kPow3[static_cast<std::size_t>(e)];
        for (std::size_t hi = 0; hi < blocks; ++hi)
            for (std::size_t lo = 0; lo < s; ++lo) {
                std::uint8_t* p = misses.data() + hi * 3 * s + lo;
                const std::uint8_t a = p[0], b = p[s], c = p[2 * s];
                p[0] = std::min<std::uint8_t>(a, static_cast<std::uint8_t>(std::min(b, c) + 1));
                p[s] = std::min<std::uint8_t>(b, static_cast<std::uint8_t>(std::min(a, c) + 1));
                p[2 * s] = std::min<std::uint8_t>(c, static_cast<std::uint8_t>(std::min(a, b) + 1));
            }
    }
    std::array<double, kEvents + 1> out{};
    auto descend = [&](auto& self, int e, std::size_t index, double p) -> void {
        for (int o = 0; o < kOutcomes; ++o) {
            const double p2 = p * chances.p[e][o];
            const std::size_t index2 = index * 3 + static_cast<std::size_t>(o);
            if (e + 1 == kEvents)
                out[static_cast<std::size_t>(kEvents - std::min<int>(misses[index2], kEvents))] +=
                    p2;
            else
                self(self, e + 1, index2, p2);
        }
    };
    descend(descend, 0, 0, 1.0);
    return out;
}

SimulationResult simulateDraws(const AnalysisInput& in, const Lines& lines, Fixed4 stakeTotal,
                               const SimulationSettings& settings, const std::atomic<bool>* cancel,
                               const ValueProgress& progress) {
    SimulationResult out;
    auto refuse = [&out](AnalysisStatus status, std::string problem) {
        out.status = status;
        out.problem = std::move(problem);
        return out;
    };
    const OutcomeChances chances = outcomeChances(in.quotes);
    if (!chances.problem.empty())
        return refuse(AnalysisStatus::Fault, chances.problem);

    std::vector<PackageLine> package;
    for (const auto& text : lines) {
        const auto line = readCompleteLine(text);
        if (!line)
            continue;
        PackageLine p;
        p.mask = toMask(line->sets);
        p.sets = line->sets;
        const std::uint64_t n = variantCount(line->sets);
        p.single = n == 1;
        p.stake = perVariantStake(line->amount, n).toDouble();
        package.push_back(p);
    }

    // Without typed prizes the analysis's model pays, with its checks.
    std::optional<ResultPayout> payout;
    if (!settings.prizes) {
        AnalysisInput probe = in;
        probe.variant.fill(1);
        probe.variant[kEvents - 1] = 2;
        AnalysisOutcome refused;
        const auto setup = prepareWalk(probe, refused);
        if (!setup)
            return refuse(refused.status, refused.problem);
        std::array<std::optional<WalkSetup>, kOutcomes> uniform;
        for (int o = 0; o < kOutcomes; ++o) {
            AnalysisInput u = in;
            u.variant.fill(static_cast<std::uint8_t>(o + 1));
            AnalysisOutcome uniformRefused;
            uniform[o] = prepareWalk(u, uniformRefused);
            if (uniform[o])
                continue;
            for (const PackageLine& line : package)
                if (std::all_of(line.sets.begin(), line.sets.end(),
                                [&](OutcomeSet s) { return (s & outcomeBit(o)) != 0; }))
                    return refuse(uniformRefused.status, uniformRefused.problem);
        }
        payout.emplace(in, *setup, uniform);
    }

    // The draws first, one after the other from the seed, so that the same
    // seed gives the same draws whatever the threads do.
    const std::uint64_t n = settings.draws;
    std::vector<Variant> results(n);
    Rng rng(settings.seed);
    for (std::uint64_t d = 0; d < n; ++d)
        for (int e = 0; e < kEvents; ++e) {
            const double u = rng.real();
            const auto& p = chances.p[e];
            results[d][e] = u < p[0] ? 0 : u < p[0] + p[1] ? 1 : 2;
        }

    out.stake = stakeTotal.toDouble();
    constexpr int kParts = 100;
    std::vector<PartialCounts> parts(kParts);
    std::atomic<int> done{0};
    const auto caller = std::this_thread::get_id();
    onTwoThreads(kParts, [&](int part) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return;
        PartialCounts& counts = parts[static_cast<std::size_t>(part)];
        const std::uint64_t from = n * static_cast<std::uint64_t>(part) / kParts;
        const std::uint64_t to = n * static_cast<std::uint64_t>(part + 1) / kParts;
        for (std::uint64_t d = from; d < to; ++d) {
            const Variant& r = results[d];
            const BetMask drawn = variantMask(r);
            int best = 0;
            std::array<double, kCategories> won{};     // stake-weighted, or counted, winners
            std::array<double, kCategories> winners{}; // counted
            bool prize = false;
            for (const PackageLine& line : package) {
                const int hits = matchCount(line.mask, drawn);
                best = std::max(best, hits);
                if (hits < kFirstCategory)
                    continue;
                prize = true;
                const double weight = settings.prizes ? 1.0 : line.stake;
                if (line.single) {
                    won[hits - kFirstCategory] += weight;
                    winners[hits - kFirstCategory] += 1;
                    continue;
                }
                DrawResult result{};
                for (int e = 0; e < kEvents; ++e)
                    result[e] = static_cast<std::int8_t>(r[e]);
                const auto dist = hitDistribution(line.sets, result);
                for (int i = 0; i < kCategories; ++i) {
                    won[i] += static_cast<double>(dist[kFirstCategory + i]) * weight;
                    winners[i] += static_cast<double>(dist[kFirstCategory + i]);
                }
            }
            double ret = 0;
            if (prize) {
                const auto perVariant = settings.prizes
                                            ? std::array<double, kCategories>{}
                                            : payout->of(r, settings.alone ? nullptr : &winners);
                for (int i = 0; i < kCategories; ++i)
                    ret += won[i] *
                           (settings.prizes ? (*settings.prizes)[i].toDouble() : perVariant[i]);
                ++counts.withPrize;
            }
            ++counts.bestHits[best];
            counts.returnSum += ret;
            counts.returnSquares += ret * ret;
            if (ret > out.stake)
                ++counts.withProfit;
            ++counts.bins[returnBin(ret, out.stake)];
        }
        const int finished = done.fetch_add(1) + 1;
        if (progress && std::this_thread::get_id() == caller)
            progress(finished * 90 / kParts);
    });
    if (cancel && cancel->load(std::memory_order_relaxed))
        return refuse(AnalysisStatus::Cancelled, {});

    out.draws = n;
    double sum = 0, squares = 0;
    for (const PartialCounts& c : parts) {
        squares += c.returnSquares;
        out.drawsWithPrize += c.withPrize;
        out.drawsWithProfit += c.withProfit;
        sum += c.returnSum;
        for (int k = 0; k <= kEvents; ++k)
            out.bestHits[k] += c.bestHits[k];
        for (int b = 0; b < kReturnBins; ++b)
            out.returnBins[b] += c.bins[b];
    }
    out.meanReturn = n ? sum / static_cast<double>(n) : 0;
    if (n > 1) {
        const double count = static_cast<double>(n);
        const double variance = (squares - count * out.meanReturn * out.meanReturn) / (count - 1);
        out.meanError = std::sqrt(std::max(0.0, variance) / count);
    }
    out.exactBestHits = exactBestHitChances(in.quotes, lines);
    if (progress)
        progress(100);
    return out;
}

} // namespace kav
