// Conversion between the program's UTF-8 texts and the single-byte Cyrillic
// Windows code page of its text files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

// Nothing when the text holds a character the code page lacks.
std::optional<std::string> utf8ToCp1251(std::string_view utf8);
// Every byte of CP1251 has a character, except 0x98, which becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view cp1251);

} // namespace kav::io
