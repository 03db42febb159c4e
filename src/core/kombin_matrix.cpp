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
std::vector<std::uint8_t>
randomColumn(int q, int m, const std::vector<std::vector<std::uint8_t>>& taken, SearchRandom& rng) {
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

// Hill climbing on the columns of H for one or two syndromes: a matrix is
// scored by how many syndromes a greedy choice of that many leaves uncovered.
// This finds the linear and nearly linear codes that random columns miss.
struct Climbed {
    CheckMatrix h;
    std::vector<std::vector<std::uint8_t>> syndromes;
};

class ColumnClimber {
public:
    ColumnClimber(int q, int n, int m, int radius, std::size_t count)
        : q_(q), n_(n), m_(m), radius_(radius), count_(count) {
        size_ = 1;
        for (int i = 0; i < m; ++i)
            size_ *= static_cast<std::uint32_t>(q);
        add_.resize(static_cast<std::size_t>(size_) * size_);
        for (std::uint32_t a = 0; a < size_; ++a)
            for (std::uint32_t b = 0; b < size_; ++b) {
                std::uint32_t x = a, y = b, sum = 0, p = 1;
                for (int i = 0; i < m; ++i, x /= q, y /= q, p *= q)
                    sum += (x % q + y % q) % q * p;
                add_[static_cast<std::size_t>(a) * size_ + b] = static_cast<std::uint16_t>(sum);
            }
    }

    // Work of one evaluation, in search work units.
    std::uint64_t cost() const {
        return static_cast<std::uint64_t>(size_) * (2 * n_ + (count_ - 1) * size_ / 4);
    }

    std::optional<Climbed> climb(std::uint64_t evaluations, SearchRandom& rng) {
        std::vector<std::uint32_t> cols(static_cast<std::size_t>(n_ - m_));
        for (auto& c : cols)
            c = 1 + rng.below(size_ - 1);
        std::vector<std::uint32_t> picks;
        auto best = score(cols, picks);
        for (std::uint64_t e = 0; e < evaluations && best > 0; ++e) {
            auto trial = cols;
            trial[rng.below(trial.size())] = 1 + rng.below(size_ - 1);
            std::vector<std::uint32_t> p;
            auto f = score(trial, p);
            if (f <= best) {
                best = f;
                cols = std::move(trial);
                picks = std::move(p);
            }
        }
        if (best > 0)
            return std::nullopt;
        Climbed c{CheckMatrix{q_, m_, {}}, {}};
        for (auto col : cols)
            c.h.rest.push_back(digits(col));
        for (auto s : picks)
            c.syndromes.push_back(digits(s));
        return c;
    }

private:
    std::vector<std::uint8_t> digits(std::uint32_t x) const {
        std::vector<std::uint8_t> d(static_cast<std::size_t>(m_));
        for (auto& v : d) {
            v = static_cast<std::uint8_t>(x % static_cast<std::uint32_t>(q_));
            x /= static_cast<std::uint32_t>(q_);
        }
        return d;
    }
    std::uint32_t plus(std::uint32_t a, std::uint32_t b) const {
        return add_[static_cast<std::size_t>(a) * size_ + b];
    }

    std::size_t score(const std::vector<std::uint32_t>& cols, std::vector<std::uint32_t>& picks) {
        std::vector<std::uint32_t> gens;
        for (std::uint32_t i = 0, p = 1; i < static_cast<std::uint32_t>(m_);
             ++i, p *= static_cast<std::uint32_t>(q_))
            gens.push_back(p);
        gens.insert(gens.end(), cols.begin(), cols.end());
        if (q_ == 3)
            for (std::size_t i = 0, k = gens.size(); i < k; ++i)
                gens.push_back(plus(gens[i], gens[i]));
        std::vector<std::uint8_t> dist(size_, 0xFF);
        std::vector<std::uint32_t> queue{0}, ball;
        dist[0] = 0;
        for (std::size_t h = 0; h < queue.size(); ++h) {
            auto w = queue[h];
            ball.push_back(w);
            if (dist[w] >= radius_)
                continue;
            for (auto g : gens) {
                auto u = plus(w, g);
                if (dist[u] == 0xFF) {
                    dist[u] = static_cast<std::uint8_t>(dist[w] + 1);
                    queue.push_back(u);
                }
            }
        }
        std::vector<std::uint8_t> covered(size_, 0);
        std::size_t uncovered = size_;
        picks.clear();
        auto take = [&](std::uint32_t v) {
            picks.push_back(v);
            for (auto b : ball) {
                auto x = plus(v, b);
                uncovered -= covered[x] == 0;
                covered[x] = 1;
            }
        };
        take(0);
        while (picks.size() < count_ && uncovered > 0) {
            std::uint32_t pick = 0;
            std::size_t gain = 0;
            for (std::uint32_t v = 0; v < size_; ++v) {
                if (covered[v])
                    continue; // a syndrome already covered seldom pays as a centre
                std::size_t g = 0;
                for (auto b : ball)
                    g += covered[plus(v, b)] == 0;
                if (g > gain) {
                    gain = g;
                    pick = v;
                }
            }
            take(pick);
        }
        return uncovered;
    }

    int q_, n_, m_, radius_;
    std::size_t count_;
    std::uint32_t size_;
    std::vector<std::uint16_t> add_;
};

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

    SearchRandom rng(options.seed ^ 0x6D6174726978ull);
    std::optional<Code> best;

    // Up to 40% of the budget goes to climbing towards codes of one to four
    // syndromes (the linear and nearly linear codes); the rest to the search.
    struct Climb {
        int m;
        std::size_t count;
    };
    std::vector<Climb> climbs;
    for (const auto& plan : plans) {
        auto space = static_cast<std::uint64_t>(std::pow(q, plan.m));
        std::size_t from = std::max<std::uint64_t>(1, (space + ball - 1) / ball);
        for (std::size_t count = from; count <= 4 && count * plan.perSyndrome < beat; ++count)
            if (space <= (count <= 2 ? 2187u : 729u))
                climbs.push_back({plan.m, count});
    }
    const double climbShare = climbs.empty() ? 0 : 0.4;
    for (const auto& c : climbs) {
        if (options.cancel && options.cancel->load())
            return best;
        auto per = static_cast<std::uint64_t>(std::pow(q, n - c.m));
        if (c.count * per >= beat)
            continue;
        ColumnClimber climber(q, n, c.m, radius, c.count);
        auto evaluations = static_cast<std::uint64_t>(
            climbShare * options.seconds / static_cast<double>(climbs.size()) * kWorkPerSecond /
            static_cast<double>(climber.cost()));
        if (auto found = climber.climb(evaluations, rng)) {
            Code code = matrixCode(found->h, found->syndromes);
            if (code.rows.size() < beat && checkCoverage(code, radius).holds()) {
                beat = code.rows.size();
                best = std::move(code);
            }
        }
    }

    // Columns matter more than search time: many matrices get a short search,
    // the two most promising of each height a longer one. Small syndrome
    // spaces are searched in moments: try many more matrices there.
    constexpr int kFinalists = 2, kFinalWeight = 3;
    auto triesFor = [q](int m) {
        return std::clamp(static_cast<int>(30000 / std::pow(q, m)), 6, 40);
    };
    // Every height gets the same share; within it, a finalist's search weighs
    // as much as kFinalWeight first searches.
    int attempts = 0;
    for (const auto& plan : plans)
        attempts += triesFor(plan.m) + kFinalists;
    const double perPlan = (1 - climbShare) * options.seconds / static_cast<double>(plans.size());
    auto unitFor = [&](int m) { return perPlan / (triesFor(m) + kFinalists * kFinalWeight); };
    int attempt = 0;
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
            std::vector<std::uint8_t> e(static_cast<std::size_t>(h.m), 0);
            e[static_cast<std::size_t>(i)] = 1;
            addColumn(e);
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
        for (int t = 0; t < triesFor(plan.m) && maxS > 0; ++t) {
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
            auto found = run(h, start, unitFor(plan.m));
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
            auto found = run(f.h, f.syndromes, unitFor(plan.m) * kFinalWeight);
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
