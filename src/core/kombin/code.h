// Brief systems as covering codes over a mix of two-way (double) and three-way
// (triple) positions: the key of a system, its rows, the exhaustive check of its
// guarantee, and the algebraic constructions the generator starts from.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kav::kombin {

// The longest system the program can lay onto a selection: one position per event.
constexpr int kMaxPositions = 15;

// d doubles, t triples, k insured hits: every result must agree with some row in
// at least k of the d + t positions (covering radius d + t - k).
struct Key {
    int doubles = 0;
    int triples = 0;
    int hits = 0;

    int positions() const { return doubles + triples; }
    int radius() const { return positions() - hits; }
    // 2^d * 3^t; fits easily for at most 15 positions.
    std::uint64_t results() const;
    bool valid() const;
    auto operator<=>(const Key&) const = default;
};

// One row: symbol values per position. Position 0 is the rightmost character of
// the row in a template file; positions 0..t-1 are the triples (values 0, 1, 2),
// positions t..t+d-1 the doubles (values 0, 1).
using Word = std::vector<std::uint8_t>;

struct Code {
    int doubles = 0;
    int triples = 0;
    std::vector<Word> rows;

    int positions() const { return doubles + triples; }
    std::size_t size() const { return rows.size(); }
};

// Radix of every position of a d/t layout, position 0 first.
std::vector<std::uint8_t> radixOf(int doubles, int triples);

struct Coverage {
    std::uint64_t results = 0;   // all results of the layout
    std::uint64_t uncovered = 0; // results farther than the radius from every row
    int coveringRadius = 0;      // the largest distance of a result to the code
    bool holds() const { return uncovered == 0; }
};

// Exhaustive check: the distance of every result to the nearest row, by a
// breadth-first walk from all rows at once. Rows must fit the layout (see
// fitsLayout); an empty code covers nothing.
Coverage checkCoverage(const Code& code, int radius);
bool fitsLayout(const Code& code);

// The number of results within `radius` of one row, and the sphere-covering
// lower bound ceil(results / ball) that no system of the key can beat.
std::uint64_t ballSize(int doubles, int triples, int radius);
std::uint64_t sphereBound(const Key& key);

// Constructions. Each returns a code that covers with the stated radius.
// All results of the layout: radius 0.
Code fullCode(int doubles, int triples);
// Rows that give at least one hit (radius n - 1): two rows with a double, else three.
Code oneHitCode(int doubles, int triples);
// The ternary Hamming code of length (3^m - 1) / 2, radius 1 (perfect): 9 rows
// for length 4, 3^10 rows for length 13.
Code ternaryHamming(int m);
// The ternary Golay code: length 11, 729 rows, radius 2 (perfect).
Code ternaryGolay();
// Rows of a then rows of b side by side; radii add up. Triples of both come
// first, then the doubles of both.
Code directSum(const Code& a, const Code& b);
// The amalgamated direct sum: position `i` of a and position `j` of b (both
// triples or both doubles) become one shared position; a row of a whose symbol
// there is s joins every row of b whose symbol there is relabel[s]. Length
// n1 + n2 - 1; when both codes are normal at those positions the radii add up,
// which only the exhaustive check can tell. The shared position becomes the
// first position of its kind.
Code amalgamatedSum(const Code& a, int i, const Code& b, int j, const std::vector<int>& relabel);
// Turns the highest triple position into the lowest double position (symbol 2
// becomes 0); a result of the new layout is a result of the old one, so the
// radius is kept. Repeated rows are dropped.
Code tripleToDouble(const Code& code);
// Rows sorted ascending by their text and without repeats.
void canonicalize(Code& code);

} // namespace kav::kombin
