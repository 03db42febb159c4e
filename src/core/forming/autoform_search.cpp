#include "core/forming/autoform_search.h"

#include "core/base/fixed4.h"
#include "core/forming/ball_sum_transform.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <thread>

namespace kav {

namespace {

bool stopped(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

constexpr std::uint32_t kCancelPoll = 1u << 14;
constexpr double kUnit32 = 0x1p-24; // unit roundoff of a 32-bit float
constexpr double kUnit64 = 0x1p-53;
// Weights formed from the factors stay within 16 roundings of the product;
// the bound allows a margin above that.
constexpr double kProductRelError = 24 * kUnit32;
constexpr double kSlack = AutoformSearch::kBoundSlack;
// Below this a 32-bit product may lose its relative precision.
constexpr double kSmallestSafeProduct = 0x1p-125;
// Exact sums formed one by one in a block before the block's are formed at
// once: that costs several walks of a ball.
constexpr std::uint8_t kExactSumsBeforeBlock = 8;
// Without them the block's sums take about as long as this many walks of
// balls in the block (measured 8 at four misses, 7 at five, 8 to 10 at six).
constexpr std::uint8_t kExactSumsBeforeBlockInOrder = 10;
// Sums formed ahead together where a part of the field has this many, else
// one walk each (that shares nothing, but asks only for the members).
constexpr std::size_t kExactSumsTogether = 4;
// Candidates sampled for the share of the field near the largest sum.
constexpr std::uint32_t kNearTopSamples = 8192;

} // namespace

AutoformSearch::AutoformSearch(const FieldLayout& f, int misses, AutoformMethod method,
                               const std::vector<float>& weight, std::vector<std::uint8_t>& state,
                               const WeightFactors& factors, float divisor,
                               AutoformStrategy strategy)
    : f_(f), misses_(misses), method_(method), weight_(weight), state_(state), factors_(factors),
      divisor_(divisor), ballSize_(kav::ballSize(f, misses)),
      gammaOfBall_(gammaOf(static_cast<std::uint32_t>(ballSize_))), ballInOrder_(f, misses),
      strategy_(strategy) {
    if (method_ == AutoformMethod::ByCount || method_ == AutoformMethod::Disjoint) {
        gains_ = Gains::EqualWeights;
        const float w = f_.count ? weight_[0] : 0.0f;
        sumOfEqual_.resize(ballSize_ + 1);
        float s = 0.0f;
        for (std::size_t k = 0; k < sumOfEqual_.size(); ++k) {
            sumOfEqual_[k] = s;
            s = s + w;
        }
        // Small balls keep every count up to date; the pass then tells ties by
        // their counts, which needs a sum of its own for every count.
        eagerCounts_ = strategy_ == AutoformStrategy::Lazy && 2 * misses_ <= kNearRadius &&
                       ballSize_ < kTieOut &&
                       std::adjacent_find(sumOfEqual_.begin(), sumOfEqual_.end(),
                                          std::greater_equal<>()) == sumOfEqual_.end();
        if (!eagerCounts_)
            freeCount_.assign(f_.count, static_cast<std::uint32_t>(ballSize_));
        return;
    }
    if (std::any_of(weight_.begin(), weight_.end(),
                    [](float w) { return !(w >= 0.0f) || std::isinf(w); })) {
        gains_ = Gains::SummedOnly;
        return;
    }
    // The sums can be set up from the factors when no product came near the
    // bottom of the 32-bit range, where rounding stops being relative.
    double lowest = 1.0;
    bool products = std::isfinite(divisor_) && divisor_ > 0.0f;
    for (int e = 0; e < kEvents && products; ++e) {
        double smallest = 1.0;
        for (int d = 0; d < f_.size[e]; ++d) {
            const double v = factors_[e][d];
            products = products && v >= 0.0 && std::isfinite(v);
            if (v > 0.0)
                smallest = std::min(smallest, v);
        }
        lowest *= smallest;
    }
    products = products && lowest >= kSmallestSafeProduct &&
               lowest / std::max(1.0, static_cast<double>(divisor_)) >= kSmallestSafeProduct;
    gains_ = products ? Gains::Products : Gains::Walked;
    freeCount_.assign(f_.count, 0);
    freeSum_.assign(f_.count, 0.0);
    if (gains_ == Gains::Products && strategy_ == AutoformStrategy::Lazy)
        setUpBlockWeights();
}

void AutoformSearch::setUpBlockWeights() {
    // The blocks' weights must keep their relative precision in 32 bits; an
    // outcome that weighs nothing adds nothing.
    BlockBallCounts& counts = ballCounts_.emplace(f_, misses_);
    const std::uint32_t size = counts.blockSize();
    blockWeight_.resize(counts.blocks());
    for (std::uint32_t b = 0; b < counts.blocks(); ++b) {
        double w = 1.0;
        for (int l = 0; l < counts.prefixLevels(); ++l) {
            const int e = f_.levelEvent[l];
            w *= factors_[e][f_.digit(b * size, e)];
        }
        if (w != 0.0 && !(w >= 0x1p-100 && w <= 0x1p100)) {
            ballCounts_.reset();
            blockWeight_ = {};
            return;
        }
        blockWeight_[b] = static_cast<float>(w);
    }
    double common = 1.0 / static_cast<double>(divisor_);
    for (int e = 0; e < kEvents; ++e)
        if (f_.size[e] == 1)
            common *= factors_[e][0];
    suffixWeight_.assign(size, common);
    for (std::uint32_t s = 0; s < size; ++s)
        for (int l = counts.prefixLevels(); l < f_.levels; ++l) {
            const int e = f_.levelEvent[l];
            suffixWeight_[s] *= factors_[e][f_.digit(s, e)];
        }
    blockSums_ = true;
}

double AutoformSearch::sumRelErrorOfBlockSums() const {
    // Sums of blocks less what later picks took: those parts are products
    // rounded to 32 bits (one more rounding) added in double, and add up to at
    // most the sum they were taken from.
    return blockSums_ ? 2.0 * kProductRelError + BlockBallCounts::kSumRelError + 2.0 * kUnit32
                      : kProductRelError;
}

bool AutoformSearch::counts(std::uint32_t r) const {
    return gains_ == Gains::EqualWeights || weight_[r] > 0.0f;
}

std::int64_t AutoformSearch::estimateStepTime(double sampleSeconds) const {
    if ((gains_ == Gains::EqualWeights && strategy_ == AutoformStrategy::Lazy && !eagerCounts_) ||
        blockSums_) {
        // The set-up's walks, then at most a count (or a sum) of every block
        // per step, shared by two threads where there are two.
        const double threads = SecondThread::available() ? 2.0 : 1.0;
        // Sums whose bounds cannot be told apart from the best's are formed
        // exactly, a walk each, on two threads where there are two (a pass
        // forms those it will likely need ahead, block by block).
        BlockBallCounts counts(f_, misses_);
        const double exact = blockSums_ ? nearTopCandidates() / threads : 0.0;
        double blocks = secondsPerBlockCount(counts, sampleSeconds) * counts.blocks() / threads;
        // Sums of every block cost at most twice every ball's sum at once.
        if (blockSums_)
            blocks = std::min(blocks, 2.0 * kEveryBallSecondsPerResult * f_.count);
        return roundHalfEvenToInt(
            secondsPerWalk(sampleSeconds) * (static_cast<double>(setUpWalks()) + exact) + blocks);
    }
    return roundHalfEvenToInt(secondsPerWalk(sampleSeconds) *
                              static_cast<double>(setUpWalks() + stepWalks()));
}

double AutoformSearch::productSum(const std::array<std::uint8_t, kEvents>& digit) const {
    // Per number of misses t, the weight of the results that miss t of the
    // events so far.
    std::array<double, kEvents + 1> sum{};
    sum[0] = 1.0;
    for (int e = 0; e < kEvents; ++e) {
        const double own = factors_[e][digit[e]];
        double other = 0.0;
        for (int d = 0; d < f_.size[e]; ++d)
            other += d == digit[e] ? 0.0 : factors_[e][d];
        for (int t = misses_; t >= 0; --t)
            sum[t] = sum[t] * own + (t ? sum[t - 1] * other : 0.0);
    }
    double total = 0.0;
    for (int t = 0; t <= misses_; ++t)
        total += sum[t];
    return total;
}

double AutoformSearch::nearTopCandidates() const {
    // Before any bet the largest sum is that of the ball around the likeliest
    // result (each event's own outcome the likeliest makes every miss least
    // likely). The share of the field whose bounds reach the largest sum's
    // lower bound comes from an even sample of the field.
    std::array<std::uint8_t, kEvents> digit{};
    for (int e = 0; e < kEvents; ++e)
        for (int d = 1; d < f_.size[e]; ++d)
            if (factors_[e][d] > factors_[e][digit[e]])
                digit[e] = static_cast<std::uint8_t>(d);
    const double nu = static_cast<double>(ballSize_) * kUnit32;
    const double gamma = nu / (1.0 - nu) + sumRelErrorOfBlockSums();
    const double largest = productSum(digit);
    if (!(largest > 0.0))
        return 0.0; // every gain is 0, which takes no exact sum
    const double reach = largest * (1.0 - gamma) / (1.0 + gamma);
    const std::uint32_t samples = std::min<std::uint32_t>(f_.count, kNearTopSamples);
    std::uint32_t near = 0;
    for (std::uint32_t i = 0; i < samples; ++i) {
        const auto j = static_cast<std::uint32_t>(std::uint64_t{i} * f_.count / samples);
        for (int e = 0; e < kEvents; ++e)
            digit[e] = static_cast<std::uint8_t>(f_.digit(j, e));
        near += productSum(digit) >= reach ? 1 : 0;
    }
    return static_cast<double>(near) * f_.count / samples;
}

double AutoformSearch::secondsPerBlockCount(BlockBallCounts& counts, double sampleSeconds) const {
    // A count takes as long whatever is free: the sample counts the first
    // blocks of the field as it stands.
    counts.reset(state_);
    std::vector<std::uint32_t> out(counts.blockSize());
    std::vector<double> sums(counts.blockSize());
    BlockBallCounts::Rows rows;
    const std::clock_t start = std::clock();
    std::uint32_t done = 0;
    double elapsed = 0.0;
    while (done < counts.blocks() && (elapsed < sampleSeconds || done < 8)) {
        if (blockSums_)
            counts.sumWeights(done++, blockWeight_.data(), suffixWeight_.data(), sums.data(), rows);
        else
            counts.count(done++, out.data(), rows);
        elapsed = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
    return done == 0 ? 0.0 : elapsed / done;
}

std::uint64_t AutoformSearch::setUpWalks() const {
    switch (gains_) {
    case Gains::Walked:
        return f_.count;
    case Gains::SummedOnly:
        return 0;
    default:
        return static_cast<std::uint64_t>(
            std::count_if(state_.begin(), state_.end(), [](auto s) { return s != 0; }));
    }
}

std::uint64_t AutoformSearch::stepWalks() const {
    // Covering: one walk per newly covered result; the pass over all
    // candidates costs about one walk per ball's worth of results. The lazy
    // search's first steps cost less, but once the chosen balls overlap it
    // goes on incrementally at this pace: the estimate is of those steps.
    const std::uint64_t walks = ballSize_ + f_.count / std::max<std::uint64_t>(ballSize_, 1);
    return gains_ == Gains::SummedOnly ? walks + f_.count : walks;
}

double AutoformSearch::secondsPerWalk(double sampleSeconds) const {
    // The sample covers the ball of the first result as a step would: a walk
    // over the ball of each of its members, touching the gains they meet, which
    // lie far apart in a large field. Processor time: on a busy machine the
    // wall clock of a short sample says more about the other programs.
    const std::clock_t start = std::clock();
    std::uint64_t walks = 0;
    double touched = 0.0;
    double elapsed = 0.0;
    auto touch = [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t q = a; q < b; ++q) {
            touched += state_[q];
            if (!freeCount_.empty())
                touched += freeCount_[q];
            if (!freeSum_.empty())
                touched += freeSum_[q];
        }
    };
    forEachBallRange(f_, 0, misses_, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t r = a; r < b && (elapsed < sampleSeconds || walks < 64); ++r) {
            forEachBallRange(f_, r, misses_, touch);
            if ((++walks % 8) == 0)
                elapsed = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        }
    });
    elapsed = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    // The sum is looked at so that the walks cannot be left out.
    return walks == 0 || std::isnan(touched) ? 0.0 : elapsed / static_cast<double>(walks);
}

bool AutoformSearch::setUp(const std::atomic<bool>* cancel) {
    switch (gains_) {
    case Gains::SummedOnly:
        return !stopped(cancel);
    case Gains::EqualWeights:
        if (!(eagerCounts_ ? takeOutCoveredEagerly(cancel) : takeOutCovered(cancel)))
            return false;
        setUpLazy();
        return true;
    case Gains::Walked:
        if (!sumBallsByWalking(cancel))
            return false;
        break;
    case Gains::Products:
        if (!sumBallsByProducts(cancel))
            return false;
        sumRelError_ = sumRelErrorOfBlockSums();
        break;
    }
    // Each sum then takes at most one subtraction per ball member, each off by
    // at most half a unit of the largest sum.
    const double largest =
        freeSum_.empty() ? 0.0 : *std::max_element(freeSum_.begin(), freeSum_.end());
    sumError_ = (sumRelError_ + 2.5 * static_cast<double>(ballSize_) * kUnit64) * largest;
    if (blockSums_) {
        // Sums formed for every ball at once lie within an absolute bound of
        // the sums of their products, formed in double (one rounding each).
        // The free results' weight is at most the whole field's, which the
        // margin keeps above its rounding.
        double blocks = 0.0, suffixes = 0.0;
        for (const float w : blockWeight_)
            blocks += w;
        for (const double w : suffixWeight_)
            suffixes += w;
        const double total = blocks * suffixes * (1.0 + 0x1p-20);
        sumError_ += ballSumError(f_, misses_, total) + kUnit64 * total;
    }
    if (gains_ != Gains::Walked && !takeOutCovered(cancel))
        return false;
    setUpLazy();
    return true;
}

bool AutoformSearch::sumBallsByProducts(const std::atomic<bool>* cancel) {
    // A result's ball sum is a polynomial in the factors: walking the field
    // event by event, keep per number of misses t the sum over the events so
    // far, with the own factor (hit) or the other digits' factors (miss).
    std::array<std::array<double, kOutcomes>, kEvents> own{}, other{};
    std::array<std::array<std::uint32_t, kOutcomes>, kEvents> ownUp{}, otherUp{};
    for (int e = 0; e < kEvents; ++e)
        for (int d = 0; d < f_.size[e]; ++d) {
            own[e][d] = factors_[e][d];
            ownUp[e][d] = factors_[e][d] > 0.0;
            for (int o = 0; o < f_.size[e]; ++o)
                if (o != d) {
                    other[e][d] += factors_[e][o];
                    otherUp[e][d] += factors_[e][o] > 0.0;
                }
        }
    std::array<std::array<double, kEvents + 1>, kEvents + 1> sum{};
    std::array<std::array<std::uint64_t, kEvents + 1>, kEvents + 1> count{};
    sum[0][0] = 1.0;
    count[0][0] = 1;
    std::uint32_t index = 0;
    bool cancelled = false;
    const double divisor = divisor_;
    auto walk = [&](auto& self, int e) -> void {
        if (e == kEvents) {
            double s = 0.0;
            std::uint64_t c = 0;
            for (int t = 0; t <= misses_; ++t) {
                s += sum[e][t];
                c += count[e][t];
            }
            freeSum_[index] = s / divisor;
            freeCount_[index] = static_cast<std::uint32_t>(c);
            if ((++index % kCancelPoll) == 0)
                cancelled = stopped(cancel);
            return;
        }
        for (int d = 0; d < f_.size[e] && !cancelled; ++d) {
            for (int t = 0; t <= misses_; ++t) {
                sum[e + 1][t] = sum[e][t] * own[e][d] + (t ? sum[e][t - 1] * other[e][d] : 0.0);
                count[e + 1][t] =
                    count[e][t] * ownUp[e][d] + (t ? count[e][t - 1] * otherUp[e][d] : 0);
            }
            self(self, e + 1);
        }
    };
    walk(walk, 0);
    return !cancelled;
}

bool AutoformSearch::sumBallsByWalking(const std::atomic<bool>* cancel) {
    for (std::uint32_t j = 0; j < f_.count; ++j) {
        if ((j % 256) == 0 && stopped(cancel))
            return false;
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
    return true;
}

bool AutoformSearch::takeOutCovered(const std::atomic<bool>* cancel) {
    // Results that the list covers leave the sums of the balls that hold them.
    for (std::uint32_t r = 0; r < f_.count; ++r) {
        if ((r % kCancelPoll) == 0 && stopped(cancel))
            return false;
        if (state_[r] == 0 || !counts(r))
            continue;
        const double w = weight_[r];
        forEachBallRange(f_, r, misses_, [&](std::uint32_t a, std::uint32_t b) {
            for (std::uint32_t q = a; q < b; ++q) {
                --freeCount_[q];
                if (bounded())
                    freeSum_[q] -= w;
            }
        });
    }
    return true;
}

// The 32-bit sum of n weights lies within a factor (1 +- gamma_n) of their
// exact sum, which lies within sumError_ of the double sum kept.
double AutoformSearch::gammaOf(std::uint32_t n) {
    const double nu = static_cast<double>(n) * kUnit32;
    return nu / (1.0 - nu);
}

double AutoformSearch::lowerBound(std::uint32_t n, double sum) const {
    const double nu = static_cast<double>(n) * kUnit32;
    const double gamma = nu / (1.0 - nu);
    return std::max(0.0, (sum - sumError_) * (1.0 - gamma) * (1.0 - kSlack));
}

float AutoformSearch::exactGain(std::uint32_t j) const {
    // The sum as the plain loop forms it: free members in field order, rounded
    // to 32 bits after each addition. Near ties crowd in blocks: once a pass
    // needs several in one block, the block's are formed all at once.
    if (exactBlocks_) {
        const bool wide = BlockBallCounts::wideExactSums();
        const std::uint32_t size = wide ? lazyBlock_ : ballInOrder_.suffixSize();
        const std::uint32_t b = j / size;
        const auto pass = static_cast<std::uint32_t>(picks_.size() + 1);
        if (aheadIn_ == pass && aheadBlock_ == j / lazyBlock_ && aheadHas_[j % lazyBlock_])
            return aheadGain_[j % lazyBlock_];
        if (exactBlockIn_ == pass && exactBlock_ == b)
            return exactOfBlock_[j % size];
        if (exactCallsIn_[b] != pass) {
            exactCallsIn_[b] = pass;
            exactCalls_[b] = 0;
        }
        if (++exactCalls_[b] >= (wide ? kExactSumsBeforeBlock : kExactSumsBeforeBlockInOrder)) {
            if (wide)
                ballCounts_->exactSums(b, weight_.data(), exactOfBlock_.data(), exactRows_);
            else
                ballInOrder_.sumsOfBlock(b * size, state_.data(), weight_.data(),
                                         exactOfBlock_.data());
            exactBlock_ = b;
            exactBlockIn_ = pass;
            return exactOfBlock_[j % size];
        }
    }
    return walkedGain(j);
}

void AutoformSearch::formExactAhead(std::uint32_t b, const std::vector<std::uint32_t>& likely) {
    // On two threads, half of them each. The candidates of one part of the
    // field share their walk in order (BallInOrder::sumsOf): a few sums
    // together cost little more than one.
    const std::uint32_t first = b * lazyBlock_;
    aheadGain_.resize(lazyBlock_);
    aheadHas_.assign(lazyBlock_, 0);
    aheadBlock_ = b;
    aheadIn_ = static_cast<std::uint32_t>(picks_.size() + 1);
    const std::uint32_t size = ballInOrder_.suffixSize();
    auto form = [&](std::size_t from, std::size_t to) {
        std::vector<std::uint32_t> which;
        std::vector<float> sums;
        for (std::size_t i = from; i < to;) {
            const std::uint32_t part = likely[i] / size * size;
            which.clear();
            std::size_t end = i;
            for (; end < to && likely[end] - part < size; ++end)
                which.push_back(likely[end] - part);
            if (which.size() < kExactSumsTogether) {
                for (std::size_t k = i; k < end; ++k)
                    aheadGain_[likely[k] - first] = walkedGain(likely[k]);
            } else {
                sums.resize(which.size());
                ballInOrder_.sumsOf(part, state_.data(), weight_.data(), which.data(), which.size(),
                                    sums.data());
                for (std::size_t k = 0; k < which.size(); ++k)
                    aheadGain_[likely[i + k] - first] = sums[k];
            }
            for (; i < end; ++i)
                aheadHas_[likely[i] - first] = 1;
        }
    };
    const std::size_t half = likely.size() / 2;
    second_.split([&] { form(half, likely.size()); }, [&] { form(0, half); });
}

float AutoformSearch::walkedGain(std::uint32_t j) const {
    // Adding 0 leaves a 32-bit sum as it is: covered members add 0, which
    // spares the branch.
    float g = 0.0f;
    ballInOrder_.forEachAhead(
        j, [&](std::uint32_t r) { g = g + (state_[r] == 0 ? weight_[r] : 0.0f); },
        [&](std::uint32_t r) {
            __builtin_prefetch(weight_.data() + r);
            __builtin_prefetch(state_.data() + r);
        });
    return g;
}

namespace {

// Polled every kCancelPoll candidates.
bool interrupted(std::uint32_t j, const std::atomic<bool>* cancel, bool& cancelled) {
    cancelled = (j % kCancelPoll) == 0 && stopped(cancel);
    return cancelled;
}

} // namespace

std::optional<AutoformSearch::Choice>
AutoformSearch::bestCandidate(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    cancelled = false;
    if (lazy() && switchDue_ && !switchToIncremental(cancel)) {
        cancelled = true;
        return std::nullopt;
    }
    switch (gains_) {
    case Gains::EqualWeights:
        if (eagerCounts_)
            return bestBySkippingTies(rng, cancel, cancelled);
        return lazy() ? lazyBestByFreeCount(rng, cancel, cancelled)
                      : bestByFreeCount(rng, cancel, cancelled);
    case Gains::SummedOnly:
        return bestBySummingEach(rng, cancel, cancelled);
    case Gains::Products:
    case Gains::Walked:
        break;
    }
    if (blockSums_)
        return lazyBestByBlockSums(rng, cancel, cancelled);
    return lazy() ? lazyBestByBounds(rng, cancel, cancelled) : bestByBounds(rng, cancel, cancelled);
}

std::optional<AutoformSearch::Choice>
AutoformSearch::bestByFreeCount(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    Leader leader;
    const bool disjoint = method_ == AutoformMethod::Disjoint;
    const auto full = static_cast<std::uint32_t>(ballSize_);
    for (std::uint32_t j = 0; j < f_.count; ++j) {
        if (interrupted(j, cancel, cancelled))
            return std::nullopt;
        const std::uint8_t s = state_[j];
        if (disjoint) {
            // A ball touching a covered result is rejected with a gain below any best.
            if (s != 0 || freeCount_[j] != full)
                continue;
        } else if (s >= kInList) {
            continue;
        }
        leader.compare(j, sumOfEqual_[freeCount_[j]], rng);
    }
    return leader.choice();
}

std::optional<AutoformSearch::Choice>
AutoformSearch::bestBySummingEach(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    Leader leader;
    for (std::uint32_t j = 0; j < f_.count; ++j) {
        if (interrupted(j, cancel, cancelled))
            return std::nullopt;
        if (state_[j] < kInList)
            leader.compare(j, exactGain(j), rng);
    }
    return leader.choice();
}

void AutoformSearch::weighByBounds(BoundedLeader& l, std::uint32_t j, std::uint32_t n, double sum,
                                   Rng& rng) const {
    const double hi = upperBound(n, sum);
    const double lo = lowerBound(n, sum);
    if (l.pending) {
        if (hi < l.pendingLo)
            return;
        if (lo > l.pendingHi) {
            l.leader.chosen = j;
            l.pendingLo = lo;
            l.pendingHi = hi;
            return;
        }
        l.leader.best = exactGain(*l.leader.chosen);
        l.pending = false;
    }
    if (hi < l.leader.best)
        return;
    if (lo > l.leader.best) {
        l.leader.chosen = j;
        l.pending = true;
        l.pendingLo = lo;
        l.pendingHi = hi;
        return;
    }
    l.leader.compare(j, exactGain(j), rng);
}

std::optional<AutoformSearch::Choice> AutoformSearch::boundedChoice(BoundedLeader& l) const {
    if (l.leader.chosen && l.pending)
        l.leader.best = exactGain(*l.leader.chosen);
    return l.leader.choice();
}

std::optional<AutoformSearch::Choice>
AutoformSearch::bestByBounds(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    // The double sum and the count of its terms bound the 32-bit sum.
    BoundedLeader l;
    for (std::uint32_t j = 0; j < f_.count; ++j) {
        if (interrupted(j, cancel, cancelled))
            return std::nullopt;
        if (state_[j] >= kInList)
            continue;
        const std::uint32_t n = freeCount_[j];
        if (n == 0) {
            // Gain exactly 0: only a best of exactly 0 ties it; a pending best is above 0.
            if (!l.pending && l.leader.best == 0.0f)
                l.leader.compare(j, 0.0f, rng);
            continue;
        }
        weighByBounds(l, j, n, freeSum_[j], rng);
    }
    return boundedChoice(l);
}

void AutoformSearch::cover(std::uint32_t r) {
    state_[r] |= kCovered;
    if (gains_ == Gains::SummedOnly || !counts(r))
        return;
    const double w = weight_[r];
    const bool sums = bounded();
    forEachBallRange(f_, r, misses_, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t q = a; q < b; ++q) {
            --freeCount_[q];
            if (sums)
                freeSum_[q] -= w;
        }
    });
}

void AutoformSearch::choose(std::uint32_t result) {
    if (lazy()) {
        chooseLazily(result);
        return;
    }
    forEachBallRange(f_, result, misses_, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t r = a; r < b; ++r)
            if (state_[r] == 0)
                cover(r);
    });
    state_[result] |= kChosen;
}

} // namespace kav
