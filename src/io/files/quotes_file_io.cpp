#include "io/files/quotes_file_io.h"

#include "io/files/cp1251.h"
#include "io/files/text_file.h"

namespace kav::io {

std::string quotesFilePath(const std::string& chosen) {
    return chosen.find('.') == std::string::npos ? chosen + ".ctr" : chosen;
}

MaybeMessage writeQuotesFile(const std::string& path, const DrawModel& m, const DrawSettings& s,
                             const DrawTotals& t) {
    return writeFileBytes(path, cp1251Text(formatQuotesFile(m, s, t)));
}

std::optional<QuotesFileContent> readQuotesFile(const std::string& path, std::string* problem) {
    auto bytes = readFileBytes(path, kMaxQuotesFileBytes);
    if (!bytes)
        return std::nullopt;
    return parseQuotesFileBytes(*bytes, problem);
}

std::optional<QuotesFileContent> parseQuotesFileBytes(std::string_view bytes,
                                                      std::string* problem) {
    return parseQuotesFile(splitLines(cp1251ToUtf8(bytes)), problem);
}

std::string badQuotesFileText(const std::string& problem) {
    return problem.empty() ? std::string(kBadQuotesFileText)
                           : std::string(kBadQuotesFileText) + ": " + problem + ".";
}

} // namespace kav::io
