// The stake field's text as the forming actions write it into bet lines.
#pragma once

#include "core/base/fixed4.h"
#include "core/base/message.h"

#include <optional>
#include <string>
#include <string_view>

namespace kav {

struct Stake {
    std::string text; // as typed, padded to at least two decimals: 20 -> 20.00
    Fixed4 value;
};

// Largest stake per bet accepted: a full coupon of 3^15 variants must still
// have an amount that fits a Fixed4.
constexpr std::int64_t kMaxStake = 10'000'000;

// Nothing when the text is empty, is no plain decimal number (digits with an
// optional "." and fraction), or is not above 0 and at most kMaxStake: a line
// written from such a text could not be read back or would overflow its amount.
std::optional<Stake> readStake(std::string_view text);

// The message that refuses an action while the stake field holds no usable number.
Message badStakeMessage();

} // namespace kav
