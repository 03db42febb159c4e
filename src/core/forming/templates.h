// Brief-system templates: the folder "Kombin" with one file per system, named
// doubles-triples-insuredHits-systemBets.txt, the index built at start, the
// row reader and the two lookups by key.
#pragma once

#include "core/base/message.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

struct TemplateEntry {
    std::uint8_t doubles = 0;
    std::uint8_t triples = 0;
    std::uint8_t insuredHits = 0;
    std::int32_t systemBets = 0;
    bool operator==(const TemplateEntry&) const = default;
};

using TemplateIndex = std::vector<TemplateEntry>;

// One template row as three masks; the last character of the row is bit 0.
struct TemplateRow {
    std::uint16_t rowOnes = 0;
    std::uint16_t rowDraws = 0;
    std::uint16_t rowTwos = 0;
    bool operator==(const TemplateRow&) const = default;
};

// The message shown at start when the folder holds no usable template.
Message emptyTemplateFolderMessage();

// The folder as it is spelled on disk: the path itself when it exists, else
// the entry of its parent folder whose name differs only in letter case.
// Nothing when neither exists.
std::optional<std::filesystem::path> resolveTemplateFolder(const std::filesystem::path& folder);

// Regular, non-hidden files of the folder, in listing order (names compared
// without regard to case, so the order does not depend on the file system).
// With `ownFolder` (the player's computed systems, beside the shipped folder)
// the files of both, a file of the player's hiding a shipped one of the same name.
std::vector<std::filesystem::path> listTemplateFolder(const std::filesystem::path& folder,
                                                      const std::filesystem::path& ownFolder = {});

// A number of a template name: decimal digits only, at most `max`.
std::optional<std::int64_t> readNameNumber(std::string_view s, std::int64_t max);

// Reads a file name of the scheme into an entry; nothing when it is outside the scheme.
std::optional<TemplateEntry> parseTemplateName(std::string_view fileName);

struct TemplateIndexResult {
    TemplateIndex index;
    MaybeMessage message; // the empty-folder message when the index is empty
};
// Indexes every file of the folder (and the player's own) whose name follows
// the scheme, most bets first.
TemplateIndexResult indexTemplates(const std::filesystem::path& folder,
                                   const std::filesystem::path& ownFolder = {});

// Nothing when a symbol stands more than 16 positions from the end of the row.
std::optional<TemplateRow> parseTemplateRow(std::string_view line);

// Whether a file name matches d "-" t "-" k "-*.txt", without regard to case.
bool matchesTemplateKey(std::string_view fileName, int d, int t, int k);

// The file of key (d, t, k) modified last (the first listed among equal times).
std::optional<std::filesystem::path> findTemplate(const std::filesystem::path& folder, int d, int t,
                                                  int k,
                                                  const std::filesystem::path& ownFolder = {});
// The name of the first file of key (d, t, k) in listing order.
std::optional<std::string> firstTemplateName(const std::filesystem::path& folder, int d, int t,
                                             int k, const std::filesystem::path& ownFolder = {});

// The rows of a template file: non-empty trimmed lines, each read by parseTemplateRow.
struct TemplateRows {
    std::vector<TemplateRow> rows;
    bool readable = true;    // false when the file could not be opened or read
    std::size_t badLine = 0; // 1-based number of the first line that cannot be read; 0 = none
};
TemplateRows readTemplateRows(const std::filesystem::path& file);

} // namespace kav
