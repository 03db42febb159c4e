#include "core/base/fixed4.h"

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
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
} // namespace

std::optional<Fixed4> Fixed4::parse(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    if (s.empty())
        return std::nullopt;
    std::size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') {
        negative = s[i] == '-';
        ++i;
    }
    // Collect the significant digits as an integer mantissa with a decimal exponent.
    // Up to 30 digits are kept exactly in a 128-bit integer.
    UInt128 mant = 0;
    int exp10 = 0;
    int digits = 0;
    bool any = false;
    bool dropped = false; // non-zero digits beyond what we keep (only matter for ties)
    auto takeDigit = [&](int d, bool fraction) {
        any = true;
        if (digits < 30) {
            if (mant != 0 || d != 0)
                ++digits;
            mant = mant * 10 + static_cast<unsigned>(d);
            if (fraction)
                --exp10;
        } else {
            if (d != 0)
                dropped = true;
            if (!fraction)
                ++exp10;
        }
    };
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        takeDigit(s[i++] - '0', false);
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            takeDigit(s[i++] - '0', true);
    }
    if (!any)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool eneg = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            eneg = s[i] == '-';
            ++i;
        }
        if (i >= s.size() || s[i] < '0' || s[i] > '9')
            return std::nullopt;
        int e = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            if (e < 10000)
                e = e * 10 + (s[i] - '0');
            ++i;
        }
        exp10 += eneg ? -e : e;
    }
    if (i != s.size())
        return std::nullopt;
    // Scale to units of 1/10000: value = mant * 10^(exp10 + 4).
    int shift = exp10 + 4;
    const UInt128 limit = static_cast<UInt128>(std::numeric_limits<std::int64_t>::max());
    if (mant == 0)
        return Fixed4();
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
            return Fixed4();
        UInt128 div = 1;
        for (int k = 0; k < -shift; ++k)
            div *= 10;
        UInt128 rem = mant % div;
        mant /= div;
        // Round half to even; digits dropped beyond 30 break a tie upwards.
        bool up = rem * 2 > div || (rem * 2 == div && (dropped || (mant & 1)));
        if (up)
            ++mant;
        if (mant > limit)
            return std::nullopt;
    }
    auto raw = static_cast<std::int64_t>(mant);
    return fromRaw(negative ? -raw : raw);
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
