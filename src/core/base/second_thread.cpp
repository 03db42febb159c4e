#include "core/base/second_thread.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace kav {

namespace {

// About a millisecond awake before sleeping: the splits of one step of a
// search follow one another within that, and waking a sleeping thread takes
// longer than many a split.
constexpr auto kAwake = std::chrono::microseconds(1000);
constexpr int kSpinsPerLook = 64;

void relax() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#else
    std::this_thread::yield();
#endif
}

// Waits until `value` differs from `old`.
void waitChange(const std::atomic<std::uint32_t>& value, std::uint32_t old) {
    const auto until = std::chrono::steady_clock::now() + kAwake;
    do {
        for (int i = 0; i < kSpinsPerLook; ++i) {
            if (value.load(std::memory_order_acquire) != old)
                return;
            relax();
        }
    } while (std::chrono::steady_clock::now() < until);
    while (value.load(std::memory_order_acquire) == old)
        value.wait(old, std::memory_order_acquire);
}

} // namespace

void SpinLock::relax() {
    kav::relax();
}

bool SecondThread::available() {
    static const bool two = std::thread::hardware_concurrency() >= 2;
    return two;
}

SecondThread::~SecondThread() {
    if (!thread_.joinable())
        return;
    stop_ = true;
    posted_.fetch_add(1, std::memory_order_release);
    posted_.notify_one();
    thread_.join();
}

void SecondThread::post(void (*job)(void*), void* arg) {
    job_ = job;
    arg_ = arg;
    posted_.fetch_add(1, std::memory_order_release);
    if (!thread_.joinable())
        thread_ = std::thread([this] { loop(); });
    else
        posted_.notify_one();
}

void SecondThread::wait() {
    const std::uint32_t posted = posted_.load(std::memory_order_relaxed);
    for (std::uint32_t done = done_.load(std::memory_order_acquire); done != posted;
         done = done_.load(std::memory_order_acquire))
        waitChange(done_, done);
}

void SecondThread::loop() {
    std::uint32_t seen = 0;
    for (;;) {
        waitChange(posted_, seen);
        seen = posted_.load(std::memory_order_acquire);
        if (stop_)
            return;
        job_(arg_);
        done_.store(seen, std::memory_order_release);
        done_.notify_one();
    }
}

} // namespace kav
