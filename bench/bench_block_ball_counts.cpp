// The free counts of a block of balls on the whole field (14,348,907 results,
// a fifth of them taken): from the blocks' free bits, against walking each
// ball of the block; and the taken members of the balls' overlaps with a
// pick's, by the blocks' overlap walk against walking each overlap. Exact
// 32-bit sums in field order, a few candidates together against a walk each.
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
// Every sum of a block (second argument 0), or the sums inside the rim only
// (1), which decide most blocks near a pick (see sumWeightsInside).
void BM_BlockSums(benchmark::State& state) {
    const WholeField& w = field();
    const bool inside = state.range(1) != 0;
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
        const auto b = static_cast<std::uint32_t>(gen() % counts.blocks());
        if (inside)
            counts.sumWeightsInside(b, blockWeight.data(), suffixWeight.data(), out.data(), rows);
        else
            counts.sumWeights(b, blockWeight.data(), suffixWeight.data(), out.data(), rows);
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

// K exact 32-bit sums in field order of one block's candidates: by a walk of
// each ball (plain, its members asked for ahead), or together (BallInOrder::
// sumsOf), on the whole field's weights, a random block each time.
template <bool Together> void BM_ExactSumsInOrder(benchmark::State& state) {
    const WholeField& w = field();
    const int misses = static_cast<int>(state.range(0));
    const auto k = static_cast<std::size_t>(state.range(1));
    const BallInOrder ball(w.f, misses);
    std::mt19937 gen(9);
    std::vector<float> weight(w.f.count);
    for (float& x : weight)
        x = static_cast<float>(gen() % 1000 + 1) * 1e-9f;
    std::vector<std::uint32_t> which(k);
    std::vector<float> sums(k);
    for (auto _ : state) {
        const std::uint32_t first =
            static_cast<std::uint32_t>(gen() % (w.f.count / ball.suffixSize())) * ball.suffixSize();
        for (std::size_t i = 0; i < k; ++i)
            which[i] = static_cast<std::uint32_t>(i * ball.suffixSize() / k);
        if (Together) {
            ball.sumsOf(first, w.state.data(), weight.data(), which.data(), k, sums.data());
        } else {
            for (std::size_t i = 0; i < k; ++i) {
                float g = 0.0f;
                ball.forEachAhead(
                    first + which[i],
                    [&](std::uint32_t r) { g = g + (w.state[r] == 0 ? weight[r] : 0.0f); },
                    [&](std::uint32_t r) {
                        __builtin_prefetch(weight.data() + r);
                        __builtin_prefetch(w.state.data() + r);
                    });
                sums[i] = g;
            }
        }
        benchmark::DoNotOptimize(sums.data());
    }
    state.counters["sums/s"] = benchmark::Counter(static_cast<double>(state.iterations() * k),
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
BENCHMARK(BM_BlockSums)->ArgsProduct({{4, 5, 6}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlockExactSums)->Arg(4)->Arg(6)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BallWalks)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExactSumsInOrder<false>)
    ->ArgsProduct({{4, 6}, {4, 32}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactSumsInOrder<true>)
    ->ArgsProduct({{4, 6}, {4, 32, 243}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockOverlapCounts)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverlapWalks)->Arg(4)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EveryBallSums)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
