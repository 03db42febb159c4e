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

std::optional<QuotesFileContent> readQuotesFile(const std::string& path) {
    auto bytes = readFileBytes(path, kMaxQuotesFileBytes);
    if (!bytes)
        return std::nullopt;
    return parseQuotesFileBytes(*bytes);
}

std::optional<QuotesFileContent> parseQuotesFileBytes(std::string_view bytes) {
    return parseQuotesFile(splitLines(cp1251ToUtf8(bytes)));
}

} // namespace kav::io
