// A pasted draw table: any bytes are read or refused with the lines named; a
// table that reads writes back and reads again the same, and its odds always
// give quotes by either method.
#include "core/draw/draw_table.h"
#include "fuzz/fuzz_check.h"

#include <string_view>

using namespace kav;

namespace {

bool sameTable(const DrawTable& a, const DrawTable& b) {
    if (a.percent != b.percent || a.rows.size() != b.rows.size())
        return false;
    for (std::size_t i = 0; i < a.rows.size(); ++i)
        if (a.rows[i].title != b.rows[i].title || a.rows[i].values != b.rows[i].values ||
            a.rows[i].shares != b.rows[i].shares)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto read = readDrawTable(bytes);
    FUZZ_CHECK(read.table.has_value() == read.faults.empty());
    for (const auto& f : read.faults)
        FUZZ_CHECK(f.line >= 0 && !f.reason.empty());
    if (!read.table)
        return 0;
    FUZZ_CHECK(!read.table->rows.empty() && read.table->rows.size() <= kEvents);
    std::string written = formatDrawTable(*read.table);
    auto again = readDrawTable(written);
    FUZZ_CHECK(again.table.has_value());
    FUZZ_CHECK(sameTable(*again.table, *read.table));
    FUZZ_CHECK(formatDrawTable(*again.table) == written);
    for (auto method : {MarginMethod::Proportional, MarginMethod::Shin}) {
        auto draw = drawFromTable(*read.table, method);
        FUZZ_CHECK(draw.has_value());
        FUZZ_CHECK(draw->events.events == static_cast<int>(read.table->rows.size()));
    }
    return 0;
}
