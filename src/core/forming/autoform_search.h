// The search steps of auto-forming over a prepared field: every candidate's gain
// is kept up to date as results get covered, and one pass per step replays the
// documented choice (first greatest gain in field order, a fresh draw on every
// tie) with the 32-bit sums the plain double loop would form.
#pragma once

#include "core/forming/autoform.h"
#include "core/forming/autoform_field.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace kav {

// Flags of a result's state.
constexpr std::uint8_t kCovered = 1; // covered at the category by a bet of the package
constexpr std::uint8_t kInList = 4;  // a single variant of a line already in the list
constexpr std::uint8_t kChosen = 8;  // chosen by this search

// Per event and digit, the factor (percentage / 100) that the result's weight
// took for that event.
using WeightFactors = std::array<std::array<double, kOutcomes>, kEvents>;

class AutoformSearch {
public:
    // `weight` and `state` are the field's, in field order; they must outlive
    // the search. `factors` and `divisor` tell how the weights were formed
    // (methods 1 and 2): product of the factors, divided by `divisor`.
    AutoformSearch(const FieldLayout& f, int misses, AutoformMethod method,
                   const std::vector<float>& weight, std::vector<std::uint8_t>& state,
                   const WeightFactors& factors, float divisor);

    std::uint64_t ballSize() const { return ballSize_; }

    // `estimateStepTime`: the seconds of this search's first step (which also
    // sets up the gains), whole. It counts the ball walks of the set-up and of
    // one step, at the pace of walks sampled for about `sampleSeconds`.
    std::int64_t estimateStepTime(double sampleSeconds) const;

    // Sets up every candidate's gain; false when cancelled.
    bool setUp(const std::atomic<bool>* cancel);

    struct Choice {
        std::uint32_t result;
        float gain;
    };
    // The best candidate of one step, or nothing. `cancelled` is set when the
    // pass was stopped through the flag.
    std::optional<Choice> bestCandidate(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled);
    // Marks the result chosen and covers its ball.
    void choose(std::uint32_t result);

private:
    // How the gains of candidates are known.
    enum class Gains {
        EqualWeights, // methods 0 and 3: every weight is 1/N, a gain follows from a count
        Products,     // bounded sums, set up from the weights' factors
        Walked,       // bounded sums, set up by walking every ball
        SummedOnly,   // weights below zero or not finite: every candidate summed each step
    };
    std::uint64_t setUpWalks() const;
    std::uint64_t stepWalks() const;
    double secondsPerWalk(double sampleSeconds) const;
    bool bounded() const { return gains_ == Gains::Products || gains_ == Gains::Walked; }
    bool counts(std::uint32_t r) const;
    // One strategy of bestCandidate per way the gains are known: from the count
    // of free results (EqualWeights), by summing every candidate (SummedOnly),
    // or by bounds that sum exactly only where they cannot decide.
    std::optional<Choice> bestByFreeCount(Rng& rng, const std::atomic<bool>* cancel,
                                          bool& cancelled);
    std::optional<Choice> bestBySummingEach(Rng& rng, const std::atomic<bool>* cancel,
                                            bool& cancelled);
    std::optional<Choice> bestByBounds(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled);
    float exactGain(std::uint32_t j) const;
    bool sumBallsByProducts(const std::atomic<bool>* cancel);
    bool sumBallsByWalking(const std::atomic<bool>* cancel);
    bool takeOutCovered(const std::atomic<bool>* cancel);
    void cover(std::uint32_t r);

    const FieldLayout& f_;
    int misses_;
    AutoformMethod method_;
    const std::vector<float>& weight_;
    std::vector<std::uint8_t>& state_;
    WeightFactors factors_;
    float divisor_;
    std::uint64_t ballSize_;
    Gains gains_;

    // EqualWeights: sumOfEqual_[k] is the 32-bit sum of k weights.
    std::vector<float> sumOfEqual_;
    // Per candidate: free results of its ball that carry weight, and (bounded
    // sums) the sum of their weights in double, off from the exact sum by at
    // most sumRelError_ x the largest ball sum + sumError_.
    std::vector<std::uint32_t> freeCount_;
    std::vector<double> freeSum_;
    double sumRelError_ = 0.0;
    double sumError_ = 0.0;
};

} // namespace kav
