// The quotes file: any bytes are read as a whole; a file that reads is applied
// and written again, and what is written reads back and writes byte-identical.
#include "core/draw/quotes_file.h"
#include "fuzz/fuzz_check.h"
#include "io/files/quotes_file_io.h"
#include "io/files/text_file.h"

#include <string_view>

using namespace kav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto content = io::parseQuotesFileBytes(bytes);
    if (!content)
        return 0;
    DrawModel m;
    applyDefaultDraw(m);
    applyQuotesFile(m, *content);
    std::string written = io::cp1251Text(formatQuotesFile(m, content->settings, content->totals));

    auto again = io::parseQuotesFileBytes(written);
    FUZZ_CHECK(again.has_value());
    DrawModel m2;
    applyDefaultDraw(m2);
    applyQuotesFile(m2, *again);
    FUZZ_CHECK(m2.quotes == m.quotes);
    FUZZ_CHECK(m2.poolShares == m.poolShares);
    FUZZ_CHECK(m2.drawCountry == m.drawCountry);
    std::string rewritten = io::cp1251Text(formatQuotesFile(m2, again->settings, again->totals));
    FUZZ_CHECK(rewritten == written);
    return 0;
}
