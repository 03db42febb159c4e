// Typed texts: the selection text and decimal numbers (stake, quotes, amounts).
#include "core/base/fixed4.h"
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
    return 0;
}
