// Where the program fetches its data: the bookmaker's data server and the
// update server. The defaults live here and nowhere else; `--data-server` and
// `--update-server` replace them for one run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kav::io {

inline constexpr std::string_view kDefaultDataServer = "https://toto.kavendix.example";
inline constexpr std::string_view kDefaultUpdateServer = "https://update.kavendix.example";

struct ServerSettings {
    std::string dataServer{kDefaultDataServer}; // empty: no download, the default draw
    std::string updateServer{kDefaultUpdateServer};
    bool updateCheck = true;
    std::string updateFolder; // empty: the executable's folder
};

// An address a server can have: "http://" or "https://", a host of letters,
// digits, "-", "." (or a bracketed IPv6 address), an optional port and path,
// no blanks or control characters.
bool isServerAddress(std::string_view address);

// "&nnvaluta_=-1" for the Ukrainian draw, "&nnvaluta_=-2" for any other.
std::string currencyParameter(std::uint8_t drawCountry);
// The addresses of the event-list and totals pages of a draw.
std::string eventListUrl(std::string_view server, std::uint8_t drawCountry);
std::string totalsUrl(std::string_view server, std::uint8_t drawCountry);

} // namespace kav::io
