#include "core/draw/draw_page.h"

#include "core/bets/bet_list.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kav {

std::string homeTitle(std::string_view title) {
    auto pos = title.find(" - ");
    return pos == std::string_view::npos ? std::string() : std::string(title.substr(0, pos));
}

std::optional<Fixed4> parseNumberField(std::string_view field) {
    return Fixed4::parse(trimLine(field));
}

std::optional<std::int32_t> parseIntField(std::string_view field) {
    field = trimLine(field);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    std::int32_t v = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return v;
}

namespace {

std::optional<std::int64_t> toRaw(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    double r = roundHalfEven(v);
    if (!(r > -9.2e18 && r < 9.2e18))
        return std::nullopt;
    return static_cast<std::int64_t>(r);
}

} // namespace

bool normalizeQuotes(DrawModel& m, int event0) {
    auto& q = m.quotes[event0];
    double s = 0;
    for (const auto& odds : q) {
        if (odds.raw() == 0)
            return false;
        s += 1.0 / static_cast<double>(odds.raw());
    }
    auto overround = toRaw(s * 100000000.0);
    if (!overround || *overround == 0)
        return false;
    std::array<Fixed4, kOutcomes> out{};
    for (int k = 0; k < kOutcomes; ++k) {
        auto raw =
            toRaw(100.0 / static_cast<double>(*overround) / static_cast<double>(q[k].raw()) * 1e12);
        if (!raw)
            return false;
        out[k] = Fixed4::fromRaw(*raw);
    }
    q = out;
    return true;
}

namespace {

// The record reader of both page readers. `records` counts the records closed
// by ";"; with `wholeRecords` a record closed before its sixth number breaks
// the page.
bool readEventRecords(DrawModel& m, std::string_view text, int* titled, int& records,
                      bool wholeRecords) {
    if (titled)
        *titled = 0;
    records = 0;
    int r = 0; // 0-based event of the record being read
    int n = 0; // field within the record
    while (!text.empty()) {
        if (text.front() == ';') {
            if (r >= kEvents || (wholeRecords && n != 7) || !normalizeQuotes(m, r))
                return false;
            records = r + 1;
            text.remove_prefix(1);
            ++r;
            n = 0;
            continue;
        }
        auto bar = text.find('|');
        std::string_view field =
            bar == std::string_view::npos ? std::string_view() : text.substr(0, bar);
        if (n > 6 || r >= kEvents)
            return false;
        if (n == 0) {
            m.eventTitles[r] = std::string(field);
            if (titled)
                *titled = r + 1;
        } else {
            auto v = parseNumberField(field);
            if (!v)
                return false;
            if (n <= 3)
                m.quotes[r][n - 1] = *v;
            else
                m.poolShares[r][n - 4] = *v;
        }
        if (bar != std::string_view::npos)
            text.remove_prefix(bar + 1);
        ++n;
    }
    return true;
}

} // namespace

bool parseEventList(DrawModel& m, std::string_view text, int* titled) {
    int records = 0;
    return readEventRecords(m, text, titled, records, false);
}

std::optional<EventListDraw> readEventListDraw(std::string_view pageText) {
    DrawModel blank;
    int titled = 0;
    int records = 0;
    // A title after the last ";" is a record cut short.
    if (!readEventRecords(blank, pageText, &titled, records, true) || records == 0 ||
        titled != records)
        return std::nullopt;
    EventListDraw d;
    d.eventTitles = blank.eventTitles;
    d.quotes = blank.quotes;
    d.poolShares = blank.poolShares;
    d.events = records;
    return d;
}

void applyEventListDraw(DrawModel& m, const EventListDraw& events) {
    m.eventTitles = events.eventTitles;
    m.quotes = events.quotes;
    m.poolShares = events.poolShares;
}

std::string jackpotFieldText(std::string_view trimmedJackpot) {
    return trimmedJackpot == "0" ? std::string("1000000") : std::string(trimmedJackpot);
}

std::string_view takeBarField(std::string_view& rest) {
    auto bar = rest.find('|');
    if (bar == std::string_view::npos)
        return {};
    auto field = rest.substr(0, bar);
    rest.remove_prefix(bar + 1);
    return field;
}

std::optional<DrawTotals> readTotalsFields(std::string_view text, bool countsAfterSemicolon) {
    DrawTotals t;
    t.poolText = std::string(trimLine(takeBarField(text)));
    t.jackpotText = jackpotFieldText(trimLine(takeBarField(text)));
    if (countsAfterSemicolon) {
        auto semi = text.find(';');
        if (semi != std::string_view::npos)
            text.remove_prefix(semi + 1);
    }
    for (auto& count : t.uniformCounts) {
        auto v = parseIntField(takeBarField(text));
        if (!v)
            return std::nullopt;
        count = *v;
    }
    auto mean = uniformCountMeanOf(t.uniformCounts);
    if (!mean)
        return std::nullopt;
    t.uniformCountMean = *mean;
    return t;
}

std::optional<DrawTotals> parseTotals(std::string_view text) {
    return readTotalsFields(text, true);
}

bool applyEventListPage(DrawModel& m, std::string_view pageText, int* titled) {
    if (parseEventList(m, pageText, titled))
        return true;
    applyDefaultDraw(m);
    return false;
}

bool applyTotalsPage(DrawModel& m, DrawTotals& totals, std::string_view pageText) {
    auto parsed = parseTotals(pageText);
    if (!parsed) {
        applyDefaultDraw(m);
        return false;
    }
    totals = *parsed;
    return true;
}

} // namespace kav
