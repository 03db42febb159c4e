#include "core/forming/selection_summary.h"

#include "core/kombin/compute.h"
#include "core/kombin/generate.h"

#include <limits>

namespace kav {

namespace {

std::string toDecimal(UInt128 v) {
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    return s;
}

// The systemBets part of a template name: before the first ".", after the last "-".
std::optional<std::int64_t> betsOfName(std::string_view name) {
    name = name.substr(0, name.find('.'));
    if (auto dash = name.rfind('-'); dash != std::string_view::npos)
        name.remove_prefix(dash + 1);
    return readNameNumber(name, std::numeric_limits<std::int32_t>::max());
}

std::string systemLine(std::string_view count, Fixed4 stake, std::uint64_t n,
                       const std::string& suffix) {
    return "Число вариантов по системе " + std::string(count) + " (" + moneyTimes(stake, n) +
           suffix + ")";
}

} // namespace

std::string moneyTimes(Fixed4 stake, std::uint64_t n) {
    Int128 raw = static_cast<Int128>(stake.raw()) * static_cast<Int128>(n);
    if (raw >= std::numeric_limits<std::int64_t>::min() &&
        raw <= std::numeric_limits<std::int64_t>::max())
        return Fixed4::fromRaw(static_cast<std::int64_t>(raw)).moneyText();
    UInt128 a = raw < 0 ? static_cast<UInt128>(-raw) : static_cast<UInt128>(raw);
    std::string out = raw < 0 ? "-" : "";
    out += toDecimal(a / Fixed4::kScale);
    auto frac = static_cast<unsigned>(a % Fixed4::kScale);
    if (frac != 0) {
        std::string f = std::to_string(frac + Fixed4::kScale).substr(1);
        while (f.back() == '0')
            f.pop_back();
        out += '.' + f;
    }
    return out;
}

std::vector<TemplateEntry> nearestSystems(const TemplateIndex& index, int d, int t, int c) {
    std::vector<TemplateEntry> out;
    for (const auto& e : index) {
        if (out.size() >= kNearestRows)
            break;
        int insured = e.doubles + e.triples;
        if (insured <= d + t && e.triples <= t && c == 15 - insured + e.insuredHits)
            out.push_back(e);
    }
    return out;
}

SelectionSummary updateSelectionSummary(const SummaryInput& in) {
    SelectionSummary s;
    s.currencySuffix = currencySuffixFor(in.model.drawCountry);
    if (in.stakeText.empty())
        return s;
    for (int e = 0; e < kEvents; ++e) {
        int n = in.model.markedCount(e);
        if (n == 0) {
            s.markedVariantsLine = std::string();
            s.systemVariantsLine = std::string();
            return s;
        }
        if (n == 2)
            ++s.doublesCount;
        else if (n == 3)
            ++s.triplesCount;
    }
    const int d = s.doublesCount, t = s.triplesCount;
    std::uint64_t variants = 1;
    for (int i = 0; i < d; ++i)
        variants *= 2;
    for (int i = 0; i < t; ++i)
        variants *= 3;
    auto stake = stakePerBet(in.stakeText);
    if (!stake)
        return s;
    s.markedVariantsLine = "Всего вариантов по отмеченным исходам " + std::to_string(variants) +
                           " (" + moneyTimes(*stake, variants) + s.currencySuffix + ")";
    s.shownTriplesCount = s.triplesCount;

    const int c = in.category;
    const int k = d + t > 0 ? kombin::selectionKey(d, t, c).hits : 0;
    auto name = firstTemplateName(in.folder, d, t, k, in.ownFolder);
    if (in.mode != PacketMode::BriefSystems)
        return s;
    if (name) {
        auto bets = betsOfName(*name);
        if (!bets)
            return s;
        s.systemVariantsLine = systemLine(std::to_string(*bets), *stake,
                                          static_cast<std::uint64_t>(*bets), s.currencySuffix);
    } else if (d > 0 && k == 1) {
        s.systemVariantsLine = systemLine("2", *stake, 2, s.currencySuffix);
    } else if (t > 0 && k == 1) {
        // Two blanks before the count: scripts that read this line rely on them.
        s.systemVariantsLine = systemLine(" 3", *stake, 3, s.currencySuffix);
    } else {
        s.systemVariantsLine = std::string();
        if (d + t > 0 && c < 15) {
            s.nearest = nearestSystems(in.index, d, t, c);
            const kombin::Key key{d, t, k};
            kombin::AnnouncedLibrary known;
            for (const auto& e : in.index)
                if (e.systemBets > 0)
                    known.announce(kombin::Key{e.doubles, e.triples, e.insuredHits},
                                   static_cast<std::uint64_t>(e.systemBets));
            const kombin::SystemOffer offer = kombin::systemOffer(key, &known);
            if (offer == kombin::SystemOffer::Offered)
                s.computable = key;
            else if (auto note = kombin::systemOfferNote(key, offer); !note.empty())
                s.computeNote = note;
        }
    }
    return s;
}

void storeSummaryCounts(DrawModel& m, const SelectionSummary& s) {
    m.currencySuffix = s.currencySuffix;
    m.doublesCount = s.doublesCount;
    m.triplesCount = s.triplesCount;
    if (s.shownTriplesCount)
        m.shownTriplesCount = *s.shownTriplesCount;
}

} // namespace kav
