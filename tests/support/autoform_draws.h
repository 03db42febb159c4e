// A draw for auto-forming's benchmarks: the given marks, with quotes that
// differ from event to event as a real draw's do.
#pragma once

#include "core/draw/draw_model.h"
#include "core/draw/selection_text.h"

#include <string_view>

namespace kav::testing {

inline DrawModel drawWithVaryingQuotes(std::string_view selection) {
    DrawModel m;
    m.drawCountry = kRussia;
    applyDefaultDraw(m);
    for (int e = 0; e < kEvents; ++e) {
        const std::int64_t home = 30 + (e * 7) % 35;
        const std::int64_t draw = 20 + (e * 3) % 12;
        m.quotes[e] = {Fixed4::fromInt(home), Fixed4::fromInt(draw),
                       Fixed4::fromInt(100 - home - draw)};
    }
    m.selection = *parseSelectionText(selection);
    return m;
}

} // namespace kav::testing
