#include "ui/draw/draw_downloader.h"

#include <QMetaObject>

namespace kav::ui {

DrawDownloader::DrawDownloader(QObject* parent) : QObject(parent) {
    workers_.setMaxThreadCount(2);
}

DrawDownloader::~DrawDownloader() {
    if (cancelCurrent_)
        *cancelCurrent_ = true;
    workers_.waitForDone();
}

void DrawDownloader::cancel() {
    if (cancelCurrent_)
        *cancelCurrent_ = true;
    ++generation_;
    busy_ = false;
}

void DrawDownloader::fetch(const std::string& url,
                           std::function<void(const kav::io::PageDownload&)> done) {
    if (cancelCurrent_)
        *cancelCurrent_ = true;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    cancelCurrent_ = cancel;
    const quint64 generation = ++generation_;
    busy_ = true;
    workers_.start([this, url, cancel, generation, done = std::move(done)] {
        kav::io::HttpRequest http(kav::io::drawPageHttpOptions());
        // A superseded or abandoned page stops being read into text too, so
        // neither a new request nor closing the program waits for it.
        auto page = kav::io::downloadPageText(
            http, url, [cancel](std::int64_t, std::int64_t) { return !*cancel; },
            [cancel] { return cancel->load(); });
        if (*cancel)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, page = std::move(page), done] {
                if (generation != generation_)
                    return;
                busy_ = false;
                done(page);
            },
            Qt::QueuedConnection);
    });
}

} // namespace kav::ui
