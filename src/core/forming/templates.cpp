#include "core/forming/templates.h"

#include "core/bets/bet_list.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>

namespace kav {

namespace fs = std::filesystem;

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool lessNoCase(const std::string& a, const std::string& b) {
    bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                     [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
    if (less || !equalsNoCase(a, b))
        return less;
    return a < b; // names differing only in case: a fixed order all the same
}

} // namespace

std::optional<std::int64_t> readNameNumber(std::string_view s, std::int64_t max) {
    if (s.empty())
        return std::nullopt;
    std::int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > max)
            return std::nullopt;
    }
    return v;
}

Message emptyTemplateFolderMessage() {
    return Message{"Папка \"Kombin\",которая содержит шаблоны используемых бриф-систем, должна "
                   "помещаться в той же папке, что и основная программа"};
}

std::optional<fs::path> resolveTemplateFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return folder;
    fs::path parent = folder.parent_path();
    std::string wanted = folder.filename().string();
    if (wanted.empty())
        return std::nullopt;
    fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, ec);
    if (ec)
        return std::nullopt;
    std::optional<fs::path> found;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::string name = it->path().filename().string();
        if (!equalsNoCase(name, wanted) || !it->is_directory(ec))
            continue;
        // Several spellings: take the first in name order so the choice is stable.
        if (!found || lessNoCase(name, found->filename().string()))
            found = parent / name;
    }
    return found;
}

namespace {

void appendFolderFiles(const fs::path& folder, std::vector<fs::path>& files) {
    auto dir = resolveTemplateFolder(folder);
    if (!dir)
        return;
    std::error_code ec;
    fs::directory_iterator it(*dir, ec);
    if (ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || fileEc)
            continue;
        files.push_back(it->path());
    }
}

} // namespace

std::vector<fs::path> listTemplateFolder(const fs::path& folder, const fs::path& ownFolder) {
    std::vector<fs::path> files;
    if (!ownFolder.empty()) {
        // The player's own files first: one of them hides a shipped file of the same name.
        appendFolderFiles(ownFolder, files);
        const std::size_t own = files.size();
        std::vector<fs::path> shipped;
        appendFolderFiles(folder, shipped);
        for (auto& file : shipped) {
            const std::string name = file.filename().string();
            if (std::none_of(
                    files.begin(), files.begin() + static_cast<std::ptrdiff_t>(own),
                    [&](const fs::path& f) { return equalsNoCase(f.filename().string(), name); }))
                files.push_back(std::move(file));
        }
    } else {
        appendFolderFiles(folder, files);
    }
    std::stable_sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return lessNoCase(a.filename().string(), b.filename().string());
    });
    return files;
}

std::optional<TemplateEntry> parseTemplateName(std::string_view fileName) {
    std::string_view name = trimLine(fileName);
    if (auto txt = name.find(".txt"); txt != std::string_view::npos)
        name = name.substr(0, txt);
    std::int64_t parts[3];
    for (auto& part : parts) {
        auto dash = name.find('-');
        if (dash == std::string_view::npos)
            return std::nullopt;
        auto v = readNameNumber(name.substr(0, dash), 255);
        if (!v)
            return std::nullopt;
        part = *v;
        name.remove_prefix(dash + 1);
    }
    auto bets = readNameNumber(name, std::numeric_limits<std::int32_t>::max());
    if (!bets)
        return std::nullopt;
    return TemplateEntry{static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
                         static_cast<std::uint8_t>(parts[2]), static_cast<std::int32_t>(*bets)};
}

TemplateIndexResult indexTemplates(const fs::path& folder, const fs::path& ownFolder) {
    TemplateIndexResult r;
    for (const auto& file : listTemplateFolder(folder, ownFolder))
        if (auto e = parseTemplateName(file.filename().string()))
            r.index.push_back(*e);
    // An exchange sort on purpose: ties end in the order it leaves them,
    // and the nearest-systems window lists them in that order.
    auto& idx = r.index;
    for (std::size_t i = 0; i + 1 < idx.size(); ++i)
        for (std::size_t j = i + 1; j < idx.size(); ++j)
            if (idx[i].systemBets < idx[j].systemBets)
                std::swap(idx[i], idx[j]);
    if (idx.empty())
        r.message = emptyTemplateFolderMessage();
    return r;
}

std::optional<TemplateRow> parseTemplateRow(std::string_view line) {
    std::uint32_t ones = 0, draws = 0, twos = 0;
    for (char c : line) {
        ones <<= 1;
        draws <<= 1;
        twos <<= 1;
        if ((ones | draws | twos) > 0xFFFF)
            return std::nullopt;
        if (c == '1')
            ones |= 1;
        else if (c == 'X')
            draws |= 1;
        else if (c == '2')
            twos |= 1;
    }
    return TemplateRow{static_cast<std::uint16_t>(ones), static_cast<std::uint16_t>(draws),
                       static_cast<std::uint16_t>(twos)};
}

bool matchesTemplateKey(std::string_view fileName, int d, int t, int k) {
    std::string prefix =
        std::to_string(d) + '-' + std::to_string(t) + '-' + std::to_string(k) + '-';
    constexpr std::string_view ext = ".txt";
    return fileName.size() >= prefix.size() + ext.size() &&
           equalsNoCase(fileName.substr(0, prefix.size()), prefix) &&
           equalsNoCase(fileName.substr(fileName.size() - ext.size()), ext);
}

std::optional<fs::path> findTemplate(const fs::path& folder, int d, int t, int k,
                                     const fs::path& ownFolder) {
    std::optional<fs::path> best;
    std::optional<fs::file_time_type> bestTime;
    for (const auto& file : listTemplateFolder(folder, ownFolder)) {
        if (!matchesTemplateKey(file.filename().string(), d, t, k))
            continue;
        std::error_code ec;
        auto time = fs::last_write_time(file, ec);
        if (ec)
            continue;
        if (!bestTime || time > *bestTime) {
            best = file;
            bestTime = time;
        }
    }
    return best;
}

std::optional<std::string> firstTemplateName(const fs::path& folder, int d, int t, int k,
                                             const fs::path& ownFolder) {
    for (const auto& file : listTemplateFolder(folder, ownFolder)) {
        std::string name = file.filename().string();
        if (matchesTemplateKey(name, d, t, k))
            return name;
    }
    return std::nullopt;
}

TemplateRows readTemplateRows(const fs::path& file) {
    TemplateRows r;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        r.readable = false;
        return r;
    }
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        r.readable = false;
        return r;
    }
    // A line ends at LF, CR or CR LF; counting CR LF once keeps line numbers right.
    std::size_t lineNo = 0, start = 0;
    while (start <= data.size()) {
        std::size_t end = data.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = data.size();
        ++lineNo;
        std::string_view line = trimLine(std::string_view(data).substr(start, end - start));
        if (!line.empty()) {
            auto row = parseTemplateRow(line);
            if (!row) {
                r.badLine = lineNo;
                return r;
            }
            r.rows.push_back(*row);
        }
        if (end == data.size())
            break;
        start = end + (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n' ? 2 : 1);
    }
    return r;
}

} // namespace kav
