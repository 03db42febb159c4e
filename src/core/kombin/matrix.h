// The matrix construction: the code of all x with H x in S, for a check matrix
// H = [I | A] and a set S of syndromes that covers the syndrome space with the
// columns of H as steps. Its size is |S| times the results of the positions
// outside I, and S is found by the same local search on the syndrome space
// instead of the whole layout, which is where the record codes come from.
//
// Triples map into Z3^m3 and doubles into Z2^m2 (a double can only step by an
// element of order two), so a layout with both kinds has the syndrome space
// Z3^m3 x Z2^m2; a syndrome lists its m3 ternary digits first.
#pragma once

#include "core/kombin/code.h"
#include "core/kombin/search.h"

#include <optional>
#include <string>

namespace kav::kombin {

// One kind of position: m rows over Z_q; the first m positions of the kind are
// the unit columns, `rest` the columns of the others, each of m digits.
struct CheckMatrix {
    int q = 3;
    int m = 0;
    std::vector<std::vector<std::uint8_t>> rest;

    int positions() const { return m + static_cast<int>(rest.size()); }
};

struct MixedCheckMatrix {
    CheckMatrix triples{3, 0, {}};
    CheckMatrix doubles{2, 0, {}};
};

// All x with H x in `syndromes`.
Code matrixCode(const MixedCheckMatrix& h, const std::vector<std::vector<std::uint8_t>>& syndromes);
Code matrixCode(const CheckMatrix& h, const std::vector<std::vector<std::uint8_t>>& syndromes);

// Tries many check matrices; returns a code with fewer than `beat` rows, or
// nothing. `height` (m3 + m2) keeps the search on one height, 0 tries them all.
std::optional<Code> matrixSearch(const Key& key, std::size_t beat, const SearchOptions& options,
                                 int height = 0);

// What keeps `columns` from being the columns beyond I of a check matrix of
// the key (a key with doubles, too few or too many columns, a column of the
// wrong length, a digit above 2, a syndrome space too large); empty when they fit.
std::string fixedColumnsProblem(const Key& key,
                                const std::vector<std::vector<std::uint8_t>>& columns);

// The cover search on one given check matrix [I | columns], on the height of
// the column length; returns a code with fewer than `beat` rows, or nothing.
// Throws std::invalid_argument when fixedColumnsProblem names a problem.
std::optional<Code> matrixSearchOn(const Key& key, std::size_t beat, const SearchOptions& options,
                                   const std::vector<std::vector<std::uint8_t>>& columns);

} // namespace kav::kombin
