// Parsing a large bet list: the list is parsed again on every change, so big
// packages must stay fast.
#include "core/bets/bet_list.h"

#include <benchmark/benchmark.h>

namespace {

kav::Lines makeList(int n) {
    kav::Lines lines;
    lines.reserve(static_cast<std::size_t>(n));
    kav::Variant v{};
    for (int i = 0; i < n; ++i) {
        int x = i;
        for (int e = 0; e < kav::kEvents; ++e) {
            v[e] = static_cast<std::uint8_t>(x % 3);
            x /= 3;
        }
        lines.push_back(kav::formatVariant(v, "20"));
    }
    return lines;
}

void BM_ParseBetList(benchmark::State& state) {
    auto lines = makeList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto p = kav::parseBetList(lines);
        benchmark::DoNotOptimize(p);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["lines_per_s"] = benchmark::Counter(
        static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ParseBetList)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SplitAndParseMemoText(benchmark::State& state) {
    std::string text = kav::joinLines(makeList(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        auto p = kav::parseBetList(kav::splitLines(text));
        benchmark::DoNotOptimize(p);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SplitAndParseMemoText)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
