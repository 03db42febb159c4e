#include "core/kombin/code.h"

#include <algorithm>
#include <limits>

namespace kav::kombin {

std::uint64_t Key::results() const {
    std::uint64_t n = 1;
    for (int i = 0; i < doubles; ++i)
        n *= 2;
    for (int i = 0; i < triples; ++i)
        n *= 3;
    return n;
}

bool Key::valid() const {
    return doubles >= 0 && triples >= 0 && positions() <= kMaxPositions && hits >= 0 &&
           hits <= positions();
}

std::vector<std::uint8_t> radixOf(int doubles, int triples) {
    std::vector<std::uint8_t> r(static_cast<std::size_t>(triples), 3);
    r.resize(static_cast<std::size_t>(doubles + triples), 2);
    return r;
}

bool fitsLayout(const Code& code) {
    if (code.doubles < 0 || code.triples < 0 || code.positions() > kMaxPositions)
        return false;
    auto radix = radixOf(code.doubles, code.triples);
    for (const auto& row : code.rows) {
        if (row.size() != radix.size())
            return false;
        for (std::size_t i = 0; i < row.size(); ++i)
            if (row[i] >= radix[i])
                return false;
    }
    return true;
}

Coverage checkCoverage(const Code& code, int radius) {
    Coverage cov;
    auto radix = radixOf(code.doubles, code.triples);
    std::vector<std::uint32_t> place(radix.size());
    std::uint32_t total = 1;
    for (std::size_t i = 0; i < radix.size(); ++i) {
        place[i] = total;
        total *= radix[i];
    }
    cov.results = total;
    if (code.rows.empty() || !fitsLayout(code)) {
        cov.uncovered = total;
        cov.coveringRadius = std::numeric_limits<int>::max();
        return cov;
    }
    constexpr std::uint8_t kUnseen = 0xFF;
    std::vector<std::uint8_t> dist(total, kUnseen);
    std::vector<std::uint32_t> queue;
    queue.reserve(total);
    for (const auto& row : code.rows) {
        std::uint32_t w = 0;
        for (std::size_t i = 0; i < row.size(); ++i)
            w += row[i] * place[i];
        if (dist[w] == kUnseen) {
            dist[w] = 0;
            queue.push_back(w);
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        std::uint32_t w = queue[head];
        auto next = static_cast<std::uint8_t>(dist[w] + 1);
        for (std::size_t i = 0; i < radix.size(); ++i) {
            std::uint32_t digit = (w / place[i]) % radix[i];
            std::uint32_t base = w - digit * place[i];
            for (std::uint32_t v = 0; v < radix[i]; ++v) {
                std::uint32_t u = base + v * place[i];
                if (dist[u] == kUnseen) {
                    dist[u] = next;
                    queue.push_back(u);
                }
            }
        }
    }
    int worst = 0;
    for (std::uint8_t d : dist) {
        worst = std::max<int>(worst, d);
        if (d > radius)
            ++cov.uncovered;
    }
    cov.coveringRadius = worst;
    return cov;
}

std::uint64_t ballSize(int doubles, int triples, int radius) {
    // ways[j] = number of results at distance j, built position by position.
    std::vector<std::uint64_t> ways{1};
    auto addPosition = [&ways](std::uint64_t others) {
        std::vector<std::uint64_t> next(ways.size() + 1, 0);
        for (std::size_t j = 0; j < ways.size(); ++j) {
            next[j] += ways[j];
            next[j + 1] += ways[j] * others;
        }
        ways = std::move(next);
    };
    for (int i = 0; i < doubles; ++i)
        addPosition(1);
    for (int i = 0; i < triples; ++i)
        addPosition(2);
    std::uint64_t sum = 0;
    for (std::size_t j = 0; j < ways.size() && static_cast<int>(j) <= radius; ++j)
        sum += ways[j];
    return sum;
}

std::uint64_t sphereBound(const Key& key) {
    std::uint64_t ball = ballSize(key.doubles, key.triples, key.radius());
    return (key.results() + ball - 1) / ball;
}

Code fullCode(int doubles, int triples) {
    Code code{doubles, triples, {}};
    auto radix = radixOf(doubles, triples);
    Word w(radix.size(), 0);
    while (true) {
        code.rows.push_back(w);
        std::size_t i = 0;
        while (i < w.size() && ++w[i] == radix[i])
            w[i++] = 0;
        if (i == w.size())
            break;
    }
    return code;
}

Code oneHitCode(int doubles, int triples) {
    Code code{doubles, triples, {}};
    int n = doubles + triples;
    int symbols = doubles > 0 ? 2 : 3;
    for (int s = 0; s < symbols; ++s) {
        Word w(static_cast<std::size_t>(n), static_cast<std::uint8_t>(s));
        for (int i = triples; i < n; ++i)
            w[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::min(s, 1));
        code.rows.push_back(w);
    }
    return code;
}

Code ternaryHamming(int m) {
    // Columns of the check matrix: one vector per point of the projective space,
    // written with its first non-zero coordinate equal to 1.
    std::vector<std::vector<int>> columns;
    int space = 1;
    for (int i = 0; i < m; ++i)
        space *= 3;
    for (int v = 1; v < space; ++v) {
        std::vector<int> col(static_cast<std::size_t>(m));
        for (int i = 0, x = v; i < m; ++i, x /= 3)
            col[static_cast<std::size_t>(i)] = x % 3;
        int lead = 0;
        for (int i = m - 1; i >= 0; --i)
            if (col[static_cast<std::size_t>(i)] != 0) {
                lead = col[static_cast<std::size_t>(i)];
                break;
            }
        if (lead == 1)
            columns.push_back(col);
    }
    int n = static_cast<int>(columns.size());
    Code all = fullCode(0, n);
    Code code{0, n, {}};
    for (auto& w : all.rows) {
        bool zero = true;
        for (int r = 0; r < m && zero; ++r) {
            int s = 0;
            for (int i = 0; i < n; ++i)
                s += w[static_cast<std::size_t>(i)] *
                     columns[static_cast<std::size_t>(i)][static_cast<std::size_t>(r)];
            zero = s % 3 == 0;
        }
        if (zero)
            code.rows.push_back(std::move(w));
    }
    return code;
}

Code ternaryGolay() {
    // Cyclic code generated by x^5 + x^4 - x^3 + x^2 - 1 over GF(3): every
    // message polynomial of degree below 6 times the generator.
    const int g[6] = {2, 0, 1, 2, 1, 1};
    Code messages = fullCode(0, 6);
    Code code{0, 11, {}};
    for (const auto& msg : messages.rows) {
        Word w(11, 0);
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j)
                w[static_cast<std::size_t>(i + j)] = static_cast<std::uint8_t>(
                    (w[static_cast<std::size_t>(i + j)] + msg[static_cast<std::size_t>(i)] * g[j]) %
                    3);
        code.rows.push_back(std::move(w));
    }
    return code;
}

Code directSum(const Code& a, const Code& b) {
    Code code{a.doubles + b.doubles, a.triples + b.triples, {}};
    code.rows.reserve(a.rows.size() * b.rows.size());
    auto ta = static_cast<std::ptrdiff_t>(a.triples);
    auto tb = static_cast<std::ptrdiff_t>(b.triples);
    for (const auto& ra : a.rows)
        for (const auto& rb : b.rows) {
            Word w;
            w.reserve(static_cast<std::size_t>(code.positions()));
            w.insert(w.end(), ra.begin(), ra.begin() + ta);
            w.insert(w.end(), rb.begin(), rb.begin() + tb);
            w.insert(w.end(), ra.begin() + ta, ra.end());
            w.insert(w.end(), rb.begin() + tb, rb.end());
            code.rows.push_back(std::move(w));
        }
    return code;
}

Code amalgamatedSum(const Code& a, int i, const Code& b, int j, const std::vector<int>& relabel) {
    const bool triple = i < a.triples;
    Code code{
        a.doubles + b.doubles - (triple ? 0 : 1), a.triples + b.triples - (triple ? 1 : 0), {}};
    // Positions of a and b without the shared one, triples then doubles.
    auto others = [](const Code& c, int skip, bool triples) {
        std::vector<std::size_t> p;
        for (int k = triples ? 0 : c.triples; k < (triples ? c.triples : c.positions()); ++k)
            if (k != skip)
                p.push_back(static_cast<std::size_t>(k));
        return p;
    };
    auto aT = others(a, i, true), bT = others(b, j, true), aD = others(a, i, false),
         bD = others(b, j, false);
    for (const auto& ra : a.rows) {
        int s = ra[static_cast<std::size_t>(i)];
        for (const auto& rb : b.rows) {
            if (rb[static_cast<std::size_t>(j)] != relabel[static_cast<std::size_t>(s)])
                continue;
            Word w;
            w.reserve(static_cast<std::size_t>(code.positions()));
            if (triple)
                w.push_back(static_cast<std::uint8_t>(s));
            for (auto k : aT)
                w.push_back(ra[k]);
            for (auto k : bT)
                w.push_back(rb[k]);
            if (!triple)
                w.push_back(static_cast<std::uint8_t>(s));
            for (auto k : aD)
                w.push_back(ra[k]);
            for (auto k : bD)
                w.push_back(rb[k]);
            code.rows.push_back(std::move(w));
        }
    }
    return code;
}

Code tripleToDouble(const Code& code) {
    Code out{code.doubles + 1, code.triples - 1, code.rows};
    auto pos = static_cast<std::size_t>(code.triples - 1);
    for (auto& w : out.rows)
        if (w[pos] == 2)
            w[pos] = 0;
    canonicalize(out);
    return out;
}

void canonicalize(Code& code) {
    // The text of a row reads from the highest position down to position 0.
    auto textLess = [](const Word& a, const Word& b) {
        return std::lexicographical_compare(a.rbegin(), a.rend(), b.rbegin(), b.rend());
    };
    std::sort(code.rows.begin(), code.rows.end(), textLess);
    code.rows.erase(std::unique(code.rows.begin(), code.rows.end()), code.rows.end());
}

} // namespace kav::kombin
