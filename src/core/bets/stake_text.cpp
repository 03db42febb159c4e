#include "core/bets/stake_text.h"

#include "core/base/player_text.h"
#include "core/bets/bet_list.h"

namespace kav {

namespace {

bool isPlainDecimal(std::string_view s) {
    bool digits = false, dot = false;
    for (char c : s) {
        if (c >= '0' && c <= '9')
            digits = true;
        else if (c == '.' && !dot)
            dot = true;
        else
            return false;
    }
    return digits;
}

} // namespace

std::optional<Stake> readStake(std::string_view text) {
    std::string_view t = trimLine(text);
    if (!isPlainDecimal(t))
        return std::nullopt;
    auto value = Fixed4::parse(t);
    if (!value || *value <= Fixed4() || *value > Fixed4::fromInt(kMaxStake))
        return std::nullopt;
    return Stake{padTwoDecimals(std::string(t)), *value};
}

Message badStakeMessage() {
    return Message{
        kav::Text::tr("Сумма на одну ставку должна быть положительным числом, например 20.00")};
}

} // namespace kav
