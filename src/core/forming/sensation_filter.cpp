#include "core/forming/sensation_filter.h"

#include "core/bets/stake_text.h"
#include "core/forming/manual_selection.h"

#include <string>
#include <unordered_set>

namespace kav {

namespace {

struct ChoiceCode {
    const char* group;
    int variants;
};

// Indexed by code + 3 (codes -3..7).
constexpr std::array<ChoiceCode, 11> kCodes{{
    {"-(2)", 1},
    {"-(X)", 1},
    {"-(1)", 1},
    {"", 0},
    {"-(1)", 1},
    {"-(X)", 1},
    {"-(2)", 1},
    {"-(1,X)", 2},
    {"-(X,2)", 2},
    {"-(1,2)", 2},
    {"-(1,X,2)", 3},
}};

const ChoiceCode& codeOf(int x) {
    return kCodes[static_cast<std::size_t>(x + 3)];
}

class SensationWalk {
public:
    SensationWalk(const std::array<SensationSlots, kEvents>& slots, const SensationRequest& rq,
                  Fixed4 stake, const Lines& existing, Lines& out)
        : slots_(slots), lo_(rq.lo), hi_(rq.hi), stake_(stake),
          before_(existing.begin(), existing.end()), out_(out) {}

    // e is 0-based here; the pruning counts the events still to come after e.
    void walk(int e, int u, std::uint64_t m, std::string& prefix) {
        if (e == kEvents) {
            if (lo_ <= u && u <= hi_)
                emit(m, prefix);
            return;
        }
        const std::size_t keep = prefix.size();
        for (int x : slots_[e]) {
            if (x == 0)
                continue;
            int nu = x < 0 ? u + 1 : u;
            if (nu > hi_ || nu + (kEvents - 1 - e) < lo_)
                continue;
            prefix += ';';
            prefix += std::to_string(e + 1);
            prefix += codeOf(x).group;
            walk(e + 1, nu, m * static_cast<std::uint64_t>(codeOf(x).variants), prefix);
            prefix.resize(keep);
        }
    }

private:
    void emit(std::uint64_t m, const std::string& prefix) {
        Fixed4 amount = Fixed4::fromRaw(stake_.raw() * static_cast<std::int64_t>(m));
        std::string line = amount.moneyText2();
        line += prefix;
        line += '.';
        if (!before_.contains(line))
            out_.push_back(std::move(line));
    }

    const std::array<SensationSlots, kEvents>& slots_;
    int lo_, hi_;
    Fixed4 stake_;
    std::unordered_set<std::string> before_;
    Lines& out_;
};

} // namespace

bool isSensation(const DrawModel& m, int event0, int outcome0, int threshold,
                 SensationCriterion criterion) {
    if (!m.marked(event0, outcome0))
        return false;
    const Fixed4 v = criterion == SensationCriterion::Quotes ? m.quotes[event0][outcome0]
                                                             : m.poolShares[event0][outcome0];
    return v < Fixed4::fromInt(threshold);
}

SensationSlots sensationSlots(const DrawModel& m, int event0, int threshold,
                              SensationCriterion criterion) {
    SensationSlots s{};
    bool plain[kOutcomes];
    for (int o = 0; o < kOutcomes; ++o) {
        bool upset = isSensation(m, event0, o, threshold, criterion);
        s[o] = upset ? -(o + 1) : 0;
        plain[o] = m.marked(event0, o) && !upset;
    }
    // All outcomes that are no upset form one choice in the slot of the lowest of them.
    if (plain[0] && plain[1] && plain[2])
        s[0] = 7;
    else if (plain[0] && plain[1])
        s[0] = 4;
    else if (plain[0] && plain[2])
        s[0] = 6;
    else if (plain[1] && plain[2])
        s[1] = 5;
    else if (plain[0])
        s[0] = 1;
    else if (plain[1])
        s[1] = 2;
    else if (plain[2])
        s[2] = 3;
    return s;
}

FormResult addSensationVariants(const DrawModel& m, std::string_view stakeText,
                                const Lines& existing, const SensationRequest& request) {
    if (request.hi == 0)
        return takeAllVariants(m, stakeText, existing);
    FormResult r;
    auto stake = readStake(stakeText);
    if (!stake) {
        r.message = badStakeMessage();
        return r;
    }
    std::array<SensationSlots, kEvents> slots;
    for (int e = 0; e < kEvents; ++e)
        slots[e] = sensationSlots(m, e, request.threshold, request.criterion);
    SensationWalk walk(slots, request, stake->value, existing, r.added);
    std::string prefix;
    walk.walk(0, 0, 1, prefix);
    return r;
}

} // namespace kav
