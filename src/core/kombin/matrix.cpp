#include "core/kombin/matrix.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace kav::kombin {

Code matrixCode(const MixedCheckMatrix& h,
                const std::vector<std::vector<std::uint8_t>>& syndromes) {
    const CheckMatrix& tm = h.triples;
    const CheckMatrix& dm = h.doubles;
    const int t = tm.positions();
    Code code{dm.positions(), t, {}};
    // The free digits: the positions outside I, triples first.
    std::vector<std::uint8_t> radix(tm.rest.size(), 3);
    radix.resize(tm.rest.size() + dm.rest.size(), 2);
    std::vector<std::uint8_t> r(radix.size(), 0);
    // A r of one kind, for the free digits from `first` on.
    auto product = [&r](const CheckMatrix& c, std::size_t first) {
        std::vector<int> ar(static_cast<std::size_t>(c.m), 0);
        for (std::size_t j = 0; j < c.rest.size(); ++j)
            for (std::size_t i = 0; i < ar.size(); ++i)
                ar[i] += r[first + j] * c.rest[j][i];
        return ar;
    };
    while (true) {
        auto a3 = product(tm, 0);
        auto a2 = product(dm, tm.rest.size());
        for (const auto& s : syndromes) {
            Word w(static_cast<std::size_t>(code.positions()));
            for (std::size_t i = 0; i < a3.size(); ++i)
                w[i] = static_cast<std::uint8_t>(((s[i] - a3[i]) % 3 + 3) % 3);
            std::copy(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(tm.rest.size()),
                      w.begin() + tm.m);
            for (std::size_t i = 0; i < a2.size(); ++i)
                w[static_cast<std::size_t>(t) + i] =
                    static_cast<std::uint8_t>((s[a3.size() + i] + a2[i]) % 2);
            std::copy(r.begin() + static_cast<std::ptrdiff_t>(tm.rest.size()), r.end(),
                      w.begin() + t + dm.m);
            code.rows.push_back(std::move(w));
        }
        std::size_t j = 0;
        while (j < r.size() && ++r[j] == radix[j])
            r[j++] = 0;
        if (j == r.size())
            break;
    }
    return code;
}

Code matrixCode(const CheckMatrix& h, const std::vector<std::vector<std::uint8_t>>& syndromes) {
    MixedCheckMatrix mixed;
    (h.q == 3 ? mixed.triples : mixed.doubles) = h;
    return matrixCode(mixed, syndromes);
}

namespace {

// A random column of `weight` non-zero digits whose first non-zero digit is 1
// (a multiple of a column adds nothing new), unlike the columns already taken
// where possible. The weight shapes the code more than anything else: records
// come from light columns on some heights and from heavy ones on others.
std::vector<std::uint8_t> randomColumn(int q, int m, int weight,
                                       const std::vector<std::vector<std::uint8_t>>& taken,
                                       SearchRandom& rng) {
    std::vector<std::uint8_t> c(static_cast<std::size_t>(m));
    std::vector<std::size_t> places(c.size());
    for (int attempt = 0;; ++attempt) {
        std::fill(c.begin(), c.end(), 0);
        for (std::size_t i = 0; i < places.size(); ++i)
            places[i] = i;
        for (int k = 0; k < weight; ++k) {
            auto pick = static_cast<std::size_t>(k) +
                        rng.below(places.size() - static_cast<std::size_t>(k));
            std::swap(places[static_cast<std::size_t>(k)], places[pick]);
            c[places[static_cast<std::size_t>(k)]] =
                static_cast<std::uint8_t>(1 + rng.below(static_cast<std::size_t>(q - 1)));
        }
        auto lead = *std::find_if(c.begin(), c.end(), [](std::uint8_t x) { return x != 0; });
        if (lead == 2)
            for (auto& x : c)
                x = static_cast<std::uint8_t>((q - x) % q);
        if (attempt > 64 || std::find(taken.begin(), taken.end(), c) == taken.end())
            return c;
    }
}

// The weight of the columns of one try: all of one weight from 2 to m, or
// (drawn as 0) each column of a random weight; a single row allows only 1.
int drawWeight(int m, SearchRandom& rng) {
    if (m < 2)
        return 1;
    auto w = static_cast<int>(rng.below(static_cast<std::size_t>(m)));
    return w == 0 ? 0 : w + 1;
}

std::vector<std::uint8_t> columnOf(int q, int m, int weight,
                                   const std::vector<std::vector<std::uint8_t>>& taken,
                                   SearchRandom& rng) {
    if (weight == 0)
        weight = 2 + static_cast<int>(rng.below(static_cast<std::size_t>(m - 1)));
    return randomColumn(q, m, weight, taken, rng);
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

// The largest syndrome space (3^11 syndromes) a plan's cover search runs on:
// the search keeps a table per syndrome and must settle within its budget.
constexpr std::uint64_t kMaxSyndromeSpace = 177147;
// The largest syndrome spaces a column climb runs on. The climber keeps an
// addition table of size^2 entries and scores every candidate centre per step,
// so one or two syndromes (or a height the caller chose) allow 3^7, three or
// four only 3^6.
constexpr std::uint64_t kMaxClimbSpace = 2187;
constexpr std::uint64_t kMaxClimbSpaceManySyndromes = 729;
// Climbs aim at pure codes of at most this many syndromes.
constexpr std::size_t kMaxClimbSyndromes = 4;
// Share of the budget that goes to the climbs when there are any.
constexpr double kClimbShare = 0.4;
// Columns matter more than search time: many matrices get a short search, the
// kFinalists most promising of each plan a longer one that weighs as much as
// kFinalWeight first searches.
constexpr int kFinalists = 2, kFinalWeight = 3;

std::uint64_t power(std::uint64_t q, int e) {
    std::uint64_t p = 1;
    for (int i = 0; i < e; ++i)
        p *= q;
    return p;
}

// A height split into m3 ternary and m2 binary rows, with the size of its
// syndrome space and the results each syndrome stands for.
struct Plan {
    int m3, m2;
    std::uint64_t space, perSyndrome;
    int m() const { return m3 + m2; }
};

// Each kind present in the layout needs at least one row, or its positions
// would be free; a plan whose largest useful syndrome set cannot cover its
// space (`ball` syndromes per centre at most) is left out.
std::vector<Plan> plansFor(const Key& key, std::size_t beat, int height, std::uint64_t ball) {
    const int n = key.positions();
    std::vector<Plan> plans;
    for (int m3 = key.triples > 0 ? 1 : 0; m3 <= key.triples; ++m3)
        for (int m2 = key.doubles > 0 ? 1 : 0; m2 <= key.doubles; ++m2) {
            Plan p{m3, m2, power(3, m3) * power(2, m2),
                   power(3, key.triples - m3) * power(2, key.doubles - m2)};
            if (p.m() < 2 || p.m() >= n || (height > 0 && p.m() != height) ||
                p.space > kMaxSyndromeSpace)
                continue;
            std::uint64_t maxS = (beat - 1) / p.perSyndrome;
            if (maxS == 0 || maxS < (p.space + ball - 1) / ball)
                continue;
            plans.push_back(p);
        }
    return plans;
}

struct Climb {
    Plan plan;
    std::size_t count;
};

// The climbs worth trying: plans of one kind of rows, with one to
// kMaxClimbSyndromes syndromes that could beat the size to beat.
std::vector<Climb> climbsFor(const std::vector<Plan>& plans, std::size_t beat, int height,
                             std::uint64_t ball) {
    std::vector<Climb> climbs;
    for (const auto& plan : plans) {
        if (plan.m3 != 0 && plan.m2 != 0)
            continue;
        std::size_t from = std::max<std::uint64_t>(1, (plan.space + ball - 1) / ball);
        for (std::size_t count = from;
             count <= kMaxClimbSyndromes && count * plan.perSyndrome < beat; ++count)
            if (plan.space <=
                (count <= 2 || height > 0 ? kMaxClimbSpace : kMaxClimbSpaceManySyndromes))
                climbs.push_back({plan, count});
    }
    return climbs;
}

// A check matrix with random columns beyond the unit ones, of one drawn weight per kind.
MixedCheckMatrix randomCheckMatrix(const Key& key, const Plan& plan, SearchRandom& rng) {
    MixedCheckMatrix h{{3, plan.m3, {}}, {2, plan.m2, {}}};
    const int w3 = drawWeight(plan.m3, rng), w2 = drawWeight(plan.m2, rng);
    for (int j = plan.m3; j < key.triples; ++j)
        h.triples.rest.push_back(columnOf(3, plan.m3, w3, h.triples.rest, rng));
    for (int j = plan.m2; j < key.doubles; ++j)
        h.doubles.rest.push_back(columnOf(2, plan.m2, w2, h.doubles.rest, rng));
    return h;
}

// `count` random syndromes of the plan's space, ternary digits first.
std::vector<std::vector<std::uint8_t>> randomSyndromes(const Plan& plan, std::size_t count,
                                                       SearchRandom& rng) {
    std::vector<std::vector<std::uint8_t>> start(count);
    for (auto& s : start) {
        s.resize(static_cast<std::size_t>(plan.m()));
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] =
                static_cast<std::uint8_t>(rng.below(i < static_cast<std::size_t>(plan.m3) ? 3 : 2));
    }
    return start;
}

// The search space of the syndromes of H: Z3^m3 x Z2^m2 with the columns of H
// as steps; a ternary step goes both ways.
SearchSpace syndromeSpace(const Plan& plan, const MixedCheckMatrix& h, int radius) {
    SearchSpace space;
    space.radix.assign(static_cast<std::size_t>(plan.m3), 3);
    space.radix.resize(static_cast<std::size_t>(plan.m()), 2);
    space.radius = radius;
    auto addColumn = [&](const std::vector<std::uint8_t>& c, bool ternary) {
        std::vector<std::uint8_t> g(space.radix.size(), 0);
        std::copy(c.begin(), c.end(), g.begin() + (ternary ? 0 : plan.m3));
        space.generators.push_back(g);
        if (ternary) {
            for (auto& x : g)
                x = static_cast<std::uint8_t>((3 - x) % 3);
            space.generators.push_back(g);
        }
    };
    for (const auto* part : {&h.triples, &h.doubles}) {
        for (int i = 0; i < part->m; ++i) {
            std::vector<std::uint8_t> e(static_cast<std::size_t>(part->m), 0);
            e[static_cast<std::size_t>(i)] = 1;
            addColumn(e, part->q == 3);
        }
        for (const auto& c : part->rest)
            addColumn(c, part->q == 3);
    }
    return space;
}

// One run of the matrix construction for a key: the climbs first, then the
// cover search on every plan. Keeps the best code found and the size it must beat.
class MatrixSearch {
public:
    MatrixSearch(const Key& key, std::size_t beat, const SearchOptions& options, int height)
        : key_(key), n_(key.positions()), radius_(key.radius()), beat_(beat), height_(height),
          options_(options), rng_(options.seed ^ 0x6D6174726978ull) {}

    // The one check matrix [I | columns], searched with the whole budget.
    std::optional<Code> runOn(const std::vector<std::vector<std::uint8_t>>& columns) {
        const int m = n_ - static_cast<int>(columns.size());
        Plan plan{m, 0, power(3, m), power(3, n_ - m)};
        const std::uint64_t maxS = maxSyndromes(plan);
        if (maxS == 0)
            return std::nullopt;
        MixedCheckMatrix h{{3, m, columns}, {2, 0, {}}};
        attempts_ = 1;
        auto found = searchSyndromes(plan, h, startSyndromes(plan, maxS), options_.seconds);
        const std::size_t size = found.size() * plan.perSyndrome;
        if (!found.empty() && size < beat_)
            offer(matrixCode(h, found), size);
        return std::move(best_);
    }

    std::optional<Code> run() {
        if (n_ < 4 || radius_ < 1)
            return std::nullopt;
        // No syndrome ball is bigger than the ball of the layout.
        const std::uint64_t ball = ballSize(key_.doubles, key_.triples, radius_);
        plans_ = plansFor(key_, beat_, height_, ball);
        if (plans_.empty())
            return std::nullopt;
        const auto climbs = climbsFor(plans_, beat_, height_, ball);
        climbShare_ = climbs.empty() ? 0 : kClimbShare;
        if (!climbAll(climbs))
            return std::move(best_);
        planBudget();
        for (const auto& plan : plans_)
            if (!searchPlan(plan))
                break;
        return std::move(best_);
    }

private:
    bool cancelled() const { return options_.cancel && options_.cancel->load(); }

    void offer(Code code, std::size_t size) {
        if (size < beat_ && checkCoverage(code, radius_).holds()) {
            beat_ = size;
            best_ = std::move(code);
        }
    }

    // The climbs towards pure codes of one to four syndromes (the linear and
    // nearly linear codes); false when cancelled.
    bool climbAll(const std::vector<Climb>& climbs) {
        for (const auto& c : climbs) {
            if (cancelled())
                return false;
            if (c.count * c.plan.perSyndrome >= beat_)
                continue;
            const int q = c.plan.m3 > 0 ? 3 : 2;
            ColumnClimber climber(q, n_, c.plan.m(), radius_, c.count);
            auto evaluations = static_cast<std::uint64_t>(
                climbShare_ * options_.seconds / static_cast<double>(climbs.size()) *
                kWorkPerSecond / static_cast<double>(climber.cost()));
            if (auto found = climber.climb(evaluations, rng_)) {
                Code code = matrixCode(found->h, found->syndromes);
                const std::size_t size = code.rows.size();
                offer(std::move(code), size);
            }
        }
        return true;
    }

    // The record codes leave few positions outside I, so those plans get a
    // larger share of what the climbs leave.
    double weightOf(const Plan& p) const { return n_ - p.m() <= 3 ? 3.0 : 1.0; }
    double shareOf(const Plan& p) const {
        return (1 - climbShare_) * options_.seconds * (weightOf(p) / weights_);
    }
    // A first search gets about what the search needs to settle in a space of that size.
    int triesFor(const Plan& p) const {
        double unit = std::max(0.2, static_cast<double>(p.space) / 5000);
        return std::clamp(static_cast<int>(shareOf(p) / unit) - kFinalists * kFinalWeight, 6, 400);
    }
    double unitFor(const Plan& p) const {
        return shareOf(p) / (triesFor(p) + kFinalists * kFinalWeight);
    }

    void planBudget() {
        weights_ = 0;
        for (const auto& plan : plans_)
            weights_ += weightOf(plan);
        attempts_ = 0;
        for (const auto& plan : plans_)
            attempts_ += triesFor(plan) + kFinalists;
    }

    // The most syndromes a code of the plan may have and still beat the size to beat.
    std::uint64_t maxSyndromes(const Plan& plan) const {
        return std::min<std::uint64_t>((beat_ - 1) / plan.perSyndrome, plan.space);
    }
    // The search finds small covers by shedding rows far better than at a
    // fixed size, so it starts well above the most syndromes it may keep.
    std::vector<std::vector<std::uint8_t>> startSyndromes(const Plan& plan, std::uint64_t maxS) {
        return randomSyndromes(plan, std::min(plan.space, maxS + maxS / 2 + 1), rng_);
    }

    // The cover search on the syndromes of H, from `start`.
    std::vector<std::vector<std::uint8_t>>
    searchSyndromes(const Plan& plan, const MixedCheckMatrix& h,
                    const std::vector<std::vector<std::uint8_t>>& start, double seconds) {
        SearchSpace space = syndromeSpace(plan, h, radius_);
        SearchOptions sub = options_;
        sub.seconds = seconds;
        sub.seed = options_.seed + 7919u * static_cast<unsigned>(++attempt_);
        sub.progress = nullptr;
        // A wanted number of rows is a number of syndromes here.
        sub.target = options_.target / plan.perSyndrome;
        auto found = searchCover(space, start, sub).rows;
        if (options_.progress)
            options_.progress(SearchProgress{best_ ? best_->rows.size() : 0,
                                             static_cast<double>(attempt_) / attempts_});
        return found;
    }

    // Short searches on many random matrices of the plan, then longer ones on
    // the finalists; false when cancelled.
    bool searchPlan(const Plan& plan) {
        struct Tried {
            std::size_t size;
            MixedCheckMatrix h;
            std::vector<std::vector<std::uint8_t>> syndromes;
        };
        std::vector<Tried> tried;
        const std::uint64_t maxS = maxSyndromes(plan);
        for (int t = 0; t < triesFor(plan) && maxS > 0; ++t) {
            if (cancelled())
                return false;
            MixedCheckMatrix h = randomCheckMatrix(key_, plan, rng_);
            auto found = searchSyndromes(plan, h, startSyndromes(plan, maxS), unitFor(plan));
            if (!found.empty())
                tried.push_back({found.size(), std::move(h), std::move(found)});
        }
        std::stable_sort(tried.begin(), tried.end(),
                         [](const Tried& a, const Tried& b) { return a.size < b.size; });
        if (tried.size() > static_cast<std::size_t>(kFinalists))
            tried.resize(kFinalists);
        for (auto& f : tried) {
            if (cancelled())
                return false;
            auto found = searchSyndromes(plan, f.h, f.syndromes, unitFor(plan) * kFinalWeight);
            if (!found.empty() && found.size() < f.size)
                f.syndromes = std::move(found);
            const std::size_t size = f.syndromes.size() * plan.perSyndrome;
            if (size < beat_)
                offer(matrixCode(f.h, f.syndromes), size);
        }
        return true;
    }

    const Key& key_;
    const int n_, radius_;
    std::size_t beat_;
    const int height_;
    const SearchOptions& options_;
    SearchRandom rng_;
    std::optional<Code> best_;
    std::vector<Plan> plans_;
    double climbShare_ = 0;
    double weights_ = 0;
    int attempts_ = 0;
    int attempt_ = 0;
};

} // namespace

std::optional<Code> matrixSearch(const Key& key, std::size_t beat, const SearchOptions& options,
                                 int height) {
    return MatrixSearch(key, beat, options, height).run();
}

std::string fixedColumnsProblem(const Key& key,
                                const std::vector<std::vector<std::uint8_t>>& columns) {
    const int n = key.positions();
    const auto free = static_cast<int>(columns.size());
    if (key.doubles != 0)
        return "fixed columns need a key of triples only";
    if (free < 1 || free > n - 2)
        return "a check matrix of " + std::to_string(n) + " positions takes 1 to " +
               std::to_string(n - 2) + " columns beyond the unit ones";
    for (const auto& c : columns)
        if (static_cast<int>(c.size()) != n - free ||
            std::any_of(c.begin(), c.end(), [](std::uint8_t d) { return d > 2; }))
            return "with " + std::to_string(free) + " columns each column has " +
                   std::to_string(n - free) + " digits 0, 1 or 2";
    if (power(3, n - free) > kMaxSyndromeSpace)
        return "the syndrome space of " + std::to_string(n - free) + " rows is too large";
    return {};
}

std::optional<Code> matrixSearchOn(const Key& key, std::size_t beat, const SearchOptions& options,
                                   const std::vector<std::vector<std::uint8_t>>& columns) {
    if (auto problem = fixedColumnsProblem(key, columns); !problem.empty())
        throw std::invalid_argument(problem);
    return MatrixSearch(key, beat, options, key.positions() - static_cast<int>(columns.size()))
        .runOn(columns);
}

} // namespace kav::kombin
