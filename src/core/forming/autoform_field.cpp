#include "core/forming/autoform_field.h"

#include <algorithm>
#include <array>
#include <bit>
#include <initializer_list>
#include <vector>

namespace kav {

namespace {

// Levels whose members come from lists (3^5 suffix results at most).
constexpr int kSuffixLevels = 5;

} // namespace

std::optional<FieldLayout> fieldLayout(const DrawModel& m) {
    FieldLayout f;
    for (int e = 0; e < kEvents; ++e) {
        for (int o = 0; o < kOutcomes; ++o)
            if (m.marked(e, o))
                f.outcome[e][f.size[e]++] = static_cast<std::uint8_t>(o);
        if (f.size[e] == 0)
            return std::nullopt;
    }
    std::uint32_t stride = 1;
    for (int e = kEvents - 1; e >= 0; --e) {
        f.stride[e] = stride;
        stride *= f.size[e];
    }
    f.count = stride;
    for (int e = 0; e < kEvents; ++e)
        if (f.size[e] > 1)
            f.levelEvent[f.levels++] = static_cast<std::uint8_t>(e);
    return f;
}

Variant FieldLayout::variant(std::uint32_t index) const {
    Variant v{};
    for (int e = 0; e < kEvents; ++e)
        v[e] = outcome[e][digit(index, e)];
    return v;
}

std::uint64_t ballSize(const FieldLayout& f, int misses) {
    // Coefficients of the product over events of (1 + (size - 1) x): results
    // with exactly t wrong events.
    std::vector<std::uint64_t> exact(kEvents + 1, 0);
    exact[0] = 1;
    for (int e = 0; e < kEvents; ++e)
        for (int t = kEvents; t >= 1; --t)
            exact[t] += exact[t - 1] * static_cast<std::uint64_t>(f.size[e] - 1);
    std::uint64_t n = 0;
    for (int t = 0; t <= misses && t <= kEvents; ++t)
        n += exact[t];
    return n;
}

BallInOrder::BallInOrder(const FieldLayout& f, int misses) : f_(f), misses_(misses) {
    const int suffixLevels = std::min(f.levels, kSuffixLevels);
    prefixLevels_ = f.levels - suffixLevels;
    radii_ = suffixLevels + 1;
    if (suffixLevels > 0) {
        const int e = f.levelEvent[prefixLevels_];
        suffixSize_ = f.stride[e] * f.size[e];
    }
    auto distance = [&](std::uint32_t a, std::uint32_t b) {
        int d = 0;
        for (int l = prefixLevels_; l < f.levels; ++l)
            d += f.digit(a, f.levelEvent[l]) != f.digit(b, f.levelEvent[l]) ? 1 : 0;
        return d;
    };
    start_.push_back(0);
    for (std::uint32_t s = 0; s < suffixSize_; ++s)
        for (int t = 0; t < radii_; ++t) {
            for (std::uint32_t o = 0; o < suffixSize_; ++o)
                if (distance(s, o) <= t)
                    members_.push_back(static_cast<std::uint16_t>(o));
            start_.push_back(static_cast<std::uint32_t>(members_.size()));
        }
}

void BallInOrder::sumsOfBlock(std::uint32_t first, const std::uint8_t* state, const float* weight,
                              float* sums, std::uint32_t from, std::uint32_t to) const {
    to = std::min(to, suffixSize_);
    from = std::min(from, to);
    std::vector<std::uint32_t> which(to - from);
    for (std::uint32_t c = from; c < to; ++c)
        which[c - from] = c;
    sumsOf(first, state, weight, which.data(), which.size(), sums + from);
}

void BallInOrder::sumsOf(std::uint32_t first, const std::uint8_t* state, const float* weight,
                         const std::uint32_t* which, std::size_t n, float* sums) const {
    // A part of the field the walk visits with a radius left is wanted whole
    // by every candidate: its free weights (0 where taken) are copied out
    // once, and each candidate adds its members from the copy. At the rim (no
    // radius left) each takes its own result only.
    constexpr std::size_t kAhead = 32; // parts of the field asked for ahead
    constexpr std::uint32_t kLine = 64;
    if (n == 0)
        return;
    std::fill(sums, sums + n, 0.0f);
    std::array<std::pair<std::uint32_t, std::uint32_t>, kAhead> ring{};
    std::size_t queued = 0;
    auto freeWeight = [&](std::uint32_t r) {
        // Branch-free: which results are taken follows no pattern a branch
        // could learn.
        const std::uint32_t keep = state[r] == 0 ? ~0u : 0u;
        return std::bit_cast<float>(std::bit_cast<std::uint32_t>(weight[r]) & keep);
    };
    auto fetch = [&](std::uint32_t base, std::uint32_t t) {
        if (t == 0) {
            for (std::size_t i = 0; i < n; ++i) {
                __builtin_prefetch(weight + base + which[i]);
                __builtin_prefetch(state + base + which[i]);
            }
            return;
        }
        for (std::uint32_t at = 0; at < suffixSize_; at += kLine / sizeof(float))
            __builtin_prefetch(weight + base + at);
        for (std::uint32_t at = 0; at < suffixSize_; at += kLine)
            __builtin_prefetch(state + base + at);
    };
    std::vector<float> part(suffixSize_);
    auto listOf = [&](std::uint32_t c, std::uint32_t t) {
        return members_.data() + start_[static_cast<std::size_t>(c) * radii_ + t];
    };
    auto add = [&](std::uint32_t base, std::uint32_t t) {
        if (t == 0) {
            for (std::size_t i = 0; i < n; ++i)
                sums[i] = sums[i] + freeWeight(base + which[i]);
            return;
        }
        for (std::uint32_t s = 0; s < suffixSize_; ++s)
            part[s] = freeWeight(base + s);
        // Every list of one radius is as long: a few sums are added side by
        // side, so that their roundings overlap in time.
        const std::uint32_t length = start_[t + 1] - start_[t];
        std::size_t i = 0;
        for (; i + 4 <= n; i += 4) {
            const std::uint16_t* l0 = listOf(which[i], t);
            const std::uint16_t* l1 = listOf(which[i + 1], t);
            const std::uint16_t* l2 = listOf(which[i + 2], t);
            const std::uint16_t* l3 = listOf(which[i + 3], t);
            float a0 = sums[i], a1 = sums[i + 1], a2 = sums[i + 2], a3 = sums[i + 3];
            for (std::uint32_t m = 0; m < length; ++m) {
                a0 = a0 + part[l0[m]];
                a1 = a1 + part[l1[m]];
                a2 = a2 + part[l2[m]];
                a3 = a3 + part[l3[m]];
            }
            sums[i] = a0;
            sums[i + 1] = a1;
            sums[i + 2] = a2;
            sums[i + 3] = a3;
        }
        for (; i < n; ++i) {
            const std::uint16_t* list = listOf(which[i], t);
            float acc = sums[i];
            for (std::uint32_t m = 0; m < length; ++m)
                acc = acc + part[list[m]];
            sums[i] = acc;
        }
    };
    forEachPrefix(first, [&](std::uint32_t base, int left) {
        const auto t = static_cast<std::uint32_t>(std::min(left, radii_ - 1));
        fetch(base, t);
        if (queued >= kAhead)
            add(ring[queued % kAhead].first, ring[queued % kAhead].second);
        ring[queued % kAhead] = {base, t};
        ++queued;
    });
    for (std::size_t i = queued > kAhead ? queued - kAhead : 0; i < queued; ++i)
        add(ring[i % kAhead].first, ring[i % kAhead].second);
}

DigitSets couponDigits(const FieldLayout& f, std::uint32_t ones, std::uint32_t draws,
                       std::uint32_t twos) {
    DigitSets s{};
    for (int e = 0; e < kEvents; ++e) {
        const std::uint32_t bit = eventBit(e);
        for (int d = 0; d < f.size[e]; ++d) {
            const std::uint32_t mask = f.outcome[e][d] == 0   ? ones
                                       : f.outcome[e][d] == 1 ? draws
                                                              : twos;
            if (mask & bit)
                s[e] |= static_cast<std::uint8_t>(1u << d);
        }
    }
    return s;
}

BallOverlaps overlapSizes(int twos, int threes, int misses, const BallOverlaps* weighOf) {
    BallOverlaps out{};
    using Table = std::array<std::array<std::uint64_t, kEvents + 1>, kEvents + 1>;
    struct Way {
        int missJ, missP;
        std::uint64_t count;
    };
    auto add = [&](Table& t, std::initializer_list<Way> ways) {
        Table next{};
        for (int a = 0; a <= misses; ++a)
            for (int b = 0; b <= misses; ++b)
                for (const Way& w : ways)
                    if (a + w.missJ <= misses && b + w.missP <= misses)
                        next[a + w.missJ][b + w.missP] += t[a][b] * w.count;
        t = next;
    };
    for (int a2 = 0; a2 <= twos; ++a2)
        for (int a3 = 0; a3 <= threes; ++a3) {
            Table t{};
            t[0][0] = 1;
            for (int i = 0; i < twos - a2; ++i)
                add(t, {{0, 0, 1}, {1, 1, 1}});
            for (int i = 0; i < threes - a3; ++i)
                add(t, {{0, 0, 1}, {1, 1, 2}});
            for (int i = 0; i < a2; ++i)
                add(t, {{0, 1, 1}, {1, 0, 1}});
            for (int i = 0; i < a3; ++i)
                add(t, {{0, 1, 1}, {1, 0, 1}, {1, 1, 1}});
            std::uint64_t n = 0;
            for (int a = 0; a <= misses; ++a)
                for (int b = 0; b <= misses; ++b)
                    n += t[a][b] * (weighOf ? (*weighOf)[misses - a][misses - b] : 1);
            out[a2][a3] = static_cast<std::uint32_t>(n);
        }
    return out;
}

} // namespace kav
