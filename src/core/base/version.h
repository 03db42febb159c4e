// The program's version and the order in which versions compare.
#pragma once

#include <string_view>

namespace kav {

inline constexpr std::string_view kCurrentVersion = "V1.4.2";
inline constexpr std::string_view kProgramTitle = "Kavendix V1.4.2";

// A remote version is newer when the current one sorts before it byte by byte
// (so "V1.10" is not newer than "V1.4.2", and "v1.0" is).
inline bool isNewerVersion(std::string_view remote, std::string_view current = kCurrentVersion) {
    return current < remote;
}

} // namespace kav
