#include "core/bets/bet_list.h"
#include "core/base/player_text.h"

namespace kav {

Lines splitLines(std::string_view text) {
    Lines out;
    std::size_t start = 0;
    while (start < text.size()) {
        auto nl = text.find('\n', start);
        std::size_t end = nl == std::string_view::npos ? text.size() : nl;
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        out.emplace_back(text.substr(start, stop - start));
        if (nl == std::string_view::npos)
            break;
        start = nl + 1;
    }
    return out;
}

std::string joinLines(const Lines& lines) {
    std::string out;
    std::size_t n = 0;
    for (const auto& l : lines)
        n += l.size() + 1;
    out.reserve(n);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            out += '\n';
        out += lines[i];
    }
    return out;
}

std::string_view trimLine(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20)
        s.remove_suffix(1);
    return s;
}

std::string groupText(OutcomeSet s) {
    std::string out;
    for (int o = 0; o < kOutcomes; ++o) {
        if (s & outcomeBit(o)) {
            if (!out.empty())
                out += ',';
            out += outcomeLetter(o);
        }
    }
    return out;
}

namespace {

Fixed4 timesCount(Fixed4 stake, std::uint64_t n) {
    return Fixed4::fromRaw(stake.raw() * static_cast<std::int64_t>(n));
}

void appendGroup(std::string& out, int event0, const std::string& body) {
    out += ';';
    out += std::to_string(event0 + 1);
    out += "-(";
    out += body;
    out += ')';
}

} // namespace

std::string formatSelectionCoupon(const DrawModel& m, std::uint64_t variants, Fixed4 stake) {
    std::string out = timesCount(stake, variants).moneyText2();
    for (int e = 0; e < kEvents; ++e)
        appendGroup(out, e, groupText(m.markedSet(e)));
    out += '.';
    return out;
}

std::string formatCoupon(const Coupon& c, Fixed4 perVariantStake) {
    std::string out = timesCount(perVariantStake, variantCount(c)).moneyText();
    for (int e = 0; e < kEvents; ++e)
        if (c[e])
            appendGroup(out, e, groupText(c[e]));
    out += '.';
    return out;
}

std::string formatVariant(const Variant& v, std::string_view stakeText) {
    std::string out = padTwoDecimals(std::string(stakeText));
    for (int e = 0; e < kEvents; ++e)
        appendGroup(out, e, std::string(1, outcomeLetter(v[e])));
    out += '.';
    return out;
}

GroupScan scanGroups(std::string_view body) {
    GroupScan g;
    std::size_t pos = 0;
    while (true) {
        auto open = body.find('(', pos);
        if (open == std::string_view::npos)
            break;
        pos = open + 1;
        ++g.groups;
        g.ones <<= 1;
        g.draws <<= 1;
        g.twos <<= 1;
        if (g.ones > 0xFFFF || g.draws > 0xFFFF || g.twos > 0xFFFF)
            g.overflow = true;
        // The outcomes of a group: its first three characters, commas skipped,
        // never past its ")".
        int seen = 0, counted = 0;
        bool x = false, one = false, two = false;
        for (std::size_t i = pos; i < body.size() && seen < 3; ++i) {
            char c = body[i];
            if (c == ',')
                continue;
            if (c == ')')
                break;
            ++seen;
            x = x || c == 'x' || c == 'X';
            one = one || c == '1';
            two = two || c == '2';
        }
        if (x) {
            g.draws |= 1;
            ++counted;
        }
        if (one) {
            g.ones |= 1;
            ++counted;
        }
        if (two) {
            g.twos |= 1;
            ++counted;
        }
        g.variants *= static_cast<std::uint64_t>(counted);
    }
    return g;
}

ParsedLine parseBetLine(std::string_view raw) {
    ParsedLine r;
    std::string_view line = trimLine(raw);
    auto semi = line.find(';');
    if (line.empty() || semi == std::string_view::npos)
        return r;
    GroupScan g = scanGroups(line.substr(semi + 1));
    if (g.overflow) {
        r.failed = true;
        return r;
    }
    // Exactly fifteen groups: an empty group shifted out past event 1 would
    // otherwise let a sixteen-group line pass as a coupon of zero variants.
    if ((g.ones | g.draws | g.twos) != kFullMask || g.groups != kEvents)
        return r;
    auto amount = Fixed4::parse(line.substr(0, semi));
    if (!amount) {
        r.failed = true;
        return r;
    }
    r.mask = {static_cast<std::int16_t>(g.ones), static_cast<std::int16_t>(g.draws),
              static_cast<std::int16_t>(g.twos)};
    r.variants = g.variants;
    r.amount = *amount;
    return r;
}

std::optional<BetListParse> parseBetList(const Lines& lines) {
    BetListParse out;
    out.masks.resize(lines.size(), kInvalidMask);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ParsedLine p = parseBetLine(lines[i]);
        if (p.failed)
            return std::nullopt;
        out.masks[i] = p.mask;
        if (p.mask.valid()) {
            out.count += static_cast<std::int64_t>(p.variants);
            out.total += p.amount;
        }
    }
    return out;
}

namespace {

// Length of the UTF-8 character that starts at s[i]; 0 when the bytes there
// are no well-formed character.
std::size_t utf8CharLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    const std::size_t n = c < 0x80           ? 1
                          : (c >> 5) == 0x6  ? 2
                          : (c >> 4) == 0xE  ? 3
                          : (c >> 3) == 0x1E ? 4
                                             : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return n;
}

// An amount as a message can show it: at most 20 characters, control
// characters and bytes that are no UTF-8 as "?".
std::string shownAmount(std::string_view amount) {
    constexpr std::size_t kShown = 20;
    std::string out;
    std::size_t chars = 0, i = 0;
    for (; i < amount.size() && chars < kShown; ++chars) {
        const std::size_t n = utf8CharLength(amount, i);
        const unsigned char c = static_cast<unsigned char>(amount[i]);
        if (n == 0 || (n == 1 && (c < 0x20 || c == 0x7F))) {
            out += '?';
            ++i;
        } else {
            out.append(amount.substr(i, n));
            i += n;
        }
    }
    if (i < amount.size())
        out += "...";
    return out;
}

} // namespace

std::string BetLineFault::text() const {
    return "Строка " + std::to_string(line + 1) + " списка ставок не читается: " + reason;
}

std::optional<BetLineFault> firstBetLineFault(const Lines& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!parseBetLine(lines[i]).failed)
            continue;
        // parseBetLine fails for two reasons only: too many groups for the
        // masks, or a complete coupon whose amount is no number.
        std::string_view line = trimLine(lines[i]);
        const auto semi = line.find(';');
        if (scanGroups(line.substr(semi + 1)).overflow)
            return BetLineFault{i, "в строке слишком много групп исходов"};
        return BetLineFault{i, "сумма \"" + shownAmount(trimLine(line.substr(0, semi))) +
                                   "\" не число или слишком велика"};
    }
    return std::nullopt;
}

std::string skippedLineReason(std::string_view raw) {
    const std::string_view line = trimLine(raw);
    const auto semi = line.find(';');
    if (semi == std::string_view::npos)
        return "нет «;» перед исходами";
    const GroupScan g = scanGroups(line.substr(semi + 1));
    if (g.groups != kEvents)
        return "событий " + std::to_string(g.groups) + " из " + std::to_string(kEvents);
    for (int e = 0; e < kEvents; ++e) {
        const int bit = 1 << (kEvents - 1 - e);
        if (((g.ones | g.draws | g.twos) & bit) == 0)
            return "у события " + std::to_string(e + 1) + " нет исхода 1, X или 2";
    }
    return "сумма не читается";
}

std::string skippedLinesText(const Lines& lines, const std::vector<BetMask>& masks,
                             std::size_t named) {
    std::string out;
    std::size_t skipped = 0;
    for (std::size_t i = 0; i < lines.size() && i < masks.size(); ++i) {
        if (masks[i].valid() || trimLine(lines[i]).empty())
            continue;
        if (++skipped > named)
            continue;
        out += skipped == 1 ? "Не учтены строки: " : "; ";
        out += std::to_string(i + 1) + " — " + skippedLineReason(lines[i]);
    }
    if (skipped > named)
        out += "; и ещё " + std::to_string(skipped - named);
    return out;
}

std::string betListStatus(std::int64_t count, Fixed4 total, std::string_view currencySuffix) {
    std::string s = "Ставок в списке ";
    s += std::to_string(count);
    s += " (";
    s += total.moneyText();
    s += currencySuffix;
    s += ')';
    return s;
}

std::string applyBetListParse(DrawModel& m, const std::optional<BetListParse>& parse) {
    if (!parse)
        return {};
    m.betMasks = parse->masks;
    m.betCount = parse->count;
    m.betTotal = parse->total;
    return betListStatus(m.betCount, m.betTotal, currencySuffixFor(m.drawCountry));
}

std::optional<CompleteLine> readCompleteLine(std::string_view line) {
    ParsedLine p = parseBetLine(line);
    if (p.failed || !p.mask.valid())
        return std::nullopt;
    return CompleteLine{p.amount, toCoupon(p.mask)};
}

Fixed4 perVariantStake(Fixed4 amount, std::uint64_t g) {
    Int128 num = amount.raw();
    Int128 den = static_cast<Int128>(g) * 100;
    Int128 q = num / den, r = num % den;
    if (r < 0) {
        q -= 1;
        r += den;
    }
    if (r * 2 > den || (r * 2 == den && (q & 1)))
        ++q;
    return Fixed4::fromRaw(static_cast<std::int64_t>(q * 100));
}

RemovalResult removeMarkedVariants(const DrawModel& m, const Lines& lines) {
    RemovalResult res;
    for (int e = 0; e < kEvents; ++e) {
        if (m.markedSet(e) == 0) {
            res.message = Message{kav::Text::tr("Выбраны не все события")};
            return res;
        }
    }
    res.ran = true;
    Lines& out = res.lines;
    out = lines;
    std::size_t i = 0;
    while (i < out.size()) {
        std::string_view line = trimLine(out[i]);
        if (line.empty()) {
            ++i;
            continue;
        }
        auto parsed = readCompleteLine(line);
        if (!parsed) {
            ++i;
            continue;
        }
        const Coupon& sets = parsed->sets;
        std::uint64_t g = 1;
        for (int e = 0; e < kEvents && g > 0; ++e) {
            g *= static_cast<std::uint64_t>(outcomeSetSize(sets[e]));
            if ((sets[e] & m.markedSet(e)) == 0)
                g = 0;
        }
        if (g == 0) {
            ++i;
            continue;
        }
        if (g == 1) {
            out.erase(out.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        Fixed4 s = perVariantStake(parsed->amount, g);
        int j = 14;
        for (int e = 0; e < 14; ++e) {
            if ((sets[e] & ~m.markedSet(e)) != 0) {
                j = e;
                break;
            }
        }
        OutcomeSet inner = sets[j] & m.markedSet(j);
        OutcomeSet outer = sets[j] & ~inner & 7;
        out.erase(out.begin() + static_cast<std::ptrdiff_t>(i));
        if (outer == 0)
            continue;
        Coupon outerC = sets, innerC = sets;
        outerC[j] = outer;
        innerC[j] = inner;
        out.push_back(formatCoupon(outerC, s));
        out.push_back(formatCoupon(innerC, s));
    }
    return res;
}

} // namespace kav
