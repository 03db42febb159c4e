// The quotes file on disk: ".ctr", CP1251, CR LF, 20 lines.
#pragma once

#include "core/base/message.h"
#include "core/draw/quotes_file.h"

#include <optional>
#include <string>

namespace kav::io {

inline constexpr const char* kBadQuotesFileText = "Неверный формат загружаемого файла";

// The chosen path with ".ctr" appended when it holds no "." anywhere.
std::string quotesFilePath(const std::string& chosen);

// Writes the draw; a message when the file cannot be written.
MaybeMessage writeQuotesFile(const std::string& path, const DrawModel& m, const DrawSettings& s,
                             const DrawTotals& t);

// The whole file, parsed; nothing when it cannot be read or breaks the format
// (the caller then shows kBadQuotesFileText and changes nothing).
// `problem` names a refused number.
std::optional<QuotesFileContent> readQuotesFile(const std::string& path,
                                                std::string* problem = nullptr);
// The same for the file's bytes.
std::optional<QuotesFileContent> parseQuotesFileBytes(std::string_view bytes,
                                                      std::string* problem = nullptr);
// kBadQuotesFileText, with the refused number when there is one.
std::string badQuotesFileText(const std::string& problem);

// A quotes file is a few kilobytes; anything far larger is not one.
inline constexpr std::size_t kMaxQuotesFileBytes = 1u << 20;

} // namespace kav::io
