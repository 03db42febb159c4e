// The program's version and the order in which versions compare.
#pragma once

#include <optional>
#include <string_view>

namespace kav {

inline constexpr std::string_view kCurrentVersion = "V1.4.2";
inline constexpr std::string_view kProgramTitle = "Kavendix V1.4.2";

// Versions compare part by part: an optional "V" (either case), then numbers
// separated by dots, each number perhaps followed by letters ("1.4.2a").
// Numbers compare by value (1.10 after 1.4.2), a missing part counts as 0
// (1.4 = 1.4.0), letters after a number sort it after the bare number and
// compare without regard to case. -1, 0 or 1; nothing when either text is not
// a version.
std::optional<int> compareVersions(std::string_view a, std::string_view b);

// Whether `remote` is a version strictly newer than `current`; a text that is
// not a version is never newer.
bool isNewerVersion(std::string_view remote, std::string_view current = kCurrentVersion);

} // namespace kav
