#include "core/draw/quotes_file.h"

#include "core/base/version.h"

#include <algorithm>

namespace kav {

namespace {

std::string blankOut(std::string text, std::string_view forbidden) {
    for (char& c : text)
        if (forbidden.find(c) != std::string_view::npos)
            c = ' ';
    return text;
}

// The field before the next TAB, removed with it; nothing when no TAB is left.
std::optional<std::string_view> takeTabField(std::string_view& rest) {
    auto tab = rest.find('\t');
    if (tab == std::string_view::npos)
        return std::nullopt;
    auto field = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
    return field;
}

} // namespace

Lines formatQuotesFile(const DrawModel& m, const DrawSettings& s, const DrawTotals& t) {
    Lines out;
    out.reserve(kQuotesFileLines);
    for (int e = 0; e < kEvents; ++e) {
        std::string line = blankOut(m.eventTitles[e], "\t\r\n");
        line += '\t';
        for (int o = 0; o < kOutcomes; ++o) {
            line += m.quotes[e][o].moneyText();
            line += '\t';
            line += m.poolShares[e][o].moneyText();
            line += '\t';
        }
        out.push_back(std::move(line));
    }
    out.push_back(blankOut(s.stakeText, "\r\n"));
    out.push_back(s.stakeMinimum.moneyText());
    out.push_back(std::to_string(m.drawCountry));
    out.push_back(blankOut(s.windowTitle, "\r\n"));
    out.push_back(blankOut(t.poolText, "|\r\n") + "|" + blankOut(t.jackpotText, "|\r\n") + "|" +
                  std::to_string(t.uniformCounts[0]) + "|" + std::to_string(t.uniformCounts[1]) +
                  "|" + std::to_string(t.uniformCounts[2]) + "|");
    return out;
}

namespace {

// Earlier versions wrote the whole window title, the project's name first
// ("work.kvp* — Kavendix ..."); the draw's caption is what follows it.
std::string drawCaptionOf(std::string_view title) {
    constexpr std::string_view dash = " — ";
    const auto at = title.find(dash);
    if (at != std::string_view::npos) {
        std::string_view name = title.substr(0, at);
        if (!name.empty() && name.back() == '*')
            name.remove_suffix(1);
        if (name == "Без имени" || (name.size() > 4 && name.substr(name.size() - 4) == ".kvp"))
            return std::string(title.substr(at + dash.size()));
    }
    return std::string(title);
}

} // namespace

std::optional<QuotesFileContent> parseQuotesFile(const Lines& lines, std::string* problem) {
    auto line = [&lines](int i) -> std::string_view {
        return i < static_cast<int>(lines.size()) ? std::string_view(lines[i]) : std::string_view();
    };
    QuotesFileContent f;
    for (int e = 0; e < kEvents; ++e) {
        std::string_view rest = line(e);
        auto tab = rest.find('\t');
        f.titles[e] =
            tab == std::string_view::npos ? std::string() : std::string(rest.substr(0, tab));
        if (tab != std::string_view::npos)
            rest.remove_prefix(tab + 1);
        for (int k = 0; !rest.empty(); ++k) {
            if (k >= kOutcomes)
                return std::nullopt;
            auto q = takeTabField(rest);
            auto quote = q ? parseNumberField(*q) : std::nullopt;
            auto p = quote ? takeTabField(rest) : std::nullopt;
            auto pool = p ? parseNumberField(*p) : std::nullopt;
            if (!pool)
                return std::nullopt;
            if (*quote < Fixed4{} || *pool < Fixed4{}) {
                if (problem)
                    *problem = "событие " + std::to_string(e + 1) + ", исход " + "1X2"[k] + ": " +
                               (*quote < Fixed4{} ? "отрицательная котировка " + quote->moneyText()
                                                  : "отрицательная доля пула " + pool->moneyText());
                return std::nullopt;
            }
            f.quotes[e][k] = quote;
            f.poolShares[e][k] = pool;
        }
    }
    f.settings.stakeText = std::string(line(15));
    auto minimum = parseNumberField(line(16));
    auto country = parseIntField(line(17));
    if (!minimum || !country || *country < 0 || *country > 255)
        return std::nullopt;
    f.settings.stakeMinimum = *minimum;
    f.drawCountry = static_cast<std::uint8_t>(*country);
    f.settings.windowTitle = drawCaptionOf(line(18));

    auto totals = readTotalsFields(line(19), false);
    if (!totals)
        return std::nullopt;
    f.totals = *totals;
    return f;
}

void applyQuotesFile(DrawModel& m, const QuotesFileContent& f) {
    resetSelection(m);
    clearBetList(m);
    for (int e = 0; e < kEvents; ++e) {
        m.eventTitles[e] = f.titles[e];
        for (int o = 0; o < kOutcomes; ++o) {
            if (f.quotes[e][o])
                m.quotes[e][o] = *f.quotes[e][o];
            if (f.poolShares[e][o])
                m.poolShares[e][o] = *f.poolShares[e][o];
        }
    }
    m.drawCountry = f.drawCountry;
    m.currencySuffix = currencySuffixFor(m.drawCountry);
}

std::optional<Fixed4> parseStakeText(std::string_view text) {
    // The amount before the currency: "1 000.00 руб.", "20,50 руб.".
    std::string amount;
    for (char c : trimLine(text)) {
        if ((c >= '0' && c <= '9') || c == '.' || c == ',' || c == ' ' || c == '-' || c == '+')
            amount += c;
        else
            break;
    }
    // A "," beside a "." groups thousands ("1,000.00"); alone it is the
    // decimal separator, as the player types amounts.
    if (amount.find(',') != std::string::npos && amount.find('.') != std::string::npos)
        std::erase(amount, ',');
    return Fixed4::parseTyped(amount);
}

std::string stakeDisplayText(Fixed4 value, std::uint8_t drawCountry) {
    std::string plain =
        Fixed4::fromRaw(roundHalfEvenToInt(static_cast<double>(value.raw()) / 100.0) * 100)
            .moneyText2();
    std::string sign;
    if (!plain.empty() && plain.front() == '-') {
        sign = "-";
        plain.erase(0, 1);
    }
    auto dot = plain.find('.');
    std::string whole = plain.substr(0, dot);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += ' ';
        grouped += whole[i];
    }
    return sign + grouped + plain.substr(dot) +
           currencySuffixFor(drawCountry == kUkraine ? kUkraine : kRussia);
}

StakeField stakeAfterFile(StakeField current, const DrawSettings& s) {
    StakeField out = current;
    if (auto typed = parseStakeText(s.stakeText))
        out.value = std::max(*typed, current.minimum);
    out.minimum = s.stakeMinimum;
    out.value = std::max(out.value, out.minimum);
    return out;
}

std::string drawWindowTitle(std::uint8_t drawCountry) {
    return std::string(kProgramTitle) +
           (drawCountry == kUkraine ? " - украинский тираж" : " - российский тираж");
}

} // namespace kav
