// The two draws the value benchmarks run on (quotes varying by event, and the
// default draw's equal quotes) with the totals they share, and a stopwatch.
#pragma once

#include "support/analysis_draws.h"

#include "core/draw/draw_model.h"

#include <sys/resource.h>

#include <chrono>

namespace kav::bench {

inline AnalysisInput withTotals(AnalysisInput in) {
    in.drawCountry = kRussia;
    in.totals.poolText = "30000000";
    in.totals.jackpotText = "2500000";
    in.totals.uniformCounts = {100, 50, 30};
    in.totals.uniformCountMean = 60;
    return in;
}

inline AnalysisInput defaultDraw() {
    DrawModel model;
    applyDefaultDraw(model);
    AnalysisInput in;
    in.quotes = model.quotes;
    in.poolShares = model.poolShares;
    return withTotals(in);
}

inline double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// This process's CPU time so far and its peak memory in MB.
struct Usage {
    double cpu = 0;
    long peakMb = 0;
};
inline Usage usageSoFar() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6,
            usage.ru_maxrss / 1024};
}

} // namespace kav::bench
