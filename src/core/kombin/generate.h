// The brief-system generator: the best construction from the systems at hand
// (direct sums, perfect codes, turning triples into doubles), then the local
// search that keeps removing rows while the guarantee holds.
#pragma once

#include "core/kombin/code.h"
#include "core/kombin/search.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kav::kombin {

// Systems already made, used as building blocks and as starting points.
class Library {
public:
    virtual ~Library() = default;
    // Rows of the smallest system of the key, judged by what the library announces.
    virtual std::optional<std::uint64_t> sizeOf(const Key& key) const = 0;
    // That system, checked; a system that fails the check is forgotten and the
    // next smallest one of the key is tried.
    virtual std::optional<Code> load(const Key& key) = 0;
};

// The template files of a folder, each taken only after it passed the check.
class FolderLibrary : public Library {
public:
    explicit FolderLibrary(const std::string& folder);
    // The systems of one more folder join the library.
    void addFolder(const std::string& folder);
    std::optional<std::uint64_t> sizeOf(const Key& key) const override;
    std::optional<Code> load(const Key& key) override;

private:
    std::map<Key, std::multimap<std::uint64_t, std::string>> files_;
};

// A library that knows only the sizes of its systems (the template index of
// the program): enough to tell what the constructions would give.
class AnnouncedLibrary : public Library {
public:
    void announce(const Key& key, std::uint64_t rows);
    std::optional<std::uint64_t> sizeOf(const Key& key) const override;
    std::optional<Code> load(const Key&) override { return std::nullopt; }

private:
    std::map<Key, std::uint64_t> sizes_;
};

// The rows of the code buildConstruction would make, from the sizes the
// library announces; nothing is loaded or checked.
std::uint64_t constructionSize(const Key& key, Library* library);

// The smallest code the constructions give for the key, with the library's
// systems as parts. Never fails: there is always the trivial construction.
struct Construction {
    Code code;
    std::string recipe; // how it was made, for the report
};
Construction buildConstruction(const Key& key, Library* library);

struct GenerateOptions {
    SearchOptions search;
    Library* library = nullptr;
    bool useSearch = true;
    // Rows of the check matrix of the matrix construction; 0 tries every height.
    int matrixHeight = 0;
    // Columns of the check matrix beyond the unit ones, when the search is to
    // run on that one matrix only (and with the whole budget); keys of triples only.
    std::vector<std::vector<std::uint8_t>> matrixColumns;
};

struct GenerateResult {
    Code code;          // rows in canonical order
    bool holds = false; // the exhaustive check of the final code
    std::string method;
    std::size_t constructionRows = 0;
    std::uint64_t lowerBound = 0;
    bool cancelled = false;
};

// Spaces above this many results are not searched; constructions still serve.
constexpr std::uint64_t kMaxSearchResults = 531441;

GenerateResult generateSystem(const Key& key, const GenerateOptions& options);

} // namespace kav::kombin
