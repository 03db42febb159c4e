#include "core/coverage/coverage_search.h"

#include "core/coverage/coverage_enum.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace kav {

namespace {

struct Best {
    double gainP = 0;
    std::int64_t gainN = 0;
    int index = -1;
};

// A later candidate replaces the best only with a strictly greater gain, so
// merging ranges in index order keeps the lowest index among equal gains.
void consider(Best& best, BestBy by, int p, double gainP, std::int64_t gainN) {
    if (by == BestBy::Probability ? gainP > best.gainP : gainN > best.gainN)
        best = {gainP, gainN, p};
}

struct Search {
    const Zone& zone;
    int category;
    BestBy by;
    std::vector<int> uncovered; // ascending
    std::vector<std::uint8_t> isUncovered;
    std::vector<double> uncoveredWeight; // the probability, or +0.0 for a covered result
    bool walkBall = false; // the ball of a candidate is smaller than the uncovered list

    Search(const Zone& z, int c, BestBy b) : zone(z), category(c), by(b) {
        isUncovered.resize(z.results.size());
        uncoveredWeight.resize(z.results.size());
        for (int i = 0; i < z.size(); ++i)
            if (z.results[static_cast<std::size_t>(i)].coverCount == 0) {
                uncovered.push_back(i);
                isUncovered[static_cast<std::size_t>(i)] = 1;
                uncoveredWeight[static_cast<std::size_t>(i)] =
                    z.results[static_cast<std::size_t>(i)].probability;
            }
    }

    // Gains of candidate p; each sum runs over the uncovered results in index
    // order, so it is the very same double a plain loop adds up.
    void gains(int p, double& gainP, std::int64_t& gainN) const {
        gainP = 0;
        gainN = 0;
        if (walkBall) {
            // Adding +0.0 for a covered result leaves a sum of non-negative
            // weights bit for bit as it was, so no branch is needed.
            const double* w = uncoveredWeight.data();
            const std::uint8_t* u = isUncovered.data();
            forEachInBall(zone, resultBox(zone, p, category), [&](std::int64_t i) {
                gainN += u[i];
                gainP += w[i];
            });
            return;
        }
        BetMask mp = zone.results[static_cast<std::size_t>(p)].mask();
        for (int i : uncovered) {
            const auto& r = zone.results[static_cast<std::size_t>(i)];
            if (matchCount(mp, r.mask()) >= category) {
                ++gainN;
                gainP += r.probability;
            }
        }
    }

    Best range(int begin, int end) const {
        Best best;
        for (int p = begin; p < end; ++p) {
            double gp;
            std::int64_t gn;
            gains(p, gp, gn);
            consider(best, by, p, gp, gn);
        }
        return best;
    }
};

// Runs the candidates in chunks of about one percent, on two threads when the
// work is large, and merges the chunks in index order.
BestBet runChunks(const Search& s, bool threaded, const SearchProgress& progress,
                  const std::atomic<bool>* cancel) {
    int n = s.zone.size();
    int chunks = std::min(n, 100);
    auto chunkBegin = [&](int c) {
        return static_cast<int>(static_cast<std::int64_t>(n) * c / chunks);
    };
    std::vector<Best> results(static_cast<std::size_t>(chunks));
    std::atomic<int> next{0}, done{0};
    std::atomic<bool> stopped{false};
    int shown = -1;
    auto report = [&] {
        int pct = chunkBegin(std::min(done.load(), chunks - 1)) * 100 / n;
        if (progress && pct != shown)
            progress(shown = pct);
    };
    auto work = [&](bool reporting) {
        for (int c; !stopped.load() && (c = next.fetch_add(1)) < chunks;) {
            if (cancel && cancel->load()) {
                stopped = true;
                return;
            }
            results[static_cast<std::size_t>(c)] = s.range(chunkBegin(c), chunkBegin(c + 1));
            ++done;
            if (reporting)
                report();
        }
    };
    report();
    // The calling thread works too and reports between its chunks.
    std::thread helper;
    if (threaded)
        helper = std::thread(work, false);
    work(true);
    if (helper.joinable())
        helper.join();
    if (stopped)
        return {std::nullopt, true};
    Best best;
    for (const auto& r : results)
        if (r.index >= 0)
            consider(best, s.by, r.index, r.gainP, r.gainN);
    return {best.index >= 0 ? std::optional<int>(best.index) : std::nullopt, false};
}

// Gains of every candidate at once: table[p][m] sums the weights of the
// uncovered results differing from p in exactly m events, built one event at a
// time. Nothing when cancelled.
template <class T>
std::optional<std::vector<T>> gainTable(const Search& s, int budget, const std::vector<T>& weight,
                                        const SearchProgress& progress,
                                        const std::atomic<bool>* cancel) {
    const Zone& z = s.zone;
    const std::size_t n = z.results.size();
    const std::size_t width = static_cast<std::size_t>(budget) + 1;
    std::vector<T> cur(n * width, T{}), nxt(n * width);
    for (std::size_t i = 0; i < n; ++i)
        cur[i * width] = weight[i];
    int variable = 0, doneEvents = 0;
    for (int e = 0; e < kEvents; ++e)
        variable += z.radix[e] > 1;
    for (int e = 0; e < kEvents; ++e) {
        int k = z.radix[e];
        if (k < 2)
            continue;
        if (cancel && cancel->load())
            return std::nullopt;
        if (progress)
            progress(doneEvents * 100 / variable);
        std::size_t stride = static_cast<std::size_t>(z.stride[e]);
        for (std::size_t i = 0; i < n; ++i) {
            std::size_t dg = (i / stride) % static_cast<std::size_t>(k);
            std::size_t base = i - dg * stride;
            T* out = &nxt[i * width];
            const T* self = &cur[i * width];
            for (std::size_t m = 0; m < width; ++m)
                out[m] = self[m];
            for (std::size_t j = 0; j < static_cast<std::size_t>(k); ++j) {
                if (j == dg)
                    continue;
                const T* other = &cur[(base + j * stride) * width];
                for (std::size_t m = 1; m < width; ++m)
                    out[m] += other[m - 1];
            }
        }
        cur.swap(nxt);
        ++doneEvents;
    }
    std::vector<T> gain(n, T{});
    for (std::size_t p = 0; p < n; ++p)
        for (std::size_t m = 0; m < width; ++m)
            gain[p] += cur[p * width + m];
    return gain;
}

BestBet countByTable(const Search& s, int budget, const SearchProgress& progress,
                     const std::atomic<bool>* cancel) {
    std::vector<std::int32_t> weight(s.isUncovered.begin(), s.isUncovered.end());
    auto gain = gainTable(s, budget, weight, progress, cancel);
    if (!gain)
        return {std::nullopt, true};
    Best best;
    for (std::size_t p = 0; p < gain->size(); ++p)
        consider(best, BestBy::Count, static_cast<int>(p), 0, (*gain)[p]);
    return {best.index >= 0 ? std::optional<int>(best.index) : std::nullopt, false};
}

// "+P" by the table: its sums add the same weights as the plain loop but in
// another order, so they may differ in the last bits. Each differs from the
// exact sum by at most (terms) x 2^-53 x sum, so only candidates within twice
// that bound of the table's best can be the plain loop's best; those few are
// summed again in index order and decide.
BestBet probabilityByTable(const Search& s, int budget, const SearchProgress& progress,
                           const std::atomic<bool>* cancel) {
    auto gain = gainTable(s, budget, s.uncoveredWeight, progress, cancel);
    if (!gain)
        return {std::nullopt, true};
    double top = 0, total = 0;
    for (double g : *gain)
        top = std::max(top, g);
    for (double w : s.uncoveredWeight)
        total += w;
    if (!(top > 0))
        return {};
    const double terms = static_cast<double>(s.uncoveredWeight.size()) + 64.0;
    const double slack = 4.0 * terms * std::ldexp(1.0, -52) * total * 1.5;
    Best best;
    for (std::size_t p = 0; p < gain->size(); ++p) {
        if ((*gain)[p] < top - slack)
            continue;
        double gp;
        std::int64_t gn;
        s.gains(static_cast<int>(p), gp, gn);
        consider(best, BestBy::Probability, static_cast<int>(p), gp, gn);
    }
    return {best.index >= 0 ? std::optional<int>(best.index) : std::nullopt, false};
}

} // namespace

BestBet findBestBet(const Zone& zone, int category, BestBy by, const SearchProgress& progress,
                    const std::atomic<bool>* cancel) {
    if (zone.results.empty())
        return {};
    Search s(zone, category, by);
    if (s.uncovered.empty())
        return {};
    const auto n = static_cast<std::int64_t>(zone.results.size());
    const std::int64_t ball = ballSize(zone, resultBox(zone, 0, category));
    if (ball == n) {
        // Every candidate reaches every result: all gains are equal, the first wins.
        Best best;
        double gp;
        std::int64_t gn;
        s.gains(0, gp, gn);
        consider(best, by, 0, gp, gn);
        return {best.index >= 0 ? std::optional<int>(0) : std::nullopt, false};
    }
    const auto uncovered = static_cast<std::int64_t>(s.uncovered.size());
    s.walkBall = ball < uncovered;
    const std::int64_t perCandidate = std::min(ball, uncovered);
    const int budget = kEvents - category;
    if (budget >= 0) {
        std::int64_t table = 0;
        for (int e = 0; e < kEvents; ++e)
            if (zone.radix[e] > 1)
                table += zone.radix[e] * (budget + 1);
        if (table < perCandidate)
            return by == BestBy::Count ? countByTable(s, budget, progress, cancel)
                                       : probabilityByTable(s, budget, progress, cancel);
    }
    constexpr std::int64_t kThreadedWork = 2000000;
    bool threaded = n * perCandidate > kThreadedWork && std::thread::hardware_concurrency() >= 2;
    return runChunks(s, threaded, progress, cancel);
}

} // namespace kav
