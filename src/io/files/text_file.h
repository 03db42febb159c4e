// Whole text files for the program's own formats (quotes file, text export,
// update files): CP1251 on disk, CR LF line ends, failures as messages.
#pragma once

#include "core/base/message.h"
#include "core/bets/bet_list.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kav::io {

// Lines as CP1251 bytes, each ending with CR LF; characters the code page
// lacks become "?".
std::string cp1251Text(const Lines& lines);

// Writes the bytes, replacing the file safely: they go to a temporary file in
// the same folder, which is flushed to disk and renamed over `path`. On any
// failure the temporary file is removed, the old file stays as it was and a
// message says what failed.
MaybeMessage writeFileBytes(const std::string& path, const std::string& bytes);

// The file's bytes; nothing when it cannot be read or exceeds maxBytes.
std::optional<std::string> readFileBytes(const std::string& path, std::size_t maxBytes);

// The message for a file that could not be written.
Message writeFailedMessage(const std::string& path);

} // namespace kav::io
