// Condition text as the command line and the project file take it: any line
// is read as a base row "ROW:a:b" or a range "a:b". Whatever parses prints
// back to a text that parses to the same value; the set built from the lines
// survives its JSON form; and on a small field of the input's first bytes the
// split scan counts what the per-variant test counts.
// Input: 15 selection bytes (3 bits each), a tolerance byte, then lines.
#include "core/forming/condition_filter.h"
#include "fuzz/fuzz_check.h"
#include "io/files/project_file.h"

#include <cstdint>
#include <string_view>

using namespace kav;

namespace {

constexpr std::size_t kHeader = kEvents + 1;
// The field stays small enough to test variant by variant on every input.
constexpr std::uint64_t kLargestField = 2000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeader)
        return 0;
    Coupon field{};
    std::uint64_t variants = 1;
    for (int e = 0; e < kEvents; ++e) {
        OutcomeSet s = static_cast<OutcomeSet>(data[e] & 7);
        if (s == 0 || variants * static_cast<std::uint64_t>(outcomeSetSize(s)) > kLargestField)
            s = static_cast<OutcomeSet>(1u << (data[e] % 3));
        field[e] = s;
        variants *= static_cast<std::uint64_t>(outcomeSetSize(s));
    }
    ConditionSet c;
    c.tolerance = data[kEvents] % 4;
    std::string_view text(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    int measure = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (const auto b = parseBaseRowCondition(line)) {
            const std::string printed = baseRowConditionText(*b);
            const auto again = parseBaseRowCondition(printed);
            FUZZ_CHECK(again && *again == *b && baseRowConditionText(*again) == printed);
            if (c.baseRows.size() < kMaxBaseRows)
                c.baseRows.push_back(*b);
        } else if (const auto r = parseConditionRange(line)) {
            FUZZ_CHECK(r->lo <= r->hi);
            const std::string printed = conditionRangeText(*r);
            const auto again = parseConditionRange(printed);
            FUZZ_CHECK(again && *again == *r);
            c.ranges[measure++ % kMeasures] = *r;
        }
    }
    const auto back = io::readConditionSetJson(io::conditionSetJson(c));
    FUZZ_CHECK(back && *back == c);

    DrawModel m;
    applyDefaultDraw(m);
    // Quotes with ties and halves from the selection bytes.
    for (int e = 0; e < kEvents; ++e)
        for (int o = 0; o < kOutcomes; ++o)
            m.quotes[e][o] = Fixed4::fromRaw(((data[e] >> (o + 3)) & 3) * 125000);
    const ConditionTables t = conditionTables(m, c);
    std::uint64_t listed = 0, tested = 0;
    forEachPassingVariant(m, field, c, [&](const Variant& v) {
        ++listed;
        FUZZ_CHECK(passesConditions(t, v));
    });
    Variant v{};
    const auto walk = [&](auto&& self, int e) -> void {
        if (e == kEvents) {
            tested += passesConditions(t, v);
            return;
        }
        for (int o = 0; o < kOutcomes; ++o)
            if (field[e] & outcomeBit(o)) {
                v[e] = static_cast<std::uint8_t>(o);
                self(self, e + 1);
            }
    };
    walk(walk, 0);
    FUZZ_CHECK(listed == tested);
    FUZZ_CHECK(countPassingVariants(m, field, c) == tested);
    return 0;
}
