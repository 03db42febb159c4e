// The field of results that auto-forming searches: every combination of one
// marked outcome per event, numbered in lexicographic order (event 1 most
// significant, outcomes "1", "X", "2"). A result is addressed by its index, so
// the walks below hand out indices in field order.
#pragma once

#include "core/bets/bets.h"
#include "core/draw/draw_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kav {

struct FieldLayout {
    // Per event: how many outcomes are marked, the outcome (0..2) of each digit,
    // and the index step of one digit.
    std::array<std::uint8_t, kEvents> size{};
    std::array<std::array<std::uint8_t, kOutcomes>, kEvents> outcome{};
    std::array<std::uint32_t, kEvents> stride{};
    std::uint32_t count = 0; // N
    // Events with two or three marked outcomes, most significant first: only
    // they tell results apart.
    int levels = 0;
    std::array<std::uint8_t, kEvents> levelEvent{};

    int digit(std::uint32_t index, int event0) const {
        return static_cast<int>(index / stride[event0] % size[event0]);
    }
    Variant variant(std::uint32_t index) const;
};

// Nothing when some event has no marked outcome.
std::optional<FieldLayout> fieldLayout(const DrawModel& m);

// Results within `misses` wrong events of any result: the same for every result.
std::uint64_t ballSize(const FieldLayout& f, int misses);

// out[a][b]: the results within `misses` of both of two results that differ in
// a of `twos` events with two digits and in b of `threes` events with three
// (and agree in the rest): the size of their balls' overlap. With `weighOf`,
// each result of the overlap counts (*weighOf)[misses left from the first][misses
// left from the second].
using BallOverlaps = std::array<std::array<std::uint32_t, kEvents + 1>, kEvents + 1>;
BallOverlaps overlapSizes(int twos, int threes, int misses, const BallOverlaps* weighOf = nullptr);

// Per event, the digits that a coupon allows, as a bit set over digits.
using DigitSets = std::array<std::uint8_t, kEvents>;
// The coupon's masks as digit sets; bit 15 of a mask (a sixteenth group) has no event.
DigitSets couponDigits(const FieldLayout& f, std::uint32_t ones, std::uint32_t draws,
                       std::uint32_t twos);

// Calls emit(first, last) for the half-open index ranges, in field order, of the
// ball of result j: the results that differ from it in at most `misses` events.
template <class Emit>
void forEachBallRange(const FieldLayout& f, std::uint32_t j, int misses, Emit&& emit) {
    std::array<std::uint8_t, kEvents> own{};
    for (int l = 0; l < f.levels; ++l)
        own[l] = static_cast<std::uint8_t>(f.digit(j, f.levelEvent[l]));
    auto walk = [&](auto& self, int level, std::uint32_t base, int left) -> void {
        if (level == f.levels) {
            emit(base, base + 1);
            return;
        }
        const int e = f.levelEvent[level];
        const std::uint32_t stride = f.stride[e];
        const std::uint32_t block = stride * f.size[e];
        if (left == 0) {
            // Every later event must agree with j: one result.
            const std::uint32_t r = base + j % block;
            emit(r, r + 1);
            return;
        }
        if (left >= f.levels - level) {
            // Any combination of the later events stays inside: one run.
            emit(base, base + block);
            return;
        }
        for (int d = 0; d < f.size[e]; ++d)
            self(self, level + 1, base + static_cast<std::uint32_t>(d) * stride,
                 left - (d != own[level] ? 1 : 0));
    };
    walk(walk, 0, 0, misses);
}

// The members of the balls of `misses` in field order, one at a time and
// fast: the levels but the last few are walked, the last few come from lists
// of suffix offsets by distance, in order.
class BallInOrder {
public:
    BallInOrder(const FieldLayout& f, int misses);

    template <class Visit> void forEach(std::uint32_t j, Visit&& visit) const {
        forEachPrefix(j, [&](std::uint32_t base, int left) {
            const std::size_t list = listOf(j, left);
            for (std::uint32_t i = start_[list]; i < start_[list + 1]; ++i)
                visit(base + members_[i]);
        });
    }

    // The same, with touch(r) called for the members of the next few prefixes
    // before they are visited (to fetch them from memory meanwhile).
    template <class Visit, class Touch>
    void forEachAhead(std::uint32_t j, Visit&& visit, Touch&& touch) const {
        constexpr int kAhead = 16;
        std::array<std::pair<std::uint32_t, std::size_t>, kAhead> next{};
        int n = 0;
        auto members = [&](int i, auto&& each) {
            const auto [base, list] = next[static_cast<std::size_t>(i)];
            for (std::uint32_t k = start_[list]; k < start_[list + 1]; ++k)
                each(base + members_[k]);
        };
        auto flush = [&] {
            for (int i = 0; i < n; ++i)
                members(i, touch);
            for (int i = 0; i < n; ++i)
                members(i, visit);
            n = 0;
        };
        forEachPrefix(j, [&](std::uint32_t base, int left) {
            next[static_cast<std::size_t>(n++)] = {base, listOf(j, left)};
            if (n == kAhead)
                flush();
        });
        flush();
    }

    // Results that share all levels but the listed ones: sums[c] = the 32-bit
    // sum, in field order, of weight[r] (0 where state[r] != 0) over the ball
    // of result first + c, for every c below suffixSize(), as forEach would
    // add them one ball at a time.
    std::uint32_t suffixSize() const { return suffixSize_; }
    // (Those of c in [from, to) only, where given.)
    void sumsOfBlock(std::uint32_t first, const std::uint8_t* state, const float* weight,
                     float* sums, std::uint32_t from = 0, std::uint32_t to = UINT32_MAX) const;
    // The same for the listed c only (ascending, below suffixSize()): sums[i]
    // for which[i]. The candidates share the walk of the first levels, and
    // each part of the field it visits is asked for from memory a few parts
    // ahead, so a few sums cost about as much as one walk.
    void sumsOf(std::uint32_t first, const std::uint8_t* state, const float* weight,
                const std::uint32_t* which, std::size_t n, float* sums) const;

private:
    // The list of j's suffix members with `left` misses left for the suffix.
    std::size_t listOf(std::uint32_t j, int left) const {
        return static_cast<std::size_t>(j % suffixSize_) * radii_ +
               static_cast<std::size_t>(std::min(left, radii_ - 1));
    }
    // end(base, left) in field order for every value of the levels before the
    // listed ones within `misses` of j's: base is its first result, left the
    // misses left for the listed levels.
    template <class End> void forEachPrefix(std::uint32_t j, End&& end) const {
        std::array<std::uint8_t, kEvents> own{};
        for (int l = 0; l < prefixLevels_; ++l)
            own[l] = static_cast<std::uint8_t>(f_.digit(j, f_.levelEvent[l]));
        auto walk = [&](auto& self, int level, std::uint32_t base, int left) -> void {
            if (level == prefixLevels_) {
                end(base, left);
                return;
            }
            const int e = f_.levelEvent[level];
            for (int d = 0; d < f_.size[e]; ++d)
                if (d == own[level] || left > 0)
                    self(self, level + 1, base + static_cast<std::uint32_t>(d) * f_.stride[e],
                         left - (d == own[level] ? 0 : 1));
        };
        walk(walk, 0, 0, misses_);
    }

    FieldLayout f_;
    int misses_;
    int prefixLevels_ = 0;
    int radii_ = 1;
    std::uint32_t suffixSize_ = 1;
    // Per suffix result and radius, [start_[i], start_[i + 1]) of members_.
    std::vector<std::uint32_t> start_;
    std::vector<std::uint16_t> members_;
};

// Calls emit(first, last) for the half-open index ranges, in field order, of
// the results within `misses` wrong events of both j and p: where their balls
// overlap.
template <class Emit>
void forEachOverlapRange(const FieldLayout& f, std::uint32_t j, std::uint32_t p, int misses,
                         Emit&& emit) {
    std::array<std::uint8_t, kEvents> ownJ{}, ownP{};
    std::array<int, kEvents + 1> differAfter{};
    for (int l = 0; l < f.levels; ++l) {
        ownJ[l] = static_cast<std::uint8_t>(f.digit(j, f.levelEvent[l]));
        ownP[l] = static_cast<std::uint8_t>(f.digit(p, f.levelEvent[l]));
    }
    for (int l = f.levels - 1; l >= 0; --l)
        differAfter[l] = differAfter[l + 1] + (ownJ[l] != ownP[l] ? 1 : 0);
    auto walk = [&](auto& self, int level, std::uint32_t base, int leftJ, int leftP) -> void {
        // Where j and p differ a result misses at least one of them.
        if (differAfter[level] > leftJ + leftP)
            return;
        if (level == f.levels) {
            emit(base, base + 1);
            return;
        }
        const int e = f.levelEvent[level];
        const std::uint32_t stride = f.stride[e];
        const std::uint32_t block = stride * f.size[e];
        const int rest = f.levels - level;
        if (leftJ >= rest && leftP >= rest) {
            emit(base, base + block);
            return;
        }
        if (leftJ == 0 || leftP == 0) {
            // Every later event must agree with the one of the two that has no
            // miss left, and then with the other one too.
            const std::uint32_t r = base + (leftJ == 0 ? j : p) % block;
            emit(r, r + 1);
            return;
        }
        for (int d = 0; d < f.size[e]; ++d)
            self(self, level + 1, base + static_cast<std::uint32_t>(d) * stride,
                 leftJ - (d != ownJ[level] ? 1 : 0), leftP - (d != ownP[level] ? 1 : 0));
    };
    walk(walk, 0, 0, misses, misses);
}

// Calls emit(index), in field order, for every result that a coupon (given as
// its allowed digits) guesses in all but at most `misses` events.
template <class Emit>
void forEachReached(const FieldLayout& f, const DigitSets& allowed, int misses, Emit&& emit) {
    auto walk = [&](auto& self, int e, std::uint32_t base, int left) -> void {
        if (e == kEvents) {
            emit(base);
            return;
        }
        for (int d = 0; d < f.size[e]; ++d) {
            const int miss = (allowed[e] >> d) & 1 ? 0 : 1;
            if (miss > left)
                continue;
            self(self, e + 1, base + static_cast<std::uint32_t>(d) * f.stride[e], left - miss);
        }
    };
    walk(walk, 0, 0, misses);
}

} // namespace kav
