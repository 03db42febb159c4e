#include "io/text_file.h"

#include "io/cp1251.h"

#include <filesystem>
#include <fstream>
#include <iterator>

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

MaybeMessage writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return writeFailedMessage(path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        return writeFailedMessage(path);
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
