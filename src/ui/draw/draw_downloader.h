// Draw pages fetched off the user-interface thread. Each request supersedes the
// one before it: the older transfer is cancelled and its result never arrives,
// as a browser abandons a page when it is sent to another.
#pragma once

// moc cannot parse the standard headers the core pulls in.
#ifndef Q_MOC_RUN
#include "io/pages/draw_download.h"
#endif

#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace kav::ui {

class DrawDownloader final : public QObject {
    Q_OBJECT
public:
    explicit DrawDownloader(QObject* parent = nullptr);
    // Cancels what is running and waits for it: no result outlives the owner.
    ~DrawDownloader() override;

    // Downloads the page on a worker and hands its text (or its failure) to
    // `done` on this object's thread.
    void fetch(const std::string& url, std::function<void(const kav::io::PageDownload&)> done);
    // True while a request has not delivered its result yet.
    bool busy() const { return busy_; }
    // Stops the running request; its result never arrives.
    void cancel();

private:
    QThreadPool workers_;
    std::shared_ptr<std::atomic<bool>> cancelCurrent_;
    quint64 generation_ = 0;
    bool busy_ = false;
};

} // namespace kav::ui
