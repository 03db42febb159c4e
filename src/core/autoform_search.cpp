#include "core/autoform_search.h"

#include <algorithm>
#include <cmath>

namespace kav {

namespace {

bool stopped(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

constexpr std::uint32_t kCancelPoll = 1u << 14;

} // namespace

AutoformSearch::AutoformSearch(const FieldLayout& f, int misses, AutoformMethod method,
                               const std::vector<float>& weight, std::vector<std::uint8_t>& state)
    : f_(f), misses_(misses), method_(method), weight_(weight), state_(state),
      ballSize_(kav::ballSize(f, misses)) {
    if (sumsAreSums()) {
        exactOnly_ = std::any_of(weight_.begin(), weight_.end(),
                                 [](float w) { return !(w >= 0.0f) || std::isinf(w); });
        if (!exactOnly_) {
            freeCount_.assign(f_.count, 0);
            freeSum_.assign(f_.count, 0.0);
        }
    } else {
        const float w = f_.count ? weight_[0] : 0.0f;
        sumOfEqual_.resize(ballSize_ + 1);
        float s = 0.0f;
        for (std::size_t k = 0; k < sumOfEqual_.size(); ++k) {
            sumOfEqual_[k] = s;
            s = s + w;
        }
        freeCount_.assign(f_.count, static_cast<std::uint32_t>(ballSize_));
    }
}

bool AutoformSearch::counts(std::uint32_t r) const {
    return !sumsAreSums() || weight_[r] > 0.0f;
}

std::uint32_t AutoformSearch::prepareGains(std::uint32_t until) {
    until = std::min(until, f_.count);
    if (!sumsAreSums() || exactOnly_) {
        // Nothing to sum per candidate; a walk over each ball still measures
        // the pace for the time estimate.
        for (std::uint32_t j = prepared_; j < until; ++j) {
            std::uint32_t n = 0;
            forEachBallRange(f_, j, misses_, [&](std::uint32_t a, std::uint32_t b) {
                for (std::uint32_t r = a; r < b; ++r)
                    n += state_[r] == 0;
            });
            walkSink_ += n;
        }
        prepared_ = std::max(prepared_, until);
        return prepared_;
    }
    for (std::uint32_t j = prepared_; j < until; ++j) {
        std::uint32_t n = 0;
        double sum = 0.0;
        forEachBallRange(f_, j, misses_, [&](std::uint32_t a, std::uint32_t b) {
            for (std::uint32_t r = a; r < b; ++r)
                if (state_[r] == 0 && weight_[r] > 0.0f) {
                    ++n;
                    sum += weight_[r];
                }
        });
        freeCount_[j] = n;
        freeSum_[j] = sum;
    }
    prepared_ = std::max(prepared_, until);
    return prepared_;
}

std::uint64_t AutoformSearch::remainingWalks() const {
    const std::uint64_t perStep = ballSize_ + f_.count / std::max<std::uint64_t>(ballSize_, 1);
    if (sumsAreSums())
        return (exactOnly_ ? f_.count : f_.count - prepared_) + perStep;
    // setUpCounts walks the ball of every result the list covers.
    return perStep + static_cast<std::uint64_t>(
                         std::count_if(state_.begin(), state_.end(), [](auto s) { return s != 0; }));
}

bool AutoformSearch::finishGains(const std::atomic<bool>* cancel) {
    if (sumsAreSums()) {
        if (exactOnly_)
            return !stopped(cancel);
        while (prepared_ < f_.count) {
            if (stopped(cancel))
                return false;
            prepareGains(prepared_ + kCancelPoll / 16);
        }
        // Each sum took at most one addition and one subtraction per ball member,
        // each off by at most half a unit of the largest sum.
        const double largest = *std::max_element(freeSum_.begin(), freeSum_.end());
        sumError_ = 2.5 * static_cast<double>(ballSize_) * 0x1p-53 * largest;
        return true;
    }
    setUpCounts();
    return !stopped(cancel);
}

void AutoformSearch::setUpCounts() {
    // Results covered by the list leave the balls that hold them.
    for (std::uint32_t r = 0; r < f_.count; ++r)
        if (state_[r] != 0)
            forEachBallRange(f_, r, misses_, [&](std::uint32_t a, std::uint32_t b) {
                for (std::uint32_t q = a; q < b; ++q)
                    --freeCount_[q];
            });
}

float AutoformSearch::exactGain(std::uint32_t j) const {
    // The sum as the plain loop forms it: free members in field order, rounded
    // to 32 bits after each addition.
    float g = 0.0f;
    forEachBallRange(f_, j, misses_, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t r = a; r < b; ++r)
            if (state_[r] == 0)
                g = g + weight_[r];
    });
    return g;
}

std::optional<AutoformSearch::Choice>
AutoformSearch::bestCandidate(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    cancelled = false;
    const bool disjoint = method_ == AutoformMethod::Disjoint;
    float best = 0.0f;
    std::optional<std::uint32_t> chosen;
    // The literal comparison, on a gain known exactly.
    auto compare = [&](std::uint32_t j, float g) {
        if (g > best) {
            best = g;
            chosen = j;
        } else if (g == best && rng.real() > 0.5) {
            chosen = j;
        }
    };

    if (!sumsAreSums()) {
        const auto full = static_cast<std::uint32_t>(ballSize_);
        for (std::uint32_t j = 0; j < f_.count; ++j) {
            if ((j % kCancelPoll) == 0 && stopped(cancel)) {
                cancelled = true;
                return std::nullopt;
            }
            const std::uint8_t s = state_[j];
            if (disjoint) {
                // A ball touching a covered result is rejected with a gain below any best.
                if (s != 0 || freeCount_[j] != full)
                    continue;
            } else if (s >= kInList) {
                continue;
            }
            compare(j, sumOfEqual_[freeCount_[j]]);
        }
        if (!chosen)
            return std::nullopt;
        return Choice{*chosen, best};
    }

    if (exactOnly_) {
        for (std::uint32_t j = 0; j < f_.count; ++j) {
            if ((j % kCancelPoll) == 0 && stopped(cancel)) {
                cancelled = true;
                return std::nullopt;
            }
            if (state_[j] < kInList)
                compare(j, exactGain(j));
        }
        if (!chosen)
            return std::nullopt;
        return Choice{*chosen, best};
    }

    // Methods 1 and 2: the double sum and the count of its terms bound the
    // 32-bit sum; the exact sum is formed only when the bounds cannot decide.
    // A candidate that clearly beats the best stays pending (bounds only)
    // until a later one comes close to it.
    bool pending = false;
    double pendingLo = 0.0, pendingHi = 0.0;
    constexpr double kSlack = 0x1p-40;
    for (std::uint32_t j = 0; j < f_.count; ++j) {
        if ((j % kCancelPoll) == 0 && stopped(cancel)) {
            cancelled = true;
            return std::nullopt;
        }
        if (state_[j] >= kInList)
            continue;
        const std::uint32_t n = freeCount_[j];
        if (n == 0) {
            // Gain exactly 0: only a best gain of exactly 0 can tie it; a
            // pending best is above 0.
            if (!pending && best == 0.0f)
                compare(j, 0.0f);
            continue;
        }
        const double nu = static_cast<double>(n) * 0x1p-24;
        const double gamma = nu / (1.0 - nu);
        const double hi = (freeSum_[j] + sumError_) * (1.0 + gamma) * (1.0 + kSlack);
        const double lo = std::max(0.0, (freeSum_[j] - sumError_) * (1.0 - gamma) * (1.0 - kSlack));
        if (pending) {
            if (hi < pendingLo)
                continue;
            if (lo > pendingHi) {
                chosen = j;
                pendingLo = lo;
                pendingHi = hi;
                continue;
            }
            best = exactGain(*chosen);
            pending = false;
        }
        if (hi < best)
            continue;
        if (lo > best) {
            chosen = j;
            pending = true;
            pendingLo = lo;
            pendingHi = hi;
            continue;
        }
        compare(j, exactGain(j));
    }
    if (!chosen)
        return std::nullopt;
    if (pending)
        best = exactGain(*chosen);
    return Choice{*chosen, best};
}

void AutoformSearch::cover(std::uint32_t r) {
    state_[r] |= kCovered;
    if (exactOnly_ || !counts(r))
        return;
    const double w = weight_[r];
    const bool sums = sumsAreSums();
    forEachBallRange(f_, r, misses_, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t q = a; q < b; ++q) {
            --freeCount_[q];
            if (sums)
                freeSum_[q] -= w;
        }
    });
}

void AutoformSearch::choose(std::uint32_t result) {
    forEachBallRange(f_, result, misses_, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t r = a; r < b; ++r)
            if (state_[r] == 0)
                cover(r);
    });
    state_[result] |= kChosen;
}

} // namespace kav
