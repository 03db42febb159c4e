// Literal transcription of "Случайный выбор": weights worked out again for every
// event of every attempt, and every new line compared with every line of the
// list. The fast randomBets must give exactly the same lines and messages.
#pragma once

#include "core/base/fixed4.h"
#include "core/base/message.h"
#include "core/base/rng.h"
#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"

#include <optional>
#include <string>

namespace kav::oracle {

struct LiteralRandomResult {
    Lines list; // existing lines, then the added ones
    std::optional<std::string> message;
};

namespace literal_detail {

inline int drawR(Rng& rng) {
    int r = 0;
    while (r == 0)
        r = static_cast<int>(roundHalfEvenToInt(rng.real() * 10000));
    return r;
}

inline std::int64_t share(Fixed4 w, Fixed4 s) {
    return roundHalfEvenToInt(w.toDouble() / s.toDouble() * 10000);
}

// 0 added, 1 already in the list.
inline int addUnlessListed(Lines& list, const std::string& line) {
    for (const auto& l : list)
        if (l == line)
            return 1;
    list.push_back(line);
    return 0;
}

inline std::string group(int e, char letter) {
    return ';' + std::to_string(e + 1) + "-(" + std::string(1, letter) + ')';
}

// 0 added, 1 duplicate, 2 message.
inline int randomBet(const DrawModel& m, const std::string& stakeText, int d, Rng& rng,
                     Lines& list) {
    std::string line = stakeText;
    if (line.find('.') == std::string::npos)
        line += ".";
    while (line.size() - line.find('.') - 1 < 2)
        line += "0";
    for (int e = 0; e < 15; ++e) {
        Fixed4 w[3];
        for (int o = 0; o < 3; ++o) {
            if (d == 0)
                w[o] = m.quotes[e][o];
            else if (d == 1)
                w[o] = m.poolShares[e][o];
            else if (d == 2)
                w[o] = Fixed4::fromRaw(3333);
            else if (m.poolShares[e][o] == Fixed4())
                w[o] = Fixed4::fromInt(100);
            else
                w[o] = m.quotes[e][o] / m.poolShares[e][o];
            if (m.selection[e][o] == 0 || w[o] < Fixed4())
                w[o] = Fixed4();
        }
        Fixed4 s = w[0] + w[1] + w[2];
        if (s == Fixed4())
            return 2;
        std::int64_t p1 = share(w[0], s), pX = share(w[1], s);
        int r = drawR(rng);
        char c;
        if (r < p1)
            c = '1';
        else if (r >= p1 + pX)
            c = '2';
        else
            c = 'X';
        if (c == '2' && w[2] == Fixed4())
            c = w[1] > Fixed4() ? 'X' : '1';
        line += group(e, c);
    }
    return addUnlessListed(list, line + ".");
}

inline int randomFavouriteBet(const DrawModel& m, const std::string& stakeText, int favourites,
                              Rng& rng, Lines& list) {
    std::string line = stakeText;
    if (line.find('.') == std::string::npos)
        line += ".00";
    while (line.size() - line.find('.') - 1 < 2)
        line += "0";
    bool chosen[16] = {};
    int f = favourites;
    while (f > 0) {
        auto k = rng.below(16);
        if (k >= 1 && k <= 15 && !chosen[k]) {
            chosen[k] = true;
            --f;
        }
    }
    const Fixed4 zero;
    for (int e = 0; e < 15; ++e) {
        Fixed4 w1 = m.poolShares[e][0], wX = m.poolShares[e][1], w2 = m.poolShares[e][2];
        if (!m.selection[e][0] || w1 < zero)
            w1 = zero;
        if (!m.selection[e][1] || wX < zero)
            wX = zero;
        if (!m.selection[e][2] || w2 < zero)
            w2 = zero;
        if (w1 + wX + w2 == zero)
            return 2;
        char c;
        if (chosen[e + 1]) {
            if (wX < w1)
                wX = zero;
            if (w2 < w1)
                w2 = zero;
            if (w2 < wX)
                w2 = zero;
            if (w1 < wX)
                w1 = zero;
            if (wX < w2)
                wX = zero;
            if (w1 < w2)
                w1 = zero;
            c = w1 > zero ? '1' : wX > zero ? 'X' : '2';
        } else {
            if (w1 > wX && w1 > w2 && wX + w2 > zero)
                w1 = zero;
            else if (wX > w2 && wX > w1 && w1 + w2 > zero)
                wX = zero;
            else if (w2 > wX && w2 > w1 && w1 + wX > zero)
                w2 = zero;
            Fixed4 t = w1 + wX + w2;
            std::int64_t p1 = share(w1, t), pX = share(wX, t);
            int r = drawR(rng);
            if (r > p1 + pX)
                c = '2';
            else if (r <= p1)
                c = '1';
            else
                c = 'X';
            if (c == '2' && w2 == zero)
                c = wX > zero ? 'X' : '1';
        }
        line += group(e, c);
    }
    return addUnlessListed(list, line + ".");
}

} // namespace literal_detail

// The stake text is taken as valid; the first "Выбраны не все события" ends the
// click, as every later repetition would stop at the same event; negative
// weights count as 0.
inline LiteralRandomResult randomBetsLiteral(const DrawModel& m, const std::string& stakeText,
                                             const Lines& existing, int d, std::int64_t repeat,
                                             int favourites, Rng& rng) {
    LiteralRandomResult res{existing, std::nullopt};
    if (d < 0 || d > 4)
        return res;
    for (std::int64_t i = 0; i < repeat; ++i) {
        int outcome = 1;
        for (int k = 0; k < 31 && outcome == 1; ++k)
            outcome =
                d == 4 ? literal_detail::randomFavouriteBet(m, stakeText, favourites, rng, res.list)
                       : literal_detail::randomBet(m, stakeText, d, rng, res.list);
        if (outcome == 2) {
            res.message = "Выбраны не все события";
            break;
        }
        if (outcome == 1) {
            res.message = "Выбрано недостаточно исходов для формирования пакета";
            break;
        }
    }
    return res;
}

} // namespace kav::oracle
