// Forming by value: 200 bets from a field of 177,147 (eleven events with all
// three outcomes, four with one) with every gain kept exact, in a child
// process of its own for its peak memory, on a draw with quotes that vary by
// event and on the default draw's equal quotes; beside it the plain greedy's
// time for one step (every bet of the field walked against the package, from
// a sample of walks), and on a field of 81 bets both ways' first steps, which
// must choose the same.
#include "bench_draws.h"
#include "core/value/value_forming.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>

namespace {

using kav::bench::defaultDraw;
using kav::bench::seconds;
using kav::bench::withTotals;

kav::ValueFormInput field(int wide, std::int64_t limit) {
    kav::ValueFormInput request;
    for (int e = 0; e < kav::kEvents; ++e)
        request.field[e] = e < wide ? 7 : kav::outcomeBit(0);
    request.limit = limit;
    request.minimumGain = 0; // the benchmark asks for the bets whatever they gain
    return request;
}

void keptInChild(const kav::AnalysisInput& in) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const auto start = std::chrono::steady_clock::now();
        // Each step's time, until 200 bets or a minute's work.
        std::atomic<bool> stop{false};
        auto last = start;
        const auto out = kav::formByValue(
            in, field(11, 200), kav::ValueGreedy::Kept, &stop, [&](std::int64_t chosen) {
                if (chosen <= 3 || chosen % 10 == 0)
                    std::printf("    bet %3lld after %6.2f s (step %.2f s)\n",
                                static_cast<long long>(chosen), seconds(start), seconds(last));
                std::fflush(stdout);
                last = std::chrono::steady_clock::now();
                stop = seconds(start) > 60;
            });
        const double time = seconds(start);
        const auto [cpu, peakMb] = kav::bench::usageSoFar();
        std::printf("  kept gains, of 177,147: %6.2f s (CPU %6.2f s) %5ld MB, %zu bets, %lld "
                    "passes, gains %.4f .. %.4f\n",
                    time, cpu, peakMb, out.chosen.size(), static_cast<long long>(out.evaluations),
                    out.gains.empty() ? 0.0 : out.gains.front(),
                    out.gains.empty() ? 0.0 : out.gains.back());
        std::fflush(stdout);
        _exit(out.status == kav::AnalysisStatus::Done ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

// One evaluation of the plain greedy's step, after `added` bets.
void plainStep(const kav::AnalysisInput& in) {
    kav::AnalysisOutcome refused;
    auto probe = in;
    probe.variant.fill(1);
    const auto setup = kav::prepareWalk(probe, refused);
    kav::ValueGains gains(in, *setup);
    kav::Variant v{};
    for (int i = 0; i < 20; ++i) {
        v[static_cast<std::size_t>(i % 11)] = static_cast<std::uint8_t>(i % 3);
        gains.add(v);
    }
    const auto start = std::chrono::steady_clock::now();
    double sink = 0;
    for (int i = 0; i < 100; ++i) {
        v[static_cast<std::size_t>(i % 11)] = static_cast<std::uint8_t>((i + 1) % 3);
        sink += gains.gain(v, 0);
    }
    const double each = seconds(start) / 100;
    std::printf("  plain: %.1f ms per bet evaluated, one step over 177,147 bets ~ %.0f s, 200 "
                "steps ~ %.1f h (%g)\n",
                each * 1000, each * 177147, each * 177147 * 200 / 3600, sink > 0 ? 1.0 : 0.0);
}

void sameBets(const kav::AnalysisInput& in) {
    const auto request = field(4, 5);
    auto start = std::chrono::steady_clock::now();
    const auto kept = kav::formByValue(in, request, kav::ValueGreedy::Kept);
    const double keptTime = seconds(start);
    start = std::chrono::steady_clock::now();
    const auto plain = kav::formByValue(in, request, kav::ValueGreedy::Plain);
    std::printf("  81 bets, 5 steps: kept %.2f s (%lld evaluations), plain %.2f s (%lld), same "
                "bets: %s\n",
                keptTime, static_cast<long long>(kept.evaluations), seconds(start),
                static_cast<long long>(plain.evaluations),
                kept.chosen == plain.chosen ? "yes" : "NO");
}

} // namespace

int main() {
    const std::pair<const char*, kav::AnalysisInput> draws[] = {
        {"quotes varying by event", withTotals(kav::testing::sampleAnalysisDraw())},
        {"default draw, equal quotes", defaultDraw()},
    };
    for (const auto& [name, in] : draws) {
        std::printf("%s:\n", name);
        keptInChild(in);
        plainStep(in);
        sameBets(in);
    }
    return 0;
}
