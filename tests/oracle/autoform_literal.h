// Literal transcription of auto-forming: the field as FieldItems filled by the
// recursive enumerateField, the bet list read line by line, and every search
// step as a double loop over the whole field with the early end of a
// candidate's scan. Slow on purpose; the fast search must match it exactly.
#pragma once

#include "core/base/rng.h"
#include "core/bets/bet_list.h"
#include "core/draw/draw_model.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kav::oracle {

struct FieldItem {
    std::uint16_t ones;
    std::uint16_t draws;
    float weight;
    std::uint16_t state;
};

struct Masks {
    std::uint16_t ones = 0;
    std::uint16_t draws = 0;
    std::uint16_t twos = 0;
};

// Bits pairwise, then by twos, nibbles and bytes; bit 15 ignored.
inline int literalGetcat(std::uint16_t m) {
    unsigned x = m & 0x7FFFu;
    x = (x & 0x5555u) + ((x >> 1) & 0x5555u);
    x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
    x = (x & 0x0F0Fu) + ((x >> 4) & 0x0F0Fu);
    x = (x & 0x00FFu) + ((x >> 8) & 0x00FFu);
    return static_cast<int>(x);
}

inline std::uint16_t twosOf(const FieldItem& r) {
    return static_cast<std::uint16_t>(0x7FFF - r.ones - r.draws);
}

inline bool reaches(int c, const Masks& a, const FieldItem& r) {
    return literalGetcat(static_cast<std::uint16_t>((a.ones & r.ones) | (a.draws & r.draws) |
                                                    (a.twos & twosOf(r)))) >= c;
}

inline Masks asBet(const FieldItem& r) {
    return {r.ones, r.draws, twosOf(r)};
}

struct LiteralResult {
    Lines added;
    std::optional<std::string> error;
    std::int64_t packageBets = 0;
    float coveredWeight = 0.0f;
    std::uint64_t ballSize = 0;
    std::int64_t steps = 0;
};

class LiteralAutoform {
public:
    LiteralAutoform(const DrawModel& m, int method) : m_(m), method_(method) {}

    LiteralResult run(const Lines& betList, const std::string& stakeText, int c, std::int64_t limit,
                      float coverageTarget, Rng& rng) {
        LiteralResult res;
        res.error = buildField();
        if (res.error)
            return res;
        // Bets already in the list.
        std::int64_t packageBets = 0;
        for (const auto& raw : betList) {
            std::string line(trimLine(raw));
            if (line.empty() || line.find(';') == std::string::npos)
                continue;
            std::string body = line.substr(line.find(';') + 1);
            std::string noCommas;
            for (char ch : body)
                if (ch != ',')
                    noCommas += ch;
            body = noCommas;
            Masks a;
            std::int64_t variants = 1;
            int groups = 0;
            while (body.find('(') != std::string::npos) {
                if (++groups > 16) {
                    res.error = "more than 16 groups";
                    return res;
                }
                a.ones = static_cast<std::uint16_t>(a.ones << 1);
                a.draws = static_cast<std::uint16_t>(a.draws << 1);
                a.twos = static_cast<std::uint16_t>(a.twos << 1);
                body.erase(0, body.find('(') + 1);
                std::string head = body.substr(0, 3);
                head = head.substr(0, head.find(')'));
                int g = 0;
                if (head.find('x') != std::string::npos || head.find('X') != std::string::npos) {
                    a.draws |= 1;
                    ++g;
                }
                if (head.find('1') != std::string::npos) {
                    a.ones |= 1;
                    ++g;
                }
                if (head.find('2') != std::string::npos) {
                    a.twos |= 1;
                    ++g;
                }
                variants *= g;
            }
            packageBets += variants;
            if (groups != 15)
                continue; // not a coupon of the fifteen events: covers nothing
            for (auto& h : items_) {
                if (((h.ones & a.ones) | (h.draws & a.draws) | (twosOf(h) & a.twos)) != 0x7FFF)
                    continue;
                h.state = 4;
                for (auto& r : items_)
                    if (reaches(c, a, r))
                        r.state |= 1;
            }
        }
        // The covered part.
        float covered = 0.0f;
        for (const auto& it : items_)
            if (it.state != 0)
                covered = covered + it.weight;
        // The ball size (the time of a step is not measured here).
        std::uint64_t ballSize = 0;
        for (const auto& r : items_)
            if (reaches(c, asBet(items_[0]), r))
                ++ballSize;
        res.ballSize = ballSize;
        // Search steps.
        while (true) {
            float bestGain = 0.0f;
            std::int64_t best = -1;
            for (std::size_t j = 0; j < items_.size(); ++j) {
                const FieldItem& cand = items_[j];
                if (cand.state != 0 && (cand.state >= 4 || method_ == 3))
                    continue;
                const Masks bet = asBet(cand);
                float gain = 0.0f;
                std::uint64_t met = 0;
                for (const auto& r : items_) {
                    if (!reaches(c, bet, r))
                        continue;
                    if (method_ == 3) {
                        if (r.state != 0) {
                            gain = -10000.0f;
                            break;
                        }
                        gain = gain + r.weight;
                        if (++met == ballSize)
                            break;
                    } else if (r.state == 0) {
                        gain = gain + r.weight;
                        if (++met == ballSize)
                            break;
                    }
                }
                if (gain > bestGain || (gain == bestGain && rng.real() > 0.5)) {
                    best = static_cast<std::int64_t>(j);
                    bestGain = gain;
                }
            }
            ++res.steps;
            if (best >= 0) {
                items_[best].state |= 8;
                ++packageBets;
                covered = covered + bestGain;
                const Masks bet = asBet(items_[best]);
                for (auto& r : items_)
                    if (reaches(c, bet, r))
                        r.state |= 1;
            }
            if (packageBets >= limit || covered >= coverageTarget || best < 0)
                break;
        }
        res.packageBets = packageBets;
        res.coveredWeight = covered;
        // The chosen bets, in field order.
        std::string amount = stakeText;
        if (amount.find('.') == std::string::npos)
            amount += '.';
        while (amount.size() - amount.find('.') - 1 < 2)
            amount += '0';
        for (const auto& it : items_) {
            if (!(it.state & 8))
                continue;
            std::string line = amount;
            for (int e = 1; e <= 15; ++e) {
                const std::uint16_t bit = static_cast<std::uint16_t>(1u << (15 - e));
                line += ';' + std::to_string(e) + "-(";
                line += (it.ones & bit) ? "1" : (it.draws & bit) ? "X" : "2";
                line += ')';
            }
            res.added.push_back(line + '.');
        }
        return res;
    }

    // The field, its weights and no state: an error when an event has no mark.
    std::optional<std::string> buildField() {
        // Every event needs a marked outcome.
        int d = 0, t = 0;
        for (int e = 0; e < 15; ++e) {
            int k = m_.selection[e][0] + m_.selection[e][1] + m_.selection[e][2];
            if (k == 0) {
                return "Выбраны не все события";
            }
            d += k == 2;
            t += k == 3;
        }
        // The field, by the recursive enumeration.
        std::uint64_t n = 1;
        for (int i = 0; i < d; ++i)
            n *= 2;
        for (int i = 0; i < t; ++i)
            n *= 3;
        N_ = n;
        items_.assign(n, FieldItem{});
        index_ = 0;
        total_ = 0.0f;
        enumerateField(1, 0, 0, 1.0f);
        // Weights.
        if (method_ == 0 || method_ == 3) {
            for (auto& it : items_)
                it.weight = static_cast<float>(1.0 / static_cast<double>(N_));
        } else if (total_ > 0.0f) {
            for (auto& it : items_)
                it.weight = it.weight / total_;
        }
        return std::nullopt;
    }

    // The literal first step's time in seconds (no list, every ball free),
    // from the scans of `samples` candidates spread evenly over the field.
    double firstStepSeconds(int c, std::uint64_t samples) {
        if (buildField())
            return 0.0;
        std::uint64_t ballSize = 0;
        for (const auto& r : items_)
            ballSize += reaches(c, asBet(items_[0]), r) ? 1 : 0;
        samples = std::min<std::uint64_t>(samples, items_.size());
        float sink = 0.0f;
        const auto start = std::chrono::steady_clock::now();
        for (std::uint64_t i = 0; i < samples; ++i) {
            const Masks bet = asBet(items_[i * items_.size() / samples]);
            float gain = 0.0f;
            std::uint64_t met = 0;
            for (const auto& r : items_) {
                if (!reaches(c, bet, r) || r.state != 0)
                    continue;
                gain = gain + r.weight;
                if (++met == ballSize)
                    break;
            }
            sink = sink + gain;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return sink < 0.0f ? 0.0 : seconds * static_cast<double>(items_.size()) / samples;
    }

private:
    void enumerateField(int depth, std::uint16_t ones, std::uint16_t draws, float weight) {
        if (depth == 16) {
            items_[index_] = FieldItem{ones, draws, weight, 0};
            total_ = total_ + weight;
            ++index_;
            return;
        }
        const int e = depth - 1;
        for (int o = 0; o < 3; ++o) {
            if (!m_.selection[e][o])
                continue;
            const Fixed4 v = method_ == 2 ? m_.poolShares[e][o] : m_.quotes[e][o];
            const float w = static_cast<float>(static_cast<double>(weight) * v.toDouble() / 100.0);
            const std::uint16_t bit = static_cast<std::uint16_t>(1u << (15 - depth));
            enumerateField(depth + 1, o == 0 ? static_cast<std::uint16_t>(ones | bit) : ones,
                           o == 1 ? static_cast<std::uint16_t>(draws | bit) : draws, w);
        }
    }

    const DrawModel& m_;
    int method_;
    std::uint64_t N_ = 0;
    std::vector<FieldItem> items_;
    std::size_t index_ = 0;
    float total_ = 0.0f;
};

} // namespace kav::oracle
