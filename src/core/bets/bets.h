// The three shapes of a bet shared by every part of the program: a single
// Variant, a Coupon of outcome sets, and the BetMask triple used for matching.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace kav {

constexpr int kEvents = 15;
constexpr int kOutcomes = 3;
constexpr std::uint16_t kFullMask = 0x7FFF;

// Outcome index 0..2 ("1", "X", "2") <-> letter and set bit.
constexpr char outcomeLetter(int outcome0) {
    return "1X2"[outcome0];
}
constexpr std::uint8_t outcomeBit(int outcome0) {
    return static_cast<std::uint8_t>(1u << outcome0);
}
// Index 0..2 of a letter "1", "X"/"x", "2"; -1 for anything else.
constexpr int outcomeIndex(char c) {
    switch (c) {
    case '1':
        return 0;
    case 'X':
    case 'x':
        return 1;
    case '2':
        return 2;
    default:
        return -1;
    }
}

// Bit of event e (0-based, event 1 = index 0) inside a 15-bit mask: event 1 is bit 14.
constexpr std::uint16_t eventBit(int event0) {
    return static_cast<std::uint16_t>(1u << (14 - event0));
}

// Allowed outcomes of one event: 1 = "1", 2 = "X", 4 = "2".
using OutcomeSet = std::uint8_t;
constexpr int outcomeSetSize(OutcomeSet s) {
    return std::popcount(static_cast<unsigned>(s & 7u));
}

// 15 outcome sets, event 1 first.
using Coupon = std::array<OutcomeSet, kEvents>;

// One outcome index (0..2) per event, event 1 first.
using Variant = std::array<std::uint8_t, kEvents>;

// A coupon as three 16-bit masks; ones == -1 marks a line that is not a coupon.
struct BetMask {
    std::int16_t ones = 0;
    std::int16_t draws = 0;
    std::int16_t twos = 0;

    bool valid() const { return ones != -1; }
    bool operator==(const BetMask&) const = default;
};

constexpr BetMask kInvalidMask{-1, 0, 0};

// Number of set bits among the low 15 bits.
constexpr int getcat(std::uint32_t mask) {
    return std::popcount(mask & kFullMask);
}

// Events of `result` (one bit per event across its masks) that `coupon` guesses.
constexpr int matchCount(const BetMask& coupon, const BetMask& result) {
    return getcat(static_cast<std::uint32_t>(
        (coupon.ones & result.ones) | (coupon.draws & result.draws) | (coupon.twos & result.twos)));
}

BetMask toMask(const Coupon& c);
Coupon toCoupon(const BetMask& m);
BetMask variantMask(const Variant& v);
std::uint64_t variantCount(const Coupon& c);
// Fifteen letters "1", "X", "2".
std::string variantText(const Variant& v);

} // namespace kav
