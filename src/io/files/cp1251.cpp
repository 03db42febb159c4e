#include "io/files/cp1251.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace kav::io {

namespace {

enum class OnBad { Fail, ReplaceByte, ReplaceUtf8Char };

std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   OnBad onBad, std::string_view replacement = {}) {
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
        if (r != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        if (onBad == OnBad::Fail) {
            ok = false;
            break;
        }
        out += replacement;
        std::size_t skip = 1;
        if (onBad == OnBad::ReplaceUtf8Char && errno == EILSEQ)
            while (skip < inLeft && (static_cast<unsigned char>(inPtr[skip]) & 0xC0) == 0x80)
                ++skip;
        inPtr += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    return out;
}

constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";

} // namespace

std::optional<std::string> utf8ToCp1251(std::string_view utf8) {
    return convert("CP1251", "UTF-8", utf8, OnBad::Fail);
}

std::string utf8ToCp1251Lossy(std::string_view utf8) {
    return convert("CP1251", "UTF-8", utf8, OnBad::ReplaceUtf8Char, "?").value_or(std::string());
}

std::string cp1251ToUtf8(std::string_view cp1251) {
    return convert("UTF-8", "CP1251", cp1251, OnBad::ReplaceByte, kReplacementChar)
        .value_or(std::string());
}

std::optional<std::string> charsetToUtf8(std::string_view bytes, const std::string& charset) {
    return convert("UTF-8", charset.c_str(), bytes, OnBad::ReplaceByte, kReplacementChar);
}

} // namespace kav::io
