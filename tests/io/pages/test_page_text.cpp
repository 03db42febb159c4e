#include "io/files/cp1251.h"
#include "io/pages/page_text.h"
#include "oracle/page_text_libxml.h"

#include <gtest/gtest.h>

#include <random>

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

namespace {

// A random page whose markup a browser reads one way only: elements nested
// as HTML allows and all of them closed, attributes with quoted '<' and '>',
// comments, scripts and styles holding markup, references, runs of blanks.
class PageMaker {
public:
    explicit PageMaker(std::uint32_t seed) : rng_(seed) {}

    std::string page() {
        std::string s =
            "<!DOCTYPE html>\n<html><head><title>" + words() + "</title><meta charset=\"utf-8\">";
        if (pick(2))
            s += "<style>p > b { color: red } /* </p> */</style>";
        s += "</head>\n<body" + attributes() + ">";
        int blocks = 1 + pick(6);
        for (int i = 0; i < blocks; ++i)
            s += flow(2);
        return s + "</body></html>" + blanks();
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }

    std::string blanks() {
        static const char* const kBlanks[] = {"", "", " ", "\n", "  \t", "\r\n "};
        return kBlanks[pick(6)];
    }

    std::string attributes() {
        std::string s;
        for (int n = pick(4); n > 0; --n) {
            static const char* const kAttrs[] = {
                " class=\"a b\"",    " id=x1",  " title='1 > 0 < 2'",
                " data-v=\"&amp;\"", " hidden", " href=\"/t?a=1&b=2\""};
            s += kAttrs[pick(6)];
        }
        return s;
    }

    std::string words() {
        static const char* const kWords[] = {"Спартак", "Зенит",   "1",      "X",
                                             "2",       "|",       ";",      "-",
                                             "2,45",    "A&amp;B", "&nbsp;", "&laquo;Тур&raquo;",
                                             "&#1057;", "&#x41;",  "a&lt;b", "30%"};
        std::string s = blanks();
        for (int n = 1 + pick(4); n > 0; --n)
            s += std::string(kWords[pick(16)]) + blanks() + (pick(2) ? " " : "");
        return s;
    }

    std::string phrasing(int depth) {
        std::string s;
        for (int n = 1 + pick(3); n > 0; --n) {
            int what = depth > 0 ? pick(8) : 0;
            static const char* const kInline[] = {"b", "i", "span", "a", "em", "strong"};
            if (what <= 2) {
                s += words();
            } else if (what == 3) {
                s += "<br>" + blanks();
            } else if (what == 4) {
                s += "<!-- <p>hidden</p> -->" + blanks();
            } else if (what == 5) {
                s += "<script>if (a < b && c > d) { x = '</p>'; }</script>";
            } else {
                std::string tag = kInline[pick(6)];
                s += "<" + tag + attributes() + ">" + phrasing(depth - 1) + "</" + tag + ">";
            }
        }
        return s;
    }

    std::string table(int depth) {
        std::string s = "<table" + attributes() + ">" + blanks();
        bool body = pick(2) != 0;
        if (body)
            s += "<tbody>";
        for (int r = 1 + pick(3); r > 0; --r) {
            s += "<tr>" + blanks();
            for (int c = 1 + pick(4); c > 0; --c) {
                std::string cell = pick(3) ? "td" : "th";
                s += "<" + cell + attributes() + ">" +
                     (depth > 0 && pick(4) == 0 ? flow(depth - 1) : phrasing(1)) + "</" + cell +
                     ">" + blanks();
            }
            s += "</tr>" + blanks();
        }
        if (body)
            s += "</tbody>";
        return s + "</table>" + blanks();
    }

    std::string flow(int depth) {
        switch (depth > 0 ? pick(7) : pick(2)) {
        case 0:
            return "<p" + attributes() + ">" + phrasing(2) + "</p>" + blanks();
        case 1:
            return "<h3>" + phrasing(1) + "</h3>" + blanks();
        case 2: {
            std::string s = "<ul>" + blanks();
            for (int n = 1 + pick(3); n > 0; --n)
                s += "<li>" + phrasing(1) + "</li>" + blanks();
            return s + "</ul>";
        }
        case 3:
            return table(depth - 1);
        case 4:
            return "<pre>" + words() + "\n  " + words() + "</pre>" + blanks();
        case 5:
            return "<hr>" + blanks();
        default: {
            std::string s = "<div" + attributes() + ">" + blanks();
            for (int n = 1 + pick(3); n > 0; --n)
                s += pick(3) ? flow(depth - 1) : phrasing(1);
            return s + "</div>" + blanks();
        }
        }
    }

    std::mt19937 rng_;
};

} // namespace

TEST(PageText, EveryWellFormedPageReadsAsTheHtmlLibraryReadsIt) {
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        std::string page = PageMaker(seed).page();
        ASSERT_EQ(htmlPageText(page, "utf-8"), kav::oracle::libxmlPageText(page))
            << "seed " << seed << "\n"
            << page;
    }
}

TEST(PageText, MarkupABrowserWouldMendIsMendedTheSameWay) {
    struct Case {
        const char* html;
        const char* text;
    } cases[] = {
        {"<table><tr><td>1<td>2<tr><td>3</table>after", "1\t2\t\n3\t\nafter"},
        {"<p>a<p>b<div>c</span>d</div>e", "a\nb\ncd\ne"},
        {"<head><title>T</title>visible<p>x", "visible\nx"},
        {"<div><b>bold</div>plain", "bold\nplain"},
        {"a</div>b</p>c", "ab\nc"},
        {"<script>x = '</scriptx>'; </script>shown", "shown"},
        {"<p>cut <b title=\"never closed", "cut"},
        {"1 < 2 &unknown; &#0; &#x110000; &amp", "1 < 2 &unknown; &amp"},
        {"<div/>a<br/>b<noscript><p>no</p></noscript>", "a\nb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(htmlPageText(c.html, "utf-8"), c.text) << c.html;
}

TEST(PageText, HostileMarkupReadsInOnePass) {
    // Shapes that once took the old parser minutes: every one of them has to
    // come back at once, with the text a browser shows.
    std::string attrs = "<p><div";
    for (int i = 0; i < 200000; ++i)
        attrs += " a" + std::to_string(i) + "=1";
    attrs += ">x</div>";
    EXPECT_EQ(htmlPageText(attrs, "utf-8"), "x");

    std::string nested;
    for (int i = 0; i < 300000; ++i)
        nested += "<table><tr><td>";
    nested += "deep";
    EXPECT_EQ(htmlPageText(nested, "utf-8"), "deep");

    std::string refs = "<p>";
    for (int i = 0; i < 300000; ++i)
        refs += "&#&zwnj<?";
    EXPECT_FALSE(htmlPageText(refs, "utf-8").empty());
}

TEST(PageText, AStoppedReadGivesNothing) {
    std::string page = "<p>" + std::string(1 << 20, 'x') + "</p>";
    int asked = 0;
    auto stopAtOnce = [&asked] {
        ++asked;
        return true;
    };
    EXPECT_FALSE(pageText(page, "text/html", stopAtOnce).has_value());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pageText(page, "text/html", [] { return false; })->size(), page.size() - 7);
    EXPECT_EQ(*pageText("plain", "text/plain", stopAtOnce), "plain");
}
