#include "core/base/general_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kav {

std::string generalFormat(double value, int digits) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    digits = std::clamp(digits, 1, 17);
    // to_chars rounds the exact binary value, ties to even, and carries into
    // the exponent (9.96 -> 1.0e+01), which is the rounding the format wants;
    // unlike printf it never writes the locale's decimal comma.
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    std::string text(buf, written.ptr);
    const auto ePos = text.find('e');
    std::size_t expStart = ePos + 1;
    if (text[expStart] == '+')
        ++expStart;
    int exponent = 0;
    std::from_chars(text.data() + expStart, text.data() + text.size(), exponent);
    std::string mantissa = text.substr(0, ePos);
    const bool negative = mantissa.front() == '-';
    if (negative)
        mantissa.erase(0, 1);
    std::string significant;
    for (char c : mantissa)
        if (c != '.')
            significant += c;
    while (significant.size() > 1 && significant.back() == '0')
        significant.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= digits || exponent < -5) {
        out += significant.substr(0, 1);
        if (significant.size() > 1) {
            out += '.';
            out += significant.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += significant;
        return out;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (significant.size() <= whole) {
        out += significant;
        out.append(whole - significant.size(), '0');
    } else {
        out += significant.substr(0, whole);
        out += '.';
        out += significant.substr(whole);
    }
    return out;
}

std::string fixedText(double value, int decimals) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    // Enough for the largest double written out in full with its decimals.
    char buf[1100];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                                       std::clamp(decimals, 0, 700));
    return written.ec == std::errc{} ? std::string(buf, written.ptr) : std::string("NAN");
}

} // namespace kav
