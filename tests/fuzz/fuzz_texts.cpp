// Typed texts: the selection text, decimal numbers (stake, quotes, amounts)
// and an outcome cell's "quote/pool share".
#include "core/base/fixed4.h"
#include "core/draw/draw_model.h"
#include "core/draw/selection_text.h"
#include "fuzz/fuzz_check.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto sel = kav::parseSelectionText(text)) {
        auto again = kav::parseSelectionText(kav::selectionText(*sel));
        FUZZ_CHECK(again && *again == *sel);
    }
    if (auto v = kav::Fixed4::parse(text)) {
        auto again = kav::Fixed4::parse(v->moneyText());
        FUZZ_CHECK(again && *again == *v);
        FUZZ_CHECK(kav::Fixed4::parse(v->moneyText2()) == v);
        (void)v->roundToInt();
    }
    // A typed cell that is taken leaves every quote and pool share of its
    // event at or above zero, the three still making 100.
    kav::DrawModel m;
    kav::applyDefaultDraw(m);
    const int outcome = static_cast<int>(size % 3);
    const auto cell = kav::readTypedCell(m, 0, outcome, text);
    if (const auto* typed = std::get_if<kav::TypedCell>(&cell)) {
        kav::setQuote(m, 0, outcome, typed->quote);
        if (typed->poolShare)
            kav::setPoolShare(m, 0, outcome, *typed->poolShare);
        for (const auto& row : {m.quotes[0], m.poolShares[0]}) {
            FUZZ_CHECK(row[0] + row[1] + row[2] == kav::Fixed4::fromInt(100));
            for (const auto v : row)
                FUZZ_CHECK(v >= kav::Fixed4{});
        }
    }
    return 0;
}
