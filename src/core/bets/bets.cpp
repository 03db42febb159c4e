#include "core/bets/bets.h"

namespace kav {

BetMask toMask(const Coupon& c) {
    std::uint32_t o = 0, d = 0, t = 0;
    for (int e = 0; e < kEvents; ++e) {
        if (c[e] & 1)
            o |= eventBit(e);
        if (c[e] & 2)
            d |= eventBit(e);
        if (c[e] & 4)
            t |= eventBit(e);
    }
    return {static_cast<std::int16_t>(o), static_cast<std::int16_t>(d),
            static_cast<std::int16_t>(t)};
}

Coupon toCoupon(const BetMask& m) {
    Coupon c{};
    for (int e = 0; e < kEvents; ++e) {
        auto b = eventBit(e);
        c[e] = static_cast<OutcomeSet>(((m.ones & b) ? 1 : 0) | ((m.draws & b) ? 2 : 0) |
                                       ((m.twos & b) ? 4 : 0));
    }
    return c;
}

BetMask variantMask(const Variant& v) {
    Coupon c{};
    for (int e = 0; e < kEvents; ++e)
        c[e] = outcomeBit(v[e]);
    return toMask(c);
}

std::uint64_t variantCount(const Coupon& c) {
    std::uint64_t n = 1;
    for (auto s : c)
        n *= static_cast<std::uint64_t>(outcomeSetSize(s));
    return n;
}

std::string variantText(const Variant& v) {
    std::string s(kEvents, ' ');
    for (int e = 0; e < kEvents; ++e)
        s[e] = outcomeLetter(v[e]);
    return s;
}

} // namespace kav
