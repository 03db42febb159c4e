#include "io/files/text_file.h"

#include "io/files/cp1251.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::io {

std::string cp1251Text(const Lines& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += utf8ToCp1251Lossy(l);
        out += "\r\n";
    }
    return out;
}

Message writeFailedMessage(const std::string& path) {
    return Message{"Не удалось записать файл " + path};
}

namespace {

// Devices and pipes ("/dev/stdout") cannot be replaced by a rename: they are
// written to directly.
MaybeMessage writeInPlace(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return writeFailedMessage(path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        return writeFailedMessage(path);
    return std::nullopt;
}

} // namespace

namespace fs = std::filesystem;

constexpr std::string_view kTempMarker = ".~kvtmp-";

SafeFileWriter::SafeFileWriter(const std::string& path) : path_(path) {
    std::error_code ec;
    fs::path target(path);
    // A link to a file keeps being a link: the file it names is replaced.
    if (fs::is_symlink(target, ec)) {
        const fs::path real = fs::canonical(target, ec);
        if (!ec)
            target = real;
    }
    if (target.filename().empty())
        return;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    target_ = target.string();
    temp_ = (folder / ("." + target.filename().string() + std::string(kTempMarker) +
                       std::to_string(::getpid()) + "-XXXXXX"))
                .string();
    // Close-on-exec: a started child must not inherit the lock.
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0)
        discard();
}

SafeFileWriter::~SafeFileWriter() {
    discard();
}

void SafeFileWriter::discard() {
    if (fd_ < 0)
        return;
    ::unlink(temp_.c_str());
    ::close(fd_);
    fd_ = -1;
}

bool SafeFileWriter::write(std::string_view bytes) {
    for (std::size_t done = 0; fd_ >= 0 && done < bytes.size();) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            discard();
        else
            done += static_cast<std::size_t>(n);
    }
    return fd_ >= 0;
}

MaybeMessage SafeFileWriter::commit() {
    if (fd_ < 0)
        return writeFailedMessage(path_);
    // mkstemp makes the file private; a saved file gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd_, 0666 & ~mask) == 0;
    ok = ok && ::fsync(fd_) == 0;
    ok = ok && ::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        discard();
        return writeFailedMessage(path_);
    }
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!closed)
        return writeFailedMessage(path_);
    return std::nullopt;
}

bool isSafeWriterTempName(std::string_view name) {
    const auto at = name.rfind(kTempMarker);
    if (name.empty() || name.front() != '.' || at == std::string_view::npos || at == 0)
        return false;
    std::string_view rest = name.substr(at + kTempMarker.size());
    const auto dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || rest.size() - dash - 1 != 6)
        return false;
    for (char c : rest.substr(0, dash))
        if (c < '0' || c > '9')
            return false;
    return true;
}

namespace {

bool processRuns(std::string_view pidText) {
    if (pidText.size() > 9)
        return false;
    const pid_t pid = static_cast<pid_t>(std::stol(std::string(pidText)));
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

bool removeIfStale(const fs::path& file) {
    const std::string name = file.filename().string();
    const std::string_view rest =
        std::string_view(name).substr(name.rfind(kTempMarker) + kTempMarker.size());
    const std::string_view pid = rest.substr(0, rest.find('-'));
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    struct stat st {};
    bool stale = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid();
    // The writer holds its lock from just after the file's creation: a young
    // file of a running process may be in that moment.
    stale = stale && (!processRuns(pid) || ::time(nullptr) - st.st_mtime > 600);
    stale = stale && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    stale = stale && ::unlink(file.c_str()) == 0;
    ::close(fd);
    return stale;
}

} // namespace

int removeStaleTempFiles(const std::string& folder) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec), end;
         !ec && it != end; it.increment(ec))
        if (isSafeWriterTempName(it->path().filename().string()) && removeIfStale(it->path()))
            ++removed;
    return removed;
}

MaybeMessage writeFileBytes(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    const fs::path target(path);
    if (fs::exists(target, ec) && !fs::is_regular_file(target, ec))
        return writeInPlace(path, bytes);
    removeStaleTempFiles(target.has_parent_path() ? target.parent_path().string() : ".");
    SafeFileWriter writer(path);
    if (!writer.write(bytes))
        return writeFailedMessage(path);
    return writer.commit();
}

std::optional<std::string> readFileBytes(const std::string& path, std::size_t maxBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string data;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        data.append(buf, static_cast<std::size_t>(in.gcount()));
        if (data.size() > maxBytes)
            return std::nullopt;
    }
    if (in.bad())
        return std::nullopt;
    return data;
}

} // namespace kav::io
