// A reply of the data server reduced to the text a browser would show.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

// The visible text of an HTML document, UTF-8, trimmed at both ends: script,
// style and the head left out, runs of white space collapsed as a browser
// renders them, line breaks for <br> and block elements. The charset is
// `charset` when given (the reply's Content-Type), else the one the document
// declares, else UTF-8.
// The time is linear in the page's size whatever its markup.
std::string htmlPageText(std::string_view html, std::string_view charset = {});
// The same, giving up (nothing) as soon as `stop` says so; it is asked every
// few dozen kilobytes.
std::optional<std::string> htmlPageText(std::string_view html, std::string_view charset,
                                        const std::function<bool()>& stop);

// A plain-text reply in `charset` (UTF-8 when empty), as UTF-8, trimmed.
std::string plainPageText(std::string_view text, std::string_view charset = {});

// Either of the above, chosen by the Content-Type, or without one by whether
// the body looks like markup.
std::string pageText(std::string_view body, std::string_view contentType = {});
std::optional<std::string> pageText(std::string_view body, std::string_view contentType,
                                    const std::function<bool()>& stop);

// The charset parameter of a Content-Type value, lower case; empty when none.
std::string charsetOf(std::string_view contentType);

// The bytes in `charset` as UTF-8 (UTF-8 when the charset is empty or
// unknown); bytes that do not convert become U+FFFD.
std::string toUtf8(std::string_view bytes, std::string_view charset);

} // namespace kav::io
