#include "io/pages/servers.h"

#include "core/draw/draw_model.h"

#include <algorithm>

namespace kav::io {

namespace {
std::string withoutTrailingSlash(std::string_view server) {
    while (!server.empty() && server.back() == '/')
        server.remove_suffix(1);
    return std::string(server);
}
} // namespace

bool isServerAddress(std::string_view a) {
    for (std::string_view scheme : {"http://", "https://"}) {
        if (a.substr(0, scheme.size()) != scheme)
            continue;
        a.remove_prefix(scheme.size());
        const std::size_t hostEnd = std::min(a.find('/'), a.size());
        std::string_view host = a.substr(0, hostEnd);
        if (!host.empty() && host.front() == '[') { // [::1]:8080
            const std::size_t close = host.find(']');
            if (close == std::string_view::npos || close < 2)
                return false;
            host.remove_prefix(close + 1);
            if (!host.empty() && host.front() != ':')
                return false;
        } else {
            const std::size_t colon = host.find(':');
            const std::string_view name = host.substr(0, colon);
            if (name.empty() || name.front() == '.' || name.front() == '-')
                return false;
            for (char c : name)
                if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '.'))
                    return false;
            host.remove_prefix(std::min(colon, host.size()));
        }
        if (!host.empty()) { // the port
            host.remove_prefix(1);
            if (host.empty() || host.size() > 5)
                return false;
            for (char c : host)
                if (c < '0' || c > '9')
                    return false;
        }
        for (char c : a)
            if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f')
                return false;
        return true;
    }
    return false;
}

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
