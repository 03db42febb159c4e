#include "core/value/value_forming.h"
#include "core/value/field_walk.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

// The field's events as the forming reads them: a wide event (two or three
// outcomes marked) takes any digit in a candidate's index, a narrow one holds
// the same outcome in every candidate.
struct FieldShape {
    std::array<bool, kEvents> wide{};
    std::array<std::uint8_t, kEvents> fixed{}; // a narrow event's outcome
    std::array<std::size_t, kEvents> place{};  // a wide event's digit in the index
    std::array<int, 2> split{-1, -1};          // the first two wide events
    int wideCount = 0;
    std::size_t size = 1; // 3^wideCount candidate indices

    static FieldShape of(const Coupon& field) {
        FieldShape f;
        for (int e = kEvents - 1; e >= 0; --e) {
            const int n = __builtin_popcount(field[e] & 7u);
            f.wide[e] = n > 1;
            for (int o = 0; o < kOutcomes; ++o)
                if (n == 1 && (field[e] & outcomeBit(o)))
                    f.fixed[e] = static_cast<std::uint8_t>(o);
            if (f.wide[e]) {
                f.place[e] = f.size;
                f.size *= 3;
                ++f.wideCount;
            }
        }
        for (int e = 0, k = 0; e < kEvents && k < 2; ++e)
            if (f.wide[e])
                f.split[static_cast<std::size_t>(k++)] = e;
        return f;
    }
    // Parts of a walk whose candidate indices do not overlap.
    int parts() const { return wideCount >= 2 ? 9 : wideCount == 1 ? 3 : 1; }
};

// The results walked depth first in event order: with `ref`, those within
// kMaxMisses of it, else all within kMaxMisses of the narrow events; at most
// `maxNarrow` misses on the narrow events. With part >= 0 the shape's split
// events take its digits. visit(result, candidate index, misses of ref,
// narrow misses, path).
template <class Visit>
void walkResults(const FieldShape& shape, const EventTerms& terms, const Variant* ref, int part,
                 int maxNarrow, Visit&& visit) {
    auto descend = [&](auto& self, int e, std::size_t r, std::size_t x, int misses, int narrow,
                       const Path& path) -> void {
        if (e == kEvents) {
            visit(r, x, misses, narrow, path);
            return;
        }
        for (int o = 0; o < kOutcomes; ++o) {
            if (part >= 0 && shape.parts() > 1 &&
                ((e == shape.split[0] && o != (shape.parts() == 9 ? part / 3 : part)) ||
                 (e == shape.split[1] && o != part % 3)))
                continue;
            const int a = misses + (ref && o != (*ref)[e] ? 1 : 0);
            const int n = narrow + (!shape.wide[e] && o != shape.fixed[e] ? 1 : 0);
            if (a > kMaxMisses || n > maxNarrow)
                continue;
            self(self, e + 1, r * 3 + static_cast<std::size_t>(o),
                 shape.wide[e] ? x + static_cast<std::size_t>(o) * shape.place[e] : x, a, n,
                 path.then(terms[e][o]));
        }
    };
    descend(descend, 0, 0, 0, 0, 0, Path{});
}

// The field of all results, every event wide.
FieldShape wholeField() {
    Coupon all{};
    all.fill(7);
    return FieldShape::of(all);
}

// Every result within kMaxMisses of `v`; part as above (-1 for all):
// visit(result, misses, path).
template <class Visit>
void walkNear(const Variant& v, const EventTerms& terms, int part, Visit&& visit) {
    static const FieldShape all = wholeField();
    walkResults(all, terms, &v, part, kMaxMisses,
                [&](std::size_t r, std::size_t, int a, int, const Path& p) { visit(r, a, p); });
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

const std::uint16_t* ValueGains::counts() const {
    return s_->counts.empty() ? nullptr : s_->counts.data();
}

namespace {

// Gains of the field's candidates kept exact as bets are added. With m
// variants of the package at a result with a given number of misses, F(m) =
// m p(m - 1) is what they take together (p(k): the payout beside k more unit
// co-winners); a candidate with those misses gains F(m + 1) - F(m) there.
// The gains of all candidates at once: per result the terms in a table of
// rows by misses, carried digit by digit to the candidates (the narrow
// events' misses are common to every candidate and taken off first). Adding
// a bet b changes m only at the results near b and, there, the gain of the
// candidates with b's misses by F(m + 2) - 2 F(m + 1) + F(m): one walk of
// b's near results and one carry per bet.
class KeptGains {
public:
    KeptGains(const AnalysisInput& in, const WalkSetup& setup, const FieldShape& shape,
              const std::uint16_t* start)
        : shape_(shape), terms_(eventTerms(in)), payout_(setup), unit_(setup.stakeShare),
          start_(start), table_(shape.size * kSlots, 0.0), chosen_(shape.size * kSlots, 0),
          gains_(shape.size, 0.0) {}

    // The first gains; false when cancelled.
    bool begin(const std::atomic<bool>* cancel) {
        onTwoThreads(shape_.parts(), [&](int part) {
            if (cancelled(cancel))
                return;
            walkResults(shape_, terms_, nullptr, part, kMaxMisses,
                        [&](std::size_t r, std::size_t x, int, int n, const Path& p) {
                            const double l = payout_.ownShare(p.c);
                            const double logSpread = std::log(p.b / 15);
                            for (int a = n; a < kSlots; ++a) {
                                const double m =
                                    start_ ? start_[r * kSlots + static_cast<std::size_t>(a)] : 0;
                                const auto pay = payout_.slot(a, p, logSpread, l);
                                table_[static_cast<std::size_t>(a - n) * shape_.size + x] +=
                                    take(pay, m + 1) - take(pay, m);
                            }
                        });
        });
        if (cancelled(cancel))
            return false;
        carry();
        return true;
    }

    void add(const Variant& b) {
        onTwoThreads(shape_.parts(), [&](int part) {
            walkResults(shape_, terms_, &b, part, kMaxMisses,
                        [&](std::size_t r, std::size_t x, int a, int n, const Path& p) {
                            const std::size_t at =
                                static_cast<std::size_t>(a - n) * shape_.size + x;
                            const double m =
                                (start_ ? start_[r * kSlots + static_cast<std::size_t>(a)] : 0) +
                                chosen_[at];
                            const auto pay =
                                payout_.slot(a, p, std::log(p.b / 15), payout_.ownShare(p.c));
                            table_[at] += take(pay, m + 2) - 2 * take(pay, m + 1) + take(pay, m);
                        });
        });
        onTwoThreads(shape_.parts(), [&](int part) {
            walkResults(shape_, terms_, &b, part, 0,
                        [&](std::size_t, std::size_t x, int a, int, const Path&) {
                            std::uint16_t& m =
                                chosen_[static_cast<std::size_t>(a) * shape_.size + x];
                            m = static_cast<std::uint16_t>(std::min<int>(m + 1, UINT16_MAX));
                        });
        });
        carry();
    }

    double gain(std::size_t x) const { return gains_[x]; }

private:
    // F(m): what m winners of the package take together.
    double take(const SharedPayout::Slot& pay, double m) const {
        return m == 0 ? 0 : m * pay.at((m - 1) * unit_);
    }

    // The table carried to the candidates, added to their gains and cleared.
    void carry() {
        const int digits = shape_.wideCount;
        for (int j = 0; j < digits; ++j) {
            const std::size_t blocks = kPow3[static_cast<std::size_t>(j)];
            const std::size_t run = kPow3[static_cast<std::size_t>(digits - 1 - j)];
            // Rows beyond the digits still to carry can no more reach row 0.
            const int rows = std::min(kMaxMisses, digits - j);
            auto part = [&](int half) {
                if (blocks > 1)
                    carryPayouts(table_.data(), shape_.size, run, blocks * half / 2,
                                 blocks * (half + 1) / 2, 0, run, rows);
                else
                    carryPayouts(table_.data(), shape_.size, run, 0, 1, run * half / 2,
                                 run * (half + 1) / 2, rows);
            };
            if (shape_.size >= 2187)
                onTwoThreads(2, part);
            else
                for (int half = 0; half < 2; ++half)
                    part(half);
        }
        for (std::size_t x = 0; x < shape_.size; ++x)
            gains_[x] += table_[x];
        std::fill(table_.begin(), table_.end(), 0.0);
    }

    const FieldShape& shape_;
    EventTerms terms_;
    SharedPayout payout_;
    double unit_;
    const std::uint16_t* start_;        // the start list's counts by result, or none
    std::vector<double> table_;         // [misses][candidate index]
    std::vector<std::uint16_t> chosen_; // the chosen bets' counts by wide misses
    std::vector<double> gains_;
};

// Gains this close count as equal (their difference is the rounding of their
// sums): the first in field order is chosen, as the plain greedy does in
// exact arithmetic.
constexpr double kSameGain = 1e-11;

// The candidate to add: the first of those whose gain is within kSameGain of
// the best.
template <class Gain>
std::optional<std::size_t> best(const std::vector<std::size_t>& open, Gain gain) {
    if (open.empty())
        return std::nullopt;
    double top = -HUGE_VAL;
    for (std::size_t x : open)
        top = std::max(top, gain(x));
    for (std::size_t i = 0; i < open.size(); ++i)
        if (gain(open[i]) >= top - kSameGain * std::abs(top))
            return i;
    return std::nullopt;
}

Variant candidateVariant(const FieldShape& shape, std::size_t x) {
    Variant v{};
    for (int e = 0; e < kEvents; ++e)
        v[e] = shape.wide[e] ? static_cast<std::uint8_t>(x / shape.place[e] % 3) : shape.fixed[e];
    return v;
}

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
    const FieldShape shape = FieldShape::of(request.field);
    // The candidates in field order: event 1 first, outcomes "1", "X", "2".
    std::vector<std::size_t> open;
    forEachVariant(request.field, [&](const Variant& v) {
        if (uniform(v))
            return;
        std::size_t x = 0;
        for (int e = 0; e < kEvents; ++e)
            x += shape.wide[e] ? v[e] * shape.place[e] : 0;
        open.push_back(x);
    });

    ValueGains package(in, *setup);
    for (const Variant& v : request.start) {
        if (cancelled(cancel))
            return refuse(AnalysisStatus::Cancelled, {});
        package.add(v);
    }
    // The plain greedy walks each candidate against the package, from its
    // value alone.
    KeptGains kept(in, *setup, shape, greedy == ValueGreedy::Plain ? nullptr : package.counts());
    if (open.empty() || !kept.begin(cancel))
        return open.empty() ? out : refuse(AnalysisStatus::Cancelled, {});
    if (std::any_of(open.begin(), open.end(),
                    [&](std::size_t x) { return !std::isfinite(kept.gain(x)); }))
        return refuse(AnalysisStatus::Fault, "Анализ невозможен: расчёт не даёт конечного "
                                             "результата.");
    ++out.evaluations;
    const std::int64_t limit =
        std::min<std::int64_t>({request.limit, static_cast<std::int64_t>(open.size()),
                                static_cast<std::int64_t>(UINT16_MAX - request.start.size())});
    std::vector<double> walked(greedy == ValueGreedy::Plain ? shape.size : 0);
    for (std::int64_t step = 0; step < limit; ++step) {
        std::optional<std::size_t> next;
        if (greedy == ValueGreedy::Plain) {
            for (std::size_t x : open) {
                if (cancelled(cancel))
                    return refuse(AnalysisStatus::Cancelled, {});
                walked[x] = package.gain(candidateVariant(shape, x), kept.gain(x));
                ++out.evaluations;
            }
            next = best(open, [&](std::size_t x) { return walked[x]; });
        } else {
            next = best(open, [&](std::size_t x) { return kept.gain(x); });
        }
        if (!next)
            break;
        const std::size_t x = open[*next];
        const double gain = greedy == ValueGreedy::Plain ? walked[x] : kept.gain(x);
        if (gain <= request.minimumGain)
            break;
        open.erase(open.begin() + static_cast<std::ptrdiff_t>(*next));
        out.chosen.push_back(candidateVariant(shape, x));
        out.gains.push_back(gain);
        if (greedy == ValueGreedy::Plain) {
            package.add(out.chosen.back());
        } else {
            kept.add(out.chosen.back());
            ++out.evaluations;
        }
        if (cancelled(cancel))
            return refuse(AnalysisStatus::Cancelled, {});
        if (progress)
            progress(step + 1);
    }
    return out;
}

} // namespace kav
