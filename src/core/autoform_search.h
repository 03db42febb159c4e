// The search steps of auto-forming over a prepared field: every candidate's gain
// is kept up to date as results get covered, and one pass per step replays the
// documented choice (first greatest gain in field order, a fresh draw on every
// tie) with the 32-bit sums the plain double loop would form.
#pragma once

#include "core/autoform.h"
#include "core/autoform_field.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace kav {

// Flags of a result's state.
constexpr std::uint8_t kCovered = 1;  // covered at the category by a bet of the package
constexpr std::uint8_t kInList = 4;   // a single variant of a line already in the list
constexpr std::uint8_t kChosen = 8;   // chosen by this search

class AutoformSearch {
public:
    // `weight` and `state` are the field's, in field order; they must outlive the search.
    AutoformSearch(const FieldLayout& f, int misses, AutoformMethod method,
                   const std::vector<float>& weight, std::vector<std::uint8_t>& state);

    std::uint64_t ballSize() const { return ballSize_; }

    // Sets up the gains of candidates from the next one not done yet, up to
    // `until` (exclusive); the gains of methods 1 and 2 are sums over the ball.
    // Returns the candidate reached.
    std::uint32_t prepareGains(std::uint32_t until);
    // Finishes the set-up; false when cancelled.
    bool finishGains(const std::atomic<bool>* cancel);
    // Ball walks per candidate that prepareGains still has to make, and per step.
    std::uint64_t remainingWalks() const;

    struct Choice {
        std::uint32_t result;
        float gain;
    };
    // Step 9b: the best candidate, or nothing. `cancelled` is set when the
    // pass was stopped through the flag.
    std::optional<Choice> bestCandidate(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled);
    // Step 9c: marks the result chosen and covers its ball.
    void choose(std::uint32_t result);

private:
    bool sumsAreSums() const { return method_ == AutoformMethod::ByProbability ||
                                      method_ == AutoformMethod::ByPool; }
    bool counts(std::uint32_t r) const;
    float exactGain(std::uint32_t j) const;
    void setUpCounts();
    void cover(std::uint32_t r);

    const FieldLayout& f_;
    int misses_;
    AutoformMethod method_;
    const std::vector<float>& weight_;
    std::vector<std::uint8_t>& state_;
    std::uint64_t ballSize_;

    // Methods 0 and 3: every weight is 1/N, so a gain is fixed by how many free
    // results the ball holds; sumOfEqual_[k] is the 32-bit sum of k of them.
    std::vector<float> sumOfEqual_;
    // Per candidate: free results of its ball that carry weight, and (methods 1
    // and 2) the sum of their weights in double, off from the 32-bit sum by a
    // bounded amount.
    std::vector<std::uint32_t> freeCount_;
    std::vector<double> freeSum_;
    std::uint32_t prepared_ = 0;
    bool exactOnly_ = false; // weights below zero or not finite: no bounds, sum every candidate
    double sumError_ = 0.0;  // bound of |freeSum_ - exact sum|
    std::uint64_t walkSink_ = 0; // keeps the timing walks from being optimised away
};

} // namespace kav
