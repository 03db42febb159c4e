// The matrix construction for pure ternary or pure binary systems: the code of
// all x with H x in S, for a check matrix H = [I | A] of m rows and a set S of
// syndromes that covers the syndrome space with the columns of H as steps. Its
// size is |S| * q^(n - m), and S is found by the same local search on a space
// of q^m elements instead of q^n, which is where the record codes come from.
#pragma once

#include "core/kombin_code.h"
#include "core/kombin_search.h"

#include <optional>

namespace kav::kombin {

struct CheckMatrix {
    int q = 3;                                   // 3 for triples, 2 for doubles
    int m = 0;                                   // rows
    std::vector<std::vector<std::uint8_t>> rest; // columns m..n-1, each of m digits
};

// All x of length m + rest.size() with H x in `syndromes`.
Code matrixCode(const CheckMatrix& h, const std::vector<std::vector<std::uint8_t>>& syndromes);

// Tries several check matrices; returns a code with fewer than `beat` rows,
// or nothing. Only for keys with no doubles or no triples.
std::optional<Code> matrixSearch(const Key& key, std::size_t beat, const SearchOptions& options);

} // namespace kav::kombin
