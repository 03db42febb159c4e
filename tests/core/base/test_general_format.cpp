#include "core/base/general_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FormatCase {
    double value;
    int digits;
    const char* text;
};

TEST(GeneralFormat, RoundsToSignificantDigitsAndPicksTheNotation) {
    const FormatCase cases[] = {
        // plain, trailing zeros and a trailing point dropped
        {9.4321, 2, "9.4"},
        {0.40, 2, "0.4"},
        {1.0, 2, "1"},
        {12, 2, "12"},
        {15.8049, 3, "15.8"},
        {100, 3, "100"},
        {0.00039, 2, "0.00039"},
        {-0.5, 2, "-0.5"},
        {0, 2, "0"},
        {0, 3, "0"},
        // rounding carries into a new digit
        {9.96, 2, "10"},
        {0.0999, 2, "0.1"},
        // exact binary halves go to the even digit; inexact ones by their true value
        {0.125, 2, "0.12"},
        {0.375, 2, "0.38"},
        {98.5, 2, "98"},
        {0.135, 2, "0.14"},
        // more digits before the point than significant digits: scientific
        {100, 2, "1E2"},
        {99.5, 2, "1E2"},
        {120, 2, "1.2E2"},
        {999.5, 3, "1E3"},
        {1234, 3, "1.23E3"},
        {-1234, 3, "-1.23E3"},
        // below 0.00001 after rounding: scientific
        {0.0000012, 2, "1.2E-6"},
        {0.0000099, 2, "9.9E-6"},
        {0.00001, 2, "0.00001"},
        {0.0000099996, 2, "0.00001"},
        {0.000012345, 3, "0.0000123"},
        {3.0517578125e-9, 2, "3.1E-9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kav::generalFormat(c.value, c.digits), c.text) << c.value << " with " << c.digits;
}

TEST(GeneralFormat, NamesValuesThatAreNoNumbers) {
    EXPECT_EQ(kav::generalFormat(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
    EXPECT_EQ(kav::generalFormat(std::numeric_limits<double>::infinity(), 2), "INF");
    EXPECT_EQ(kav::generalFormat(-std::numeric_limits<double>::infinity(), 3), "-INF");
}

} // namespace
