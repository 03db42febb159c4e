// A second thread kept for work split in two many times a second: starting
// a thread for each split costs more than a short split saves. The thread
// waits between splits, first briefly awake, then asleep.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace kav {

// A lock for the few instructions two threads take turns at many times a
// second (a mutex would put the waiting one to sleep).
class SpinLock {
public:
    void lock() {
        while (flag_.test_and_set(std::memory_order_acquire))
            while (flag_.test(std::memory_order_relaxed))
                relax();
    }
    void unlock() { flag_.clear(std::memory_order_release); }

private:
    static void relax();
    std::atomic_flag flag_;
};

class SecondThread {
public:
    SecondThread() = default;
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;
    ~SecondThread();

    // Whether the processor has a second core to run on.
    static bool available();

    // Runs other() on the second thread and own() on this one, and returns
    // when both are done. Not to be called from within other() or own().
    template <class Other, class Own> void split(Other&& other, Own&& own) {
        post([](void* f) { (*static_cast<std::remove_reference_t<Other>*>(f))(); }, &other);
        own();
        wait();
    }

private:
    void post(void (*job)(void*), void* arg);
    void wait();
    void loop();

    std::thread thread_;
    void (*job_)(void*) = nullptr;
    void* arg_ = nullptr;
    std::atomic<std::uint32_t> posted_{0}; // jobs posted, and one more to stop
    std::atomic<std::uint32_t> done_{0};   // jobs done
    bool stop_ = false;
};

} // namespace kav
