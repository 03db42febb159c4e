// The page text as the HTML library's own parser and tree give it: the
// document parsed whole, then its tree walked. The one-pass reader must show
// the same text for every well-formed page; this walk is quadratic on some
// hostile markup, so it is only the reference.
#pragma once

#include "core/bets/bet_list.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <string_view>

namespace kav::oracle {

namespace libxml_text {

inline std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

inline bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

inline bool nameIs(const xmlNode* n, std::initializer_list<const char*> names) {
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

} // namespace libxml_text

// The visible text of a UTF-8 page.
inline std::string libxmlPageText(const std::string& utf8) {
    if (utf8.empty())
        return {};
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        htmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8",
                       HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                           HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC),
        &xmlFreeDoc);
    if (!doc)
        return {};
    libxml_text::TextWalker w;
    w.walk(xmlDocGetRootElement(doc.get()), false);
    return w.result();
}

} // namespace kav::oracle
