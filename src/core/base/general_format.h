// The general number format of the analysis table: a value rounded to a number
// of significant digits, written plainly or in scientific form (1E2, 1.2E-6).
#pragma once

#include <string>

namespace kav {

// `value` rounded to `digits` significant digits (1..17), halves to even on the
// exact binary value, trailing zeros and a trailing "." removed. Plain notation
// while the rounded value has at most `digits` digits before the point and is at
// least 0.00001 in magnitude (or is 0); scientific otherwise, with the exponent
// signed only when negative: 100 with 2 digits is "1E2", 0.0000012 is "1.2E-6".
std::string generalFormat(double value, int digits);

// `value` with exactly `decimals` decimals and "." as separator, rounded half to
// even on the exact binary value, as "%.*f" rounds in the "C" locale, whatever
// locale the program runs under: 630.25, 1040.00. Infinity and NaN as "INF",
// "-INF" and "NAN".
std::string fixedText(double value, int decimals);

} // namespace kav
