#include "core/check/draw_result.h"

#include <vector>

namespace kav {

namespace {

bool isSeparator(char c) {
    return c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::optional<DrawResult> parseDrawResult(std::string_view text) {
    // Each outcome as its index, kVoidEvent for "-"; separators between them
    // are optional, so "1X2..." and "1,X,2,..." read the same.
    std::vector<std::int8_t> outcomes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isSeparator(c))
            continue;
        // The Cyrillic "Х"/"х" a Russian keyboard gives for "X" (UTF-8 D0 A5 / D1 85).
        const bool cyrillicX = i + 1 < text.size() && ((c == '\xD0' && text[i + 1] == '\xA5') ||
                                                       (c == '\xD1' && text[i + 1] == '\x85'));
        int o = 0;
        if (cyrillicX) {
            o = 1;
            ++i;
        } else if (c == '-') {
            o = kVoidEvent;
        } else if ((o = outcomeIndex(c)) < 0) {
            return std::nullopt;
        }
        if (outcomes.size() == kEvents)
            return std::nullopt;
        outcomes.push_back(static_cast<std::int8_t>(o));
    }
    if (outcomes.size() != kEvents)
        return std::nullopt;
    DrawResult r{};
    for (int e = 0; e < kEvents; ++e)
        r[e] = outcomes[e];
    return r;
}

std::string drawResultText(const DrawResult& result) {
    std::string s;
    for (std::int8_t o : result)
        s += o == kVoidEvent ? '-' : outcomeLetter(o);
    return s;
}

} // namespace kav
