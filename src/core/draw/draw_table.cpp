#include "core/draw/draw_table.h"

#include "core/base/text.h"

#include <cmath>

namespace kav {
namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

bool isFieldBreak(char c) {
    return c == '\t' || c == ';';
}

bool isSeparator(char c) {
    return isBlank(c) || isFieldBreak(c);
}

struct Token {
    std::size_t begin = 0, end = 0;
};

// A number field: the value and whether it ended in "%".
struct NumberToken {
    Fixed4 value;
    bool percent = false;
};

std::optional<NumberToken> readNumber(std::string_view field) {
    NumberToken n;
    if (!field.empty() && field.back() == '%') {
        field.remove_suffix(1);
        n.percent = true;
    }
    if (field.empty() || field.find_first_of(" \t") != std::string_view::npos)
        return std::nullopt;
    auto v = Fixed4::parseTyped(field);
    if (!v)
        return std::nullopt;
    n.value = *v;
    return n;
}

// "3", "12.", "7)": the line's numbering.
bool isNumbering(std::string_view field) {
    if (!field.empty() && (field.back() == '.' || field.back() == ')'))
        field.remove_suffix(1);
    if (field.empty() || field.size() > 2)
        return false;
    for (char c : field)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string withPlainBlanks(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.substr(i, kNoBreakSpace.size()) == kNoBreakSpace) {
            out += ' ';
            i += kNoBreakSpace.size() - 1;
        } else {
            out += line[i];
        }
    }
    return out;
}

// The title between the numbering and the numbers: tab or ";" fields joined
// with " - ", fields that are only a dash dropped.
std::string joinTitle(std::string_view text) {
    std::string title;
    while (true) {
        std::size_t cut = 0;
        while (cut < text.size() && !isFieldBreak(text[cut]))
            ++cut;
        std::string_view part = trimBlanks(text.substr(0, cut));
        if (!part.empty() && part != "-" && part != "\xE2\x80\x93") {
            if (!title.empty())
                title += " - ";
            title += part;
        }
        if (cut == text.size())
            return title;
        text.remove_prefix(cut + 1);
    }
}

struct LineRead {
    DrawTableRow row;
    bool percentSign = false;
    std::string fault; // empty when the line reads
};

LineRead readLine(const std::string& line) {
    LineRead r;
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < line.size();) {
        if (isSeparator(line[i])) {
            ++i;
            continue;
        }
        Token t{i, i};
        while (t.end < line.size() && !isSeparator(line[t.end]))
            ++t.end;
        i = t.end;
        tokens.push_back(t);
    }
    auto field = [&](const Token& t) {
        return std::string_view(line).substr(t.begin, t.end - t.begin);
    };

    std::vector<NumberToken> numbers;
    std::size_t firstNumber = tokens.size();
    while (firstNumber > 0 && numbers.size() < 6) {
        auto n = readNumber(field(tokens[firstNumber - 1]));
        if (!n)
            break;
        numbers.insert(numbers.begin(), *n);
        --firstNumber;
    }
    if (numbers.size() < 3) {
        r.fault = "нет трёх чисел после названия";
        return r;
    }
    if (numbers.size() < 6) { // a title may end in a number: "Команда 1 - Команда 2"
        firstNumber += numbers.size() - 3;
        numbers.erase(numbers.begin(), numbers.end() - 3);
    }
    std::size_t first = 0;
    if (firstNumber > 0 && isNumbering(field(tokens[0])))
        first = 1;
    if (first < firstNumber) {
        std::string_view span(line);
        span = span.substr(tokens[first].begin, tokens[firstNumber - 1].end - tokens[first].begin);
        r.row.title = joinTitle(span);
    }
    for (int k = 0; k < kOutcomes; ++k) {
        r.row.values[k] = numbers[k].value;
        r.percentSign = r.percentSign || numbers[k].percent;
    }
    if (numbers.size() == 6) {
        std::array<Fixed4, kOutcomes> shares{};
        for (int k = 0; k < kOutcomes; ++k) {
            shares[k] = numbers[3 + k].value;
            if (shares[k] < Fixed4() || shares[k] > Fixed4::fromInt(100)) {
                r.fault = "доля пула вне 0..100";
                return r;
            }
        }
        r.row.shares = shares;
    }
    return r;
}

bool sumsToHundred(const std::array<Fixed4, kOutcomes>& v) {
    Fixed4 sum = v[0] + v[1] + v[2];
    return sum >= Fixed4::fromInt(98) && sum <= Fixed4::fromInt(102);
}

// The values of a line checked for what the table holds.
std::string valueFault(const std::array<Fixed4, kOutcomes>& v, bool percent) {
    for (Fixed4 x : v) {
        if (percent && (x < Fixed4() || x > Fixed4::fromInt(100)))
            return "процент вне 0..100";
        if (!percent && x <= Fixed4::fromInt(1))
            return "коэффициент не больше 1";
        if (!percent && x > Fixed4::fromInt(100000))
            return "коэффициент больше 100000";
    }
    return {};
}

} // namespace

DrawTableRead readDrawTable(std::string_view text, TableValues values) {
    DrawTableRead out;
    struct Read {
        int line;
        LineRead read;
    };
    std::vector<Read> lines;
    bool headerPossible = true;
    int lineNo = 0;
    while (!text.empty()) {
        ++lineNo;
        auto end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        std::string line = withPlainBlanks(raw);
        if (trimBlanks(line).empty())
            continue;
        LineRead r = readLine(line);
        if (!r.fault.empty() && headerPossible && r.row.title.empty()) {
            headerPossible = false;
            continue;
        }
        headerPossible = false;
        lines.push_back({lineNo, std::move(r)});
    }

    bool percent = values == TableValues::Percent;
    if (values == TableValues::Guess) {
        bool allHundred = !lines.empty();
        for (const auto& l : lines) {
            percent = percent || l.read.percentSign;
            allHundred = allHundred && l.read.fault.empty() && sumsToHundred(l.read.row.values);
        }
        percent = percent || allHundred;
    }
    DrawTable table;
    table.percent = percent;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto& l = lines[i];
        std::string fault = l.read.fault;
        if (fault.empty())
            fault = valueFault(l.read.row.values, percent);
        if (fault.empty() && i >= kEvents)
            fault = "больше 15 матчей";
        if (!fault.empty()) {
            out.faults.push_back({l.line, std::move(fault)});
            continue;
        }
        table.rows.push_back(std::move(l.read.row));
    }
    if (table.rows.empty() && out.faults.empty())
        out.faults.push_back({0, "в таблице нет ни одного матча"});
    if (out.faults.empty())
        out.table = std::move(table);
    return out;
}

std::string drawTableFaultText(const std::vector<DrawTableFault>& faults) {
    std::string text;
    for (const auto& f : faults) {
        if (!text.empty())
            text += '\n';
        text += f.line > 0 ? "Строка " + std::to_string(f.line) + ": " + f.reason : f.reason;
    }
    return text;
}

namespace {

// A title of two numbers ("2 3"): before three values a line number would
// make six numbers of the line, so such a line goes without one.
bool twoNumbers(std::string_view title) {
    std::vector<std::string_view> words;
    while (!title.empty()) {
        std::size_t blank = 0;
        while (blank < title.size() && !isBlank(title[blank]))
            ++blank;
        if (blank > 0)
            words.push_back(title.substr(0, blank));
        title.remove_prefix(std::min(blank + 1, title.size()));
    }
    return words.size() == 2 && readNumber(words[0]) && readNumber(words[1]);
}

} // namespace

std::string formatDrawTable(const DrawTable& table) {
    std::string text;
    int n = 0;
    for (const auto& row : table.rows) {
        ++n;
        if (row.shares || !twoNumbers(row.title))
            text += std::to_string(n);
        text += '\t' + row.title;
        for (Fixed4 v : row.values)
            text += '\t' + v.moneyText() + (table.percent ? "%" : "");
        if (row.shares)
            for (Fixed4 v : *row.shares)
                text += '\t' + v.moneyText();
        text += '\n';
    }
    return text;
}

namespace {

// Shin's probabilities for the insider share z.
std::array<double, kOutcomes> shinProbabilities(const std::array<double, kOutcomes>& implied,
                                                double booksum, double z) {
    std::array<double, kOutcomes> p{};
    for (int k = 0; k < kOutcomes; ++k)
        p[k] = (std::sqrt(z * z + 4 * (1 - z) * implied[k] * implied[k] / booksum) - z) /
               (2 * (1 - z));
    return p;
}

double sum(const std::array<double, kOutcomes>& p) {
    return p[0] + p[1] + p[2];
}

} // namespace

std::optional<OddsQuotes> quotesFromOdds(const std::array<Fixed4, kOutcomes>& odds,
                                         MarginMethod method) {
    std::array<double, kOutcomes> implied{};
    for (int k = 0; k < kOutcomes; ++k) {
        if (odds[k] <= Fixed4::fromInt(1))
            return std::nullopt;
        implied[k] = 1.0 / odds[k].toDouble();
    }
    OddsQuotes out;
    const double booksum = sum(implied);
    out.margin = booksum - 1;
    if (method == MarginMethod::Proportional || booksum <= 1) {
        DrawModel m; // the downloaded draw's rule, unchanged
        m.quotes[0] = odds;
        if (!normalizeQuotes(m, 0))
            return std::nullopt;
        out.quotes = m.quotes[0];
        return out;
    }
    // The probabilities sum to sqrt(booksum) > 1 at z = 0 and fall as z grows.
    double lo = 0, hi = 1;
    for (int i = 0; i < 200 && hi - lo > 1e-17; ++i) {
        double mid = (lo + hi) / 2;
        (sum(shinProbabilities(implied, booksum, mid)) > 1 ? lo : hi) = mid;
    }
    auto p = shinProbabilities(implied, booksum, (lo + hi) / 2);
    for (int k = 0; k < kOutcomes; ++k)
        out.quotes[k] = Fixed4::fromDouble(p[k] * 100);
    return out;
}

std::optional<TableDraw> drawFromTable(const DrawTable& table, MarginMethod method) {
    TableDraw out;
    double margins = 0;
    int r = 0;
    for (const auto& row : table.rows) {
        if (r == kEvents)
            return std::nullopt;
        out.events.eventTitles[r] = row.title;
        if (table.percent) {
            out.events.quotes[r] = row.values;
        } else {
            auto q = quotesFromOdds(row.values, method);
            if (!q)
                return std::nullopt;
            out.events.quotes[r] = q->quotes;
            margins += q->margin;
        }
        if (row.shares)
            out.events.poolShares[r] = *row.shares;
        ++r;
    }
    out.events.events = r;
    if (!table.percent && r > 0)
        out.meanMargin = margins / r;
    return out;
}

} // namespace kav
