// The data server's pages: the reply reduced to its text (in time linear in
// its size: the runs give large inputs and a short time-out), then read as the
// event list and as the totals. A broken page gives the whole default draw,
// never a half-applied one.
#include "core/draw/draw_page.h"
#include "fuzz/fuzz_check.h"
#include "io/pages/page_text.h"

#include <string_view>

using namespace kav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
    // The first byte picks how the reply is declared.
    static const char* const kTypes[] = {"text/html",  "text/html; charset=windows-1251",
                                         "text/plain", "text/html; charset=utf-8",
                                         "",           "text/html; charset=bogus"};
    std::string text = io::pageText(body, kTypes[data[0] % 6]);
    // A byte of any charset is at most three of UTF-8, and markup only ever
    // shrinks into text; a reader that is asked to stop and never is reads
    // the same.
    FUZZ_CHECK(text.size() <= 3 * body.size());
    FUZZ_CHECK(io::pageText(body, kTypes[data[0] % 6], [] { return false; }) == text);

    DrawModel defaults;
    applyDefaultDraw(defaults);
    DrawModel m;
    bool ok = applyEventListPage(m, text);
    if (!ok) {
        FUZZ_CHECK(m.quotes == defaults.quotes);
        FUZZ_CHECK(m.poolShares == defaults.poolShares);
        FUZZ_CHECK(m.eventTitles == defaults.eventTitles);
    }
    DrawTotals totals;
    totals.poolText = "before";
    DrawModel m2 = m;
    if (!applyTotalsPage(m2, totals, text)) {
        FUZZ_CHECK(totals.poolText == "before");
        FUZZ_CHECK(m2.quotes == defaults.quotes);
    }
    (void)parseTotals(body);
    return 0;
}
