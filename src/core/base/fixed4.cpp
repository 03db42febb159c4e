#include "core/base/fixed4.h"
#include "core/base/text.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace kav {

double roundHalfEven(double x) {
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless somebody changed it; do the rounding explicitly to be safe.
    double fl = std::floor(x);
    double diff = x - fl;
    if (diff > 0.5)
        return fl + 1.0;
    if (diff < 0.5)
        return fl;
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

std::int64_t roundHalfEvenToInt(double x) {
    double r = roundHalfEven(x);
    if (!(r > -9.2e18 && r < 9.2e18))
        return r < 0 ? std::numeric_limits<std::int64_t>::min()
                     : std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(r);
}

Fixed4 Fixed4::fromDouble(double v) {
    return fromRaw(roundHalfEvenToInt(v * kScale));
}

std::int64_t Fixed4::roundToInt() const {
    std::int64_t q = raw_ / kScale;
    std::int64_t r = raw_ % kScale;
    if (r < 0) {
        q -= 1;
        r += kScale;
    }
    if (r > kScale / 2 || (r == kScale / 2 && (q & 1)))
        ++q;
    return q;
}

Fixed4 Fixed4::operator*(Fixed4 o) const {
    return fromDouble(toDouble() * o.toDouble());
}
Fixed4 Fixed4::operator/(Fixed4 o) const {
    return fromDouble(toDouble() / o.toDouble());
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Up to this many significant digits are kept exactly in a 128-bit integer.
constexpr int kKeptDigits = 30;

// A decimal number as read: mantissa x 10^exp10, with the sign apart.
struct DecimalNumber {
    bool negative = false;
    UInt128 mantissa = 0;
    int exp10 = 0;
    bool dropped = false; // non-zero digits beyond those kept (they only matter for ties)
};

// The significant digits of "ddd[.ddd]" from s[i]; false when there is none.
bool readMantissa(std::string_view s, std::size_t& i, DecimalNumber& n) {
    int digits = 0;
    bool any = false;
    auto takeDigit = [&](int d, bool fraction) {
        any = true;
        if (digits < kKeptDigits) {
            if (n.mantissa != 0 || d != 0)
                ++digits;
            n.mantissa = n.mantissa * 10 + static_cast<unsigned>(d);
            if (fraction)
                --n.exp10;
        } else {
            if (d != 0)
                n.dropped = true;
            if (!fraction)
                ++n.exp10;
        }
    };
    while (i < s.size() && isDigit(s[i]))
        takeDigit(s[i++] - '0', false);
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            takeDigit(s[i++] - '0', true);
    }
    return any;
}

// An optional exponent "e[+-]ddd" from s[i], added to n; false when it has no digits.
// Exponents beyond 10^4 are as good as infinite and are not read further.
bool readExponent(std::string_view s, std::size_t& i, DecimalNumber& n) {
    if (i >= s.size() || (s[i] != 'e' && s[i] != 'E'))
        return true;
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i >= s.size() || !isDigit(s[i]))
        return false;
    int e = 0;
    while (i < s.size() && isDigit(s[i])) {
        if (e < 10000)
            e = e * 10 + (s[i] - '0');
        ++i;
    }
    n.exp10 += negative ? -e : e;
    return true;
}

std::optional<DecimalNumber> readDecimal(std::string_view s) {
    DecimalNumber n;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        n.negative = s[i] == '-';
        ++i;
    }
    if (!readMantissa(s, i, n) || !readExponent(s, i, n) || i != s.size())
        return std::nullopt;
    return n;
}

// The number in units of 1/10000, rounded half to even; nothing beyond the range.
std::optional<std::int64_t> toUnits(const DecimalNumber& n) {
    const int shift = n.exp10 + 4;
    const UInt128 limit = static_cast<UInt128>(std::numeric_limits<std::int64_t>::max());
    UInt128 mant = n.mantissa;
    if (mant == 0)
        return 0;
    if (shift >= 0) {
        for (int k = 0; k < shift; ++k) {
            if (mant > limit)
                return std::nullopt;
            mant *= 10;
        }
        if (mant > limit)
            return std::nullopt;
    } else {
        if (-shift > 36) // the mantissa has at most 30 digits: far below half a unit
            return 0;
        UInt128 div = 1;
        for (int k = 0; k < -shift; ++k)
            div *= 10;
        UInt128 rem = mant % div;
        mant /= div;
        // Round half to even; digits dropped beyond 30 break a tie upwards.
        bool up = rem * 2 > div || (rem * 2 == div && (n.dropped || (mant & 1)));
        if (up)
            ++mant;
        if (mant > limit)
            return std::nullopt;
    }
    const auto raw = static_cast<std::int64_t>(mant);
    return n.negative ? -raw : raw;
}

} // namespace

std::optional<Fixed4> Fixed4::parse(std::string_view s) {
    s = trimBlanks(s);
    if (s.empty())
        return std::nullopt;
    const auto number = readDecimal(s);
    if (!number)
        return std::nullopt;
    const auto units = toUnits(*number);
    if (!units)
        return std::nullopt;
    return fromRaw(*units);
}

namespace {

// The typed text in parse()'s form: "," becomes ".", blanks between digits go.
// Nothing for a text with both separators.
std::optional<std::string> plainForm(std::string_view s) {
    s = trimBlanks(s);
    const bool comma = s.find(',') != std::string_view::npos;
    if (comma && s.find('.') != std::string_view::npos)
        return std::nullopt;
    std::string text;
    text.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ',') {
            text += '.';
        } else if (c == ' ' || c == '\t') {
            // Only a blank between two digits groups them; any other blank
            // leaves the text as typed, for parse() to refuse.
            const bool grouping = i > 0 && i + 1 < s.size() &&
                                  std::isdigit(static_cast<unsigned char>(s[i - 1])) &&
                                  std::isdigit(static_cast<unsigned char>(s[i + 1]));
            if (!grouping)
                text += c;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace

std::optional<Fixed4> Fixed4::parseTyped(std::string_view s) {
    const auto plain = plainForm(s);
    if (!plain)
        return std::nullopt;
    return parse(*plain);
}

std::string plainNumberText(std::string_view typed) {
    const auto plain = plainForm(typed);
    if (!plain || !Fixed4::parse(*plain))
        return std::string(typed);
    return *plain;
}

std::string Fixed4::moneyText() const {
    unsigned long long a = raw_ < 0 ? static_cast<unsigned long long>(-(raw_ + 1)) + 1ULL
                                    : static_cast<unsigned long long>(raw_);
    unsigned long long whole = a / kScale;
    unsigned long long frac = a % kScale;
    std::string out = raw_ < 0 ? "-" : "";
    out += std::to_string(whole);
    if (frac != 0) {
        std::string f = std::to_string(frac + kScale).substr(1); // four digits
        while (!f.empty() && f.back() == '0')
            f.pop_back();
        out += '.';
        out += f;
    }
    return out;
}

std::string Fixed4::moneyText2() const {
    return padTwoDecimals(moneyText());
}

std::string padTwoDecimals(std::string text) {
    auto dot = text.find('.');
    if (dot == std::string::npos) {
        text += ".00";
        return text;
    }
    while (text.size() - dot - 1 < 2)
        text += '0';
    return text;
}

} // namespace kav
