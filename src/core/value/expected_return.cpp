#include "core/value/expected_return.h"
#include "core/base/general_format.h"
#include "core/value/field_walk.h"
#include "core/value/package_return.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <thread>
#include <unordered_map>
#include <unordered_set>

namespace kav {

namespace {

using namespace value;

// Results are filled in slices that share the first kPrefixEvents events.
constexpr int kPrefixEvents = 10;
constexpr std::size_t kSuffixResults = 243; // 3^(15 - kPrefixEvents)

// The literal walk: the payout of each category accumulated result by result
// in the order the analysis visits them, then the categories summed.
struct ExactWalk {
    const AnalysisInput& in;
    const WalkSetup& s;
    std::array<double, kCategories> payout{};

    void walk(int e, double d, double c, double b, int a) {
        if (e == kEvents) {
            leaf(d, c, b, a);
            return;
        }
        for (int o = 1; o <= kOutcomes; ++o) {
            const int a2 = o == in.variant[e] ? a : a + 1;
            if (a2 > kMaxMisses)
                continue;
            const double q = static_cast<double>(in.quotes[e][o - 1].raw()) / 10000;
            const double sh = static_cast<double>(in.poolShares[e][o - 1].raw()) / 10000;
            walk(e + 1, d * q / 100, c * sh / 100, b + 100 / sh, a2);
        }
    }

    void leaf(double d, double c, double b, int a) {
        const int k = kEvents - a;
        const int i = k - kFirstCategory;
        const double prizeShare = static_cast<double>(kPrizeShareRaw[i]) / 10000;
        const double g = std::exp(kPopularitySlope * (s.favourite / c - 1));
        const double l = (g * s.countMean + 1) * s.stakeShare;
        if (k == kEvents) {
            payout[i] += d * prizeShare / (l + c) + d * s.jackpotUnits / (c / l + 1);
        } else {
            const double w =
                std::pow(c * std::pow(b / 15, kEvents - k), 15.0 / k) * kResultsWithHits[i] + l;
            payout[i] += d * prizeShare / w;
        }
    }
};

double categorySum(const std::array<double, kCategories>& payout) {
    double sum = 0;
    for (double p : payout)
        sum += p;
    return sum;
}

// The payout of every result within six misses of the field, for each number
// of misses, result by result (index * kSlots + misses).
class ResultPayouts {
public:
    // `misses`, when given, holds per result the numbers of misses (bit m for
    // m misses) at which the wanted variants see it; only those are computed.
    ResultPayouts(const AnalysisInput& in, const WalkSetup& setup, const Coupon& field, double* out,
                  const std::uint8_t* misses)
        : terms_(eventTerms(in)), payout_(setup), out_(out), misses_(misses) {
        for (int e = 0; e < kEvents; ++e)
            for (int o = 0; o < kOutcomes; ++o)
                outside_[e][o] = (field[e] & outcomeBit(o)) ? 0 : 1;
    }

    // The results that begin with the prefix of events 1..kPrefixEvents, into
    // their contiguous slice of the output (zeros beyond six misses).
    void fill(std::size_t prefix) {
        double* slice = out_ + prefix * kSuffixResults * kSlots;
        std::fill(slice, slice + kSuffixResults * kSlots, 0.0);
        Path path;
        int outside = 0;
        std::size_t rest = prefix;
        std::array<int, kPrefixEvents> digits{};
        for (int e = kPrefixEvents - 1; e >= 0; --e) {
            digits[static_cast<std::size_t>(e)] = static_cast<int>(rest % 3);
            rest /= 3;
        }
        for (int e = 0; e < kPrefixEvents; ++e) {
            const int o = digits[static_cast<std::size_t>(e)];
            path = path.then(terms_[e][o]);
            outside += outside_[e][o];
        }
        if (outside <= kMaxMisses)
            descend(kPrefixEvents, 0, slice, path, outside);
    }

private:
    void descend(int e, std::size_t index, double* slice, const Path& path, int outside) {
        for (int o = 0; o < kOutcomes; ++o) {
            const std::size_t index2 = index * 3 + static_cast<std::size_t>(o);
            const int outside2 = outside + outside_[e][o];
            const Path p = path.then(terms_[e][o]);
            if (e + 1 == kEvents)
                leaf(slice + index2 * kSlots, p, outside2);
            else if (outside2 <= kMaxMisses)
                descend(e + 1, index2, slice, p, outside2);
        }
    }

    void leaf(double* slot, const Path& p, int outside) {
        if (outside > kMaxMisses)
            return; // already zero
        // The numbers of misses at which some wanted variant sees this result.
        const unsigned wanted =
            misses_ ? misses_[static_cast<std::size_t>(slot - out_) / kSlots] : 0x7Fu;
        if (wanted == 0)
            return;
        const double l = payout_.ownShare(p.c);
        const double logSpread = std::log(p.b / 15);
        for (int a = outside; a <= kMaxMisses; ++a)
            if (wanted & (1u << a))
                slot[a] = payout_.pay(a, p, logSpread, l, 0);
    }

    EventTerms terms_;
    std::array<std::array<int, kOutcomes>, kEvents> outside_{};
    SharedPayout payout_;
    double* out_;
    const std::uint8_t* misses_;
};

// Turns one event's digit from the result's outcome into the variant's: the
// payout a variant outcome o collects with m misses still to come is the
// result's own with m misses plus the other two outcomes' with m + 1. `data`
// holds `blocks` blocks of three runs of `run` entries, the digit's three
// outcomes.
void carryDigit(double* data, std::size_t blocks, std::size_t run) {
    for (std::size_t hi = 0; hi < blocks; ++hi)
        for (std::size_t lo = 0; lo < run; ++lo) {
            double* p[3];
            for (std::size_t o = 0; o < kOutcomes; ++o)
                p[o] = data + ((hi * 3 + o) * run + lo) * kSlots;
            double next[kOutcomes][kSlots];
            for (int o = 0; o < kOutcomes; ++o) {
                // the other two outcomes, in the order "1", "X", "2"
                const double* x = p[o == 0 ? 1 : 0];
                const double* y = p[o == 2 ? 1 : 2];
                for (int m = 0; m < kMaxMisses; ++m)
                    next[o][m] = p[o][m] + x[m + 1] + y[m + 1];
                next[o][kMaxMisses] = p[o][kMaxMisses];
            }
            for (int o = 0; o < kOutcomes; ++o)
                std::copy(next[o], next[o] + kSlots, p[o]);
        }
}

// Carries the `count` events from `first` on, for results laid out with event
// 1 as the most significant digit: each group of results that differ only in
// those events is gathered in a small buffer, carried there and put back, so
// that the whole array is read and written once for all of them.
void carryEvents(double* h, int first, int count) {
    const std::size_t inner = stride(first + count - 1); // results per step of the last
    const std::size_t combos = kPow3[static_cast<std::size_t>(count)];
    const std::size_t outer = kPow3[static_cast<std::size_t>(first)];
    const std::size_t width = std::min<std::size_t>(inner, 27);
    const std::size_t chunks = inner / width;
    onTwoThreads(static_cast<int>(outer * chunks), [&](int job) {
        const std::size_t out = static_cast<std::size_t>(job) / chunks;
        const std::size_t lo = static_cast<std::size_t>(job) % chunks * width;
        std::vector<double> buffer(combos * width * kSlots);
        for (std::size_t k = 0; k < combos; ++k)
            std::copy_n(h + ((out * combos + k) * inner + lo) * kSlots, width * kSlots,
                        buffer.data() + k * width * kSlots);
        for (int j = 0; j < count; ++j) {
            const std::size_t run = kPow3[static_cast<std::size_t>(count - 1 - j)] * width;
            carryDigit(buffer.data(), kPow3[static_cast<std::size_t>(j)], run);
        }
        for (std::size_t k = 0; k < combos; ++k)
            std::copy_n(buffer.data() + k * width * kSlots, width * kSlots,
                        h + ((out * combos + k) * inner + lo) * kSlots);
    });
}

// Per result the numbers of misses (bit m for m <= 6) from the variants of
// `coupons`: the variants marked with bit 0, then spread one event at a time.
std::vector<std::uint8_t> missesFrom(const std::vector<Coupon>& coupons) {
    std::vector<std::uint8_t> misses(kResults, 0);
    for (const Coupon& c : coupons)
        forEachVariant(c, [&](const Variant& v) { misses[resultIndex(v)] = 1; });
    for (int e = 0; e < kEvents; ++e) {
        const std::size_t s = stride(e);
        const std::size_t blocks = kPow3[static_cast<std::size_t>(e)];
        onTwoThreads(static_cast<int>(std::min<std::size_t>(blocks, 64)), [&](int part) {
            const std::size_t parts = std::min<std::size_t>(blocks, 64);
            const std::size_t from = blocks * static_cast<std::size_t>(part) / parts;
            const std::size_t to = blocks * static_cast<std::size_t>(part + 1) / parts;
            for (std::size_t hi = from; hi < to; ++hi)
                for (std::size_t lo = 0; lo < s; ++lo) {
                    std::uint8_t* p = misses.data() + hi * 3 * s + lo;
                    const unsigned a = p[0], b = p[s], c = p[2 * s];
                    p[0] = static_cast<std::uint8_t>((a | (b | c) << 1) & 0x7Fu);
                    p[s] = static_cast<std::uint8_t>((b | (a | c) << 1) & 0x7Fu);
                    p[2 * s] = static_cast<std::uint8_t>((c | (a | b) << 1) & 0x7Fu);
                }
        });
    }
    return misses;
}

// Why the walk of `v` is refused, or its exact total.
struct VariantWalk {
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem;
    double total = 0;
};

VariantWalk walkVariant(const AnalysisInput& base, const Variant& v) {
    VariantWalk out;
    const AnalysisInput in = withVariant(base, v);
    AnalysisOutcome outcome;
    const auto setup = prepareWalk(in, outcome);
    if (!setup) {
        out.status = outcome.status;
        out.problem = outcome.problem;
        return out;
    }
    out.total = exactVariantReturn(in, *setup);
    if (!std::isfinite(out.total)) {
        out.status = AnalysisStatus::Fault;
        out.problem = "Анализ невозможен: с этими пулом, джек-потом и числами ставок расчёт "
                      "не даёт конечного результата.";
    }
    return out;
}

Variant uniformVariant(int o) {
    Variant v{};
    v.fill(static_cast<std::uint8_t>(o));
    return v;
}

bool isUniform(const Variant& v) {
    return std::all_of(v.begin(), v.end(), [&](std::uint8_t o) { return o == v[0]; });
}

// The table's value and the literal walk's differ by the order of summation
// and by powers taken through logarithms: far below this, relative.
constexpr double kTableError = 1e-12;
// Walks spent at most on values whose printed digits the table cannot settle.
constexpr int kExactWalkBudget = 200;

bool printsStable(double x) {
    const std::string text = significantText(x);
    return significantText(x * (1 - kTableError)) == text &&
           significantText(x * (1 + kTableError)) == text;
}

// The bounding field of the valid lines of a list.
Coupon fieldOf(const std::vector<std::optional<CompleteLine>>& lines) {
    Coupon field{};
    for (const auto& line : lines)
        if (line)
            for (int e = 0; e < kEvents; ++e)
                field[e] |= line->sets[e];
    return field;
}

std::vector<std::optional<CompleteLine>> readLines(const Lines& lines) {
    std::vector<std::optional<CompleteLine>> out;
    out.reserve(lines.size());
    for (const auto& line : lines)
        out.push_back(readCompleteLine(line));
    return out;
}

} // namespace

double exactVariantReturn(const AnalysisInput& in, const WalkSetup& setup) {
    ExactWalk walk{in, setup};
    walk.walk(0, 1, 1, 0, 0);
    return categorySum(walk.payout);
}

ExpectedReturnTable::Build ExpectedReturnTable::build(const AnalysisInput& in, const Coupon& field,
                                                      const std::atomic<bool>* cancel,
                                                      const ValueProgress& progress,
                                                      const std::vector<Coupon>* wanted) {
    Build out;
    // Progress is told from the calling thread only.
    const auto caller = std::this_thread::get_id();
    auto report = [&](int percent) {
        if (progress && std::this_thread::get_id() == caller)
            progress(percent);
    };
    AnalysisOutcome refused;
    const auto setup = regularSetup(in, refused);
    if (!setup) {
        out.status = refused.status;
        out.problem = refused.problem;
        return out;
    }
    ExpectedReturnTable table;
    table.field_ = field;
    for (int o = 0; o < kOutcomes; ++o) {
        const Variant u = uniformVariant(o);
        if (!table.contains(u))
            continue;
        // A uniform bet no wanted coupon holds is never looked up.
        if (wanted && std::none_of(wanted->begin(), wanted->end(), [o](const Coupon& c) {
                return std::all_of(c.begin(), c.end(),
                                   [o](OutcomeSet s) { return (s & outcomeBit(o)) != 0; });
            }))
            continue;
        const VariantWalk w = walkVariant(in, u);
        if (w.status != AnalysisStatus::Done)
            table.uniformRefusal_[static_cast<std::size_t>(o)] = Refusal{w.status, w.problem};
        table.uniform_[static_cast<std::size_t>(o)] = w.total;
    }
    bool empty = false;
    for (int e = 0; e < kEvents; ++e)
        empty = empty || field[e] == 0;
    if (empty) {
        out.table = std::move(table);
        return out;
    }

    // Results share their first events in slices of kSuffixResults; each
    // slice is filled and its last events carried while it is in the cache.
    std::unique_ptr<double[]> h(new double[kResults * kSlots]);
    std::vector<std::uint8_t> misses;
    if (wanted)
        misses = missesFrom(*wanted);
    ResultPayouts payouts(in, *setup, field, h.get(), wanted ? misses.data() : nullptr);
    const std::size_t prefixes = kResults / kSuffixResults;
    const int parts = 243;
    std::atomic<int> done{0};
    onTwoThreads(parts, [&](int part) {
        if (cancelled(cancel))
            return;
        const std::size_t from = prefixes * static_cast<std::size_t>(part) / parts;
        const std::size_t to = prefixes * static_cast<std::size_t>(part + 1) / parts;
        for (std::size_t p = from; p < to; ++p) {
            payouts.fill(p);
            double* slice = h.get() + p * kSuffixResults * kSlots;
            for (int j = 0; j < kEvents - kPrefixEvents; ++j)
                carryDigit(slice, kPow3[static_cast<std::size_t>(j)],
                           kPow3[static_cast<std::size_t>(kEvents - kPrefixEvents - 1 - j)]);
        }
        const int finished = done.fetch_add(1) + 1;
        if (part % 8 == 0)
            report(finished * 70 / parts);
    });
    for (int first : {5, 0}) {
        if (cancelled(cancel)) {
            out.status = AnalysisStatus::Cancelled;
            return out;
        }
        carryEvents(h.get(), first, 5);
        report(first == 5 ? 85 : 99);
    }
    table.totals_.resize(kResults);
    bool finite = true;
    for (std::size_t i = 0; i < kResults; ++i) {
        table.totals_[i] = h[i * kSlots];
        finite = finite && std::isfinite(table.totals_[i]);
    }
    if (!finite) {
        out.status = AnalysisStatus::Fault;
        out.problem = "Анализ невозможен: с этими пулом, джек-потом и числами ставок расчёт "
                      "не даёт конечного результата.";
        return out;
    }
    report(100);
    out.table = std::move(table);
    return out;
}

bool ExpectedReturnTable::contains(const Variant& v) const {
    for (int e = 0; e < kEvents; ++e)
        if (v[e] >= kOutcomes || !(field_[e] & outcomeBit(v[e])))
            return false;
    return true;
}

double ExpectedReturnTable::at(const Variant& v) const {
    if (isUniform(v))
        return uniform_[v[0]];
    return totals_[resultIndex(v)];
}

const ExpectedReturnTable::Refusal* ExpectedReturnTable::refusal(const Coupon& c) const {
    for (int o = 0; o < kOutcomes; ++o) {
        const auto& r = uniformRefusal_[static_cast<std::size_t>(o)];
        if (!r)
            continue;
        bool holds = true;
        for (int e = 0; e < kEvents; ++e)
            holds = holds && (c[e] & outcomeBit(o)) != 0;
        if (holds)
            return &*r;
    }
    return nullptr;
}

std::string significantText(double value, int digits) {
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? "0" : fixedText(value, 0);
    // The decimal exponent after rounding to `digits` significant digits.
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                       std::clamp(digits, 1, 17) - 1);
    const char* exp = std::find(buf, written.ptr, 'e') + 1;
    if (exp < written.ptr && *exp == '+')
        ++exp;
    int exponent = 0;
    std::from_chars(exp, written.ptr, exponent);
    return fixedText(value, std::max(0, digits - 1 - exponent));
}

namespace {

// Lists with at most this many distinct variants are walked variant by
// variant (on two threads) instead of building the table of their field.
constexpr std::size_t kWalkedVariants = 48;

// The total of every variant of a list: walked one by one when they are few
// (each then exactly the literal value), else looked up in the field's table.
struct VariantReturns {
    AnalysisStatus status = AnalysisStatus::Done;
    std::string problem;
    bool exact = false;
    std::optional<ExpectedReturnTable> table;
    std::unordered_map<std::size_t, double> walked;

    double at(const Variant& v) const { return table ? table->at(v) : walked.at(resultIndex(v)); }
};

VariantReturns variantReturns(const AnalysisInput& in,
                              const std::vector<std::optional<CompleteLine>>& parsed,
                              const std::atomic<bool>* cancel, const ValueProgress& progress) {
    VariantReturns out;
    std::vector<Variant> distinct;
    std::unordered_set<std::size_t> seen;
    bool many = false;
    for (const auto& line : parsed) {
        if (!line)
            continue;
        if (variantCount(line->sets) > kWalkedVariants) {
            many = true;
            break;
        }
        forEachVariant(line->sets, [&](const Variant& v) {
            if (seen.insert(resultIndex(v)).second)
                distinct.push_back(v);
        });
        if (distinct.size() > kWalkedVariants) {
            many = true;
            break;
        }
    }
    if (many) {
        // The table is needed at the list's variants only.
        std::vector<Coupon> coupons;
        for (const auto& line : parsed)
            if (line)
                coupons.push_back(line->sets);
        auto built = ExpectedReturnTable::build(in, fieldOf(parsed), cancel, progress, &coupons);
        if (!built.table) {
            out.status = built.status;
            out.problem = built.problem;
            return out;
        }
        for (const auto& line : parsed)
            if (line)
                if (const auto* r = built.table->refusal(line->sets)) {
                    out.status = r->status;
                    out.problem = r->problem;
                    return out;
                }
        out.table = std::move(built.table);
        return out;
    }
    out.exact = true;
    if (distinct.empty())
        return out;
    AnalysisOutcome refused;
    if (!regularSetup(in, refused)) {
        out.status = refused.status;
        out.problem = refused.problem;
        return out;
    }
    std::vector<VariantWalk> walks(distinct.size());
    std::atomic<int> done{0};
    const auto caller = std::this_thread::get_id();
    onTwoThreads(static_cast<int>(distinct.size()), [&](int i) {
        if (cancelled(cancel))
            return;
        walks[static_cast<std::size_t>(i)] = walkVariant(in, distinct[static_cast<std::size_t>(i)]);
        const int finished = done.fetch_add(1) + 1;
        if (progress && std::this_thread::get_id() == caller)
            progress(finished * 100 / static_cast<int>(distinct.size()));
    });
    if (cancelled(cancel)) {
        out.status = AnalysisStatus::Cancelled;
        return out;
    }
    for (std::size_t i = 0; i < distinct.size(); ++i) {
        if (walks[i].status != AnalysisStatus::Done) {
            out.status = walks[i].status;
            out.problem = walks[i].problem;
            return out;
        }
        out.walked[resultIndex(distinct[i])] = walks[i].total;
    }
    return out;
}

double lineSum(const VariantReturns& table, const Coupon& c) {
    double sum = 0;
    forEachVariant(c, [&](const Variant& v) { sum += table.at(v); });
    return sum;
}

double exactLineSum(const AnalysisInput& in, const Coupon& c) {
    double sum = 0;
    forEachVariant(c, [&](const Variant& v) { sum += walkVariant(in, v).total; });
    return sum;
}

} // namespace

PackageReturn packageExpectedReturn(const AnalysisInput& in, const Lines& lines, Fixed4 stakeTotal,
                                    const std::atomic<bool>* cancel,
                                    const ValueProgress& progress) {
    PackageReturn out;
    const auto parsed = readLines(lines);
    const VariantReturns table = variantReturns(in, parsed, cancel, progress);
    if (table.status != AnalysisStatus::Done) {
        out.status = table.status;
        out.problem = table.problem;
        return out;
    }
    int budget = kExactWalkBudget;
    std::vector<double> coefficientSums(lines.size(), 0.0);
    std::vector<Fixed4> stakes(lines.size());
    auto lineValue = [&](std::size_t i) { return coefficientSums[i] * stakes[i].toDouble(); };
    out.lines.resize(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!parsed[i])
            continue;
        LineReturn& line = out.lines[i];
        line.valid = true;
        line.variants = variantCount(parsed[i]->sets);
        stakes[i] = perVariantStake(parsed[i]->amount, line.variants);
        coefficientSums[i] = lineSum(table, parsed[i]->sets);
        line.value = lineValue(i);
        if (!table.exact && !printsStable(line.value) &&
            line.variants <= static_cast<std::uint64_t>(budget)) {
            budget -= static_cast<int>(line.variants);
            coefficientSums[i] = exactLineSum(in, parsed[i]->sets);
            line.value = lineValue(i);
        }
    }
    auto sumLines = [&] {
        out.total = 0;
        for (const LineReturn& line : out.lines)
            out.total += line.value;
        out.returnPercent.reset();
        if (stakeTotal.raw() != 0)
            out.returnPercent = out.total / stakeTotal.toDouble() * 100;
    };
    sumLines();
    const bool settled =
        printsStable(out.total) && (!out.returnPercent || printsStable(*out.returnPercent));
    std::uint64_t all = 0;
    for (const LineReturn& line : out.lines)
        all += line.variants;
    if (!table.exact && !settled && all <= static_cast<std::uint64_t>(kExactWalkBudget)) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (parsed[i]) {
                coefficientSums[i] = exactLineSum(in, parsed[i]->sets);
                out.lines[i].value = lineValue(i);
            }
        sumLines();
    }
    return out;
}

namespace {

struct ScoredVariant {
    double value = 0;
    std::size_t line = 0;
    std::size_t order = 0; // position in the list's variants
};

// Each variant of the list's coupons as a single bet, in the list's order.
std::vector<Coupon> singleVariants(const std::vector<std::optional<CompleteLine>>& parsed) {
    std::vector<Coupon> out;
    for (const auto& line : parsed)
        if (line)
            forEachVariant(line->sets, [&](const Variant& v) {
                Coupon c{};
                for (int e = 0; e < kEvents; ++e)
                    c[e] = outcomeBit(v[e]);
                out.push_back(c);
            });
    return out;
}

template <class Choose>
ReducedList reduce(const AnalysisInput& in, const Lines& lines, const std::atomic<bool>* cancel,
                   const ValueProgress& progress, ValueRule rule, Choose choose) {
    ReducedList out;
    const auto parsed = readLines(lines);
    VariantReturns table;
    SharedCoefficients inPackage;
    if (rule == ValueRule::InPackage) {
        inPackage = sharedCoefficients(in, singleVariants(parsed), cancel, progress);
        table.status = inPackage.status;
        table.problem = inPackage.problem;
    } else {
        table = variantReturns(in, parsed, cancel, progress);
    }
    if (table.status != AnalysisStatus::Done) {
        out.status = table.status;
        out.problem = table.problem;
        return out;
    }
    std::vector<ScoredVariant> scored;
    std::vector<Fixed4> stakes(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!parsed[i])
            continue;
        stakes[i] = perVariantStake(parsed[i]->amount, variantCount(parsed[i]->sets));
        forEachVariant(parsed[i]->sets, [&](const Variant& v) {
            const double coefficient =
                rule == ValueRule::InPackage ? inPackage.perCoupon[scored.size()] : table.at(v);
            scored.push_back({coefficient * stakes[i].toDouble(), i, scored.size()});
        });
    }
    std::vector<char> kept(scored.size(), 0);
    choose(scored, kept);
    std::vector<std::size_t> keptOfLine(lines.size(), 0);
    for (std::size_t j = 0; j < scored.size(); ++j)
        keptOfLine[scored[j].line] += kept[j] ? 1 : 0;
    std::size_t j = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!parsed[i]) {
            out.lines.push_back(lines[i]);
            continue;
        }
        const std::uint64_t n = variantCount(parsed[i]->sets);
        if (keptOfLine[i] == n) {
            out.lines.push_back(lines[i]);
            j += n;
            continue;
        }
        const std::string stakeText = stakes[i].moneyText();
        forEachVariant(parsed[i]->sets, [&](const Variant& v) {
            if (kept[j])
                out.lines.push_back(formatVariant(v, stakeText));
            else
                ++out.removedVariants;
            ++j;
        });
    }
    return out;
}

} // namespace

ReducedList keepBestVariants(const AnalysisInput& in, const Lines& lines, std::uint64_t keep,
                             const std::atomic<bool>* cancel, const ValueProgress& progress,
                             ValueRule rule) {
    return reduce(in, lines, cancel, progress, rule,
                  [keep](const std::vector<ScoredVariant>& scored, std::vector<char>& kept) {
                      std::vector<std::size_t> order(scored.size());
                      std::iota(order.begin(), order.end(), std::size_t{0});
                      std::stable_sort(order.begin(), order.end(),
                                       [&](std::size_t a, std::size_t b) {
                                           return scored[a].value > scored[b].value;
                                       });
                      for (std::size_t r = 0; r < order.size() && r < keep; ++r)
                          kept[order[r]] = 1;
                  });
}

ReducedList keepVariantsAtLeast(const AnalysisInput& in, const Lines& lines, double minimum,
                                const std::atomic<bool>* cancel, const ValueProgress& progress,
                                ValueRule rule) {
    return reduce(in, lines, cancel, progress, rule,
                  [minimum](const std::vector<ScoredVariant>& scored, std::vector<char>& kept) {
                      for (std::size_t j = 0; j < scored.size(); ++j)
                          kept[j] = scored[j].value >= minimum ? 1 : 0;
                  });
}

std::optional<double> valueRatio(const Fixed4& quote, const Fixed4& poolShare) {
    if (poolShare.raw() <= 0)
        return std::nullopt;
    return static_cast<double>(quote.raw()) / static_cast<double>(poolShare.raw());
}

} // namespace kav
