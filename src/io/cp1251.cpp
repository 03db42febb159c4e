#include "io/cp1251.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace kav::io {

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   bool replaceBad) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    std::vector<char> buf(4096);
    auto* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buf.data();
        std::size_t outLeft = buf.size();
        std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buf.data(), buf.size() - outLeft);
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            if (!replaceBad) {
                ok = false;
                break;
            }
            out += "\xEF\xBF\xBD";
            ++inPtr;
            --inLeft;
        }
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<std::string> utf8ToCp1251(std::string_view utf8) {
    return convert("CP1251", "UTF-8", utf8, false);
}

std::string cp1251ToUtf8(std::string_view cp1251) {
    return convert("UTF-8", "CP1251", cp1251, true).value_or(std::string());
}

} // namespace kav::io
