// Random bets and the sensation filter on any draw, selection, stake text and
// bounds. Input: 15 selection bytes (3 bits each), 90 weight bytes (quote and
// pool share per outcome, signed), distribution, repetitions, favourites, lo,
// hi, threshold, criterion, then the stake text.
#include "core/bets/stake_text.h"
#include "core/forming/manual_selection.h"
#include "core/forming/sensation_filter.h"
#include "fuzz/fuzz_check.h"
#include "oracle/random_bets_literal.h"

#include <cstdint>
#include <set>
#include <string_view>

using namespace kav;

namespace {

constexpr std::size_t kHeader = kEvents + 2 * kEvents * kOutcomes + 7;

// Every added random line is a single bet of marked outcomes, new to the list.
void checkRandom(const DrawModel& m, const Lines& existing, const FormResult& r) {
    std::set<std::string> seen(existing.begin(), existing.end());
    for (const auto& line : r.added) {
        FUZZ_CHECK(seen.insert(line).second);
        ParsedLine p = parseBetLine(line);
        FUZZ_CHECK(p.mask.valid() && p.variants == 1);
        Coupon c = toCoupon(p.mask);
        for (int e = 0; e < kEvents; ++e)
            FUZZ_CHECK((c[e] & ~m.markedSet(e)) == 0);
    }
}

// Every sensation line is a coupon inside the marked outcomes whose amount is its
// variant count times the stake.
void checkSensation(const DrawModel& m, const Stake& stake, const FormResult& r) {
    std::set<std::string> seen;
    for (const auto& line : r.added) {
        FUZZ_CHECK(seen.insert(line).second);
        ParsedLine p = parseBetLine(line);
        FUZZ_CHECK(p.mask.valid());
        FUZZ_CHECK(p.amount.raw() == stake.value.raw() * static_cast<std::int64_t>(p.variants));
        Coupon c = toCoupon(p.mask);
        for (int e = 0; e < kEvents; ++e)
            FUZZ_CHECK((c[e] & ~m.markedSet(e)) == 0);
    }
}

// The number of lines the walk can write at most: the product of choices per event.
std::uint64_t walkSize(const DrawModel& m, const SensationRequest& rq) {
    std::uint64_t n = 1;
    for (int e = 0; e < kEvents; ++e) {
        auto slots = sensationSlots(m, e, rq.threshold, rq.criterion);
        n *= static_cast<std::uint64_t>((slots[0] != 0) + (slots[1] != 0) + (slots[2] != 0));
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeader)
        return 0;
    DrawModel m;
    m.drawCountry = kRussia;
    const std::uint8_t* w = data + kEvents;
    for (int e = 0; e < kEvents; ++e) {
        for (int o = 0; o < kOutcomes; ++o) {
            m.selection[e][o] = (data[e] >> o) & 1;
            m.quotes[e][o] = Fixed4::fromInt(static_cast<std::int8_t>(*w++));
            m.poolShares[e][o] = Fixed4::fromInt(static_cast<std::int8_t>(*w++));
        }
    }
    const std::uint8_t* k = data + kHeader - 7;
    RandomRequest rnd{static_cast<RandomDistribution>(k[0] % 6), k[1] % 40, k[2] % 16};
    SensationRequest sen{k[3] % 16, k[4] % 16, k[5] % 35,
                         (k[6] & 1) ? SensationCriterion::Pool : SensationCriterion::Quotes};
    std::string_view stakeText(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    auto stake = readStake(stakeText);
    if (stake)
        FUZZ_CHECK(Fixed4::parse(stake->text) == stake->value);

    Lines existing;
    Rng rng(k[0] * 65599u + k[1]);
    FormResult first = randomBets(m, stakeText, existing, rnd, rng);
    FUZZ_CHECK(first.message.has_value() || stake.has_value() || rnd.repeat == 0 ||
               !randomDistributionAt(static_cast<int>(rnd.distribution)));
    if (stake) {
        checkRandom(m, existing, first);
        // The next click on top of the first: the same lines as the literal way.
        existing = first.added;
        Rng fast(rng.seed()), literal(rng.seed());
        FormResult second = randomBets(m, stakeText, existing, rnd, fast);
        checkRandom(m, existing, second);
        auto oracle =
            oracle::randomBetsLiteral(m, stake->text, existing, static_cast<int>(rnd.distribution),
                                      rnd.repeat, rnd.favourites, literal);
        Lines joined = existing;
        joined.insert(joined.end(), second.added.begin(), second.added.end());
        FUZZ_CHECK(joined == oracle.list);
        FUZZ_CHECK(fast.seed() == literal.seed());
    }

    if (sen.hi == 0 || walkSize(m, sen) <= 20000) {
        FormResult r = addSensationVariants(m, stakeText, existing, sen);
        FUZZ_CHECK(r.message.has_value() == !stake.has_value());
        if (stake && sen.hi != 0)
            checkSensation(m, *stake, r);
    }
    return 0;
}
