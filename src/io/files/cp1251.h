// Conversion between the program's UTF-8 texts and the single-byte Cyrillic
// Windows code page of its text files, and from other charsets to UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

// Nothing when the text holds a character the code page lacks.
std::optional<std::string> utf8ToCp1251(std::string_view utf8);
// Characters the code page lacks, and bytes that are no UTF-8, become "?".
std::string utf8ToCp1251Lossy(std::string_view utf8);
// Every byte of CP1251 has a character, except 0x98, which becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view cp1251);
// Text in any charset iconv knows, as UTF-8; bytes that do not convert become
// U+FFFD. Nothing when iconv does not know the charset.
std::optional<std::string> charsetToUtf8(std::string_view bytes, const std::string& charset);

} // namespace kav::io
