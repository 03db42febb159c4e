// One variant analysis of the worked-example draw (442,347 results): the fast
// walk against the literal recursive transcription, and their ratio.
#include "core/analysis/analysis.h"
#include "oracle/analysis_literal.h"
#include "ratio_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

kav::AnalysisInput sampleInput() {
    kav::AnalysisInput in;
    const int quotes[3] = {45, 28, 27};
    const int shares[3] = {50, 25, 25};
    for (int e = 0; e < kav::kEvents; ++e)
        for (int o = 0; o < kav::kOutcomes; ++o) {
            // a little spread per event, so no two branches carry equal numbers
            in.quotes[e][o] = kav::Fixed4::fromRaw(quotes[o] * 10000 + (o == 2   ? -e * 1000
                                                                        : o == 1 ? e * 1000
                                                                                 : 0));
            in.poolShares[e][o] = kav::Fixed4::fromRaw(shares[o] * 10000 + (o == 2   ? -e * 700
                                                                            : o == 1 ? e * 700
                                                                                     : 0));
        }
    in.variant = *kav::parseAnalysedVariant("1X21111X2111211");
    in.drawCountry = kav::kRussia;
    in.totals.poolText = "1000000";
    in.totals.jackpotText = "1000000";
    in.totals.uniformCounts = {100, 50, 30};
    in.totals.uniformCountMean = 60;
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
