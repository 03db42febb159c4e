#include "core/forming/autoform_field.h"

#include <vector>

namespace kav {

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

} // namespace kav
