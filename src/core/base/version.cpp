#include "core/base/version.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace kav {

namespace {

struct VersionPart {
    std::string number;  // decimal digits, no leading zeros ("" is 0)
    std::string letters; // lower case
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::optional<std::vector<VersionPart>> versionParts(std::string_view text) {
    // Far longer than any real version: keeps hostile texts cheap.
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    if (text.front() == 'V' || text.front() == 'v')
        text.remove_prefix(1);
    std::vector<VersionPart> parts;
    for (;;) {
        VersionPart part;
        std::size_t i = 0;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == 0)
            return std::nullopt;
        std::string_view digits = text.substr(0, i);
        while (digits.size() > 1 && digits.front() == '0')
            digits.remove_prefix(1);
        part.number = digits == "0" ? std::string() : std::string(digits);
        while (i < text.size() && isLetter(text[i]))
            part.letters += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
        parts.push_back(std::move(part));
        if (i == text.size())
            return parts;
        if (text[i] != '.')
            return std::nullopt;
        text.remove_prefix(i + 1);
    }
}

int compareNumbers(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a == b ? 0 : (a < b ? -1 : 1);
}

} // namespace

std::optional<int> compareVersions(std::string_view a, std::string_view b) {
    auto pa = versionParts(a), pb = versionParts(b);
    if (!pa || !pb)
        return std::nullopt;
    const std::size_t n = std::max(pa->size(), pb->size());
    pa->resize(n);
    pb->resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (int c = compareNumbers((*pa)[i].number, (*pb)[i].number))
            return c;
        if ((*pa)[i].letters != (*pb)[i].letters)
            return (*pa)[i].letters < (*pb)[i].letters ? -1 : 1;
    }
    return 0;
}

bool isNewerVersion(std::string_view remote, std::string_view current) {
    return compareVersions(remote, current) == 1;
}

} // namespace kav
