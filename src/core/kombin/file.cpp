#include "core/kombin/file.h"

#include <charconv>
#include <filesystem>
#include <fstream>

namespace kav::kombin {

namespace {

// Like the template reader of the program: blanks and control characters at both ends go.
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20)
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20)
        s.remove_suffix(1);
    return s;
}

std::optional<std::uint64_t> decimal(std::string_view s) {
    if (s.empty() || s.size() > 9)
        return std::nullopt;
    std::uint64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || p != s.data() + s.size())
        return std::nullopt;
    return v;
}

// The program reads at most 16 positions of a row.
constexpr std::size_t kRowPositions = 16;

} // namespace

std::string templateFileName(const Key& key, std::size_t rows) {
    return std::to_string(key.doubles) + '-' + std::to_string(key.triples) + '-' +
           std::to_string(key.hits) + '-' + std::to_string(rows) + ".txt";
}

std::optional<TemplateName> parseTemplateFileName(std::string_view name) {
    constexpr std::string_view ext = ".txt";
    if (name.size() <= ext.size() || name.substr(name.size() - ext.size()) != ext)
        return std::nullopt;
    name.remove_suffix(ext.size());
    std::uint64_t part[4];
    for (int i = 0; i < 4; ++i) {
        auto dash = i < 3 ? name.find('-') : std::string_view::npos;
        if (i < 3 && dash == std::string_view::npos)
            return std::nullopt;
        auto v = decimal(name.substr(0, dash));
        if (!v)
            return std::nullopt;
        part[i] = *v;
        name = i < 3 ? name.substr(dash + 1) : std::string_view{};
    }
    if (part[0] > 255 || part[1] > 255 || part[2] > 255)
        return std::nullopt;
    TemplateName t{
        {static_cast<int>(part[0]), static_cast<int>(part[1]), static_cast<int>(part[2])}, part[3]};
    if (!t.key.valid())
        return std::nullopt;
    return t;
}

std::string rowText(const Code& code, const Word& row) {
    static constexpr char kTriple[] = {'1', 'X', '2'};
    static constexpr char kDouble[] = {'1', '2'};
    std::string s;
    for (int i = code.positions() - 1; i >= 0; --i) {
        auto v = row[static_cast<std::size_t>(i)];
        s += i < code.triples ? kTriple[v % 3] : kDouble[v % 2];
    }
    return s;
}

std::string templateFileText(const Code& code) {
    std::string out;
    for (const auto& row : code.rows) {
        out += rowText(code, row);
        out += "\r\n";
    }
    return out;
}

TemplateRows readTemplateRows(std::string_view text, int doubles, int triples) {
    TemplateRows r;
    r.code = Code{doubles, triples, {}};
    const auto n = static_cast<std::size_t>(doubles + triples);
    std::size_t lineNo = 0;
    while (!text.empty()) {
        auto eol = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol);
        if (!text.empty() && text.front() == '\r')
            text.remove_prefix(1);
        if (!text.empty() && text.front() == '\n')
            text.remove_prefix(1);
        ++lineNo;
        line = trimmed(line);
        if (line.empty())
            continue;
        auto fail = [&](const std::string& why) {
            r.error = "line " + std::to_string(lineNo) + ": " + why;
            return r;
        };
        if (line.size() < n)
            return fail("the row has fewer than " + std::to_string(n) + " positions");
        for (std::size_t i = kRowPositions; i < line.size(); ++i) {
            char c = line[line.size() - 1 - i];
            if (c == '1' || c == 'X' || c == '2')
                return fail("a symbol stands more than 16 positions from the end of the row");
        }
        Word w(n);
        for (std::size_t i = 0; i < n; ++i) {
            char c = line[line.size() - 1 - i];
            bool triple = i < static_cast<std::size_t>(triples);
            if (c == '1')
                w[i] = 0;
            else if (c == 'X' && triple)
                w[i] = 1;
            else if (c == '2')
                w[i] = triple ? 2 : 1;
            else
                return fail(std::string(triple ? "a triple" : "a double") + " position holds \"" +
                            c + "\"");
        }
        r.code.rows.push_back(std::move(w));
    }
    return r;
}

TemplateCheck checkTemplate(std::string_view fileName, std::string_view text) {
    TemplateCheck c;
    c.name = parseTemplateFileName(fileName);
    if (!c.name) {
        c.problem = "the name is not doubles-triples-hits-rows.txt";
        return c;
    }
    const Key& key = c.name->key;
    auto rows = readTemplateRows(text, key.doubles, key.triples);
    c.rowsRead = rows.code.rows.size();
    if (!rows.error.empty()) {
        c.problem = rows.error;
        return c;
    }
    if (c.rowsRead != c.name->rows) {
        c.problem = "the file holds " + std::to_string(c.rowsRead) + " rows, its name announces " +
                    std::to_string(c.name->rows);
        return c;
    }
    c.coverage = checkCoverage(rows.code, key.radius());
    if (!c.coverage.holds())
        c.problem = std::to_string(c.coverage.uncovered) + " of " +
                    std::to_string(c.coverage.results) + " results get fewer than " +
                    std::to_string(key.hits) + " hits";
    return c;
}

std::optional<std::string> saveTemplate(const std::string& folder, const Code& code, int hits,
                                        std::string& error) {
    Key key{code.doubles, code.triples, hits};
    if (!key.valid() || !fitsLayout(code) || !checkCoverage(code, key.radius()).holds()) {
        error = "the system does not guarantee " + std::to_string(hits) + " hits";
        return std::nullopt;
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::path path = fs::path(folder) / templateFileName(key, code.rows.size());
    // A name the template index leaves out, should the program start meanwhile.
    std::string base = templateFileName(key, code.rows.size());
    std::string tempName = "~";
    tempName.append(base, 0, base.size() - 4);
    tempName += ".tmp";
    fs::path temp = fs::path(folder) / tempName;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << templateFileText(code);
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            error = "cannot write " + temp.string();
            return std::nullopt;
        }
    }
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        error = "cannot write " + path.string();
        return std::nullopt;
    }
    return path.string();
}

} // namespace kav::kombin
