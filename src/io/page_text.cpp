#include "io/page_text.h"

#include "core/bets/bet_list.h"
#include "io/cp1251.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

namespace kav::io {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The value after "charset=" in s (already lower case), quotes dropped.
std::string charsetAfterKey(std::string_view s) {
    auto pos = s.find("charset");
    while (pos != std::string_view::npos) {
        auto i = pos + 7;
        while (i < s.size() && s[i] == ' ')
            ++i;
        if (i < s.size() && s[i] == '=') {
            ++i;
            while (i < s.size() && (s[i] == ' ' || s[i] == '"' || s[i] == '\''))
                ++i;
            auto start = i;
            while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '-' ||
                                    s[i] == '_' || s[i] == ':' || s[i] == '.'))
                ++i;
            if (i > start)
                return std::string(s.substr(start, i - start));
        }
        pos = s.find("charset", pos + 7);
    }
    return {};
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool nameIs(const xmlNode* n, std::initializer_list<const char*> names) {
    if (n->name == nullptr)
        return false;
    auto name = lower(reinterpret_cast<const char*>(n->name));
    return std::any_of(names.begin(), names.end(), [&](const char* x) { return name == x; });
}

class TextWalker {
public:
    void walk(const xmlNode* node, bool pre) {
        for (const xmlNode* n = node; n != nullptr; n = n->next) {
            if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
                if (n->content != nullptr)
                    text(reinterpret_cast<const char*>(n->content), pre);
                continue;
            }
            if (n->type != XML_ELEMENT_NODE)
                continue;
            if (nameIs(n, {"script", "style", "head", "title", "noscript", "template"}))
                continue;
            if (nameIs(n, {"br"})) {
                trimTrailingBlank();
                out_ += '\n';
                continue;
            }
            bool block = nameIs(
                n, {"p",      "div",      "h1",   "h2",      "h3",         "h4",      "h5",
                    "h6",     "ul",       "ol",   "li",      "table",      "tr",      "thead",
                    "tbody",  "tfoot",    "form", "pre",     "blockquote", "section", "article",
                    "header", "footer",   "nav",  "address", "center",     "dl",      "dt",
                    "dd",     "fieldset", "hr",   "body",    "html",       "main"});
            if (block)
                breakLine();
            walk(n->children, pre || nameIs(n, {"pre", "textarea"}));
            if (block)
                breakLine();
            else if (nameIs(n, {"td", "th"}))
                cellEnd();
        }
    }
    std::string result() const { return std::string(trimLine(out_)); }

private:
    void text(std::string_view s, bool pre) {
        if (pre) {
            out_ += s;
            return;
        }
        for (char c : s) {
            if (isSpace(c)) {
                if (!out_.empty() && !isSpace(out_.back()))
                    out_ += ' ';
            } else {
                out_ += c;
            }
        }
    }
    void trimTrailingBlank() {
        while (!out_.empty() && out_.back() == ' ')
            out_.pop_back();
    }
    void breakLine() {
        trimTrailingBlank();
        if (!out_.empty() && out_.back() != '\n')
            out_ += '\n';
    }
    void cellEnd() {
        trimTrailingBlank();
        if (!out_.empty() && !isSpace(out_.back()))
            out_ += '\t';
    }
    std::string out_;
};

} // namespace

std::string charsetOf(std::string_view contentType) {
    return charsetAfterKey(lower(contentType));
}

std::string toUtf8(std::string_view bytes, std::string_view charset) {
    std::string cs = charset.empty() ? std::string("utf-8") : lower(charset);
    if (auto converted = charsetToUtf8(bytes, cs))
        return *converted;
    return *charsetToUtf8(bytes, "utf-8");
}

std::string htmlPageText(std::string_view html, std::string_view charset) {
    std::string cs(charset);
    if (cs.empty())
        cs = charsetAfterKey(lower(html.substr(0, 4096)));
    std::string utf8 = toUtf8(html, cs);
    if (utf8.empty())
        return {};
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        htmlReadMemory(utf8.data(),
                       static_cast<int>(std::min<std::size_t>(utf8.size(), 0x7FFFFFFF)), nullptr,
                       "UTF-8",
                       HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                           HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC),
        &xmlFreeDoc);
    if (!doc)
        return {};
    TextWalker w;
    w.walk(xmlDocGetRootElement(doc.get()), false);
    return w.result();
}

std::string plainPageText(std::string_view text, std::string_view charset) {
    return std::string(trimLine(toUtf8(text, charset)));
}

std::string pageText(std::string_view body, std::string_view contentType) {
    std::string type = lower(contentType);
    std::string cs = charsetOf(type);
    bool html;
    if (type.find("html") != std::string::npos || type.find("xml") != std::string::npos)
        html = true;
    else if (!type.empty())
        html = false;
    else
        html = trimLine(body.substr(0, 4096)).substr(0, 1) == "<";
    return html ? htmlPageText(body, cs) : plainPageText(body, cs);
}

} // namespace kav::io
