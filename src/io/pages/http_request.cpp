#include "io/pages/http_request.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace kav::io {

// The common network failures in the player's words; the library's own text
// follows as the detail an expert or a support request needs.
std::string networkErrorText(int code, const std::string& detail) {
    const char* said = "ошибка сети";
    switch (static_cast<CURLcode>(code)) {
    case CURLE_COULDNT_RESOLVE_HOST:
        said = "сервер не найден: нет сети или неверный адрес";
        break;
    case CURLE_COULDNT_RESOLVE_PROXY:
        said = "прокси-сервер не найден";
        break;
    case CURLE_COULDNT_CONNECT:
        said = "не удалось соединиться с сервером";
        break;
    case CURLE_OPERATION_TIMEDOUT:
        said = "сервер не ответил вовремя";
        break;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        said = "защищённое соединение не установлено: сертификат сервера не принят";
        break;
    case CURLE_TOO_MANY_REDIRECTS:
        said = "слишком много перенаправлений";
        break;
    case CURLE_UNSUPPORTED_PROTOCOL:
        said = "адрес не начинается с http:// или https://";
        break;
    case CURLE_URL_MALFORMAT:
        said = "неверный адрес";
        break;
    case CURLE_GOT_NOTHING:
        said = "сервер закрыл соединение, ничего не ответив";
        break;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        said = "соединение с сервером прервалось";
        break;
    case CURLE_PARTIAL_FILE:
        said = "ответ сервера пришёл не полностью";
        break;
    default:
        break;
    }
    return detail.empty() ? std::string(said) : std::string(said) + " (" + detail + ")";
}

namespace {

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    CURL* curl = nullptr;
    std::string body;
    std::size_t received = 0;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    const HttpProgress* progress = nullptr;
    const HttpSink* sink = nullptr;
    bool cancelled = false;
    bool sinkFailed = false;
};

std::size_t onData(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    std::size_t n = size * count;
    curl_off_t declared = -1;
    if (t->received == 0 &&
        curl_easy_getinfo(t->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &declared) == CURLE_OK &&
        declared > static_cast<curl_off_t>(t->maxBytes)) {
        t->tooLarge = true;
        return 0;
    }
    if (t->received + n > t->maxBytes) {
        t->tooLarge = true;
        return 0;
    }
    t->received += n;
    if (t->sink && *t->sink) {
        if (!(*t->sink)(std::string_view(data, n))) {
            t->sinkFailed = true;
            return 0;
        }
        return n;
    }
    t->body.append(data, n);
    return n;
}

int onProgress(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (t->progress && *t->progress && !(*t->progress)(received, expected)) {
        t->cancelled = true;
        return 1;
    }
    return 0;
}

} // namespace

HttpRequest::HttpRequest(HttpOptions options) : options_(options) {
    initCurlOnce();
}

std::optional<HttpReply> HttpRequest::get(const std::string& url, const HttpProgress& progress,
                                          const HttpSink& sink) {
    lastError_.clear();
    lastTooLarge_ = false;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) {
        lastError_ = "cannot start an HTTP request";
        return std::nullopt;
    }
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
        curl_slist_append(nullptr, "Accept: text/html, */*"), &curl_slist_free_all);

    Transfer t;
    t.maxBytes = options_.maxBodyBytes;
    t.progress = &progress;
    t.sink = &sink;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    t.curl = c;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Kavendix/1.4.2");
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, options_.protocols.c_str());
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, options_.redirectProtocols.c_str());
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options_.maxBodyBytes));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options_.connectTimeout.count()));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(options_.totalTimeout.count()));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &onData);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);

    CURLcode rc = curl_easy_perform(c);
    lastTooLarge_ = t.tooLarge || rc == CURLE_FILESIZE_EXCEEDED;
    if (rc != CURLE_OK) {
        if (t.cancelled)
            lastError_ = "прервано";
        else if (t.sinkFailed)
            lastError_ = "ответ не удалось сохранить";
        else if (lastTooLarge_)
            lastError_ = "ответ больше " + std::to_string(options_.maxBodyBytes) + " байт";
        else
            lastError_ =
                networkErrorText(rc, errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(rc));
        return std::nullopt;
    }
    HttpReply reply;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply.status);
    char* type = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type != nullptr)
        reply.contentType = type;
    if (reply.status >= 400) {
        lastError_ = "сервер ответил ошибкой " + std::to_string(reply.status) +
                     (reply.status == 404 ? " (страница не найдена)" : "");
        return std::nullopt;
    }
    reply.body = std::move(t.body);
    return reply;
}

} // namespace kav::io
