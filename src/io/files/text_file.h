// Whole text files for the program's own formats (quotes file, text export,
// update files): CP1251 on disk, CR LF line ends, failures as messages.
#pragma once

#include "core/base/message.h"
#include "core/bets/bet_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

// Lines as CP1251 bytes, each ending with CR LF; characters the code page
// lacks become "?".
std::string cp1251Text(const Lines& lines);

// A file written piece by piece and put in place only when it is whole: the
// pieces go to a temporary file in the same folder, ".<name>.~kvtmp-<pid>-XXXXXX",
// locked (flock) by this process while it exists; commit() flushes it to disk
// and renames it over the target. Without a commit (a failure, a cancel, the
// writer's end) the temporary file is removed and the target stays as it was.
// A crash leaves the temporary file; removeStaleTempFiles finds it later.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::string& path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool ok() const { return fd_ >= 0; }
    // False, and the writer is discarded, when the bytes could not be written.
    bool write(std::string_view bytes);
    MaybeMessage commit();
    void discard();

private:
    std::string path_;   // as given, for messages
    std::string target_; // the file replaced (a link's file)
    std::string temp_;
    int fd_ = -1;
};

// Writes the bytes, replacing the file safely (SafeFileWriter); devices and
// pipes are written directly. On any failure the old file stays as it was and
// a message says what failed. Stale temporary files in the folder go first.
MaybeMessage writeFileBytes(const std::string& path, const std::string& bytes);

// Whether a file name is one of the safe writer's temporary files.
bool isSafeWriterTempName(std::string_view name);

// Removes the safe writer's temporary files in `folder` that belong to this
// user and that no running program holds (their lock is free, and the process
// named in them has ended or they are older than ten minutes). How many went.
int removeStaleTempFiles(const std::string& folder);

// The file's bytes; nothing when it cannot be read or exceeds maxBytes.
std::optional<std::string> readFileBytes(const std::string& path, std::size_t maxBytes);

// The message for a file that could not be written.
Message writeFailedMessage(const std::string& path);

} // namespace kav::io
