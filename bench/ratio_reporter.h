// A console reporter that also keeps each benchmark's mean CPU time per run
// (the machine is shared, so wall time is noisy), for the ratios a benchmark
// program prints at its end.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kav::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds_[run.benchmark_name()] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per run of the named benchmark, when it ran.
    std::optional<double> seconds(const std::string& name) const {
        const auto it = seconds_.find(name);
        return it == seconds_.end() ? std::nullopt : std::optional<double>(it->second);
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace kav::bench
