#include "core/base/second_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

using kav::SecondThread;
using kav::SpinLock;

// Many splits in a row, some short enough that the thread is still awake,
// some after it has gone to sleep; each half's writes are seen after the
// split, a shared counter under the lock loses nothing, and the thread ends
// with its owner (the test would hang otherwise).
TEST(SecondThread, SplitsSeeEachOthersWorkAndEndWithTheOwner) {
    for (int owner = 0; owner < 3; ++owner) {
        SecondThread second;
        SpinLock lock;
        std::vector<std::uint64_t> halves(2);
        std::uint64_t shared = 0;
        for (int split = 0; split < 300; ++split) {
            if (split % 100 == 99)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            auto work = [&](int half) {
                for (int i = 0; i < 1000; ++i) {
                    halves[half] += static_cast<std::uint64_t>(i);
                    lock.lock();
                    ++shared;
                    lock.unlock();
                }
            };
            second.split([&] { work(1); }, [&] { work(0); });
            ASSERT_EQ(halves[0], halves[1]) << split;
        }
        EXPECT_EQ(halves[0], 300u * 499500u);
        EXPECT_EQ(shared, 600000u);
    }
}
