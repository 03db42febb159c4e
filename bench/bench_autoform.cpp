// Auto-forming: the fast search against the literal double loop on the same
// field, and the fast search alone on a field of 3^11 results.
//
// The literal search makes N x N match tests per step (26,244^2 here), so a run
// of 300 steps takes many minutes per method. By default it runs its first
// steps only and its time per step is taken for all the steps the fast search
// made; its first steps end their scans early (every ball still free), so the
// printed ratio errs low. KAVENDIX_BENCH_FULL_LITERAL=1 runs it to the end.
#include "core/draw/selection_text.h"
#include "core/forming/autoform.h"
#include "oracle/autoform_literal.h"
#include "support/autoform_draws.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

using namespace kav;

DrawModel field(const char* sel) {
    return testing::drawWithVaryingQuotes(sel);
}

const char* const kSmallField = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X,1X,1,1,1,1,1";     // 3^8 x 2^2
const char* const kLargeField = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1,1,1,1"; // 3^11
constexpr std::uint32_t kSeed = 20261207;
const char* const kMethodNames[] = {"by_count", "by_probability", "by_pool", "disjoint"};

struct Measure {
    double fastSeconds = 0;
    std::int64_t fastSteps = 0;
    double literalSecondsPerStep = 0;
    std::int64_t literalSteps = 0;
};
std::map<int, Measure> measures;

AutoformSettings smallSettings(int method, std::int64_t limit) {
    AutoformSettings s;
    s.category = 13;
    s.betLimit = limit;
    s.coverageTarget = 1.0f;
    s.method = *autoformMethodAt(method);
    return s;
}

void BM_FastSmallField(benchmark::State& state) {
    const int method = static_cast<int>(state.range(0));
    const DrawModel m = field(kSmallField);
    AutoformResult r;
    for (auto _ : state) {
        Rng rng(kSeed);
        r = autoForm(m, {}, smallSettings(method, 300), rng);
        benchmark::DoNotOptimize(r);
    }
    state.counters["bets"] = static_cast<double>(r.added.size());
    state.counters["steps"] = static_cast<double>(r.steps);
    state.SetLabel(kMethodNames[method]);
    measures[method].fastSteps = r.steps;
}

void BM_LiteralSmallField(benchmark::State& state) {
    const int method = static_cast<int>(state.range(0));
    const DrawModel m = field(kSmallField);
    const bool full = std::getenv("KAVENDIX_BENCH_FULL_LITERAL") != nullptr;
    const std::int64_t limit = full ? 300 : 2;
    oracle::LiteralResult r;
    for (auto _ : state) {
        Rng rng(kSeed);
        oracle::LiteralAutoform literal(m, method);
        r = literal.run({}, "20.00", 13, limit, 1.0f, rng);
        benchmark::DoNotOptimize(r);
    }
    // Both searches must agree on the steps the literal one made.
    Rng rng(kSeed);
    const auto fast = autoForm(m, {}, smallSettings(method, limit), rng);
    if (fast.added != r.added) {
        state.SkipWithError("the fast search chose other bets than the literal one");
        return;
    }
    state.counters["steps"] = static_cast<double>(r.steps);
    state.SetLabel(kMethodNames[method]);
    measures[method].literalSteps = r.steps;
}

void BM_FastLargeField(benchmark::State& state) {
    const DrawModel m = field(kLargeField);
    AutoformSettings s;
    s.category = 12;
    s.betLimit = 10'000'000;
    s.coverageTarget = 0.9f;
    s.method = AutoformMethod::ByProbability;
    AutoformResult r;
    for (auto _ : state) {
        Rng rng(kSeed);
        r = autoForm(m, {}, s, rng);
        benchmark::DoNotOptimize(r);
    }
    state.counters["bets"] = static_cast<double>(r.added.size());
    state.counters["covered_pct"] = 100.0 * static_cast<double>(r.coveredWeight);
}

BENCHMARK(BM_FastSmallField)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LiteralSmallField)->DenseRange(0, 3)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_FastLargeField)->Unit(benchmark::kSecond)->Iterations(1);

// Keeps the times of the runs so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            if (slash == std::string::npos)
                continue;
            const int method = std::atoi(name.c_str() + slash + 1);
            // CPU time: both searches run on one thread, and the machine may be shared.
            const double seconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (name.rfind("BM_FastSmallField", 0) == 0)
                measures[method].fastSeconds = seconds;
            else if (name.rfind("BM_LiteralSmallField", 0) == 0 && measures[method].literalSteps)
                measures[method].literalSecondsPerStep =
                    seconds / static_cast<double>(measures[method].literalSteps);
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n3^8 x 2^2 = 26244 results, category 13, limit 300, target 100%%\n");
    for (const auto& [method, m] : measures) {
        if (m.fastSeconds <= 0 || m.literalSecondsPerStep <= 0)
            continue;
        const double literal = m.literalSecondsPerStep * static_cast<double>(m.fastSteps);
        std::printf("%-15s CPU time: fast %7.3f s, literal %7.1f s (%lld steps), ratio %6.0fx\n",
                    kMethodNames[method], m.fastSeconds, literal,
                    static_cast<long long>(m.fastSteps), literal / m.fastSeconds);
    }
    benchmark::Shutdown();
    return 0;
}
