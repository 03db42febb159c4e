// The result of a draw and the prize list as a player types them (the first
// line is the result, the rest the prizes): any bytes are read or refused,
// what is read writes back and reads again the same, and the check of a
// coupon made from the bytes counts every variant once.
#include "core/check/draw_result.h"
#include "core/check/package_check.h"
#include "core/check/prizes.h"
#include "fuzz/fuzz_check.h"

#include <string_view>

using namespace kav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = bytes.find('\n');
    const std::string_view resultText = bytes.substr(0, cut);
    const std::string_view prizeText =
        cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);

    const auto result = parseDrawResult(resultText);
    if (result) {
        const std::string written = drawResultText(*result);
        FUZZ_CHECK(written.size() == kEvents);
        FUZZ_CHECK(parseDrawResult(written) == result);
    }
    const auto prizes = parsePrizeList(prizeText);
    if (prizes) {
        for (Fixed4 p : *prizes)
            FUZZ_CHECK(p >= Fixed4{});
        FUZZ_CHECK(parsePrizeList(prizeListText(*prizes)) == prizes);
    }
    if (!result)
        return 0;
    // A coupon from the first bytes: its distribution holds all its variants.
    Coupon coupon{};
    for (int e = 0; e < kEvents; ++e)
        coupon[e] = static_cast<OutcomeSet>(
            e < static_cast<int>(prizeText.size()) ? (prizeText[e] & 7) : 7);
    const auto dist = hitDistribution(coupon, *result);
    std::uint64_t sum = 0;
    for (auto n : dist)
        sum += n;
    FUZZ_CHECK(sum == variantCount(coupon));
    if (prizes) {
        const PackageTable table =
            packageTable(lineCategoryCounts(toMask(coupon), *result), *prizes, Fixed4::fromInt(20));
        FUZZ_CHECK(table.overflow || table.profit == table.totalReturn - Fixed4::fromInt(20));
    }
    return 0;
}
