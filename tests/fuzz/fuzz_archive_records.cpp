// Draw records as the archive reads them back: eleven fields separated by
// 0x1F (loaded at, country, title, event titles, quotes, pool shares, pool,
// jackpot, counts, result, prizes; an empty result or prize field is none).
// Any record is read or refused; one that reads is written and reads again
// to the same record, and kept in an archive it comes back unchanged.
#include "fuzz/fuzz_check.h"
#include "io/archive/draw_archive.h"

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

using namespace kav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (fields.size() < 11) {
        const std::size_t end = bytes.find('\x1f', pos);
        fields.emplace_back(bytes.substr(pos, end == std::string_view::npos ? end : end - pos));
        if (end == std::string_view::npos)
            break;
        pos = end + 1;
    }
    fields.resize(11);
    io::DrawRecord record;
    record.loadedAt = fields[0];
    std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), record.country);
    record.title = fields[2];
    record.eventTitles = fields[3];
    record.quotes = fields[4];
    record.poolShares = fields[5];
    record.pool = fields[6];
    record.jackpot = fields[7];
    record.uniformCounts = fields[8];
    if (!fields[9].empty())
        record.result = fields[9];
    if (!fields[10].empty())
        record.prizes = fields[10];

    const auto draw = io::decodeDraw(record);
    if (!draw)
        return 0;
    const io::DrawRecord written = io::encodeDraw(*draw);
    const auto again = io::decodeDraw(written);
    FUZZ_CHECK(again.has_value());
    const io::DrawRecord rewritten = io::encodeDraw(*again);
    FUZZ_CHECK(rewritten.eventTitles == written.eventTitles);
    FUZZ_CHECK(rewritten.quotes == written.quotes);
    FUZZ_CHECK(rewritten.poolShares == written.poolShares);
    FUZZ_CHECK(rewritten.uniformCounts == written.uniformCounts);
    FUZZ_CHECK(rewritten.result == written.result);
    FUZZ_CHECK(rewritten.prizes == written.prizes);

    // Through a real archive (in memory) and back.
    auto opened = io::DrawArchive::open(":memory:");
    FUZZ_CHECK(opened.archive != nullptr);
    const auto id = opened.archive->addDraw(*again);
    FUZZ_CHECK(id.value.has_value());
    if (again->result)
        FUZZ_CHECK(opened.archive->setResult(*id.value, *again->result, again->prizes).value);
    const auto back = opened.archive->draw(*id.value);
    FUZZ_CHECK(back.value.has_value());
    const io::DrawRecord kept = io::encodeDraw(*back.value);
    FUZZ_CHECK(kept.title == written.title && kept.eventTitles == written.eventTitles &&
               kept.quotes == written.quotes && kept.poolShares == written.poolShares &&
               kept.pool == written.pool && kept.jackpot == written.jackpot &&
               kept.uniformCounts == written.uniformCounts && kept.loadedAt == written.loadedAt);
    if (again->result)
        FUZZ_CHECK(kept.result == written.result && kept.prizes == written.prizes);
    return 0;
}
