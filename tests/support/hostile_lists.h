// Bet lists for the hostile-input tests of the CLI and the window.
#pragma once

#include <cstddef>
#include <string>

namespace kav::testing {

// One complete coupon of one variant at 20.
inline const std::string kSingleCoupon =
    "20;1-(1);2-(1);3-(1);4-(1);5-(1);6-(1);7-(1);8-(1);9-(1);10-(1);11-(1);12-(1);"
    "13-(1);14-(1);15-(2).";

// The coupon repeated, CR LF after each, until the text reaches `bytes`.
struct RepeatedList {
    std::string text;
    std::size_t lines = 0;
};
inline RepeatedList repeatedCoupons(std::size_t bytes) {
    RepeatedList list;
    while (list.text.size() < bytes) {
        list.text += kSingleCoupon + "\r\n";
        ++list.lines;
    }
    return list;
}

} // namespace kav::testing
