#include "core/check/result_block.h"

#include "core/base/text.h"

#include <vector>

namespace kav {
namespace {

// "—", "–", ":", "-" or "=" between a category and its prize.
std::string_view afterDash(std::string_view s) {
    s = trimBlanks(s);
    for (std::string_view dash : {"\xE2\x80\x94", "\xE2\x80\x93", ":", "-", "="})
        if (s.substr(0, dash.size()) == dash)
            return trimBlanks(s.substr(dash.size()));
    return {};
}

std::string_view withoutCurrency(std::string_view s) {
    for (std::string_view unit : {"руб.", "руб", "грн.", "грн", "\xE2\x82\xBD"})
        if (s.size() >= unit.size() && s.substr(s.size() - unit.size()) == unit)
            return trimBlanks(s.substr(0, s.size() - unit.size()));
    return s;
}

struct PrizeLine {
    int category = 0;
    Fixed4 amount;
};

std::optional<PrizeLine> readPrizeLine(std::string_view line) {
    line = trimBlanks(line);
    std::size_t digits = 0;
    while (digits < line.size() && digits < 3 && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 2)
        return std::nullopt;
    const int k = std::stoi(std::string(line.substr(0, digits)));
    if (k < 9 || k > 15)
        return std::nullopt;
    std::string_view rest = afterDash(line.substr(digits));
    rest = withoutCurrency(rest);
    if (rest.empty())
        return std::nullopt;
    auto amount = Fixed4::parseTyped(rest);
    if (!amount || *amount < Fixed4())
        return std::nullopt;
    return PrizeLine{k, *amount};
}

// A result line, perhaps after a label ("Результат: 1X2...").
std::optional<DrawResult> readResultLine(std::string_view line) {
    if (auto r = parseDrawResult(line))
        return r;
    auto colon = line.rfind(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    return parseDrawResult(line.substr(colon + 1));
}

} // namespace

ResultBlockRead readResultBlock(std::string_view text) {
    ResultBlockRead read;
    ResultBlock block;
    std::vector<std::string_view> others;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty())
            continue;
        // A whole result first: "12-1122..." is a result, not a prize of 12.
        if (parseDrawResult(line)) {
            others.push_back(line);
            continue;
        }
        if (auto prize = readPrizeLine(line)) {
            auto& slot = block.prizes[static_cast<std::size_t>(prize->category - 9)];
            if (slot) {
                read.fault = "выигрыш за " + std::to_string(prize->category) + " указан дважды";
                return read;
            }
            slot = prize->amount;
            continue;
        }
        others.push_back(line);
    }
    std::optional<DrawResult> result;
    for (std::string_view line : others)
        if ((result = readResultLine(line)))
            break;
    if (!result) { // one outcome a line
        std::string joined;
        for (std::string_view line : others)
            joined += std::string(line) + ' ';
        result = parseDrawResult(joined);
    }
    if (!result) {
        read.fault = "в тексте нет результата из 15 исходов";
        return read;
    }
    block.result = *result;
    read.block = block;
    return read;
}

std::string resultBlockText(const ResultBlock& block) {
    std::string text = drawResultText(block.result) + '\n';
    for (int k = 15; k >= 9; --k)
        if (const auto& prize = block.prizes[static_cast<std::size_t>(k - 9)])
            text += std::to_string(k) + ": " + prize->moneyText() + '\n';
    return text;
}

} // namespace kav
