// An HTTP server on 127.0.0.1 for tests: replies are set per path and query,
// with a status, a content type and an optional delay before answering.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace kav::test {

class LoopbackServer {
public:
    struct Reply {
        int status = 200;
        std::string body;
        std::string contentType = "text/html; charset=utf-8";
        std::chrono::milliseconds delay{0};
        std::string location; // a redirect's target
    };

    LoopbackServer() {
        server_.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            Reply r;
            {
                std::lock_guard lock(mutex_);
                ++hits_[req.target];
                auto it = replies_.find(req.target);
                if (it == replies_.end()) {
                    res.status = 404;
                    res.set_content("not found", "text/plain");
                    return;
                }
                r = it->second;
            }
            auto until = std::chrono::steady_clock::now() + r.delay;
            while (!stopping_ && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            res.status = r.status;
            if (!r.location.empty())
                res.set_header("Location", r.location);
            res.set_content(r.body, r.contentType.c_str());
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ~LoopbackServer() {
        stopping_ = true;
        server_.stop();
        thread_.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    void set(const std::string& target, Reply r) {
        std::lock_guard lock(mutex_);
        replies_[target] = std::move(r);
    }
    int hits(const std::string& target) {
        std::lock_guard lock(mutex_);
        return hits_[target];
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::map<std::string, int> hits_;
};

// The targets of the draw pages on the data server.
inline std::string eventsTarget(bool ukrainian = false) {
    return std::string("/stTot/totainform.aspx?name=line_event2&nnvaluta_=") +
           (ukrainian ? "-1" : "-2");
}
inline std::string totalsTarget(bool ukrainian = false) {
    return std::string("/stTot/totainform.aspx?name=line_total&nnvaluta_=") +
           (ukrainian ? "-1" : "-2");
}

} // namespace kav::test
