#include "core/forming/autoform_field.h"

#include <algorithm>
#include <array>
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
    // The block's candidates share the walk of the first levels; at each of
    // its ends their lists are added side by side, a group of kSide at a time
    // where the lists are as long, so their sums' roundings overlap in time.
    // Each sum still takes its own members one by one in field order.
    constexpr std::uint32_t kSide = 8;
    to = std::min(to, suffixSize_);
    from = std::min(from, to);
    std::fill(sums + from, sums + to, 0.0f);
    auto add = [&](std::uint32_t base, std::uint32_t list) {
        for (std::uint32_t i = start_[list]; i < start_[list + 1]; ++i) {
            const std::uint32_t r = base + members_[i];
            sums[list / radii_] = sums[list / radii_] + (state[r] == 0 ? weight[r] : 0.0f);
        }
    };
    forEachPrefix(first, [&](std::uint32_t base, int left) {
        const auto t = static_cast<std::uint32_t>(std::min(left, radii_ - 1));
        std::uint32_t c = from;
        for (; c + kSide <= to; c += kSide) {
            std::array<const std::uint16_t*, kSide> list{};
            const std::uint32_t length = start_[c * radii_ + t + 1] - start_[c * radii_ + t];
            bool same = true;
            for (std::uint32_t k = 0; k < kSide; ++k) {
                const std::uint32_t at = (c + k) * radii_ + t;
                list[k] = members_.data() + start_[at];
                same = same && start_[at + 1] - start_[at] == length;
            }
            if (!same) {
                for (std::uint32_t k = 0; k < kSide; ++k)
                    add(base, (c + k) * radii_ + t);
                continue;
            }
            std::array<float, kSide> acc{};
            for (std::uint32_t k = 0; k < kSide; ++k)
                acc[k] = sums[c + k];
            for (std::uint32_t i = 0; i < length; ++i)
                for (std::uint32_t k = 0; k < kSide; ++k) {
                    const std::uint32_t r = base + list[k][i];
                    acc[k] = acc[k] + (state[r] == 0 ? weight[r] : 0.0f);
                }
            for (std::uint32_t k = 0; k < kSide; ++k)
                sums[c + k] = acc[k];
        }
        for (; c < to; ++c)
            add(base, c * radii_ + t);
    });
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
