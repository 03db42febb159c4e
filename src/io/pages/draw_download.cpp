#include "io/pages/draw_download.h"

#include "io/pages/page_text.h"
#include "io/pages/servers.h"

namespace kav::io {

HttpOptions drawPageHttpOptions() {
    HttpOptions o;
    o.connectTimeout = std::chrono::seconds(10);
    o.totalTimeout = std::chrono::seconds(30);
    o.maxBodyBytes = 8u << 20;
    return o;
}

Message drawPageFailureMessage(DrawPage page, const std::string& url,
                               const PageDownload& download) {
    const std::string what = page == DrawPage::EventList ? "список событий" : "итоги тиража";
    std::string text = "Тираж не загружен: ";
    if (!download.text) {
        text += "страница не получена (" + what + ").";
        const std::string prefix = url + ": ";
        const std::string reason = download.error.rfind(prefix, 0) == 0
                                       ? download.error.substr(prefix.size())
                                       : download.error;
        if (!reason.empty())
            text += "\n" + reason;
    } else {
        text += "страница не в формате данных (" + what + ").";
    }
    return Message{text + "\nАдрес: " + url};
}

PageDownload downloadPageText(HttpRequest& http, const std::string& url,
                              const HttpProgress& progress, const std::function<bool()>& stop) {
    PageDownload d;
    auto reply = http.get(url, progress);
    if (!reply) {
        d.error = url + ": " + http.lastError();
        return d;
    }
    d.text = pageText(reply->body, reply->contentType, stop);
    if (!d.text)
        d.error = url + ": stopped";
    return d;
}

std::optional<std::string> fetchDraw(HttpRequest& http, std::string_view server, DrawModel& m,
                                     DrawTotals& totals) {
    auto events = downloadPageText(http, eventListUrl(server, m.drawCountry));
    if (!events.text)
        return events.error;
    auto next = readEventListDraw(*events.text);
    if (!next)
        return "the event list breaks the page format";
    auto totalsPage = downloadPageText(http, totalsUrl(server, m.drawCountry));
    if (!totalsPage.text)
        return totalsPage.error;
    auto parsed = parseTotals(*totalsPage.text);
    if (!parsed)
        return "the totals page breaks the page format";
    applyEventListDraw(m, *next);
    totals = *parsed;
    return std::nullopt;
}

} // namespace kav::io
