#include "core/kombin_matrix.h"

#include <algorithm>
#include <cmath>

namespace kav::kombin {

Code matrixCode(const CheckMatrix& h, const std::vector<std::vector<std::uint8_t>>& syndromes) {
    const int extra = static_cast<int>(h.rest.size());
    const int n = h.m + extra;
    Code code = h.q == 3 ? Code{0, n, {}} : Code{n, 0, {}};
    std::vector<std::uint8_t> r(static_cast<std::size_t>(extra), 0);
    while (true) {
        // A r: the syndrome part of the last positions.
        std::vector<int> ar(static_cast<std::size_t>(h.m), 0);
        for (int j = 0; j < extra; ++j)
            for (int i = 0; i < h.m; ++i)
                ar[static_cast<std::size_t>(i)] +=
                    r[static_cast<std::size_t>(j)] *
                    h.rest[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)];
        for (const auto& s : syndromes) {
            Word w(static_cast<std::size_t>(n));
            for (int i = 0; i < h.m; ++i) {
                auto k = static_cast<std::size_t>(i);
                w[k] = static_cast<std::uint8_t>(((s[k] - ar[k]) % h.q + h.q) % h.q);
            }
            std::copy(r.begin(), r.end(), w.begin() + h.m);
            code.rows.push_back(std::move(w));
        }
        int j = 0;
        while (j < extra && ++r[static_cast<std::size_t>(j)] == h.q)
            r[static_cast<std::size_t>(j++)] = 0;
        if (j == extra)
            break;
    }
    return code;
}

namespace {

// A random non-zero column whose first non-zero digit is 1 (a multiple of a
// column adds nothing new), unlike the columns already taken where possible.
std::vector<std::uint8_t> randomColumn(int q, int m, const std::vector<std::vector<std::uint8_t>>& taken,
                                       SearchRandom& rng) {
    std::vector<std::uint8_t> c(static_cast<std::size_t>(m));
    for (int attempt = 0;; ++attempt) {
        int weight = 0;
        for (auto& x : c) {
            x = static_cast<std::uint8_t>(rng.below(static_cast<std::size_t>(q)));
            weight += x != 0;
        }
        if (weight < 2)
            continue; // the unit columns are already in H
        auto lead = *std::find_if(c.begin(), c.end(), [](std::uint8_t x) { return x != 0; });
        if (lead == 2)
            for (auto& x : c)
                x = static_cast<std::uint8_t>((q - x) % q);
        if (attempt > 64 || std::find(taken.begin(), taken.end(), c) == taken.end())
            return c;
    }
}

} // namespace

std::optional<Code> matrixSearch(const Key& key, std::size_t beat, const SearchOptions& options) {
    if (key.doubles != 0 && key.triples != 0)
        return std::nullopt;
    const int q = key.doubles == 0 ? 3 : 2;
    const int n = key.positions();
    const int radius = key.radius();
    if (n < 4 || radius < 1)
        return std::nullopt;
    const std::uint64_t ball =
        q == 3 ? ballSize(0, n, radius) : ballSize(n, 0, radius); // bigger than any syndrome ball

    struct Plan {
        int m;
        std::uint64_t perSyndrome;
    };
    std::vector<Plan> plans;
    for (int m = 2; m < n; ++m) {
        auto space = static_cast<std::uint64_t>(std::pow(q, m));
        if (space > 177147 || (m < 2))
            continue;
        auto per = static_cast<std::uint64_t>(std::pow(q, n - m));
        std::uint64_t maxS = (beat - 1) / per;
        if (maxS == 0 || maxS < (space + ball - 1) / ball)
            continue;
        plans.push_back({m, per});
    }
    if (plans.empty())
        return std::nullopt;

    // Columns matter more than search time: many matrices get a short search,
    // the two most promising of each height a longer one.
    constexpr int kTries = 6, kFinalists = 2, kFinalWeight = 3;
    const double unit = options.seconds /
                        static_cast<double>(plans.size() * (kTries + kFinalists * kFinalWeight));
    SearchRandom rng(options.seed ^ 0x6D6174726978ull);
    std::optional<Code> best;
    int attempt = 0;
    const int attempts = static_cast<int>(plans.size()) * (kTries + kFinalists);
    auto run = [&](const CheckMatrix& h, const std::vector<std::vector<std::uint8_t>>& start,
                   double seconds) {
        SearchSpace space;
        space.radix.assign(static_cast<std::size_t>(h.m), static_cast<std::uint8_t>(q));
        space.radius = radius;
        auto addColumn = [&space, q](std::vector<std::uint8_t> c) {
            space.generators.push_back(c);
            if (q == 3) {
                for (auto& x : c)
                    x = static_cast<std::uint8_t>((3 - x) % 3);
                space.generators.push_back(c);
            }
        };
        for (int i = 0; i < h.m; ++i) {
            std::vector<std::uint8_t> unit(static_cast<std::size_t>(h.m), 0);
            unit[static_cast<std::size_t>(i)] = 1;
            addColumn(unit);
        }
        for (const auto& c : h.rest)
            addColumn(c);
        SearchOptions sub = options;
        sub.seconds = seconds;
        sub.seed = options.seed + 7919u * static_cast<unsigned>(++attempt);
        sub.progress = nullptr;
        auto found = searchCover(space, start, sub).rows;
        if (options.progress)
            options.progress(SearchProgress{best ? best->rows.size() : 0,
                                            static_cast<double>(attempt) / attempts});
        return found;
    };
    for (const auto& plan : plans) {
        struct Tried {
            std::size_t size;
            CheckMatrix h;
            std::vector<std::vector<std::uint8_t>> syndromes;
        };
        std::vector<Tried> tried;
        std::uint64_t maxS = (beat - 1) / plan.perSyndrome;
        for (int t = 0; t < kTries && maxS > 0; ++t) {
            if (options.cancel && options.cancel->load())
                return best;
            CheckMatrix h{q, plan.m, {}};
            for (int j = plan.m; j < n; ++j)
                h.rest.push_back(randomColumn(q, plan.m, h.rest, rng));
            std::vector<std::vector<std::uint8_t>> start(maxS);
            for (auto& s : start) {
                s.resize(static_cast<std::size_t>(plan.m));
                for (auto& x : s)
                    x = static_cast<std::uint8_t>(rng.below(static_cast<std::size_t>(q)));
            }
            auto found = run(h, start, unit);
            if (!found.empty())
                tried.push_back({found.size(), std::move(h), std::move(found)});
        }
        std::stable_sort(tried.begin(), tried.end(),
                         [](const Tried& a, const Tried& b) { return a.size < b.size; });
        if (tried.size() > static_cast<std::size_t>(kFinalists))
            tried.resize(kFinalists);
        for (auto& f : tried) {
            if (options.cancel && options.cancel->load())
                return best;
            auto found = run(f.h, f.syndromes, unit * kFinalWeight);
            if (!found.empty() && found.size() < f.size)
                f.syndromes = std::move(found);
            auto size = f.syndromes.size() * plan.perSyndrome;
            if (size < beat) {
                Code code = matrixCode(f.h, f.syndromes);
                if (checkCoverage(code, radius).holds()) {
                    beat = size;
                    best = std::move(code);
                }
            }
        }
    }
    return best;
}

} // namespace kav::kombin
