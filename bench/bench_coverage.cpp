// The coverage map's hot paths, literal against fast on the same input:
// the recount of 2,000 coupons over a 59,049-result zone, "+N" and "+P" with
// 20 coupons on that zone, and one pointer move over a 93,312-result zone.
#include "core/coverage/coverage.h"
#include "core/coverage/coverage_actions.h"
#include "core/coverage/coverage_fixtures.h"
#include "core/coverage/coverage_search.h"
#include "oracle/coverage_literal.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

using namespace kav;
using kav::covtest::firstOutcomes;

namespace {

// Coupons of a package built around the zone: mostly one zone outcome per
// event, now and then a double or a triple.
std::vector<BetMask> packageCoupons(const ZoneCells& cells, int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<BetMask> out;
    for (int c = 0; c < count; ++c) {
        Coupon cp{};
        for (int e = 0; e < kEvents; ++e) {
            std::vector<int> zoneOutcomes;
            for (int o = 0; o < 3; ++o)
                if (cells[e][o])
                    zoneOutcomes.push_back(o);
            unsigned r = rng() % 100;
            cp[e] = outcomeBit(zoneOutcomes[rng() % zoneOutcomes.size()]);
            if (r >= 90)
                cp[e] |= outcomeBit(static_cast<int>(rng() % 3));
            if (r >= 97)
                cp[e] = 7;
        }
        out.push_back(toMask(cp));
    }
    return out;
}

const QuoteTable& quotes() {
    static QuoteTable q = [] {
        std::mt19937 rng(2024);
        return covtest::randomQuotes(rng);
    }();
    return q;
}

// 3^10 x 1^5.
const ZoneCells& zone59049() {
    static ZoneCells c = firstOutcomes({3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 1, 1, 1, 1});
    return c;
}
// 2^7 x 3^6, the largest zone under 100,000 results.
const ZoneCells& zone93312() {
    static ZoneCells c = firstOutcomes({2, 3, 2, 3, 2, 3, 2, 3, 2, 3, 2, 3, 2, 1, 1});
    return c;
}

void RecountLiteral(benchmark::State& st) {
    Zone z = buildZone(zone59049(), quotes());
    auto coupons = packageCoupons(zone59049(), 2000, 1);
    for (auto _ : st) {
        oracle::literalCount(z.results, coupons, 13);
        benchmark::DoNotOptimize(z.results.data());
    }
}
void RecountFast(benchmark::State& st) {
    Zone z = buildZone(zone59049(), quotes());
    auto coupons = packageCoupons(zone59049(), 2000, 1);
    for (auto _ : st) {
        countCoverage(z, coupons, 13);
        benchmark::DoNotOptimize(z.results.data());
    }
}

Zone searchZone() {
    Zone z = buildZone(zone59049(), quotes());
    countCoverage(z, packageCoupons(zone59049(), 20, 2), 13);
    return z;
}
void BestLiteral(benchmark::State& st) {
    Zone z = searchZone();
    for (auto _ : st)
        benchmark::DoNotOptimize(oracle::literalBest(z.results, 13));
}
void BestFast(benchmark::State& st, BestBy by) {
    Zone z = searchZone();
    for (auto _ : st)
        benchmark::DoNotOptimize(findBestBet(z, 13, by));
}
void BestFastN(benchmark::State& st) {
    BestFast(st, BestBy::Count);
}
void BestFastP(benchmark::State& st) {
    BestFast(st, BestBy::Probability);
}

struct MoveInput {
    Zone zone;
    std::vector<BetMask> coupons;
};
MoveInput moveInput() {
    MoveInput in{buildZone(zone93312(), quotes()), packageCoupons(zone93312(), 2000, 3)};
    countCoverage(in.zone, in.coupons, 13);
    return in;
}
void PointerMoveLiteral(benchmark::State& st) {
    MoveInput in = moveInput();
    int p = 0;
    for (auto _ : st) {
        p = (p + 7919) % in.zone.size();
        oracle::literalHover(in.zone.results, p, 13);
        auto tally = oracle::literalTally(in.zone.results, in.coupons, p);
        benchmark::DoNotOptimize(tally);
    }
}
void PointerMoveFast(benchmark::State& st) {
    MoveInput in = moveInput();
    HoveredList hovered;
    int p = 0;
    for (auto _ : st) {
        p = (p + 7919) % in.zone.size();
        auto changed = hoverResult(in.zone, p, 13, hovered);
        auto tally = categoryTally(in.zone, in.coupons, p);
        auto text =
            categoryTallyText(in.zone.resultText(p), tally) + hoverStatisticsText(in.zone, hovered);
        benchmark::DoNotOptimize(changed);
        benchmark::DoNotOptimize(text);
    }
}

BENCHMARK(RecountLiteral)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);
BENCHMARK(RecountFast)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BestLiteral)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(1);
BENCHMARK(BestFastN)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BestFastP)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(PointerMoveLiteral)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(2);
BENCHMARK(PointerMoveFast)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Keeps the wall and CPU time per iteration of every run, to print the ratios
// at the end. CPU time is that of the whole process (both cores), so its ratio
// holds even when the machine is busy with other work.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double wall = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> ms;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs) {
            std::string name = r.benchmark_name();
            name = name.substr(0, name.find('/'));
            auto it = static_cast<double>(r.iterations);
            ms[name] = {r.real_accumulated_time * 1000.0 / it,
                        r.cpu_accumulated_time * 1000.0 / it};
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* what, const char* literal, const char* fast, double needed) {
        auto l = reporter.ms.find(literal), f = reporter.ms.find(fast);
        if (l == reporter.ms.end() || f == reporter.ms.end())
            return;
        double wall = l->second.wall / f->second.wall, cpu = l->second.cpu / f->second.cpu;
        std::printf("%-42s wall %8.1fx  cpu %8.1fx  (needed %.0fx)%s\n", what, wall, cpu, needed,
                    wall >= needed ? "" : "  SLOW");
    };
    ratio("recount, 2000 coupons, 59049 results", "RecountLiteral", "RecountFast", 10);
    ratio("+N, 20 coupons, 59049 results", "BestLiteral", "BestFastN", 100);
    ratio("+P, 20 coupons, 59049 results", "BestLiteral", "BestFastP", 100);
    ratio("pointer move, 2000 coupons, 93312 results", "PointerMoveLiteral", "PointerMoveFast", 1);
    auto move = reporter.ms.find("PointerMoveFast");
    if (move != reporter.ms.end())
        std::printf("%-42s wall %8.2f ms (needed under 16 ms)%s\n", "pointer move, fast",
                    move->second.wall, move->second.wall < 16 ? "" : "  SLOW");
    return 0;
}
