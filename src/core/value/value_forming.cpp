#include "core/value/value_forming.h"
#include "core/value/expected_return.h"
#include "core/value/field_walk.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <queue>

namespace kav {

using namespace value;

struct ValueGains::State {
    EventTerms terms;
    SharedPayout payout;
    double unit;
    std::vector<std::uint16_t> counts;  // [result][misses], allocated by the first add
    std::vector<std::uint64_t> touched; // a bit per result some variant is near
};

namespace {

// Every result within kMaxMisses of `v` in index order, the first two events
// taking the outcomes of `top` (0..8; -1 for all): visit(result, misses, path).
template <class Visit>
void walkNear(const Variant& v, const EventTerms& terms, int top, Visit&& visit) {
    auto descend = [&](auto& self, int e, std::size_t r, int misses, const Path& path) -> void {
        if (e == kEvents) {
            visit(r, misses, path);
            return;
        }
        for (int o = 0; o < kOutcomes; ++o) {
            if (top >= 0 && ((e == 0 && o != top / 3) || (e == 1 && o != top % 3)))
                continue;
            const int a = misses + (o == v[e] ? 0 : 1);
            if (a > kMaxMisses)
                continue;
            self(self, e + 1, r * 3 + static_cast<std::size_t>(o), a, path.then(terms[e][o]));
        }
    };
    descend(descend, 0, 0, 0, Path{});
}

bool uniform(const Variant& v) {
    return std::all_of(v.begin(), v.end(), [&](std::uint8_t o) { return o == v[0]; });
}

} // namespace

ValueGains::ValueGains(const AnalysisInput& in, const WalkSetup& regular)
    : s_(new State{eventTerms(in), SharedPayout(regular), regular.stakeShare, {}, {}}) {}

ValueGains::~ValueGains() {
    delete s_;
}

void ValueGains::add(const Variant& v) {
    if (s_->counts.empty()) {
        s_->counts.assign(kResults * kSlots, 0);
        s_->touched.assign(kResults / 64 + 1, 0);
    }
    walkNear(v, s_->terms, -1, [&](std::size_t r, int a, const Path&) {
        std::uint16_t& m = s_->counts[r * kSlots + static_cast<std::size_t>(a)];
        m = static_cast<std::uint16_t>(std::min<int>(m + 1, UINT16_MAX));
        s_->touched[r / 64] |= std::uint64_t{1} << (r % 64);
    });
}

double ValueGains::gain(const Variant& v, double alone) const {
    if (s_->counts.empty())
        return alone;
    // At a result where the package already has m variants with v's misses,
    // v takes (m + 1) p(m) - m p(m - 1) (p(k): the payout with k more
    // co-winners) instead of the p(0) its alone value counts.
    std::array<double, 9> parts{};
    onTwoThreads(9, [&](int top) {
        double sum = 0;
        walkNear(v, s_->terms, top, [&](std::size_t r, int a, const Path& p) {
            if (!((s_->touched[r / 64] >> (r % 64)) & 1))
                return;
            const double m = s_->counts[r * kSlots + static_cast<std::size_t>(a)];
            if (m == 0)
                return;
            const double l = s_->payout.ownShare(p.c);
            const double logSpread = std::log(p.b / 15);
            const SharedPayout& pay = s_->payout;
            sum += (m + 1) * pay.pay(a, p, logSpread, l, m * s_->unit) -
                   m * pay.pay(a, p, logSpread, l, (m - 1) * s_->unit) -
                   pay.pay(a, p, logSpread, l, 0);
        });
        parts[static_cast<std::size_t>(top)] = sum;
    });
    double sum = alone;
    for (double x : parts)
        sum += x;
    return sum;
}

namespace {

struct Entry {
    double gain;
    std::uint32_t index;
    std::int64_t step; // the step it was evaluated at
};
struct Lower {
    bool operator()(const Entry& a, const Entry& b) const {
        return a.gain < b.gain || (a.gain == b.gain && a.index > b.index);
    }
};

// Gains of a stale entry and a fresh one this close may be in either order
// by the rounding of their sums: the stale one is evaluated too.
bool mayTie(double stale, double fresh) {
    return stale >= fresh - 1e-9 * std::abs(fresh);
}

class Greedy {
public:
    Greedy(ValueGains& gains, std::vector<Variant> candidates, std::vector<double> alone,
           const std::atomic<bool>* cancel, ValueFormOutcome& out)
        : gains_(gains), candidates_(std::move(candidates)), alone_(std::move(alone)),
          cancel_(cancel), out_(out) {}

    // The next bet's index, or nothing when none gains more than `minimum`.
    std::optional<std::uint32_t> lazy(std::int64_t step, double minimum, bool startExact) {
        if (step == 0)
            for (std::uint32_t i = 0; i < candidates_.size(); ++i)
                heap_.push({alone_[i], i, startExact ? 0 : -1});
        while (!heap_.empty()) {
            if (cancelled(cancel_))
                return std::nullopt;
            Entry top = heap_.top();
            heap_.pop();
            if (top.step != step) {
                heap_.push(evaluate(top.index, step));
                continue;
            }
            if (!heap_.empty() && heap_.top().step != step && mayTie(heap_.top().gain, top.gain)) {
                const std::uint32_t next = heap_.top().index;
                heap_.pop();
                heap_.push(top);
                heap_.push(evaluate(next, step));
                continue;
            }
            if (top.gain <= minimum)
                return std::nullopt;
            out_.gains.push_back(top.gain);
            return top.index;
        }
        return std::nullopt;
    }

    std::optional<std::uint32_t> plain(double minimum) {
        if (chosen_.empty())
            chosen_.assign(candidates_.size(), false);
        std::optional<Entry> best;
        for (std::uint32_t i = 0; i < candidates_.size(); ++i) {
            if (chosen_[i])
                continue;
            if (cancelled(cancel_))
                return std::nullopt;
            const Entry e = evaluate(i, 0);
            if (!best || e.gain > best->gain)
                best = e;
        }
        if (!best || best->gain <= minimum)
            return std::nullopt;
        chosen_[best->index] = true;
        out_.gains.push_back(best->gain);
        return best->index;
    }

    const Variant& candidate(std::uint32_t i) const { return candidates_[i]; }

private:
    Entry evaluate(std::uint32_t i, std::int64_t step) {
        ++out_.evaluations;
        return {gains_.gain(candidates_[i], alone_[i]), i, step};
    }

    ValueGains& gains_;
    std::vector<Variant> candidates_;
    std::vector<double> alone_;
    const std::atomic<bool>* cancel_;
    ValueFormOutcome& out_;
    std::priority_queue<Entry, std::vector<Entry>, Lower> heap_;
    std::vector<bool> chosen_;
};

} // namespace

ValueFormOutcome formByValue(const AnalysisInput& in, const ValueFormInput& request,
                             ValueGreedy greedy, const std::atomic<bool>* cancel,
                             const std::function<void(std::int64_t)>& progress) {
    ValueFormOutcome out;
    auto refuse = [&out](AnalysisStatus status, std::string problem) {
        out.status = status;
        out.problem = std::move(problem);
        return out;
    };
    if (request.start.size() > kValueStartLimit)
        return refuse(AnalysisStatus::Fault,
                      "В списке ставок больше 20 000 вариантов: для формирования по ценности "
                      "список слишком велик.");
    AnalysisOutcome refused;
    const auto setup = regularSetup(in, refused);
    if (!setup)
        return refuse(refused.status, refused.problem);
    // Each candidate's value alone, the same table the value window reads.
    auto built = ExpectedReturnTable::build(in, request.field, cancel);
    if (built.status != AnalysisStatus::Done || !built.table)
        return refuse(built.status, built.problem);
    std::vector<Variant> candidates;
    std::vector<double> alone;
    forEachVariant(request.field, [&](const Variant& v) {
        if (uniform(v))
            return;
        candidates.push_back(v);
        alone.push_back(built.table->at(v));
    });
    built.table.reset();
    if (std::any_of(alone.begin(), alone.end(), [](double x) { return !std::isfinite(x); }))
        return refuse(AnalysisStatus::Fault, "Анализ невозможен: расчёт не даёт конечного "
                                             "результата.");

    ValueGains gains(in, *setup);
    for (const Variant& v : request.start) {
        if (cancelled(cancel))
            return refuse(AnalysisStatus::Cancelled, {});
        gains.add(v);
    }
    const std::int64_t limit =
        std::min<std::int64_t>({request.limit, static_cast<std::int64_t>(candidates.size()),
                                static_cast<std::int64_t>(UINT16_MAX - request.start.size())});
    Greedy g(gains, std::move(candidates), std::move(alone), cancel, out);
    for (std::int64_t step = 0; step < limit; ++step) {
        const auto next = greedy == ValueGreedy::Lazy
                              ? g.lazy(step, request.minimumGain, request.start.empty())
                              : g.plain(request.minimumGain);
        if (cancelled(cancel))
            return refuse(AnalysisStatus::Cancelled, {});
        if (!next)
            break;
        out.chosen.push_back(g.candidate(*next));
        gains.add(out.chosen.back());
        if (progress)
            progress(step + 1);
    }
    return out;
}

} // namespace kav
