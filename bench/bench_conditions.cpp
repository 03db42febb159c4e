// "Условия" on the whole field of 3^15 variants with four conditions and two
// base rows, tolerance 1: the split scan against the transcription that tests
// every variant. Also the generation of the passing lines and the list
// application on 100,000 lines.
#include "core/draw/selection_text.h"
#include "core/forming/condition_filter.h"
#include "oracle/conditions_literal.h"
#include "ratio_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

kav::DrawModel wideModel() {
    kav::DrawModel m;
    kav::applyDefaultDraw(m);
    std::string sel;
    for (int e = 0; e < kav::kEvents; ++e)
        sel += e ? ",1X2" : "1X2";
    m.selection = *kav::parseSelectionText(sel);
    std::mt19937 rng(7);
    for (int e = 0; e < kav::kEvents; ++e) {
        const int q1 = 20 + static_cast<int>(rng() % 50), qx = 10 + static_cast<int>(rng() % 30);
        m.quotes[e] = {kav::Fixed4::fromInt(q1), kav::Fixed4::fromInt(qx),
                       kav::Fixed4::fromInt(100 - q1 - qx)};
    }
    return m;
}

kav::ConditionSet fourAndTwoRows() {
    kav::ConditionSet c;
    c.range(kav::Measure::Ones) = kav::ConditionRange{4, 8};
    c.range(kav::Measure::Points) = kav::ConditionRange{450, 560};
    c.range(kav::Measure::LongestRun) = kav::ConditionRange{2, 4};
    c.range(kav::Measure::Changes) = kav::ConditionRange{7, 12};
    c.baseRows.push_back({"1X21X21X21X21X2", kav::ConditionRange{4, 7}});
    c.baseRows.push_back({"111XXX222------", kav::ConditionRange{2, 5}});
    c.tolerance = 1;
    return c;
}

void BM_ConditionsCountSplit(benchmark::State& state) {
    const kav::DrawModel m = wideModel();
    const kav::ConditionSet c = fourAndTwoRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(kav::countPassingVariants(m, kav::markedField(m), c));
}

void BM_ConditionsCountLiteral(benchmark::State& state) {
    const kav::DrawModel m = wideModel();
    const kav::ConditionSet c = fourAndTwoRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(kav::oracle::literalConditionCount(m, kav::markedField(m), c));
}

// Without tolerance: 3.5 M passing variants written as lines; bounded by the writing.
void BM_ConditionsAddToList(benchmark::State& state) {
    const kav::DrawModel m = wideModel();
    kav::ConditionSet c = fourAndTwoRows();
    c.tolerance = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        auto r = kav::addConditionVariants(m, "20", {}, c);
        lines = r.added.size();
        benchmark::DoNotOptimize(r.added.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_ConditionsOnList100k(benchmark::State& state) {
    const kav::DrawModel m = wideModel();
    const kav::ConditionSet c = fourAndTwoRows();
    std::mt19937 rng(3);
    kav::Lines lines;
    for (int i = 0; i < 100'000; ++i) {
        kav::Coupon cp{};
        for (auto& s : cp)
            s = static_cast<kav::OutcomeSet>(1u << (rng() % 3));
        if (i % 10 == 0)
            cp[rng() % 15] = 7; // every tenth line a triple
        lines.push_back(kav::formatCoupon(cp, kav::Fixed4::fromInt(20)));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(kav::applyConditionsToList(m, lines, c).lines.data());
}

BENCHMARK(BM_ConditionsCountSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConditionsCountLiteral)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ConditionsAddToList)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ConditionsOnList100k)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    kav::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto fast = reporter.seconds("BM_ConditionsCountSplit");
    const auto literal = reporter.seconds("BM_ConditionsCountLiteral/iterations:1");
    if (fast && literal)
        std::printf("count over 3^15: split %.4f s, every variant %.2f s, ratio %.0fx\n", *fast,
                    *literal, *literal / *fast);
    return 0;
}
