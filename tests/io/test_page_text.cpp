#include "io/cp1251.h"
#include "io/page_text.h"

#include <gtest/gtest.h>

using namespace kav::io;

TEST(PageText, HtmlGivesTheVisibleTextOnly) {
    struct Case {
        std::string html;
        std::string contentType;
        std::string text;
    } cases[] = {
        {"<html><head><title>T</title><style>p{}</style></head><body>\n  <p>A - "
         "B|2|2|2|30|30|40|;</p>\n"
         "<script>var x = '|;';</script></body></html>",
         "text/html", "A - B|2|2|2|30|30|40|;"},
        {"<body>  one\n\t two <!-- hidden --> <b>three</b></body>", "", "one two three"},
        {"<div>a</div><div>b<br>c</div>", "text/html", "a\nb\nc"},
        {"<html><body></body></html>", "text/html", ""},
        {"", "text/html", ""},
        {"<p>A &amp; B&nbsp;|</p>", "text/html", "A & B\u00a0|"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageText(c.html, c.contentType), c.text) << c.html;
}

TEST(PageText, CharsetComesFromTheReplyThenTheDocumentThenUtf8) {
    std::string cyr = *utf8ToCp1251("Спартак - Зенит|");
    std::string declared =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
        "</head><body>" +
        cyr + "</body></html>";
    EXPECT_EQ(pageText(declared, ""), "Спартак - Зенит|");
    EXPECT_EQ(pageText("<meta charset='windows-1251'><p>" + cyr, "text/html"), "Спартак - Зенит|");
    EXPECT_EQ(pageText("<p>" + cyr, "text/html; charset=cp1251"), "Спартак - Зенит|");
    EXPECT_EQ(pageText("<p>Спартак</p>", "text/html"), "Спартак");
    EXPECT_EQ(pageText(" " + cyr + "\r\n", "text/plain; charset=windows-1251"), "Спартак - Зенит|");
    EXPECT_EQ(pageText("  plain;text|\n", ""), "plain;text|");
    EXPECT_EQ(charsetOf("text/html; Charset=\"KOI8-R\""), "koi8-r");
}

TEST(PageText, AnyBytesGiveSomeTextWithoutFailing) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919) & 0xFF);
    for (const char* type : {"", "text/html", "text/plain", "text/html; charset=no-such-charset"}) {
        auto text = pageText(bytes, type);
        EXPECT_LT(text.size(), bytes.size() * 4) << type;
    }
    EXPECT_EQ(pageText("\xFF\xFE bad", "text/plain"), "\xEF\xBF\xBD\xEF\xBF\xBD bad");
}
