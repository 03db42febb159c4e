// Draws for auto-forming's benchmarks and tests: the given marks, with quotes
// that differ from event to event as a real draw's do, with the default draw's
// quotes (equal in every event), or with a few events all but decided.
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

// As drawWithVaryingQuotes, the pool shares varying too.
inline DrawModel drawWithVaryingShares(std::string_view selection) {
    DrawModel m = drawWithVaryingQuotes(selection);
    for (int e = 0; e < kEvents; ++e) {
        const std::int64_t home = 25 + (e * 11) % 45;
        const std::int64_t draw = 10 + (e * 5) % 20;
        m.poolShares[e] = {Fixed4::fromInt(home), Fixed4::fromInt(draw),
                           Fixed4::fromInt(100 - home - draw)};
    }
    return m;
}

// The default draw: the same quotes and pool shares in every event.
inline DrawModel drawWithEqualQuotes(std::string_view selection) {
    DrawModel m;
    m.drawCountry = kRussia;
    applyDefaultDraw(m);
    m.selection = *parseSelectionText(selection);
    return m;
}

// Varying quotes and shares, every fourth event (the second, sixth, ...) all
// but certain to end "1".
inline DrawModel drawWithNearCertainEvents(std::string_view selection) {
    DrawModel m = drawWithVaryingShares(selection);
    for (int e = 1; e < kEvents; e += 4) {
        m.quotes[e] = {Fixed4::fromInt(94), Fixed4::fromInt(4), Fixed4::fromInt(2)};
        m.poolShares[e] = {Fixed4::fromInt(90), Fixed4::fromInt(7), Fixed4::fromInt(3)};
    }
    return m;
}

} // namespace kav::testing
