// One variant analysis of the worked-example draw (442,347 results): the fast
// walk against the literal recursive transcription, and their ratio.
#include "core/analysis/analysis.h"
#include "oracle/analysis_literal.h"
#include "ratio_reporter.h"
#include "support/analysis_draws.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

kav::AnalysisInput sampleInput() {
    kav::AnalysisInput in = kav::testing::sampleAnalysisDraw();
    in.variant = *kav::parseAnalysedVariant("1X21111X2111211");
    return in;
}

void BM_AnalysisFast(benchmark::State& state) {
    const auto in = sampleInput();
    for (auto _ : state)
        benchmark::DoNotOptimize(kav::analyseVariant(in));
}
BENCHMARK(BM_AnalysisFast)->Unit(benchmark::kMillisecond);

void BM_AnalysisLiteral(benchmark::State& state) {
    const auto in = sampleInput();
    for (auto _ : state)
        benchmark::DoNotOptimize(kav::oracle::literalAnalysis(in, 1000000, 1000000));
}
BENCHMARK(BM_AnalysisLiteral)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    kav::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto fast = reporter.seconds("BM_AnalysisFast");
    const auto literal = reporter.seconds("BM_AnalysisLiteral");
    if (fast && literal && *fast > 0)
        std::printf("one analysis: fast %.2f ms, literal %.2f ms, literal / fast: %.2f\n",
                    *fast * 1e3, *literal * 1e3, *literal / *fast);
    benchmark::Shutdown();
    return 0;
}
