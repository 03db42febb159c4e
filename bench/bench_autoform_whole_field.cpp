// Auto-forming on the whole field: all three outcomes of all 15 events
// (14,348,907 results), to 90 % coverage with a bet limit that is not reached.
// Prints per run the time, the bets and the peak memory of the process
// (getrusage ru_maxrss, so run one benchmark per process for each run's own
// peak: --benchmark_filter=...).
//
// The incremental search (the reference the lazy one replaced) runs with
// KAVENDIX_BENCH_INCREMENTAL=1, stopped after KAVENDIX_BENCH_LIMIT_SECONDS
// (600 by default); a stopped run prints the bets it had chosen by then.
#include "core/forming/autoform.h"
#include "core/forming/autoform_search.h"
#include "support/autoform_draws.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

using namespace kav;

DrawModel wholeField() {
    return testing::drawWithVaryingQuotes(
        "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2");
}

constexpr std::uint32_t kSeed = 20261207;

double peakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double loadAverage() {
    double load[1] = {0.0};
    return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

// Cancels the search after `seconds`, like the player's Cancel.
class Deadline {
public:
    explicit Deadline(double seconds)
        : thread_([this, seconds] {
              std::unique_lock lock(mutex_);
              if (!wake_.wait_for(lock, std::chrono::duration<double>(seconds),
                                  [this] { return done_; }))
                  cancel_ = true;
          }) {}
    ~Deadline() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    const std::atomic<bool>* flag() const { return &cancel_; }

private:
    std::atomic<bool> cancel_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

void run(benchmark::State& state, int category, AutoformMethod method, bool incremental) {
    const DrawModel m = wholeField();
    AutoformSettings s;
    s.category = category;
    s.betLimit = 10'000'000;
    s.coverageTarget = 0.9f;
    s.method = method;
    const char* limitText = std::getenv("KAVENDIX_BENCH_LIMIT_SECONDS");
    const double limit = limitText ? std::atof(limitText) : 600.0;
    AutoformResult r;
    std::int64_t steps = 0;
    double percentOfTarget = 0.0;
    double seconds = 0.0;
    for (auto _ : state) {
        Rng rng(kSeed);
        Deadline deadline(limit);
        AutoformHooks hooks;
        hooks.cancel = deadline.flag();
        hooks.progress = [&](const AutoformProgress& p) {
            if (p.title) { // one per step
                ++steps;
                percentOfTarget = p.percent;
            }
        };
        const auto start = std::chrono::steady_clock::now();
        r = incremental ? autoFormIncremental(m, {}, s, rng, hooks)
                        : autoForm(m, {}, s, rng, hooks);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(r);
    }
    state.counters["bets"] = static_cast<double>(r.cancelled ? steps : r.added.size());
    state.counters["peak_MB"] = peakMegabytes();
    std::printf(
        "%s category %d %s: %s %.1f s, %lld bets%s, covered %.2f %%, peak %.0f MB, "
        "estimate %lld s, load %.2f\n",
        incremental ? "incremental" : "lazy", category,
        method == AutoformMethod::ByCount ? "by count" : "by probability",
        r.cancelled ? "stopped after" : "finished in", seconds,
        static_cast<long long>(r.cancelled ? steps : static_cast<std::int64_t>(r.added.size())),
        r.cancelled ? " chosen" : "", percentOfTarget * static_cast<double>(s.coverageTarget),
        peakMegabytes(), static_cast<long long>(r.estimateSeconds), loadAverage());
    std::fflush(stdout);
}

bool incrementalWanted() {
    return std::getenv("KAVENDIX_BENCH_INCREMENTAL") != nullptr;
}

void BM_WholeFieldCategory11ByCount(benchmark::State& state) {
    run(state, 11, AutoformMethod::ByCount, false);
}
void BM_WholeFieldCategory10ByCount(benchmark::State& state) {
    run(state, 10, AutoformMethod::ByCount, false);
}
void BM_WholeFieldCategory11ByProbability(benchmark::State& state) {
    run(state, 11, AutoformMethod::ByProbability, false);
}
void BM_IncrementalCategory11ByCount(benchmark::State& state) {
    if (!incrementalWanted())
        return state.SkipWithError("KAVENDIX_BENCH_INCREMENTAL not set");
    run(state, 11, AutoformMethod::ByCount, true);
}
void BM_IncrementalCategory10ByCount(benchmark::State& state) {
    if (!incrementalWanted())
        return state.SkipWithError("KAVENDIX_BENCH_INCREMENTAL not set");
    run(state, 10, AutoformMethod::ByCount, true);
}
void BM_IncrementalCategory11ByProbability(benchmark::State& state) {
    if (!incrementalWanted())
        return state.SkipWithError("KAVENDIX_BENCH_INCREMENTAL not set");
    run(state, 11, AutoformMethod::ByProbability, true);
}

BENCHMARK(BM_WholeFieldCategory11ByCount)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_WholeFieldCategory10ByCount)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_WholeFieldCategory11ByProbability)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_IncrementalCategory11ByCount)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_IncrementalCategory10ByCount)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_IncrementalCategory11ByProbability)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
