#include "core/base/general_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kav {

std::string generalFormat(double value, int digits) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    digits = std::clamp(digits, 1, 17);
    // printf rounds the exact binary value, ties to even, and carries into the
    // exponent (9.96 -> 1.0e+01), which is the rounding the format wants.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    std::string text = buf;
    const auto ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
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

} // namespace kav
