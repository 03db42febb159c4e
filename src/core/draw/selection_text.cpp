#include "core/draw/selection_text.h"

namespace kav {

std::optional<SelectionMatrix> parseSelectionText(std::string_view text) {
    SelectionMatrix sel{};
    int e = 0;
    std::size_t start = 0;
    while (true) {
        auto comma = text.find(',', start);
        std::string_view group = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (e >= kEvents || group.empty() || group.size() > 3)
            return std::nullopt;
        if (group != "-") {
            for (char c : group) {
                int o = outcomeIndex(c);
                if (o < 0 || sel[e][o])
                    return std::nullopt;
                sel[e][o] = 1;
            }
        }
        ++e;
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (e != kEvents)
        return std::nullopt;
    return sel;
}

std::string selectionText(const SelectionMatrix& sel) {
    std::string out;
    for (int e = 0; e < kEvents; ++e) {
        if (e)
            out += ',';
        bool any = false;
        for (int o = 0; o < kOutcomes; ++o) {
            if (sel[e][o]) {
                out += outcomeLetter(o);
                any = true;
            }
        }
        if (!any)
            out += '-';
    }
    return out;
}

} // namespace kav
