// "Случайный выбор" repeated 100,000 times on the widest selection: the indexed
// writer against the literal transcription that compares every new line with
// every line of the list. The literal way is quadratic, so it runs at smaller
// counts and its time at 100,000 bets is extrapolated from the largest one.
#include "core/draw/selection_text.h"
#include "core/forming/manual_selection.h"
#include "oracle/random_bets_literal.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr std::int64_t kBets = 100'000;

kav::DrawModel wideModel() {
    kav::DrawModel m;
    kav::applyDefaultDraw(m);
    std::string sel;
    for (int e = 0; e < kav::kEvents; ++e)
        sel += e ? ",1X2" : "1X2";
    m.selection = *kav::parseSelectionText(sel);
    return m;
}

void BM_RandomBetsIndexed(benchmark::State& state) {
    const kav::DrawModel m = wideModel();
    for (auto _ : state) {
        kav::Rng rng(20240101);
        auto r = kav::randomBets(m, "20.00", {},
                                 {kav::RandomDistribution::ByQuotes, state.range(0), 7}, rng);
        benchmark::DoNotOptimize(r.added.data());
    }
}

void BM_RandomBetsLiteral(benchmark::State& state) {
    const kav::DrawModel m = wideModel();
    for (auto _ : state) {
        kav::Rng rng(20240101);
        auto r = kav::oracle::randomBetsLiteral(m, "20.00", {},
                                                static_cast<int>(kav::RandomDistribution::ByQuotes),
                                                state.range(0), 7, rng);
        benchmark::DoNotOptimize(r.list.data());
    }
}

BENCHMARK(BM_RandomBetsIndexed)->Arg(kBets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomBetsLiteral)
    ->Arg(5'000)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Keeps the CPU time per run name (the machine is shared, so wall time is noisy) for the ratio
// printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            seconds[run.benchmark_name()] =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto fast = reporter.seconds.find("BM_RandomBetsIndexed/100000");
    auto lit10 = reporter.seconds.find("BM_RandomBetsLiteral/10000/iterations:1");
    auto lit20 = reporter.seconds.find("BM_RandomBetsLiteral/20000/iterations:1");
    if (fast == reporter.seconds.end() || lit10 == reporter.seconds.end() ||
        lit20 == reporter.seconds.end())
        return 0;
    // t(n) = a n + b n^2 through the two literal points, evaluated at 100,000.
    const double n1 = 10'000, n2 = 20'000, t1 = lit10->second, t2 = lit20->second;
    const double b = (t2 / n2 - t1 / n1) / (n2 - n1);
    const double a = t1 / n1 - b * n1;
    const double literal = a * kBets + b * kBets * kBets;
    std::printf("literal at %lld bets (extrapolated): %.2f s; indexed: %.4f s; ratio %.0fx\n",
                static_cast<long long>(kBets), literal, fast->second, literal / fast->second);
    return 0;
}
