#include "io/files/text_file.h"

#include "io/files/cp1251.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
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

MaybeMessage writeFileBytes(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (fs::exists(target, ec) && !fs::is_regular_file(target, ec))
        return writeInPlace(path, bytes);
    // A link to a file keeps being a link: the file it names is replaced.
    if (fs::is_symlink(target, ec)) {
        const fs::path real = fs::canonical(target, ec);
        if (!ec)
            target = real;
    }
    if (target.filename().empty())
        return writeFailedMessage(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return writeFailedMessage(path);
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private; a saved file gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ok = ok && ::fchmod(fd, 0666 & ~mask) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return writeFailedMessage(path);
    }
    return std::nullopt;
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
