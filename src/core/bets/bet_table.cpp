#include "core/bets/bet_table.h"
#include "core/base/player_text.h"

#include <charconv>

namespace kav {

namespace {

// At most n UTF-8 characters from the start of s.
std::string_view firstChars(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    while (i < s.size() && n > 0) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
        --n;
    }
    return s.substr(0, i);
}

std::optional<double> parseAmount(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

} // namespace

std::variant<BetTable, Message> buildBetTable(const Lines& lines) {
    BetTable table;
    table.records.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view rest = trimLine(lines[i]);
        auto semi = rest.find(';');
        if (rest.empty() || semi == std::string_view::npos) {
            table.records.emplace_back();
            continue;
        }
        BetRecord rec;
        auto amountText = trimLine(rest.substr(0, semi));
        auto amount = parseAmount(amountText);
        if (!amount)
            return Message{"Строка " + std::to_string(i + 1) + ": сумма \"" +
                           std::string(amountText) + "\" не является числом"};
        rec.amount = *amount;
        rest.remove_prefix(semi + 1);
        // A group without its ")" ends the line, and groups past the 15th have
        // no cell; either would otherwise run past the record.
        for (int j = 0; j < kEvents; ++j) {
            auto open = rest.find('(');
            if (open == std::string_view::npos)
                break;
            auto cell = trimLine(firstChars(rest.substr(open + 1), 10));
            cell = cell.substr(0, cell.find(')'));
            rec.outcomes[j] = std::string(trimLine(cell));
            auto close = rest.find(')');
            if (close == std::string_view::npos)
                break;
            rest.remove_prefix(close + 1);
        }
        table.records.emplace_back(std::move(rec));
    }
    return table;
}

std::string exportSheetName(int doubles, int shownTriples, std::size_t lineCount) {
    return std::to_string(doubles) + "_" + std::to_string(shownTriples) + "_" +
           std::to_string(lineCount);
}

MaybeMessage exportLineLimitMessage(std::size_t lineCount, bool byColumns) {
    if (byColumns && lineCount > kMaxColumnExportLines)
        return Message{kav::Text::tr("Формат Excell не позволяет сохранять более 16384 вариантов")};
    if (!byColumns && lineCount > kMaxRowExportLines)
        return Message{
            kav::Text::tr("Формат Excell не позволяет сохранять более 1048576 вариантов")};
    return std::nullopt;
}

} // namespace kav
