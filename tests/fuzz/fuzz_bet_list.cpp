// The bet-list parse and the removal of marked variants, on any text and any
// selection. The first 15 bytes choose the marked outcomes (3 bits each).
#include "core/bets/bet_list.h"
#include "fuzz/fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

using namespace kav;

namespace {

bool subsetOf(const Coupon& inner, const Coupon& outer) {
    for (int e = 0; e < kEvents; ++e)
        if ((inner[e] & ~outer[e]) != 0)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kEvents)
        return 0;
    DrawModel m;
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o)
            m.selection[e][o] = (data[e] >> o) & 1;
    std::string_view text(reinterpret_cast<const char*>(data + kEvents), size - kEvents);
    Lines lines = splitLines(text);

    auto parse = parseBetList(lines);
    std::vector<Coupon> inputCoupons;
    if (parse) {
        FUZZ_CHECK(parse->masks.size() == lines.size());
        std::int64_t count = 0;
        for (const auto& mask : parse->masks) {
            if (!mask.valid())
                continue;
            auto o = static_cast<std::uint16_t>(mask.ones),
                 d = static_cast<std::uint16_t>(mask.draws),
                 t = static_cast<std::uint16_t>(mask.twos);
            FUZZ_CHECK(((o | d | t) & 0x8000) == 0);
            FUZZ_CHECK((o | d | t) == kFullMask);
            Coupon c = toCoupon(mask);
            count += static_cast<std::int64_t>(variantCount(c));
        }
        FUZZ_CHECK(count == parse->count);
    }

    auto removal = removeMarkedVariants(m, lines);
    bool complete = true;
    for (int e = 0; e < kEvents; ++e)
        complete = complete && m.markedSet(e) != 0;
    FUZZ_CHECK(removal.ran == complete);
    if (!removal.ran)
        return 0;
    // Every line the removal wrote is a part of a coupon it was given, and lies
    // outside the box of marked outcomes.
    for (const auto& l : lines) {
        ParsedLine p = parseBetLine(l);
        if (p.mask.valid())
            inputCoupons.push_back(toCoupon(p.mask));
    }
    Lines remaining = lines;
    for (const auto& l : removal.lines) {
        auto it = std::find(remaining.begin(), remaining.end(), l);
        if (it != remaining.end()) {
            remaining.erase(it);
            continue;
        }
        ParsedLine p = parseBetLine(l);
        FUZZ_CHECK(p.mask.valid());
        Coupon c = toCoupon(p.mask);
        bool fromInput = std::any_of(inputCoupons.begin(), inputCoupons.end(),
                                     [&](const Coupon& in) { return subsetOf(c, in); });
        FUZZ_CHECK(fromInput);
        bool inside = true;
        for (int e = 0; e < kEvents; ++e)
            inside = inside && (c[e] & ~m.markedSet(e)) == 0;
        FUZZ_CHECK(!inside);
    }
    return 0;
}
