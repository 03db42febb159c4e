#include "core/forming/condition_filter.h"

#include "core/bets/stake_text.h"
#include "core/forming/manual_selection.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace kav {

namespace {

// The field is split into a head (events 1..7, at most 2187 variants) and a
// tail (events 8..15, at most 6561). For one head, the tails that pass a
// condition are an interval of one tail measure, so they are read from
// cumulative bit sets of the tails (tails with a measure up to v); the
// conditions are then combined word by word, 64 tails at a time. Counting the
// whole field so costs some 2187 x 103 words per condition instead of 14.3 M
// variant tests.
constexpr int kHeadEvents = 7;

// Every variant of events [from, to) of the field, first event slowest.
std::vector<Variant> halfVariants(const Coupon& field, int from, int to) {
    std::vector<Variant> out;
    Variant v{};
    auto walk = [&](auto&& self, int e) -> void {
        if (e == to) {
            out.push_back(v);
            return;
        }
        for (int o = 0; o < kOutcomes; ++o)
            if (field[e] & outcomeBit(o)) {
                v[e] = static_cast<std::uint8_t>(o);
                self(self, e + 1);
            }
    };
    walk(walk, from);
    return out;
}

using Word = std::uint64_t;

// One measure of the tails, indexed for "which tails have a value up to v".
class TailColumn {
public:
    TailColumn(const std::vector<std::int64_t>& values, std::size_t words) : words_(words) {
        values_ = values;
        std::sort(values_.begin(), values_.end());
        values_.erase(std::unique(values_.begin(), values_.end()), values_.end());
        cumulative_.assign(values_.size() * words, 0);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto rank = static_cast<std::size_t>(
                std::lower_bound(values_.begin(), values_.end(), values[i]) - values_.begin());
            cumulative_[rank * words + i / 64] |= Word{1} << (i % 64);
        }
        for (std::size_t r = 1; r < values_.size(); ++r)
            for (std::size_t w = 0; w < words; ++w)
                cumulative_[r * words + w] |= cumulative_[(r - 1) * words + w];
    }

    // The tails whose value is at most v; nullptr for none.
    const Word* atMost(std::int64_t v) const {
        auto it = std::upper_bound(values_.begin(), values_.end(), v);
        if (it == values_.begin())
            return nullptr;
        return cumulative_.data() + static_cast<std::size_t>(it - values_.begin() - 1) * words_;
    }

private:
    std::size_t words_;
    std::vector<std::int64_t> values_;
    std::vector<Word> cumulative_;
};

inline Word wordOf(const Word* bits, std::size_t w) {
    return bits ? bits[w] : 0;
}

// Tails with a value in [lo, hi]: written into out.
void rangeBits(const TailColumn& col, std::int64_t lo, std::int64_t hi, Word* out,
               std::size_t words) {
    if (lo > hi) {
        std::fill(out, out + words, 0);
        return;
    }
    const Word* upTo = col.atMost(hi);
    const Word* below = col.atMost(lo - 1);
    for (std::size_t w = 0; w < words; ++w)
        out[w] = wordOf(upTo, w) & ~wordOf(below, w);
}

// The first and last run of a part of a variant, its longest run and its changes.
struct RunShape {
    int first = 0, last = 0; // outcome of its first and last event
    int headRun = 0;         // run at its start
    int tailRun = 0;         // run at its end
    int longest = 0;
    int changes = 0;
};
RunShape runShape(const Variant& v, int from, int to) {
    RunShape s;
    s.first = v[from];
    s.last = v[to - 1];
    int run = 1;
    s.longest = 1;
    s.headRun = 1;
    bool inHead = true;
    for (int e = from + 1; e < to; ++e) {
        if (v[e] == v[e - 1]) {
            ++run;
        } else {
            run = 1;
            ++s.changes;
            inHead = false;
        }
        if (inHead)
            s.headRun = run;
        s.longest = std::max(s.longest, run);
    }
    s.tailRun = run;
    return s;
}

class FieldScan {
public:
    FieldScan(const ConditionTables& t, const Coupon& field) : t_(t) {
        for (OutcomeSet s : field)
            if ((s & 7) == 0)
                return;
        heads_ = halfVariants(field, 0, kHeadEvents);
        tails_ = halfVariants(field, kHeadEvents, kEvents);
        words_ = (tails_.size() + 63) / 64;
        valid_.assign(words_, 0);
        for (std::size_t i = 0; i < tails_.size(); ++i)
            valid_[i / 64] |= Word{1} << (i % 64);
        std::vector<std::int64_t> values(tails_.size());
        for (const auto& a : t.additive) {
            for (std::size_t i = 0; i < tails_.size(); ++i) {
                std::int64_t sum = 0;
                for (int e = kHeadEvents; e < kEvents; ++e)
                    sum += a.value[e][tails_[i][e]];
                values[i] = sum;
            }
            columns_.emplace_back(values, words_);
        }
        if (t.longestRun || t.changes) {
            tailShapes_.resize(tails_.size());
            for (std::size_t i = 0; i < tails_.size(); ++i)
                tailShapes_[i] = runShape(tails_[i], kHeadEvents, kEvents);
            firstIs_.assign(kOutcomes * words_, 0);
            for (std::size_t i = 0; i < tails_.size(); ++i)
                firstIs_[tailShapes_[i].first * words_ + i / 64] |= Word{1} << (i % 64);
        }
        if (t.changes) {
            for (std::size_t i = 0; i < tails_.size(); ++i)
                values[i] = tailShapes_[i].changes;
            changesColumn_.emplace(values, words_);
        }
        if (t.longestRun) {
            for (std::size_t i = 0; i < tails_.size(); ++i)
                values[i] = tailShapes_[i].longest;
            longestColumn_.emplace(values, words_);
            for (std::size_t i = 0; i < tails_.size(); ++i)
                values[i] = tailShapes_[i].headRun;
            headRunColumn_.emplace(values, words_);
        }
    }

    // Calls visit(head, passing tails as bits) for every head in order.
    template <class Visit> void scan(Visit&& visit) const {
        if (heads_.empty())
            return;
        const int n = t_.count();
        const int tolerance = std::max(t_.tolerance, 0);
        std::vector<Word> pass(static_cast<std::size_t>(n) * words_);
        std::vector<Word> result(words_);
        std::vector<Word> atLeast(static_cast<std::size_t>(tolerance) + 2);
        std::vector<Word> scratch(2 * words_);
        for (const Variant& head : heads_) {
            int k = 0;
            for (std::size_t c = 0; c < t_.additive.size(); ++c, ++k) {
                const auto& a = t_.additive[c];
                std::int64_t sum = 0;
                for (int e = 0; e < kHeadEvents; ++e)
                    sum += a.value[e][head[e]];
                rangeBits(columns_[c], a.range.lo - sum, a.range.hi - sum, pass.data() + k * words_,
                          words_);
            }
            RunShape shape;
            if (t_.longestRun || t_.changes)
                shape = runShape(head, 0, kHeadEvents);
            if (t_.changes)
                changesBits(shape, pass.data() + (k++) * words_, scratch.data());
            if (t_.longestRun)
                longestRunBits(shape, pass.data() + (k++) * words_, scratch.data());
            if (tolerance >= n) {
                result = valid_;
            } else {
                for (std::size_t w = 0; w < words_; ++w) {
                    // atLeast[j]: the tails that failed at least j conditions so far.
                    std::fill(atLeast.begin(), atLeast.end(), 0);
                    atLeast[0] = ~Word{0};
                    for (int c = 0; c < n; ++c) {
                        const Word failed = ~pass[c * words_ + w];
                        const int top = std::min(c + 1, tolerance + 1);
                        for (int j = top; j >= 1; --j)
                            atLeast[j] |= atLeast[j - 1] & failed;
                    }
                    result[w] = valid_[w] & ~atLeast[tolerance + 1];
                }
            }
            visit(head, result);
        }
    }

    std::uint64_t count() const {
        std::uint64_t n = 0;
        scan([&](const Variant&, const std::vector<Word>& bits) {
            for (Word w : bits)
                n += static_cast<std::uint64_t>(std::popcount(w));
        });
        return n;
    }

    void forEach(const std::function<void(const Variant&)>& visit) const {
        scan([&](const Variant& head, const std::vector<Word>& bits) {
            Variant v = head;
            for (std::size_t w = 0; w < bits.size(); ++w) {
                Word b = bits[w];
                while (b) {
                    const std::size_t i = w * 64 + static_cast<std::size_t>(std::countr_zero(b));
                    b &= b - 1;
                    const Variant& tail = tails_[i];
                    std::copy(tail.begin() + kHeadEvents, tail.end(), v.begin() + kHeadEvents);
                    visit(v);
                }
            }
        });
    }

private:
    // The changes across the split add one where the tail starts with another
    // outcome than the head ends with.
    void changesBits(const RunShape& head, Word* out, Word* scratch) const {
        const ConditionRange& r = *t_.changes;
        const std::int64_t a = head.changes;
        Word* same = scratch;
        Word* other = scratch + words_;
        rangeBits(*changesColumn_, r.lo - a, r.hi - a, same, words_);
        rangeBits(*changesColumn_, r.lo - a - 1, r.hi - a - 1, other, words_);
        const Word* firstSame = firstIs_.data() + head.last * words_;
        for (std::size_t w = 0; w < words_; ++w)
            out[w] = (firstSame[w] & same[w]) | (~firstSame[w] & other[w]);
    }

    // The longest run of the whole variant is the longer of the parts' longest
    // runs, or, where the tail starts with the head's last outcome, the run
    // across the split when that is longer still.
    void longestRunBits(const RunShape& head, Word* out, Word*) const {
        const ConditionRange& r = *t_.longestRun;
        if (head.longest > r.hi || r.lo > r.hi) {
            std::fill(out, out + words_, 0);
            return;
        }
        const bool headLongEnough = head.longest >= r.lo;
        const Word* longestUpToHi = longestColumn_->atMost(r.hi);
        const Word* longestBelowLo = longestColumn_->atMost(r.lo - 1);
        const Word* joinUpToHi = headRunColumn_->atMost(r.hi - head.tailRun);
        const Word* joinBelowLo = headRunColumn_->atMost(r.lo - head.tailRun - 1);
        const Word* firstSame = firstIs_.data() + head.last * words_;
        for (std::size_t w = 0; w < words_; ++w) {
            const Word upToHi = wordOf(longestUpToHi, w);
            const Word reachesLo = headLongEnough ? ~Word{0} : ~wordOf(longestBelowLo, w);
            const Word apart = upToHi & reachesLo;
            const Word joined =
                upToHi & wordOf(joinUpToHi, w) & (reachesLo | ~wordOf(joinBelowLo, w));
            out[w] = (firstSame[w] & joined) | (~firstSame[w] & apart);
        }
    }

    const ConditionTables& t_;
    std::vector<Variant> heads_, tails_;
    std::size_t words_ = 0;
    std::vector<Word> valid_;
    std::vector<TailColumn> columns_;
    std::vector<RunShape> tailShapes_;
    std::vector<Word> firstIs_;
    std::optional<TailColumn> changesColumn_, longestColumn_, headRunColumn_;
};

// A line with at most this many variants is tested variant by variant; the
// split pays off only for larger ones.
constexpr std::uint64_t kSmallLine = 512;

void forEachVariantOf(const Coupon& c, const std::function<void(const Variant&)>& visit) {
    Variant v{};
    auto walk = [&](auto&& self, int e) -> void {
        if (e == kEvents) {
            visit(v);
            return;
        }
        for (int o = 0; o < kOutcomes; ++o)
            if (c[e] & outcomeBit(o)) {
                v[e] = static_cast<std::uint8_t>(o);
                self(self, e + 1);
            }
    };
    walk(walk, 0);
}

} // namespace

std::uint64_t countPassingVariants(const DrawModel& m, const Coupon& field, const ConditionSet& c) {
    const ConditionTables t = conditionTables(m, c);
    return FieldScan(t, field).count();
}

void forEachPassingVariant(const DrawModel& m, const Coupon& field, const ConditionSet& c,
                           const std::function<void(const Variant&)>& visit) {
    const ConditionTables t = conditionTables(m, c);
    FieldScan(t, field).forEach(visit);
}

Coupon markedField(const DrawModel& m) {
    Coupon field{};
    for (int e = 0; e < kEvents; ++e)
        field[e] = m.markedSet(e);
    return field;
}

FormResult addConditionVariants(const DrawModel& m, std::string_view stakeText,
                                const Lines& existing, const ConditionSet& c) {
    FormResult r;
    const auto stake = readStake(stakeText);
    if (!stake) {
        r.message = badStakeMessage();
        return r;
    }
    const Coupon field = markedField(m);
    for (OutcomeSet s : field)
        if (s == 0) {
            r.message = Message{"Выбраны не все события"};
            return r;
        }
    std::vector<bool> listed;
    for (const auto& line : existing)
        if (auto code = singleBetCode(line, stake->text)) {
            if (listed.empty())
                listed.assign(kVariantCodes, false);
            listed[*code] = true;
        }
    forEachPassingVariant(m, field, c, [&](const Variant& v) {
        if (!listed.empty()) {
            std::uint32_t code = 0;
            for (auto o : v)
                code = code * 3 + o;
            if (listed[code])
                return;
        }
        r.added.push_back(singleBetLine(stake->text, v));
    });
    return r;
}

ConditionListResult applyConditionsToList(const DrawModel& m, const Lines& lines,
                                          const ConditionSet& c) {
    ConditionListResult res;
    const ConditionTables t = conditionTables(m, c);
    res.lines.reserve(lines.size());
    std::vector<Variant> passing;
    for (const auto& text : lines) {
        const std::string_view line = trimLine(text);
        const auto complete = line.empty() ? std::nullopt : readCompleteLine(line);
        const std::uint64_t g = complete ? variantCount(complete->sets) : 0;
        if (g == 0) {
            res.lines.push_back(text);
            continue;
        }
        const Fixed4 s = perVariantStake(complete->amount, g);
        const auto writeSingle = [&](const Variant& v) {
            Coupon single{};
            for (int e = 0; e < kEvents; ++e)
                single[e] = outcomeBit(v[e]);
            res.lines.push_back(formatCoupon(single, s));
        };
        std::uint64_t passed = 0;
        if (g <= kSmallLine) {
            passing.clear();
            forEachVariantOf(complete->sets, [&](const Variant& v) {
                if (passesConditions(t, v))
                    passing.push_back(v);
            });
            passed = passing.size();
            if (passed < g)
                std::for_each(passing.begin(), passing.end(), writeSingle);
        } else {
            // A large line is counted first, so one that stays is never listed.
            const FieldScan scan(t, complete->sets);
            passed = scan.count();
            if (passed < g)
                scan.forEach(writeSingle);
        }
        if (passed == g) {
            res.lines.push_back(text);
            continue;
        }
        ++res.replacedLines;
        res.removedVariants += g - passed;
    }
    return res;
}

Message conditionListReport(const ConditionListResult& r) {
    return Message{"Удалено вариантов: " + std::to_string(r.removedVariants), "Условия"};
}

} // namespace kav
