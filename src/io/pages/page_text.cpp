#include "io/pages/page_text.h"

#include "core/bets/bet_list.h"
#include "io/files/cp1251.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <unordered_map>
#include <vector>

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

bool isAsciiAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiAlnum(char c) {
    return isAsciiAlpha(c) || (c >= '0' && c <= '9');
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case-blind comparison of s at pos with a lower-case word.
bool startsWithWord(std::string_view s, std::size_t pos, std::string_view lowerWord) {
    if (s.size() - pos < lowerWord.size())
        return false;
    for (std::size_t i = 0; i < lowerWord.size(); ++i)
        if (lowerAscii(s[pos + i]) != lowerWord[i])
            return false;
    return true;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The named character references of HTML 4, taken once from the HTML
// library's own table (it has no way to list it, so every code point its
// entities use is asked for).
const std::unordered_map<std::string, std::uint32_t>& namedEntities() {
    static const auto table = [] {
        std::unordered_map<std::string, std::uint32_t> t;
        for (unsigned cp = 0; cp < 0x2700; ++cp)
            if (const htmlEntityDesc* e = htmlEntityValueLookup(cp); e != nullptr && e->value == cp)
                t.emplace(e->name, e->value);
        return t;
    }();
    return table;
}

// How an element shows in the text.
enum class ElementKind : std::uint8_t {
    Inline,
    Block,             // a line of its own
    LineBreak,         // <br>
    Cell,              // a table cell, ended by a tab
    Row,               // a table row: a block that also ends the row's open cell
    Table,             // a block holding rows and cells of its own
    Hidden,            // not shown, nor anything in it
    Raw,               // not shown, and its content is no markup (script, style)
    Preformatted,      // blanks kept as they stand (textarea)
    PreformattedBlock, // the same on lines of its own (pre)
};

// What the reader knows of a tag name.
struct TagInfo {
    ElementKind kind = ElementKind::Inline;
    bool isVoid = false;     // never has content nor an end tag
    bool inHeadOnly = false; // a document's head may hold it; any other tag ends the head
};

// The tag names with a meaning of their own, numbered from 0 in this order;
// the first few are named for the rules that use them.
enum KnownTag : int { kHead, kTr, kP, kKnownTags };

std::vector<std::pair<std::string, TagInfo>> knownTags() {
    std::vector<std::pair<std::string, TagInfo>> t = {
        {"head", {ElementKind::Hidden}},
        {"tr", {ElementKind::Row}},
        {"p", {ElementKind::Block}},
    };
    for (const char* n :
         {"div",    "h1",       "h2",   "h3",      "h4",         "h5",      "h6",
          "ul",     "ol",       "li",   "form",    "blockquote", "section", "article",
          "header", "footer",   "nav",  "address", "center",     "dl",      "dt",
          "dd",     "fieldset", "body", "html",    "main"})
        t.push_back({n, {ElementKind::Block}});
    for (const char* n : {"thead", "tbody", "tfoot"})
        t.push_back({n, {ElementKind::Row}});
    t.push_back({"table", {ElementKind::Table}});
    t.push_back({"td", {ElementKind::Cell}});
    t.push_back({"th", {ElementKind::Cell}});
    t.push_back({"br", {ElementKind::LineBreak, true}});
    t.push_back({"hr", {ElementKind::Block, true}});
    for (const char* n : {"noscript", "template", "title"})
        t.push_back({n, {ElementKind::Hidden, false, true}});
    t.push_back({"script", {ElementKind::Raw, false, true}});
    t.push_back({"style", {ElementKind::Raw, false, true}});
    t.push_back({"pre", {ElementKind::PreformattedBlock}});
    t.push_back({"textarea", {ElementKind::Preformatted}});
    for (const char* n : {"meta", "link", "base"})
        t.push_back({n, {ElementKind::Inline, true, true}});
    t.push_back({"object", {ElementKind::Inline, false, true}});
    for (const char* n : {"area", "col", "embed", "img", "input", "param", "source", "track", "wbr",
                          "basefont", "keygen"})
        t.push_back({n, {ElementKind::Inline, true}});
    return t;
}

// The visible text of a page in one pass over its markup. The elements that
// are open are kept on a stack, so an end tag closes everything opened after
// its element and an end tag of nothing open is ignored, as a browser builds
// its tree; what the tree would show is written as each element opens and
// closes. Every step moves forward through the input, and every element is
// pushed and popped once, so the time is linear in the page's size whatever
// its markup: many attributes, deep nesting, or no end tags at all.
class PageTextReader {
public:
    explicit PageTextReader(const std::function<bool()>& stop) : stop_(stop) {
        for (auto& [name, info] : knownTags()) {
            ids_.emplace(name, static_cast<int>(info_.size()));
            info_.push_back(info);
        }
        openCount_.assign(info_.size(), 0);
    }

    std::optional<std::string> read(std::string_view s) {
        s_ = s;
        std::size_t nextStopCheck = kStopCheckStep;
        while (pos_ < s_.size()) {
            if (pos_ >= nextStopCheck) {
                if (stop_ && stop_())
                    return std::nullopt;
                nextStopCheck = pos_ + kStopCheckStep;
            }
            char c = s_[pos_];
            if (c == '<') {
                markup();
            } else if (c == '&') {
                reference();
            } else {
                auto end = s_.find_first_of("<&", pos_);
                if (end == std::string_view::npos)
                    end = s_.size();
                text(s_.substr(pos_, end - pos_));
                pos_ = end;
            }
        }
        while (!open_.empty())
            pop();
        return std::string(trimLine(out_));
    }

private:
    static constexpr std::size_t kStopCheckStep = 1 << 16;

    void markup() {
        std::string_view rest = s_.substr(pos_);
        if (rest.starts_with("<!--")) {
            auto end = s_.find("-->", pos_ + 4);
            pos_ = end == std::string_view::npos ? s_.size() : end + 3;
        } else if (rest.starts_with("<!") || rest.starts_with("<?")) {
            skipPast('>');
        } else if (rest.starts_with("</") && rest.size() > 2 && isAsciiAlpha(rest[2])) {
            pos_ += 2;
            std::string name = tagName();
            skipPast('>');
            endTag(name);
        } else if (rest.size() > 1 && isAsciiAlpha(rest[1])) {
            ++pos_;
            std::string name = tagName();
            bool selfClosing = false;
            if (!skipAttributes(selfClosing))
                return; // the page ends inside the tag: nothing of it shows
            startTag(name, selfClosing);
        } else {
            text("<");
            ++pos_;
        }
    }

    std::string tagName() {
        std::string name;
        while (pos_ < s_.size() && !isSpace(s_[pos_]) && s_[pos_] != '>' && s_[pos_] != '/')
            name += lowerAscii(s_[pos_++]);
        return name;
    }

    void skipPast(char c) {
        auto end = s_.find(c, pos_);
        pos_ = end == std::string_view::npos ? s_.size() : end + 1;
    }

    // Moves past the attributes and the closing '>' of a start tag, quoted
    // values taken whole. False when the page ends first.
    bool skipAttributes(bool& selfClosing) {
        while (pos_ < s_.size()) {
            char c = s_[pos_];
            if (c == '>') {
                ++pos_;
                return true;
            }
            if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '>') {
                pos_ += 2;
                selfClosing = true;
                return true;
            }
            if (c == '"' || c == '\'') {
                auto end = s_.find(c, pos_ + 1);
                if (end == std::string_view::npos)
                    break;
                pos_ = end + 1;
                continue;
            }
            ++pos_;
        }
        pos_ = s_.size();
        return false;
    }

    void reference() {
        std::size_t i = pos_ + 1;
        if (i < s_.size() && s_[i] == '#') {
            ++i;
            bool hex = i < s_.size() && (s_[i] == 'x' || s_[i] == 'X');
            if (hex)
                ++i;
            std::size_t digitsStart = i;
            std::uint32_t cp = 0;
            while (i < s_.size() && (hex ? std::isxdigit(static_cast<unsigned char>(s_[i])) != 0
                                         : (s_[i] >= '0' && s_[i] <= '9'))) {
                unsigned d = static_cast<unsigned char>(s_[i]) <= '9'
                                 ? static_cast<unsigned>(s_[i] - '0')
                                 : static_cast<unsigned>(lowerAscii(s_[i]) - 'a' + 10);
                cp = std::min<std::uint32_t>(cp * (hex ? 16 : 10) + d, 0x110000);
                ++i;
            }
            if (i > digitsStart) {
                if (i < s_.size() && s_[i] == ';')
                    ++i;
                pos_ = i;
                // A reference to no character shows nothing.
                if (cp != 0 && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)) {
                    std::string ch;
                    appendUtf8(ch, cp);
                    text(ch);
                }
                return;
            }
        } else {
            while (i < s_.size() && isAsciiAlnum(s_[i]) && i - pos_ <= 32)
                ++i;
            if (i < s_.size() && s_[i] == ';' && i > pos_ + 1) {
                const auto& names = namedEntities();
                auto it = names.find(std::string(s_.substr(pos_ + 1, i - pos_ - 1)));
                if (it != names.end()) {
                    std::string ch;
                    appendUtf8(ch, it->second);
                    text(ch);
                    pos_ = i + 1;
                    return;
                }
            }
        }
        text("&");
        ++pos_;
    }

    bool hidden() const { return hiddenDepth_ > 0; }

    // The number of a tag name, given one on first sight.
    int tagId(const std::string& name) {
        auto [it, added] = ids_.emplace(name, static_cast<int>(info_.size()));
        if (added) {
            info_.emplace_back();
            openCount_.push_back(0);
        }
        return it->second;
    }

    void startTag(const std::string& name, bool selfClosing) {
        const int id = tagId(name);
        const TagInfo info = info_[static_cast<std::size_t>(id)];
        if (headIsInnermost() && !info.inHeadOnly)
            closeThrough(kHead);
        if (info.kind == ElementKind::Cell) {
            closeOpenCell();
        } else if (id == kTr) {
            closeOpenCell();
            if (rowsOpen_.back() > 0)
                closeThrough(kTr);
        }
        if (info.kind == ElementKind::LineBreak) {
            if (!hidden()) {
                trimTrailingBlank();
                out_ += '\n';
            }
            return;
        }
        opened(info.kind);
        if (info.isVoid) {
            closed(info.kind);
            return;
        }
        open_.push_back(id);
        ++openCount_[static_cast<std::size_t>(id)];
        if (id == kTr)
            ++rowsOpen_.back();
        if (info.kind == ElementKind::Raw && !selfClosing) {
            // The content runs to the element's own end tag, whatever it holds.
            std::size_t end = pos_;
            while ((end = s_.find("</", end)) != std::string_view::npos &&
                   !endsElement(end + 2, name))
                end += 2;
            pos_ = end == std::string_view::npos ? s_.size() : end;
        }
        if (selfClosing)
            pop();
    }

    // Whether the text at pos, just after "</", names `name` and nothing longer.
    bool endsElement(std::size_t pos, std::string_view name) const {
        if (!startsWithWord(s_, pos, name))
            return false;
        auto after = pos + name.size();
        return after == s_.size() || isSpace(s_[after]) || s_[after] == '>' || s_[after] == '/';
    }

    void endTag(const std::string& name) {
        auto it = ids_.find(name);
        if (it != ids_.end() && openCount_[static_cast<std::size_t>(it->second)] > 0)
            closeThrough(it->second);
        else if (it != ids_.end() && it->second == kP)
            breakLine(); // a browser reads a stray </p> as an empty paragraph
    }

    // Closes the open elements down to and including the innermost `id`.
    void closeThrough(int id) {
        if (openCount_[static_cast<std::size_t>(id)] == 0)
            return;
        while (!open_.empty()) {
            bool last = open_.back() == id;
            pop();
            if (last)
                break;
        }
    }

    void closeOpenCell() {
        if (cellsOpen_.back() == 0)
            return;
        while (!open_.empty() && cellsOpen_.back() > 0) {
            bool cell = info_[static_cast<std::size_t>(open_.back())].kind == ElementKind::Cell;
            pop();
            if (cell)
                break;
        }
    }

    bool headIsInnermost() const { return !open_.empty() && open_.back() == kHead; }

    void pop() {
        const int id = open_.back();
        open_.pop_back();
        --openCount_[static_cast<std::size_t>(id)];
        if (id == kTr)
            --rowsOpen_.back();
        closed(info_[static_cast<std::size_t>(id)].kind);
    }

    void opened(ElementKind kind) {
        switch (kind) {
        case ElementKind::Hidden:
        case ElementKind::Raw:
            ++hiddenDepth_;
            break;
        case ElementKind::PreformattedBlock:
            breakLine();
            [[fallthrough]];
        case ElementKind::Preformatted:
            ++preDepth_;
            break;
        case ElementKind::Table:
            breakLine();
            cellsOpen_.push_back(0);
            rowsOpen_.push_back(0);
            break;
        case ElementKind::Cell:
            ++cellsOpen_.back();
            break;
        case ElementKind::Block:
        case ElementKind::Row:
            breakLine();
            break;
        default:
            break;
        }
    }

    void closed(ElementKind kind) {
        switch (kind) {
        case ElementKind::Hidden:
        case ElementKind::Raw:
            --hiddenDepth_;
            break;
        case ElementKind::PreformattedBlock:
            --preDepth_;
            breakLine();
            break;
        case ElementKind::Preformatted:
            --preDepth_;
            break;
        case ElementKind::Table:
            if (cellsOpen_.size() > 1) {
                cellsOpen_.pop_back();
                rowsOpen_.pop_back();
            }
            breakLine();
            break;
        case ElementKind::Cell:
            --cellsOpen_.back();
            cellEnd();
            break;
        case ElementKind::Block:
        case ElementKind::Row:
            breakLine();
            break;
        default:
            break;
        }
    }

    void text(std::string_view s) {
        if (headIsInnermost()) {
            // Text ends the head, as a browser puts it in the body.
            if (std::all_of(s.begin(), s.end(), isSpace))
                return;
            closeThrough(kHead);
        }
        if (hidden())
            return;
        if (preDepth_ > 0) {
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
        if (hidden())
            return;
        trimTrailingBlank();
        if (!out_.empty() && out_.back() != '\n')
            out_ += '\n';
    }
    void cellEnd() {
        if (hidden())
            return;
        trimTrailingBlank();
        if (!out_.empty() && !isSpace(out_.back()))
            out_ += '\t';
    }

    const std::function<bool()>& stop_;
    std::string_view s_;
    std::size_t pos_ = 0;
    std::string out_;
    std::unordered_map<std::string, int> ids_;
    std::vector<TagInfo> info_;  // by tag number
    std::vector<int> openCount_; // by tag number: how many are open
    std::vector<int> open_;      // the open elements' tag numbers, innermost last
    // Per open table, and one for cells outside any table: how many of its
    // cells and rows are open.
    std::vector<int> cellsOpen_{0};
    std::vector<int> rowsOpen_{0};
    int hiddenDepth_ = 0;
    int preDepth_ = 0;
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

std::optional<std::string> htmlPageText(std::string_view html, std::string_view charset,
                                        const std::function<bool()>& stop) {
    std::string cs(charset);
    if (cs.empty())
        cs = charsetAfterKey(lower(html.substr(0, 4096)));
    std::string utf8 = toUtf8(html, cs);
    return PageTextReader(stop).read(utf8);
}

std::string htmlPageText(std::string_view html, std::string_view charset) {
    return *htmlPageText(html, charset, {});
}

std::string plainPageText(std::string_view text, std::string_view charset) {
    return std::string(trimLine(toUtf8(text, charset)));
}

std::optional<std::string> pageText(std::string_view body, std::string_view contentType,
                                    const std::function<bool()>& stop) {
    std::string type = lower(contentType);
    std::string cs = charsetOf(type);
    bool html;
    if (type.find("html") != std::string::npos || type.find("xml") != std::string::npos)
        html = true;
    else if (!type.empty())
        html = false;
    else
        html = trimLine(body.substr(0, 4096)).substr(0, 1) == "<";
    if (html)
        return htmlPageText(body, cs, stop);
    return plainPageText(body, cs);
}

std::string pageText(std::string_view body, std::string_view contentType) {
    return *pageText(body, contentType, {});
}

} // namespace kav::io
