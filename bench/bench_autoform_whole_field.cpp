// Auto-forming on the whole field: all three outcomes of all 15 events
// (14,348,907 results), to 90 % coverage with a bet limit that is not reached,
// for categories 9 to 13, the four methods and three draws (quotes and pool
// shares varying by event, the default draw's equal quotes, and a few events
// all but decided). Each run is a child process of its own, so its peak
// memory (ru_maxrss) is its own; it prints the time, the bets, the estimate of
// a step beside the measured first and longest steps, and per category the
// literal double loop's time for one step (from a sample of its scans: a whole
// step takes days).
//
//   bench_autoform_whole_field [--draw varying,equal,certain] [--category 9,10]
//       [--method 0,1,2,3] [--limit SECONDS] [--no-literal] [--incremental]
//
// A run is stopped after --limit seconds (300 by default) and printed as such.
// --incremental runs the incremental search (the reference the lazy one is
// compared with) instead.
#include "core/forming/autoform.h"
#include "core/forming/autoform_search.h"
#include "oracle/autoform_literal.h"
#include "support/autoform_draws.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace kav;
using Clock = std::chrono::steady_clock;

const char* const kWhole = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2";
const char* const kMethodNames[] = {"count", "probability", "pool", "disjoint"};
constexpr std::uint32_t kSeed = 20261207;
constexpr std::uint64_t kLiteralSamples = 16;

DrawModel drawNamed(const std::string& name) {
    if (name == "equal")
        return testing::drawWithEqualQuotes(kWhole);
    if (name == "certain")
        return testing::drawWithNearCertainEvents(kWhole);
    return testing::drawWithVaryingShares(kWhole);
}

double since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
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

// What a child reports through its pipe.
struct Figures {
    double seconds = 0, firstStep = 0, longestStep = 0, covered = 0;
    long long bets = 0, estimate = 0;
    bool stopped = false, asked = false;
};

Figures search(const DrawModel& m, int category, int method, double limit, bool incremental) {
    AutoformSettings s;
    s.category = category;
    s.betLimit = 10'000'000;
    s.coverageTarget = 0.9f;
    s.method = *autoformMethodAt(method);
    Figures out;
    Rng rng(kSeed);
    Deadline deadline(limit);
    AutoformHooks hooks;
    hooks.cancel = deadline.flag();
    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    long long steps = 0;
    hooks.progress = [&](const AutoformProgress& p) {
        if (!p.title) {
            // "Выполнено: 0%" comes after the estimate, before the set-up.
            if (p.caption.rfind("Выполнено", 0) == 0)
                last = Clock::now();
            return;
        }
        const double step = since(last);
        last = Clock::now();
        if (steps++ == 0)
            out.firstStep = step;
        out.longestStep = std::max(out.longestStep, step);
        out.covered = p.percent * 0.9;
    };
    hooks.confirm = [&](const Message&) {
        out.asked = true;
        return true;
    };
    const AutoformResult r =
        incremental ? autoFormIncremental(m, {}, s, rng, hooks) : autoForm(m, {}, s, rng, hooks);
    out.seconds = since(start);
    out.stopped = r.cancelled;
    out.bets = r.cancelled ? steps : static_cast<long long>(r.added.size());
    out.estimate = r.estimateSeconds;
    return out;
}

// Runs work() in a child process; its figures, peak memory and CPU time.
template <class Work> bool inChild(Work&& work, Figures& figures, double& peakMb, double& cpu) {
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const Figures f = work();
        const bool written = write(fds[1], &f, sizeof f) == static_cast<ssize_t>(sizeof f);
        _exit(written ? 0 : 1);
    }
    close(fds[1]);
    const bool read = ::read(fds[0], &figures, sizeof figures) == sizeof figures;
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
          static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> listArgument(const char* text) {
    std::vector<std::string> out;
    std::string item;
    for (const char* c = text;; ++c) {
        if (*c == ',' || *c == '\0') {
            if (!item.empty())
                out.push_back(item);
            item.clear();
            if (*c == '\0')
                return out;
        } else {
            item += *c;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> draws = {"varying", "equal", "certain"};
    std::vector<int> categories = {9, 10, 11, 12, 13}, methods = {0, 1, 2, 3};
    double limit = 300;
    bool literal = true, incremental = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        auto numbers = [&] {
            std::vector<int> out;
            for (const std::string& x : listArgument(value))
                out.push_back(std::atoi(x.c_str()));
            ++i;
            return out;
        };
        if (a == "--draw") {
            draws = listArgument(value);
            ++i;
        } else if (a == "--category") {
            categories = numbers();
        } else if (a == "--method") {
            methods = numbers();
        } else if (a == "--limit") {
            limit = std::atof(value);
            ++i;
        } else if (a == "--no-literal") {
            literal = false;
        } else if (a == "--incremental") {
            incremental = true;
        } else {
            std::fprintf(stderr, "unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    std::printf("whole field, 14,348,907 results, target 90 %%, %s search, runs stopped after "
                "%.0f s, load %.2f at the start\n",
                incremental ? "incremental" : "lazy", limit, loadAverage());
    std::map<int, double> literalStep;
    if (literal)
        for (const int category : categories) {
            Figures f;
            double peak = 0, cpu = 0;
            inChild(
                [&] {
                    oracle::LiteralAutoform l(drawNamed("varying"), 0);
                    Figures x;
                    x.firstStep = l.firstStepSeconds(category, kLiteralSamples);
                    return x;
                },
                f, peak, cpu);
            literalStep[category] = f.firstStep;
            std::printf("literal step, category %d: %.0f s (%.1f days), from %llu scans\n",
                        category, f.firstStep, f.firstStep / 86400.0,
                        static_cast<unsigned long long>(kLiteralSamples));
        }
    std::printf("\n| draw | cat. | method | time s | CPU s | bets | covered %% | peak MB | "
                "estimate s | 1st step s | longest step s | asked | literal step s | load |\n"
                "|---|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---|---:|---:|\n");
    std::fflush(stdout);
    int failures = 0;
    for (const std::string& draw : draws)
        for (const int category : categories)
            for (const int method : methods) {
                Figures f;
                double peak = 0, cpu = 0;
                const DrawModel m = drawNamed(draw);
                if (!inChild([&] { return search(m, category, method, limit, incremental); }, f,
                             peak, cpu)) {
                    std::printf("| %s | %d | %s | failed |\n", draw.c_str(), category,
                                kMethodNames[method]);
                    ++failures;
                    continue;
                }
                std::printf("| %s | %d | %s | %s%.1f | %.1f | %lld | %.2f | %.0f | %lld | %.2f | "
                            "%.2f | %s | %.0f | %.2f |\n",
                            draw.c_str(), category, kMethodNames[method], f.stopped ? ">" : "",
                            f.seconds, cpu, f.bets, f.covered, peak, f.estimate, f.firstStep,
                            f.longestStep, f.asked ? "yes" : "no", literalStep[category],
                            loadAverage());
                std::fflush(stdout);
            }
    return failures == 0 ? 0 : 1;
}
