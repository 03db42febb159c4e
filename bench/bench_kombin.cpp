// The brief-system generator against the record tables: time to reach the best
// known size of K3(6,1) = 73 and K3(7,2) = 34, and the size reached for K3(9,1)
// in a fixed budget. No library is used: everything starts from constructions.
#include "core/kombin/generate.h"

#include <benchmark/benchmark.h>

using namespace kav::kombin;

namespace {

void reach(benchmark::State& state, Key key, std::size_t target) {
    std::size_t rows = 0;
    std::uint64_t seed = 1;
    for (auto _ : state) {
        GenerateOptions o;
        o.search.seed = seed++;
        o.search.seconds = 120;
        o.search.target = target;
        auto r = generateSystem(key, o);
        rows = r.code.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["target"] = static_cast<double>(target);
}

void BM_ReachK3_6_1_73(benchmark::State& state) {
    reach(state, {0, 6, 5}, 73);
}
void BM_ReachK3_7_2_34(benchmark::State& state) {
    reach(state, {0, 7, 5}, 34);
}

// range(0): the budget; range(1): the height of the check matrix (0: all).
void BM_K3_9_1_RowsInBudget(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        GenerateOptions o;
        o.search.seed = 1;
        o.search.seconds = static_cast<double>(state.range(0));
        o.matrixHeight = static_cast<int>(state.range(1));
        auto r = generateSystem({0, 9, 8}, o);
        rows = r.code.rows.size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["reference"] = 1269;
}

} // namespace

BENCHMARK(BM_ReachK3_6_1_73)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReachK3_7_2_34)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_K3_9_1_RowsInBudget)
    ->Args({20, 0})
    ->Args({20, 6})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

BENCHMARK_MAIN();
