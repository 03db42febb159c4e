// Downloading the draw from the data server: one page as text, and the whole
// chain (event list, then totals) for callers without a window.
#pragma once

#include "core/base/message.h"
#include "core/draw/draw_model.h"
#include "core/draw/draw_page.h"
#include "io/pages/http_request.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

// The time-outs of a draw page: the window stays usable meanwhile, but a
// player waits for it.
HttpOptions drawPageHttpOptions();

struct PageDownload {
    std::optional<std::string> text; // the page text; nothing when the download failed
    std::string error;               // why it failed
};

// The two pages of a draw.
enum class DrawPage { EventList, Totals };

// What the player is told when a page of the draw cannot be used: that the
// draw was not loaded, whether the page did not arrive (with the reason) or
// arrived but breaks its format, and the page's address.
Message drawPageFailureMessage(DrawPage page, const std::string& url, const PageDownload& download);

// GETs a page and reduces the reply to its visible text. `stop`, when given,
// is asked while the reply is read into text; a stopped page gives no text.
PageDownload downloadPageText(HttpRequest& http, const std::string& url,
                              const HttpProgress& progress = {},
                              const std::function<bool()>& stop = {});

// Downloads and applies both pages of the draw of m.drawCountry. The model
// and totals change only when both pages arrive and are well formed;
// otherwise the reason is returned and nothing changes. The events replace
// all fifteen of the model's: those the page does not list become blank.
std::optional<std::string> fetchDraw(HttpRequest& http, std::string_view server, DrawModel& m,
                                     DrawTotals& totals);

} // namespace kav::io
