// The free counts of a block of balls on the whole field (14,348,907 results,
// a fifth of them taken): from the blocks' free bits, against walking each
// ball of the block; and the taken members of the balls' overlaps with a
// pick's, by the blocks' overlap walk against walking each overlap.
#include "core/draw/selection_text.h"
#include "core/forming/autoform_field.h"
#include "core/forming/ball_sum_transform.h"
#include "core/forming/block_ball_counts.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

using namespace kav;

struct WholeField {
    FieldLayout f;
    std::vector<std::uint8_t> state;
    WholeField() {
        DrawModel m;
        m.drawCountry = kRussia;
        applyDefaultDraw(m);
        m.selection =
            *parseSelectionText("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2");
        f = *fieldLayout(m);
        std::mt19937 gen(5);
        state.resize(f.count);
        for (auto& s : state)
            s = gen() % 5 == 0 ? 1 : 0;
    }
};

const WholeField& field() {
    static const WholeField w;
    return w;
}

BlockBallCounts countsOf(const WholeField& w, int misses) {
    BlockBallCounts counts(w.f, misses);
    counts.reset(w.state);
    return counts;
}

void BM_BlockCounts(benchmark::State& state) {
    const WholeField& w = field();
    BlockBallCounts counts = countsOf(w, static_cast<int>(state.range(0)));
    std::vector<std::uint32_t> out(counts.blockSize());
    BlockBallCounts::Rows rows;
    std::mt19937 gen(9);
    for (auto _ : state) {
        counts.count(static_cast<std::uint32_t>(gen() % counts.blocks()), out.data(), rows);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["balls/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * counts.blockSize()), benchmark::Counter::kIsRate);
}

// Weighted sums of a block's balls, with weights spread as a draw's products.
void BM_BlockSums(benchmark::State& state) {
    const WholeField& w = field();
    BlockBallCounts counts = countsOf(w, static_cast<int>(state.range(0)));
    std::mt19937 gen(9);
    std::uniform_real_distribution<double> spread(-3.0, 0.0);
    std::vector<float> blockWeight(counts.blocks());
    for (float& x : blockWeight)
        x = static_cast<float>(std::pow(10.0, spread(gen)));
    std::vector<double> suffixWeight(counts.blockSize());
    for (double& x : suffixWeight)
        x = std::pow(10.0, spread(gen));
    std::vector<double> out(counts.blockSize());
    BlockBallCounts::Rows rows;
    for (auto _ : state) {
        counts.sumWeights(static_cast<std::uint32_t>(gen() % counts.blocks()), blockWeight.data(),
                          suffixWeight.data(), out.data(), rows);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["balls/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * counts.blockSize()), benchmark::Counter::kIsRate);
}

// The exact 32-bit sums of a block's balls, against a walk of each ball.
void BM_BlockExactSums(benchmark::State& state) {
    const WholeField& w = field();
    BlockBallCounts counts = countsOf(w, static_cast<int>(state.range(0)));
    std::mt19937 gen(9);
    std::vector<float> weight(w.f.count);
    for (float& x : weight)
        x = static_cast<float>(gen() % 1000 + 1) * 1e-9f;
    std::vector<float> out(counts.blockSize());
    BlockBallCounts::Rows rows;
    for (auto _ : state) {
        counts.exactSums(static_cast<std::uint32_t>(gen() % counts.blocks()), weight.data(),
                         out.data(), rows);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["balls/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * counts.blockSize()), benchmark::Counter::kIsRate);
}

void BM_BallWalks(benchmark::State& state) {
    const WholeField& w = field();
    const int misses = static_cast<int>(state.range(0));
    const std::uint32_t block = 81;
    std::mt19937 gen(9);
    for (auto _ : state) {
        const std::uint32_t first = static_cast<std::uint32_t>(gen() % (w.f.count / block)) * block;
        std::uint32_t total = 0;
        for (std::uint32_t j = first; j < first + block; ++j)
            forEachBallRange(w.f, j, misses, [&](std::uint32_t a, std::uint32_t b) {
                for (std::uint32_t r = a; r < b; ++r)
                    total += w.state[r] == 0 ? 1 : 0;
            });
        benchmark::DoNotOptimize(total);
    }
    state.counters["balls/s"] = benchmark::Counter(static_cast<double>(state.iterations() * block),
                                                   benchmark::Counter::kIsRate);
}

// A pick seven events away from the block, as most picks near a candidate are.
std::uint32_t pickNear(const FieldLayout& f, std::uint32_t j, std::mt19937& gen) {
    std::uint32_t p = 0;
    for (int e = 0; e < kEvents; ++e) {
        const auto d = static_cast<std::uint32_t>(f.digit(j, e));
        p += (e < 7 ? (d + 1 + gen() % 2) % 3 : d) * f.stride[e];
    }
    return p;
}

void BM_BlockOverlapCounts(benchmark::State& state) {
    const WholeField& w = field();
    BlockBallCounts counts = countsOf(w, static_cast<int>(state.range(0)));
    std::vector<std::uint32_t> out(counts.blockSize());
    BlockBallCounts::Rows rows;
    std::mt19937 gen(9);
    for (auto _ : state) {
        const auto b = static_cast<std::uint32_t>(gen() % counts.blocks());
        const std::uint32_t p = pickNear(w.f, b * counts.blockSize(), gen);
        counts.countInOverlap(
            b, p, [&](std::uint32_t r) { return w.state[r] != 0; }, out.data(), rows);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_OverlapWalks(benchmark::State& state) {
    const WholeField& w = field();
    const int misses = static_cast<int>(state.range(0));
    const std::uint32_t block = 81;
    std::mt19937 gen(9);
    for (auto _ : state) {
        const std::uint32_t first = static_cast<std::uint32_t>(gen() % (w.f.count / block)) * block;
        const std::uint32_t p = pickNear(w.f, first, gen);
        std::uint32_t total = 0;
        for (std::uint32_t j = first; j < first + block; ++j)
            forEachOverlapRange(w.f, j, p, misses, [&](std::uint32_t a, std::uint32_t b) {
                for (std::uint32_t r = a; r < b; ++r)
                    total += w.state[r] != 0 ? 1 : 0;
            });
        benchmark::DoNotOptimize(total);
    }
}

// Every ball's sum of the whole field at once, on two threads: set against
// BM_BlockSums, how many blocks' sums it is worth.
void BM_EveryBallSums(benchmark::State& state) {
    const WholeField& w = field();
    const int misses = static_cast<int>(state.range(0));
    std::mt19937 gen(9);
    std::vector<double> values(w.f.count);
    for (auto _ : state) {
        state.PauseTiming();
        for (std::uint32_t r = 0; r < w.f.count; ++r)
            values[r] = w.state[r] == 0 ? static_cast<double>(gen() % 1000 + 1) * 1e-9 : 0.0;
        state.ResumeTiming();
        sumOverBalls(w.f, misses, values.data(), false, true);
        benchmark::DoNotOptimize(values.data());
    }
}

BENCHMARK(BM_BlockCounts)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlockSums)->Arg(4)->Arg(5)->Arg(6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlockExactSums)->Arg(4)->Arg(6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BallWalks)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlockOverlapCounts)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverlapWalks)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EveryBallSums)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
