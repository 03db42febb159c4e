#include "core/kombin/search.h"

#include <algorithm>
#include <barrier>
#include <limits>
#include <stdexcept>
#include <thread>

namespace kav::kombin {

SearchSpace hammingSpace(int doubles, int triples, int radius) {
    SearchSpace s;
    s.radix.assign(static_cast<std::size_t>(triples), 3);
    s.radix.resize(static_cast<std::size_t>(doubles + triples), 2);
    s.radius = radius;
    for (std::size_t i = 0; i < s.radix.size(); ++i)
        for (std::uint8_t v = 1; v < s.radix[i]; ++v) {
            std::vector<std::uint8_t> g(s.radix.size(), 0);
            g[i] = v;
            s.generators.push_back(std::move(g));
        }
    return s;
}

namespace {

// Elements are held as (high part << 10) | low part, each part a mixed-radix
// number below 1024, so that adding two elements is two table look-ups.
constexpr std::uint32_t kLowBits = 10;
constexpr std::uint32_t kLowMask = (1u << kLowBits) - 1;
constexpr std::uint8_t kFar = 0xFF;

class Tables {
public:
    explicit Tables(const SearchSpace& space) : radius_(space.radius) {
        const auto& radix = space.radix;
        std::size_t split = 0;
        std::uint32_t lo = 1;
        while (split < radix.size() && lo * radix[split] <= 1024)
            lo *= radix[split++];
        std::uint32_t hi = 1;
        for (std::size_t i = split; i < radix.size(); ++i) {
            hi *= radix[i];
            if (hi > 1024)
                throw std::invalid_argument("search space too large");
        }
        loRadix_.assign(radix.begin(), radix.begin() + static_cast<std::ptrdiff_t>(split));
        hiRadix_.assign(radix.begin() + static_cast<std::ptrdiff_t>(split), radix.end());
        sizeLo_ = lo;
        sizeHi_ = hi;
        buildAdd(loRadix_, sizeLo_, addLo_, negLo_);
        buildAdd(hiRadix_, sizeHi_, addHi_, negHi_);
        for (const auto& g : space.generators)
            gens_.push_back(encode(g));
        buildDistances();
        buildMoves();
    }

    std::uint32_t ids() const { return sizeHi_ << kLowBits; }
    std::uint32_t elements() const { return sizeLo_ * sizeHi_; }
    bool isElement(std::uint32_t id) const { return (id & kLowMask) < sizeLo_; }
    int radius() const { return radius_; }

    std::uint32_t encode(const std::vector<std::uint8_t>& digits) const {
        std::uint32_t lo = 0, hi = 0, p = 1;
        for (std::size_t i = 0; i < loRadix_.size(); ++i, p *= loRadix_[i - 1])
            lo += digits[i] * p;
        p = 1;
        for (std::size_t i = 0; i < hiRadix_.size(); ++i, p *= hiRadix_[i - 1])
            hi += digits[loRadix_.size() + i] * p;
        return hi << kLowBits | lo;
    }
    std::vector<std::uint8_t> decode(std::uint32_t id) const {
        std::vector<std::uint8_t> d;
        std::uint32_t lo = id & kLowMask, hi = id >> kLowBits;
        for (auto r : loRadix_) {
            d.push_back(static_cast<std::uint8_t>(lo % r));
            lo /= r;
        }
        for (auto r : hiRadix_) {
            d.push_back(static_cast<std::uint8_t>(hi % r));
            hi /= r;
        }
        return d;
    }

    std::uint32_t add(std::uint32_t a, std::uint32_t b) const {
        return addLo_[(a & kLowMask) * sizeLo_ + (b & kLowMask)] |
               static_cast<std::uint32_t>(addHi_[(a >> kLowBits) * sizeHi_ + (b >> kLowBits)])
                   << kLowBits;
    }
    std::uint32_t neg(std::uint32_t a) const {
        return negLo_[a & kLowMask] | static_cast<std::uint32_t>(negHi_[a >> kLowBits]) << kLowBits;
    }
    // Adds a fixed element c to many offsets: one row of each addition table.
    struct Translate {
        const std::uint16_t* lo;
        const std::uint16_t* hi;
        std::uint32_t operator()(std::uint32_t o) const {
            return lo[o & kLowMask] | static_cast<std::uint32_t>(hi[o >> kLowBits]) << kLowBits;
        }
    };
    Translate by(std::uint32_t c) const {
        return {&addLo_[(c & kLowMask) * sizeLo_], &addHi_[(c >> kLowBits) * sizeHi_]};
    }

    std::uint8_t dist(std::uint32_t id) const { return dist_[id]; }
    const std::vector<std::uint32_t>& gens() const { return gens_; }
    const std::vector<std::uint32_t>& ball() const { return ball_; }
    // Offsets o of the ball around c that c + g no longer covers, and those it newly covers.
    const std::vector<std::uint32_t>& leaving(std::size_t g) const { return leave_[g]; }
    const std::vector<std::uint32_t>& entering(std::size_t g) const { return enter_[g]; }
    std::size_t lowerBound() const { return (elements() + ball_.size() - 1) / ball_.size(); }

private:
    static void buildAdd(const std::vector<std::uint8_t>& radix, std::uint32_t size,
                         std::vector<std::uint16_t>& add, std::vector<std::uint16_t>& neg) {
        add.assign(static_cast<std::size_t>(size) * size, 0);
        neg.assign(size, 0);
        for (std::uint32_t a = 0; a < size; ++a) {
            for (std::uint32_t b = 0; b < size; ++b) {
                std::uint32_t x = a, y = b, s = 0, p = 1;
                for (auto r : radix) {
                    s += ((x % r + y % r) % r) * p;
                    x /= r;
                    y /= r;
                    p *= r;
                }
                add[static_cast<std::size_t>(a) * size + b] = static_cast<std::uint16_t>(s);
                if (s == 0)
                    neg[a] = static_cast<std::uint16_t>(b);
            }
        }
    }

    void buildDistances() {
        dist_.assign(ids(), kFar);
        std::vector<std::uint32_t> queue{0};
        dist_[0] = 0;
        for (std::size_t head = 0; head < queue.size(); ++head) {
            std::uint32_t w = queue[head];
            for (auto g : gens_) {
                std::uint32_t u = add(w, g);
                if (dist_[u] == kFar) {
                    dist_[u] = static_cast<std::uint8_t>(dist_[w] + 1);
                    queue.push_back(u);
                }
            }
        }
        if (queue.size() != elements())
            throw std::invalid_argument("generators do not reach the whole space");
        for (auto w : queue)
            if (dist_[w] <= radius_)
                ball_.push_back(w);
    }

    void buildMoves() {
        for (auto g : gens_) {
            std::vector<std::uint32_t> leave, enter;
            auto ng = neg(g);
            for (auto o : ball_) {
                if (dist_[add(o, ng)] > radius_)
                    leave.push_back(o);
                auto e = add(o, g);
                if (dist_[e] > radius_)
                    enter.push_back(e);
            }
            leave_.push_back(std::move(leave));
            enter_.push_back(std::move(enter));
        }
    }

    int radius_;
    std::vector<std::uint8_t> loRadix_, hiRadix_;
    std::uint32_t sizeLo_ = 1, sizeHi_ = 1;
    std::vector<std::uint16_t> addLo_, addHi_, negLo_, negHi_;
    std::vector<std::uint32_t> gens_;
    std::vector<std::uint8_t> dist_;
    std::vector<std::uint32_t> ball_;
    std::vector<std::vector<std::uint32_t>> leave_, enter_;
};

using Random = SearchRandom;

class Searcher {
public:
    Searcher(const Tables& t, std::uint64_t seed, std::size_t stopAt, std::uint64_t patience,
             bool exchange)
        : t_(t), rng_(seed), stopAt_(std::max(stopAt, t.lowerBound())), patience_(patience),
          exchange_(exchange) {}

    void start(const std::vector<std::uint32_t>& words) {
        load(words);
        if (code_.empty())
            restart(stopAt_);
        newSize();
        settle();
    }

    // Runs until the work counter reaches `limit` or the search is finished.
    void run(std::uint64_t limit) {
        while (!finished_ && work_ < limit) {
            if (patience_ > 0 && work_ - workAtBest_ > patience_) {
                gaveUp_ = true;
                return;
            }
            if (exchange_)
                exchangeStep();
            else
                step();
            settle();
            if (!finished_ && work_ - sizeStart_ > stallLimit_) {
                // A rigid code (a construction, say) can trap the search for
                // good; a fresh random code of the same size usually does not.
                restart(code_.size());
                sizeStart_ = work_;
                stallLimit_ += stallLimit_ / 2;
                bestUncovered_ = static_cast<std::int64_t>(unc_.size());
                settle();
            }
        }
    }

    bool finished() const { return finished_; }
    bool gaveUp() const { return gaveUp_; }
    std::uint64_t work() const { return work_; }
    std::size_t bestSize() const { return best_.empty() ? 0 : best_.size(); }
    std::uint64_t workAtBest() const { return workAtBest_; }
    const std::vector<std::uint32_t>& best() const { return best_; }

private:
    void load(const std::vector<std::uint32_t>& words) {
        cnt_.assign(t_.ids(), 0);
        pos_.assign(t_.ids(), -1);
        unc_.clear();
        for (std::uint32_t id = 0; id < t_.ids(); ++id)
            if (t_.isElement(id))
                addUncovered(id);
        work_ += t_.ids();
        code_.clear();
        for (auto w : words)
            insertWord(w);
    }

    void restart(std::size_t size) {
        std::vector<std::uint32_t> words;
        while (words.size() < size) {
            auto id = static_cast<std::uint32_t>(rng_.below(t_.ids()));
            if (t_.isElement(id))
                words.push_back(id);
        }
        load(words);
    }

    void addUncovered(std::uint32_t w) {
        pos_[w] = static_cast<std::int32_t>(unc_.size());
        unc_.push_back(w);
    }
    void dropUncovered(std::uint32_t w) {
        auto p = static_cast<std::size_t>(pos_[w]);
        unc_[p] = unc_.back();
        pos_[unc_[p]] = static_cast<std::int32_t>(p);
        unc_.pop_back();
        pos_[w] = -1;
    }

    void insertWord(std::uint32_t c) {
        const auto at = t_.by(c);
        for (auto o : t_.ball()) {
            std::uint32_t w = at(o);
            if (cnt_[w]++ == 0)
                dropUncovered(w);
        }
        work_ += t_.ball().size();
        code_.push_back(c);
    }

    void eraseWord(std::size_t j) {
        std::uint32_t c = code_[j];
        const auto at = t_.by(c);
        for (auto o : t_.ball()) {
            std::uint32_t w = at(o);
            if (--cnt_[w] == 0)
                addUncovered(w);
        }
        work_ += t_.ball().size();
        code_[j] = code_.back();
        code_.pop_back();
    }

    // How many results would become uncovered (leaving) or covered (entering).
    std::int64_t delta(std::uint32_t c, std::size_t g) {
        const auto at = t_.by(c);
        std::int64_t d = 0;
        for (auto o : t_.leaving(g)) {
            std::uint32_t w = at(o);
            d += cnt_[w] == 1;
        }
        for (auto o : t_.entering(g)) {
            std::uint32_t w = at(o);
            d -= cnt_[w] == 0;
        }
        work_ += t_.leaving(g).size() + t_.entering(g).size();
        return d;
    }

    void move(std::size_t j, std::size_t g) {
        std::uint32_t c = code_[j];
        const auto at = t_.by(c);
        for (auto o : t_.leaving(g)) {
            std::uint32_t w = at(o);
            if (--cnt_[w] == 0)
                addUncovered(w);
        }
        for (auto o : t_.entering(g)) {
            std::uint32_t w = at(o);
            if (cnt_[w]++ == 0)
                dropUncovered(w);
        }
        work_ += t_.leaving(g).size() + t_.entering(g).size();
        tabu_[tabuNext_] = {static_cast<std::uint32_t>(j), c};
        tabuNext_ = (tabuNext_ + 1) % tabu_.size();
        code_[j] = t_.add(c, t_.gens()[g]);
    }

    bool isTabu(std::size_t j, std::uint32_t value) const {
        for (const auto& [idx, v] : tabu_)
            if (idx == j && v == value)
                return true;
        return false;
    }

    // Whether `value` becomes the choice: it beats `best`, or ties it and wins
    // the draw among the `ties` equal ones (each of them equally likely).
    bool takes(std::int64_t value, std::int64_t& best, std::size_t& ties) {
        if (value < best) {
            best = value;
            ties = 1;
            return true;
        }
        return value == best && rng_.below(++ties) == 0;
    }

    void step() {
        std::uint32_t x = unc_[rng_.below(unc_.size())];
        const int r = t_.radius();
        std::int64_t bestDelta = std::numeric_limits<std::int64_t>::max();
        std::size_t bestJ = 0, bestG = 0, ties = 0, seen = 0, anyJ = 0, anyG = 0;
        const auto& gens = t_.gens();
        for (std::size_t j = 0; j < code_.size(); ++j) {
            std::uint32_t diff = t_.add(x, t_.neg(code_[j]));
            if (t_.dist(diff) != r + 1)
                continue;
            for (std::size_t g = 0; g < gens.size(); ++g) {
                if (t_.dist(t_.add(diff, t_.neg(gens[g]))) > r)
                    continue;
                if (rng_.below(++seen) == 0) {
                    anyJ = j;
                    anyG = g;
                }
                std::int64_t d = delta(code_[j], g);
                bool aspire = static_cast<std::int64_t>(unc_.size()) + d < bestUncovered_;
                if (!aspire && isTabu(j, t_.add(code_[j], gens[g])))
                    continue;
                if (takes(d, bestDelta, ties)) {
                    bestJ = j;
                    bestG = g;
                }
            }
        }
        work_ += code_.size();
        if (ties > 0) {
            move(bestJ, bestG);
        } else if (seen > 0) {
            move(anyJ, anyG);
        } else {
            // No row is one step from covering x: walk a random row towards it.
            std::size_t j = rng_.below(code_.size());
            std::uint32_t diff = t_.add(x, t_.neg(code_[j]));
            for (std::size_t g = 0; g < gens.size(); ++g)
                if (t_.dist(t_.add(diff, t_.neg(gens[g]))) < t_.dist(diff)) {
                    move(j, g);
                    break;
                }
        }
        bestUncovered_ = std::min(bestUncovered_, static_cast<std::int64_t>(unc_.size()));
    }

    // Puts the best word that covers a random uncovered element in place of
    // the best row. A row's loss counts the elements only it covers; the ones
    // among those the new word covers too are not lost.
    void exchangeStep() {
        std::uint32_t x = unc_[rng_.below(unc_.size())];
        const auto& ball = t_.ball();
        if (owner_.size() != t_.ids())
            owner_.assign(t_.ids(), 0);
        loss_.assign(code_.size(), 0);
        kept_.assign(code_.size(), 0);
        rowAddedLately_.assign(code_.size(), 0);
        for (std::size_t j = 0; j < code_.size(); ++j) {
            rowAddedLately_[j] = isRecent(added_, code_[j]);
            const auto at = t_.by(code_[j]);
            for (auto o : ball) {
                std::uint32_t w = at(o);
                if (cnt_[w] == 1) {
                    ++loss_[j];
                    owner_[w] = static_cast<std::uint32_t>(j);
                }
            }
        }
        work_ += code_.size() * ball.size();
        const std::int64_t now = static_cast<std::int64_t>(unc_.size());
        std::int64_t bestDelta = std::numeric_limits<std::int64_t>::max();
        std::size_t bestJ = 0, ties = 0;
        std::uint32_t bestWord = 0;
        const auto around = t_.by(x);
        for (auto o : ball) {
            // The ball is symmetric, so x + o covers x.
            const std::uint32_t y = around(o);
            const auto at = t_.by(y);
            std::int64_t gain = 0;
            touched_.clear();
            for (auto b : ball) {
                std::uint32_t w = at(b);
                if (cnt_[w] == 0) {
                    ++gain;
                } else if (cnt_[w] == 1) {
                    auto j = owner_[w];
                    if (kept_[j]++ == 0)
                        touched_.push_back(j);
                }
            }
            work_ += ball.size() + code_.size();
            const bool recentlyDropped = isRecent(dropped_, y);
            for (std::size_t j = 0; j < code_.size(); ++j) {
                std::int64_t d = static_cast<std::int64_t>(loss_[j]) - kept_[j] - gain;
                bool aspire = now + d < bestUncovered_;
                if (!aspire && (recentlyDropped || rowAddedLately_[j]))
                    continue;
                if (takes(d, bestDelta, ties)) {
                    bestJ = j;
                    bestWord = y;
                }
            }
            for (auto j : touched_)
                kept_[j] = 0;
        }
        if (ties == 0) {
            // Every exchange is tabu: replace a random row.
            bestJ = rng_.below(code_.size());
            bestWord = around(ball[rng_.below(ball.size())]);
        }
        remember(dropped_, code_[bestJ]);
        remember(added_, bestWord);
        eraseWord(bestJ);
        insertWord(bestWord);
        bestUncovered_ = std::min(bestUncovered_, static_cast<std::int64_t>(unc_.size()));
    }

    static bool isRecent(const std::vector<std::uint32_t>& ring, std::uint32_t w) {
        return std::find(ring.begin(), ring.end(), w) != ring.end();
    }
    static void remember(std::vector<std::uint32_t>& ring, std::uint32_t w) {
        if (ring.size() == kExchangeTenure)
            ring.erase(ring.begin());
        ring.push_back(w);
    }

    // While every result is covered: keep the code, then drop the cheapest row.
    void settle() {
        while (unc_.empty() && !finished_) {
            if (best_.empty() || code_.size() < best_.size()) {
                best_ = code_;
                workAtBest_ = work_;
            }
            if (code_.size() <= stopAt_) {
                finished_ = true;
                return;
            }
            std::size_t pick = 0, ties = 0;
            std::int64_t least = std::numeric_limits<std::int64_t>::max();
            for (std::size_t j = 0; j < code_.size(); ++j) {
                const auto at = t_.by(code_[j]);
                std::int64_t loss = 0;
                for (auto o : t_.ball()) {
                    std::uint32_t w = at(o);
                    loss += cnt_[w] == 1;
                }
                if (takes(loss, least, ties))
                    pick = j;
                if (least == 0)
                    break;
            }
            work_ += code_.size() * t_.ball().size();
            eraseWord(pick);
            newSize();
        }
    }

    void newSize() {
        sizeStart_ = work_;
        stallLimit_ = kFirstStall;
        tabu_.assign(std::clamp<std::size_t>(code_.size() / 8, 2, 12),
                     {std::numeric_limits<std::uint32_t>::max(), 0});
        tabuNext_ = 0;
        bestUncovered_ = static_cast<std::int64_t>(unc_.size());
    }

    const Tables& t_;
    Random rng_;
    std::size_t stopAt_;
    std::vector<std::uint32_t> code_, cnt_, unc_;
    std::vector<std::int32_t> pos_;
    std::vector<std::uint32_t> best_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tabu_;
    std::size_t tabuNext_ = 0;
    std::int64_t bestUncovered_ = 0;
    // Work without success at one size before a fresh start: a quarter second.
    static constexpr std::uint64_t kFirstStall = static_cast<std::uint64_t>(0.25 * kWorkPerSecond);
    std::uint64_t work_ = 0, workAtBest_ = 0, sizeStart_ = 0, stallLimit_ = kFirstStall;
    std::uint64_t patience_;
    bool finished_ = false, gaveUp_ = false;
    // The exchange step's tables, and the words it dropped and added lately,
    // which it leaves alone for kExchangeTenure steps.
    bool exchange_;
    std::vector<std::uint32_t> owner_, loss_, kept_, touched_, dropped_, added_;
    std::vector<std::uint8_t> rowAddedLately_;
    static constexpr std::size_t kExchangeTenure = 10;
};

} // namespace

SearchResult searchCover(const SearchSpace& space,
                         const std::vector<std::vector<std::uint8_t>>& start,
                         const SearchOptions& options) {
    Tables tables(space);
    std::vector<std::uint32_t> words;
    words.reserve(start.size());
    for (const auto& w : start)
        words.push_back(tables.encode(w));

    const int threads = std::max(1, options.threads);
    const auto budget = static_cast<std::uint64_t>(std::max(0.0, options.seconds) * kWorkPerSecond);
    // Threads meet after every slice of work; each slice ends at the same count
    // whatever the scheduling, so the result depends only on the seed.
    const std::uint64_t slice = static_cast<std::uint64_t>(0.05 * kWorkPerSecond);

    std::vector<Searcher> searchers;
    searchers.reserve(static_cast<std::size_t>(threads));
    for (int i = 0; i < threads; ++i)
        searchers.emplace_back(
            tables, options.seed * 0x100000001B3ull + static_cast<unsigned>(i), options.target,
            static_cast<std::uint64_t>(options.patience * kWorkPerSecond), options.exchange);

    std::uint64_t limit = slice;
    bool stop = false, cancelled = false;
    auto meet = [&]() noexcept {
        bool allDone = true;
        SearchProgress p;
        for (const auto& s : searchers) {
            if (s.finished())
                stop = true;
            allDone = allDone && (s.finished() || s.gaveUp() || s.work() >= budget);
            if (s.bestSize() > 0 && (p.bestRows == 0 || s.bestSize() < p.bestRows))
                p.bestRows = s.bestSize();
        }
        if (options.cancel && options.cancel->load()) {
            cancelled = true;
            stop = true;
        }
        stop = stop || allDone;
        p.done = budget == 0 ? 1.0 : std::min(1.0, static_cast<double>(limit) / budget);
        if (options.progress) {
            try {
                options.progress(p);
            } catch (...) {
            }
        }
        limit = std::min(limit + slice, budget);
    };
    std::barrier sync(threads, meet);
    auto body = [&](std::size_t i) {
        searchers[i].start(words);
        sync.arrive_and_wait();
        while (!stop) {
            searchers[i].run(limit);
            sync.arrive_and_wait();
        }
    };
    std::vector<std::thread> pool;
    for (std::size_t i = 1; i < searchers.size(); ++i)
        pool.emplace_back(body, i);
    body(0);
    for (auto& th : pool)
        th.join();

    SearchResult result;
    result.cancelled = cancelled;
    const Searcher* winner = nullptr;
    for (const auto& s : searchers)
        if (s.bestSize() > 0 && (!winner || s.bestSize() < winner->bestSize()))
            winner = &s;
    if (winner) {
        for (auto id : winner->best())
            result.rows.push_back(tables.decode(id));
        result.secondsOfWork = static_cast<double>(winner->workAtBest()) / kWorkPerSecond;
    }
    return result;
}

} // namespace kav::kombin
