#include "io/pages/servers.h"

#include "core/draw/draw_model.h"

namespace kav::io {

namespace {
std::string withoutTrailingSlash(std::string_view server) {
    while (!server.empty() && server.back() == '/')
        server.remove_suffix(1);
    return std::string(server);
}
} // namespace

std::string currencyParameter(std::uint8_t drawCountry) {
    return drawCountry == kUkraine ? "&nnvaluta_=-1" : "&nnvaluta_=-2";
}

std::string eventListUrl(std::string_view server, std::uint8_t drawCountry) {
    return withoutTrailingSlash(server) + "/stTot/totainform.aspx?name=line_event2" +
           currencyParameter(drawCountry);
}

std::string totalsUrl(std::string_view server, std::uint8_t drawCountry) {
    return withoutTrailingSlash(server) + "/stTot/totainform.aspx?name=line_total" +
           currencyParameter(drawCountry);
}

} // namespace kav::io
