// Fixed4: a signed 64-bit fixed-point number with four decimals, used for
// quotes, pool shares, stakes and money amounts.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// 128-bit integers for exact intermediate products (a GCC/Clang extension).
__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double x);
std::int64_t roundHalfEvenToInt(double x);

class Fixed4 {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Fixed4() = default;
    static constexpr Fixed4 fromRaw(std::int64_t raw) {
        Fixed4 f;
        f.raw_ = raw;
        return f;
    }
    static constexpr Fixed4 fromInt(std::int64_t v) { return fromRaw(v * kScale); }
    // Nearest Fixed4 unit, halves to even.
    static Fixed4 fromDouble(double v);
    // Reads a decimal number: optional blanks, optional sign, digits with an
    // optional "." and fraction, optional exponent; more than four decimals are
    // rounded half to even. Nothing when the text is not a number or overflows.
    static std::optional<Fixed4> parse(std::string_view text);
    // A number as a player types it into a field: parse() that also takes ","
    // as the decimal separator ("20,5" is 20.5) and blanks between digit
    // groups ("1 000,50"). A text with both "," and "." is refused, so a
    // thousands separator is never mistaken for a decimal one.
    static std::optional<Fixed4> parseTyped(std::string_view text);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / kScale; }
    // Nearest integer, halves to even.
    std::int64_t roundToInt() const;

    // At most four decimals, no trailing zeros, "." as separator: 20, 20.5, 160.25.
    std::string moneyText() const;
    // The money text padded to at least two decimals: 20.00, 20.50, 160.25.
    std::string moneyText2() const;

    constexpr Fixed4 operator+(Fixed4 o) const { return fromRaw(raw_ + o.raw_); }
    constexpr Fixed4 operator-(Fixed4 o) const { return fromRaw(raw_ - o.raw_); }
    constexpr Fixed4 operator-() const { return fromRaw(-raw_); }
    Fixed4& operator+=(Fixed4 o) {
        raw_ += o.raw_;
        return *this;
    }
    Fixed4& operator-=(Fixed4 o) {
        raw_ -= o.raw_;
        return *this;
    }
    // Products and quotients go through floating point and are rounded back.
    Fixed4 operator*(Fixed4 o) const;
    Fixed4 operator/(Fixed4 o) const;
    Fixed4 operator*(double k) const { return fromDouble(toDouble() * k); }

    constexpr auto operator<=>(const Fixed4&) const = default;

private:
    std::int64_t raw_ = 0;
};

// A number as the player typed it ("1 000,5"), in the plain form that parse()
// and every reader of "." numbers take ("1000.5"); a text parseTyped() refuses
// comes back unchanged, so a message about it quotes what was typed.
std::string plainNumberText(std::string_view typed);

// Pads a decimal text to at least two decimals: "20" -> "20.00", "20." -> "20.00",
// "20.5" -> "20.50"; longer fractions stay as they are.
std::string padTwoDecimals(std::string text);

} // namespace kav
