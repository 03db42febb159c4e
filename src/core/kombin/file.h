// Template files of brief systems: the name D-T-K-ROWS.txt, rows written so that
// the program reads them back position for position (the rightmost characters
// are the triples, then the doubles), CR LF line ends, and the exhaustive check
// of a file as the program will use it.
#pragma once

#include "core/kombin/code.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav::kombin {

struct TemplateName {
    Key key;
    std::uint64_t rows = 0;
};

// "D-T-K-ROWS.txt".
std::string templateFileName(const Key& key, std::size_t rows);
// Reads a name of that exact form (decimal numbers, lowercase ".txt").
std::optional<TemplateName> parseTemplateFileName(std::string_view name);

// One row as text: position d + t - 1 first, position 0 last; triples use "1",
// "X", "2", doubles "1" and "2".
std::string rowText(const Code& code, const Word& row);
// The whole file: every row in the code's order, each ended by CR LF.
std::string templateFileText(const Code& code);

// Reads the rows of a template for d doubles and t triples the way the
// expansion lays them onto a selection: the rightmost d + t characters count;
// a row that the program would read as an incomplete or unreadable bet is an
// error with its line number.
struct TemplateRows {
    Code code;
    std::string error; // empty when every row was read
};
TemplateRows readTemplateRows(std::string_view text, int doubles, int triples);

struct TemplateCheck {
    std::optional<TemplateName> name;
    std::size_t rowsRead = 0;
    Coverage coverage;
    std::string problem; // empty when the file is a sound template
    bool ok() const { return problem.empty(); }
};
// The name, the rows, their count against the name, and the guarantee.
TemplateCheck checkTemplate(std::string_view fileName, std::string_view text);

// Writes the code into `folder` under its scheme name, after checking it; a
// partly written file never appears under the final name. Returns the path,
// or an error text in `error`.
std::optional<std::string> saveTemplate(const std::string& folder, const Code& code, int hits,
                                        std::string& error);

} // namespace kav::kombin
