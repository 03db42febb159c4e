// Small text helpers shared by the readers of typed and stored numbers.
#pragma once

#include <string_view>

namespace kav {

// Blank, tab, line breaks, vertical tab and form feed.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The text without blanks at either end.
constexpr std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace kav
