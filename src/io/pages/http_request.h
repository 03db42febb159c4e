// HTTP GET over libcurl: time-outs on every request, TLS verified, a size cap,
// and a progress callback that can cancel. Safe to use from a worker thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kav::io {

struct HttpReply {
    long status = 0;
    std::string body;
    std::string contentType;
};

struct HttpOptions {
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds totalTimeout{30000};
    // A reply whose declared length is larger is refused before its body is
    // read; a body that grows past it is cut off as it arrives.
    std::size_t maxBodyBytes = 64u << 20;
    // The schemes allowed for the address and for redirects ("https" alone for
    // the update downloads).
    std::string protocols = "http,https";
    std::string redirectProtocols = "http,https";
};

// Called while bytes arrive; returning false cancels the request.
using HttpProgress = std::function<bool(std::int64_t received, std::int64_t expected)>;
// Takes the body piece by piece instead of the reply; returning false ends the
// request as a failure.
using HttpSink = std::function<bool(std::string_view piece)>;

// A network library's error code (CURLcode) as the player reads it, with
// `detail` after it in brackets.
std::string networkErrorText(int code, const std::string& detail);

class HttpRequest {
public:
    explicit HttpRequest(HttpOptions options = {});

    // The reply of a GET; nothing on a network failure, a time-out, a
    // cancellation, a reply over the size cap or an error status (400 and up).
    std::optional<HttpReply> get(const std::string& url, const HttpProgress& progress = {},
                                 const HttpSink& sink = {});

    // Why the last get failed, in Russian, the network library's text after it.
    const std::string& lastError() const { return lastError_; }
    // Whether the last get failed because the reply was over the size cap.
    bool lastTooLarge() const { return lastTooLarge_; }

private:
    HttpOptions options_;
    std::string lastError_;
    bool lastTooLarge_ = false;
};

} // namespace kav::io
