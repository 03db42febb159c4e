// The size report of a template library: for every key our rows, the
// sphere-covering bound and, for pure ternary and pure binary keys, the best
// known sizes of the published covering-code tables.
#pragma once

#include "core/kombin/code.h"

#include <map>
#include <optional>
#include <string>

namespace kav::kombin {

// Best known upper bound of K3(n, R) (doubles = 0) or K2(n, R) (triples = 0),
// as far as the tables this program is measured against list it.
std::optional<std::uint64_t> referenceSize(const Key& key);

// Keys and the rows of the smallest checked system of each.
using LibrarySizes = std::map<Key, std::uint64_t>;

// Markdown: a summary, then one table per number of positions.
std::string libraryReport(const LibrarySizes& sizes);

} // namespace kav::kombin
