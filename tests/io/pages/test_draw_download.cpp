#include "io/pages/draw_download.h"
#include "io/pages/servers.h"

#include "support/loopback_server.h"

#include <gtest/gtest.h>

using namespace kav;
using kav::test::LoopbackServer;

namespace {

const std::string kEventsPage =
    "<html><body>A - B|2|2|2|30|30|40|;Спартак - Зенит|2.00|3.40|3.60|47.5|28|24.5|;</body></html>";
const std::string kTotalsPage = "<html><body>125000.5|0|;3|4|5|</body></html>";

DrawModel russianDefaults() {
    DrawModel m;
    m.drawCountry = kRussia;
    applyDefaultDraw(m);
    return m;
}

} // namespace

TEST(DrawDownload, UrlsCarryTheCurrencyOfTheDraw) {
    EXPECT_EQ(io::eventListUrl("http://h/", kRussia),
              "http://h/stTot/totainform.aspx?name=line_event2&nnvaluta_=-2");
    EXPECT_EQ(io::totalsUrl("http://h", kUkraine),
              "http://h/stTot/totainform.aspx?name=line_total&nnvaluta_=-1");
    EXPECT_EQ(io::currencyParameter(kNoCountry), "&nnvaluta_=-2");
}

TEST(DrawDownload, BothPagesFillTheDrawAndTheTotals) {
    LoopbackServer server;
    server.set(test::eventsTarget(true), {200, kEventsPage});
    server.set(test::totalsTarget(true), {200, kTotalsPage});
    DrawModel m = russianDefaults();
    m.drawCountry = kUkraine;
    DrawTotals totals;
    io::HttpRequest http;
    ASSERT_EQ(io::fetchDraw(http, server.url(), m, totals), std::nullopt);
    EXPECT_EQ(m.eventTitles[1], "Спартак - Зенит");
    EXPECT_EQ(m.quotes[1][0], *Fixed4::parse("46.6461"));
    // The events after the page's last record are blank, not the draw's before.
    EXPECT_EQ(m.eventTitles[2], "");
    EXPECT_EQ(m.quotes[14][0], Fixed4());
    EXPECT_EQ(totals, (DrawTotals{"125000.5", "1000000", {3, 4, 5}, 4}));
}

TEST(DrawDownload, FailuresChangeNothingAndSayWhy) {
    struct Case {
        const char* name;
        LoopbackServer::Reply events;
        LoopbackServer::Reply totals;
        const char* reason;
    } cases[] = {
        {"broken events", {200, "A - B|2|0|2|1|1|1|;"}, {200, kTotalsPage}, "event list"},
        {"broken totals", {200, kEventsPage}, {200, "1|2|;a|b|c|"}, "totals"},
        {"error status", {500, "oops"}, {200, kTotalsPage}, "500"},
        {"missing totals", {200, kEventsPage}, {404, ""}, "404"},
        {"record cut short",
         {200, "A - B|2|2|2|30|30|40|;C - D|2|2|2|;"},
         {200, kTotalsPage},
         "event list"},
    };
    for (const auto& c : cases) {
        LoopbackServer server;
        server.set(test::eventsTarget(), c.events);
        server.set(test::totalsTarget(), c.totals);
        DrawModel m = russianDefaults();
        DrawTotals totals{"p", "j", {1, 2, 3}, 2};
        io::HttpRequest http;
        auto error = io::fetchDraw(http, server.url(), m, totals);
        ASSERT_TRUE(error.has_value()) << c.name;
        EXPECT_NE(error->find(c.reason), std::string::npos) << c.name << ": " << *error;
        EXPECT_EQ(m.quotes, russianDefaults().quotes) << c.name;
        EXPECT_EQ(m.eventTitles, russianDefaults().eventTitles) << c.name;
        EXPECT_EQ(totals.poolText, "p") << c.name;
    }
}

TEST(DrawDownload, SlowRepliesTimeOutAndProgressCanCancel) {
    LoopbackServer server;
    server.set(test::eventsTarget(),
               {200, kEventsPage, "text/html", std::chrono::milliseconds(3000)});
    io::HttpOptions quick;
    quick.totalTimeout = std::chrono::milliseconds(300);
    io::HttpRequest http(quick);
    auto start = std::chrono::steady_clock::now();
    auto page = io::downloadPageText(http, io::eventListUrl(server.url(), kRussia));
    EXPECT_FALSE(page.text.has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));

    io::HttpRequest patient;
    int calls = 0;
    auto cancelled = patient.get(io::eventListUrl(server.url(), kRussia),
                                 [&](std::int64_t, std::int64_t) { return ++calls < 3; });
    EXPECT_FALSE(cancelled.has_value());
    EXPECT_EQ(patient.lastError(), "прервано");
}

TEST(DrawDownload, OversizedRepliesAndRefusedConnectionsFail) {
    LoopbackServer server;
    server.set("/big", {200, std::string(5000, 'x')});
    io::HttpOptions small;
    small.maxBodyBytes = 1000;
    io::HttpRequest http(small);
    EXPECT_FALSE(http.get(server.url() + "/big").has_value());
    std::string deadUrl;
    {
        LoopbackServer gone;
        deadUrl = gone.url();
    }
    EXPECT_FALSE(io::HttpRequest().get(deadUrl + "/x").has_value());
    EXPECT_FALSE(io::HttpRequest().get("file:///etc/passwd").has_value());
}
