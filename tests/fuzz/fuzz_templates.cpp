// Template file names and rows, as a player may write them with any editor.
#include "core/forming/templates.h"
#include "fuzz/fuzz_check.h"

#include <bit>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto nl = text.find('\n');
    std::string_view name = text.substr(0, nl);
    std::string_view row = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);

    if (auto entry = kav::parseTemplateName(name))
        (void)kav::matchesTemplateKey(name, entry->doubles, entry->triples, entry->insuredHits);
    for (int d = 0; d < 3; ++d)
        (void)kav::matchesTemplateKey(name, d, 1, 2);

    if (auto r = kav::parseTemplateRow(row)) {
        // A position holds at most one symbol.
        FUZZ_CHECK((r->rowOnes & r->rowDraws) == 0);
        FUZZ_CHECK((r->rowOnes & r->rowTwos) == 0);
        FUZZ_CHECK((r->rowDraws & r->rowTwos) == 0);
        int symbols = 0;
        for (char c : row)
            symbols += c == '1' || c == 'X' || c == '2';
        FUZZ_CHECK(std::popcount(static_cast<unsigned>(r->rowOnes | r->rowDraws | r->rowTwos)) ==
                   symbols);
    }
    return 0;
}
