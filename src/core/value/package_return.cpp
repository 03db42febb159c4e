#include "core/value/package_return.h"
#include "core/value/field_walk.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <thread>

namespace kav {

namespace {

using namespace value;

// The package as the two methods read it: its coupons, the regular payout,
// and for each uniform bet some coupon holds, that bet's own payout (its
// stake share and jackpot scaled by the draw's count of such bets).
struct Package {
    const std::vector<Coupon>& coupons;
    EventTerms terms;
    std::optional<SharedPayout> regular;
    std::array<std::optional<SharedPayout>, kOutcomes> uniform;
    std::array<std::vector<std::size_t>, kOutcomes> holdsUniform; // coupons holding it
    double unit = 0; // one more co-winner's stake share

    bool holds(const Coupon& c, int o) const {
        return std::all_of(c.begin(), c.end(),
                           [o](OutcomeSet s) { return (s & outcomeBit(o)) != 0; });
    }
};

// The payouts of one result for every number of misses whose count is not
// zero; the uniform bets' own payouts go to `uniformPaid`, their regular
// payout is taken back from the coupons holding them.
template <class Count>
double resultPayouts(const Package& pkg, const Path& p, const Count* m,
                     const std::array<int, kOutcomes>& uniformMisses, double* pay,
                     std::array<double, kOutcomes>& uniformPaid, bool& shared) {
    const double l = pkg.regular->ownShare(p.c);
    const double logSpread = std::log(p.b / 15);
    for (int a = 0; a < kSlots; ++a) {
        pay[a] = 0;
        if (m[a] == 0)
            continue;
        shared = shared || m[a] > 1;
        pay[a] = pkg.regular->pay(a, p, logSpread, l, static_cast<double>(m[a] - 1) * pkg.unit);
    }
    for (int o = 0; o < kOutcomes; ++o) {
        const int a = uniformMisses[static_cast<std::size_t>(o)];
        if (!pkg.uniform[static_cast<std::size_t>(o)] || a > kMaxMisses)
            continue;
        const SharedPayout& u = *pkg.uniform[static_cast<std::size_t>(o)];
        uniformPaid[static_cast<std::size_t>(o)] +=
            u.pay(a, p, logSpread, u.ownShare(p.c), static_cast<double>(m[a] - 1) * pkg.unit);
    }
    return l;
}

std::array<int, kOutcomes> nextMisses(std::array<int, kOutcomes> misses, int o) {
    for (int u = 0; u < kOutcomes; ++u)
        misses[static_cast<std::size_t>(u)] += u == o ? 0 : 1;
    return misses;
}

// By coupons: the results near the package walked depth first, carrying for
// every coupon its number of variants at each distance (per event a factor
// 1 + (n - 1) x when the coupon holds the result's outcome, n x when not).
class CouponWalk {
public:
    CouponWalk(const Package& pkg) : pkg_(pkg), groups_(pkg.coupons.size()) {
        inside_.resize(static_cast<std::size_t>(kEvents * kOutcomes) * groups_);
        size_.resize(static_cast<std::size_t>(kEvents) * groups_);
        for (std::size_t g = 0; g < groups_; ++g)
            for (int e = 0; e < kEvents; ++e) {
                const OutcomeSet s = pkg.coupons[g][e];
                int n = 0;
                for (int o = 0; o < kOutcomes; ++o) {
                    const bool in = (s & outcomeBit(o)) != 0;
                    n += in ? 1 : 0;
                    inside_[(static_cast<std::size_t>(e * kOutcomes + o)) * groups_ + g] = in;
                }
                size_[static_cast<std::size_t>(e) * groups_ + g] = n;
            }
    }

    // The subtree whose first two events take the outcomes of `top` (0..8).
    struct Part {
        std::vector<double> values;
        std::array<double, kOutcomes> uniformPaid{};
        bool shared = false;
    };
    Part run(int top, const std::atomic<bool>* cancel) {
        Part part;
        part.values.assign(groups_, 0.0);
        cancel_ = cancel;
        std::vector<double> counts(static_cast<std::size_t>(kEvents + 1) * groups_ * kSlots, 0.0);
        for (std::size_t g = 0; g < groups_; ++g)
            counts[g * kSlots] = 1;
        top_ = top;
        descend(0, Path{}, {0, 0, 0}, counts.data(), part);
        return part;
    }

private:
    void descend(int e, const Path& path, const std::array<int, kOutcomes>& uniformMisses,
                 double* level, Part& part) {
        if (e == 2 && cancelled(cancel_))
            return;
        double* next = level + groups_ * kSlots;
        for (int o = 0; o < kOutcomes; ++o) {
            if ((e == 0 && o != top_ / 3) || (e == 1 && o != top_ % 3))
                continue;
            const std::uint8_t* in =
                inside_.data() + static_cast<std::size_t>(e * kOutcomes + o) * groups_;
            const int* n = size_.data() + static_cast<std::size_t>(e) * groups_;
            bool alive = false;
            for (std::size_t g = 0; g < groups_; ++g) {
                const double* p = level + g * kSlots;
                double* q = next + g * kSlots;
                if (in[g]) {
                    const double more = n[g] - 1;
                    q[0] = p[0];
                    for (int a = 1; a < kSlots; ++a)
                        q[a] = p[a] + more * p[a - 1];
                } else {
                    q[0] = 0;
                    for (int a = 1; a < kSlots; ++a)
                        q[a] = n[g] * p[a - 1];
                }
                for (int a = 0; a < kSlots; ++a)
                    alive = alive || q[a] != 0;
            }
            if (!alive)
                continue;
            const Path p = path.then(pkg_.terms[e][o]);
            const auto misses = nextMisses(uniformMisses, o);
            if (e + 1 == kEvents)
                leaf(p, misses, next, part);
            else
                descend(e + 1, p, misses, next, part);
        }
    }

    void leaf(const Path& p, const std::array<int, kOutcomes>& uniformMisses, const double* counts,
              Part& part) {
        double m[kSlots] = {};
        for (std::size_t g = 0; g < groups_; ++g)
            for (int a = 0; a < kSlots; ++a)
                m[a] += counts[g * kSlots + a];
        double pay[kSlots];
        std::array<double, kOutcomes> uniformPaid{};
        resultPayouts(pkg_, p, m, uniformMisses, pay, uniformPaid, part.shared);
        for (std::size_t g = 0; g < groups_; ++g) {
            double v = 0;
            for (int a = 0; a < kSlots; ++a)
                v += counts[g * kSlots + a] * pay[a];
            part.values[g] += v;
        }
        for (int o = 0; o < kOutcomes; ++o) {
            const int a = uniformMisses[static_cast<std::size_t>(o)];
            if (!pkg_.uniform[static_cast<std::size_t>(o)] || a > kMaxMisses)
                continue;
            for (std::size_t g : pkg_.holdsUniform[static_cast<std::size_t>(o)])
                part.values[g] += uniformPaid[static_cast<std::size_t>(o)] - pay[a];
        }
    }

    const Package& pkg_;
    std::size_t groups_;
    std::vector<std::uint8_t> inside_; // [event][outcome][coupon]
    std::vector<int> size_;            // [event][coupon]
    const std::atomic<bool>* cancel_ = nullptr;
    int top_ = 0;
};

// Over the field: the results in slices that share their first kHead events.
constexpr int kHead = 5;
constexpr std::size_t kHeads = 243;  // 3^kHead
constexpr std::size_t kTail = 59049; // 3^(15 - kHead)
constexpr int kTailEvents = kEvents - kHead;

// The package's distinct variants, by result index, with how often each is played.
struct DistinctVariants {
    std::vector<std::uint32_t> index;
    std::vector<std::uint32_t> times;
    std::array<std::size_t, kHeads + 1> headStart{}; // the variants of each head
};

DistinctVariants distinctVariants(const std::vector<Coupon>& coupons) {
    std::vector<std::uint32_t> all;
    for (const Coupon& c : coupons)
        forEachVariant(c, [&](const Variant& v) {
            all.push_back(static_cast<std::uint32_t>(resultIndex(v)));
        });
    std::sort(all.begin(), all.end());
    DistinctVariants out;
    for (std::size_t i = 0; i < all.size();) {
        std::size_t j = i;
        while (j < all.size() && all[j] == all[i])
            ++j;
        out.index.push_back(all[i]);
        out.times.push_back(static_cast<std::uint32_t>(j - i));
        i = j;
    }
    std::size_t at = 0;
    for (std::size_t h = 0; h <= kHeads; ++h) {
        while (at < out.index.size() && out.index[at] / kTail < h)
            ++at;
        out.headStart[h] = at;
    }
    return out;
}

int headDistance(std::size_t a, std::size_t b) {
    int misses = 0;
    for (int e = 0; e < kHead; ++e, a /= 3, b /= 3)
        misses += a % 3 == b % 3 ? 0 : 1;
    return misses;
}

// A tail slice holds each number of misses as a row of kTail results (so that
// the carries run along rows). One event's digit, `blocks` blocks of three
// runs of `run` results: counts of variants at each distance carried from the
// variants' digit to the result's (a result outcome o sees the variants of o
// at the same distance and those of the other two outcomes one further).
void carryCounts(std::uint32_t* data, std::size_t blocks, std::size_t run) {
    for (std::size_t hi = 0; hi < blocks; ++hi)
        for (int a = kMaxMisses; a >= 1; --a) {
            std::uint32_t* p = data + static_cast<std::size_t>(a) * kTail + hi * 3 * run;
            const std::uint32_t* q = p - kTail; // one miss fewer, not yet carried
            for (std::size_t lo = 0; lo < run; ++lo) {
                const std::uint32_t x0 = q[lo], x1 = q[run + lo], x2 = q[2 * run + lo];
                p[lo] += x1 + x2;
                p[run + lo] += x0 + x2;
                p[2 * run + lo] += x0 + x1;
            }
        }
}

class FieldSlices {
public:
    FieldSlices(const Package& pkg, const DistinctVariants& variants)
        : pkg_(pkg), variants_(variants) {}

    struct Part {
        std::vector<double> values; // by distinct variant
        std::array<double, kOutcomes> uniformPaid{};
        bool shared = false;
    };

    // The heads [from, to) into `part`; false when cancelled.
    bool run(std::size_t from, std::size_t to, Part& part, const std::atomic<bool>* cancel,
             const std::function<void()>& sliceDone) {
        part.values.assign(variants_.index.size(), 0.0);
        std::vector<std::uint32_t> counts(kTail * kSlots);
        std::vector<double> pay(kTail * kSlots);
        for (std::size_t h = from; h < to; ++h) {
            if (cancelled(cancel))
                return false;
            std::fill(counts.begin(), counts.end(), 0u);
            for (std::size_t s = 0; s < kHeads; ++s) {
                const int delta = headDistance(h, s);
                if (delta > kMaxMisses)
                    continue;
                std::uint32_t* row = counts.data() + static_cast<std::size_t>(delta) * kTail;
                for (std::size_t j = variants_.headStart[s]; j < variants_.headStart[s + 1]; ++j)
                    row[variants_.index[j] % kTail] += variants_.times[j];
            }
            for (int j = 0; j < kTailEvents; ++j)
                carryCounts(counts.data(), kPow3[static_cast<std::size_t>(j)],
                            kPow3[static_cast<std::size_t>(kTailEvents - 1 - j)]);
            Path head;
            std::array<int, kOutcomes> misses{};
            for (int e = 0; e < kHead; ++e) {
                const int o =
                    static_cast<int>(h / kPow3[static_cast<std::size_t>(kHead - 1 - e)] % 3);
                head = head.then(pkg_.terms[e][o]);
                misses = nextMisses(misses, o);
            }
            fill(kHead, 0, head, misses, counts.data(), pay.data(), part);
            for (int j = 0; j < kTailEvents; ++j)
                carryPayouts(pay.data(), kTail,
                             kPow3[static_cast<std::size_t>(kTailEvents - 1 - j)], 0,
                             kPow3[static_cast<std::size_t>(j)], 0,
                             kPow3[static_cast<std::size_t>(kTailEvents - 1 - j)]);
            for (std::size_t s = 0; s < kHeads; ++s) {
                const int delta = headDistance(h, s);
                if (delta > kMaxMisses)
                    continue;
                const double* row = pay.data() + static_cast<std::size_t>(delta) * kTail;
                for (std::size_t j = variants_.headStart[s]; j < variants_.headStart[s + 1]; ++j)
                    part.values[j] += row[variants_.index[j] % kTail];
            }
            if (sliceDone)
                sliceDone();
        }
        return true;
    }

private:
    void fill(int e, std::size_t tail, const Path& path, const std::array<int, kOutcomes>& misses,
              const std::uint32_t* counts, double* pay, Part& part) {
        for (int o = 0; o < kOutcomes; ++o) {
            const std::size_t t = tail * 3 + static_cast<std::size_t>(o);
            const Path p = path.then(pkg_.terms[e][o]);
            const auto m = nextMisses(misses, o);
            if (e + 1 < kEvents) {
                fill(e + 1, t, p, m, counts, pay, part);
                continue;
            }
            std::uint32_t c[kSlots];
            bool any = false;
            for (int a = 0; a < kSlots; ++a) {
                c[a] = counts[static_cast<std::size_t>(a) * kTail + t];
                any = any || c[a] != 0;
            }
            double paid[kSlots] = {};
            if (any)
                resultPayouts(pkg_, p, c, m, paid, part.uniformPaid, part.shared);
            for (int a = 0; a < kSlots; ++a)
                pay[static_cast<std::size_t>(a) * kTail + t] = paid[a];
        }
    }

    const Package& pkg_;
    const DistinctVariants& variants_;
};

// Rough costs of the two methods, in units of one carried count.
bool byCouponsIsCheaper(const std::vector<Coupon>& coupons) {
    double near = 0, variants = 0;
    for (const Coupon& c : coupons) {
        const double n = static_cast<double>(variantCount(c));
        variants += n;
        near += n * 442347;
    }
    const double byCoupons =
        std::min(near, static_cast<double>(kResults)) * static_cast<double>(coupons.size()) * 40;
    const double overField = static_cast<double>(kResults) * 300 + 243 * variants;
    return byCoupons <= overField;
}

const char* const kNotFinite = "Анализ невозможен: с этими пулом, джек-потом и числами ставок "
                               "расчёт не даёт конечного результата.";

} // namespace

SharedCoefficients sharedCoefficients(const AnalysisInput& in, const std::vector<Coupon>& coupons,
                                      const std::atomic<bool>* cancel,
                                      const ValueProgress& progress, ShareMethod method) {
    SharedCoefficients out;
    out.perCoupon.assign(coupons.size(), 0.0);
    std::vector<Coupon> playable;
    std::vector<std::size_t> playableAt;
    for (std::size_t i = 0; i < coupons.size(); ++i)
        if (variantCount(coupons[i]) > 0) {
            playable.push_back(coupons[i]);
            playableAt.push_back(i);
        }
    if (playable.empty())
        return out;
    Package pkg{playable, eventTerms(in), {}, {}, {}, 0};
    AnalysisOutcome refused;
    const auto setup = regularSetup(in, refused);
    if (!setup) {
        out.status = refused.status;
        out.problem = refused.problem;
        return out;
    }
    pkg.regular.emplace(*setup);
    pkg.unit = setup->stakeShare;
    for (int o = 0; o < kOutcomes; ++o) {
        for (std::size_t g = 0; g < playable.size(); ++g)
            if (pkg.holds(playable[g], o))
                pkg.holdsUniform[static_cast<std::size_t>(o)].push_back(g);
        if (pkg.holdsUniform[static_cast<std::size_t>(o)].empty())
            continue;
        Variant u{};
        u.fill(static_cast<std::uint8_t>(o));
        const auto own = prepareWalk(withVariant(in, u), refused);
        if (!own) {
            out.status = refused.status;
            out.problem = refused.problem;
            return out;
        }
        pkg.uniform[static_cast<std::size_t>(o)].emplace(*own);
    }

    const auto caller = std::this_thread::get_id();
    auto report = [&](int percent) {
        if (progress && std::this_thread::get_id() == caller)
            progress(percent);
    };
    std::vector<double> values(playable.size(), 0.0);
    std::array<double, kOutcomes> uniformPaid{};
    const bool byCoupons = method == ShareMethod::ByCoupons ||
                           (method == ShareMethod::Automatic && byCouponsIsCheaper(playable));
    if (byCoupons) {
        CouponWalk walk(pkg);
        std::array<CouponWalk::Part, 9> parts;
        std::atomic<int> done{0};
        onTwoThreads(9, [&](int top) {
            CouponWalk mine = walk;
            parts[static_cast<std::size_t>(top)] = mine.run(top, cancel);
            report((done.fetch_add(1) + 1) * 100 / 9);
        });
        for (const auto& part : parts) {
            for (std::size_t g = 0; g < values.size(); ++g)
                values[g] += part.values[g];
            out.shared = out.shared || part.shared;
        }
    } else {
        const DistinctVariants variants = distinctVariants(playable);
        FieldSlices slices(pkg, variants);
        std::array<FieldSlices::Part, 2> parts;
        std::atomic<int> done{0};
        std::array<bool, 2> finished{};
        onTwoThreads(2, [&](int half) {
            const std::size_t from = half == 0 ? 0 : kHeads / 2;
            const std::size_t to = half == 0 ? kHeads / 2 : kHeads;
            finished[static_cast<std::size_t>(half)] =
                slices.run(from, to, parts[static_cast<std::size_t>(half)], cancel, [&] {
                    report((done.fetch_add(1) + 1) * 100 / static_cast<int>(kHeads));
                });
        });
        if (!finished[0] || !finished[1]) {
            out.status = AnalysisStatus::Cancelled;
            return out;
        }
        std::vector<double> byVariant(variants.index.size());
        for (std::size_t j = 0; j < byVariant.size(); ++j)
            byVariant[j] = parts[0].values[j] + parts[1].values[j];
        for (int o = 0; o < kOutcomes; ++o)
            uniformPaid[static_cast<std::size_t>(o)] =
                parts[0].uniformPaid[static_cast<std::size_t>(o)] +
                parts[1].uniformPaid[static_cast<std::size_t>(o)];
        // A uniform bet is paid by its own rule.
        for (int o = 0; o < kOutcomes; ++o) {
            if (!pkg.uniform[static_cast<std::size_t>(o)])
                continue;
            Variant u{};
            u.fill(static_cast<std::uint8_t>(o));
            const auto at = std::lower_bound(variants.index.begin(), variants.index.end(),
                                             static_cast<std::uint32_t>(resultIndex(u)));
            byVariant[static_cast<std::size_t>(at - variants.index.begin())] =
                uniformPaid[static_cast<std::size_t>(o)];
        }
        for (std::size_t g = 0; g < playable.size(); ++g)
            forEachVariant(playable[g], [&](const Variant& v) {
                const auto at = std::lower_bound(variants.index.begin(), variants.index.end(),
                                                 static_cast<std::uint32_t>(resultIndex(v)));
                values[g] += byVariant[static_cast<std::size_t>(at - variants.index.begin())];
            });
        out.shared = parts[0].shared || parts[1].shared;
    }
    if (cancelled(cancel)) {
        out.status = AnalysisStatus::Cancelled;
        return out;
    }
    for (std::size_t g = 0; g < playable.size(); ++g) {
        if (!std::isfinite(values[g])) {
            out.status = AnalysisStatus::Fault;
            out.problem = kNotFinite;
            return out;
        }
        out.perCoupon[playableAt[g]] = values[g];
    }
    report(100);
    return out;
}

PackageReturn packageSharedReturn(const AnalysisInput& in, const Lines& lines, Fixed4 stakeTotal,
                                  const std::atomic<bool>* cancel, const ValueProgress& progress,
                                  ShareMethod method) {
    std::vector<std::optional<CompleteLine>> parsed;
    std::vector<Coupon> coupons;
    for (const auto& line : lines) {
        parsed.push_back(readCompleteLine(line));
        if (parsed.back())
            coupons.push_back(parsed.back()->sets);
    }
    const SharedCoefficients shared = sharedCoefficients(in, coupons, cancel, progress, method);
    PackageReturn out;
    if (shared.status != AnalysisStatus::Done) {
        out.status = shared.status;
        out.problem = shared.problem;
        return out;
    }
    // Without a shared result every variant is paid as alone, where each line
    // is walked as the analysis walks it.
    if (!shared.shared)
        return packageExpectedReturn(in, lines, stakeTotal, cancel, {});
    out.lines.resize(lines.size());
    std::size_t g = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!parsed[i])
            continue;
        LineReturn& line = out.lines[i];
        line.valid = true;
        line.variants = variantCount(parsed[i]->sets);
        line.value =
            shared.perCoupon[g++] * perVariantStake(parsed[i]->amount, line.variants).toDouble();
        out.total += line.value;
    }
    if (stakeTotal.raw() != 0)
        out.returnPercent = out.total / stakeTotal.toDouble() * 100;
    return out;
}

} // namespace kav
