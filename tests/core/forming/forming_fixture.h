// Draw models for the forming tests: the default draw with a selection given as text.
#pragma once

#include "core/draw/draw_model.h"
#include "core/draw/selection_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kav::test {

inline DrawModel modelWith(const std::string& selection) {
    DrawModel m;
    applyDefaultDraw(m);
    m.drawCountry = kRussia;
    auto sel = parseSelectionText(selection);
    EXPECT_TRUE(sel.has_value()) << selection;
    if (sel)
        m.selection = *sel;
    return m;
}

inline std::string allEvents(const std::string& group) {
    std::string s;
    for (int e = 0; e < kEvents; ++e)
        s += (e ? "," : "") + group;
    return s;
}

inline void setQuotes(DrawModel& m, int event0, int q1, int qX, int q2) {
    m.quotes[event0] = {Fixed4::fromInt(q1), Fixed4::fromInt(qX), Fixed4::fromInt(q2)};
}

inline void setPool(DrawModel& m, int event0, int p1, int pX, int p2) {
    m.poolShares[event0] = {Fixed4::fromInt(p1), Fixed4::fromInt(pX), Fixed4::fromInt(p2)};
}

} // namespace kav::test
