// The lazy strategy of the auto-forming search: gains brought up to date only
// where a pass needs them (see autoform_search.h).
#include "core/forming/autoform_search.h"

#include "core/forming/ball_sum_transform.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <limits>
#include <mutex>
#include <span>
#include <thread>

namespace kav {

namespace {

constexpr std::uint32_t kLazyBlock = 64;
constexpr std::uint32_t kBlocksPerPoll = 256;
constexpr std::uint32_t kLevelBits = 0x55555555u; // bit 0 of every two-bit level
// A result walked in an overlap costs several times a test of a listed member.
constexpr std::uint32_t kWalkCost = 8;
// A block visited in an overlap walk costs many times one added in a count.
constexpr std::uint64_t kOverlapVisitCost = 64;
// The pass brings up to date, on two threads, the blocks it may weigh among
// the next kPassRun, kRefreshBatch at most at a time.
constexpr std::uint32_t kPassRun = 1024;
constexpr std::size_t kRefreshBatch = 16;
constexpr std::uint32_t kSuperBlock = 64;
// Blocks brought up to date for a floor before counting those above it.
constexpr std::uint32_t kProbedBlocks = 8;
constexpr double kNoCandidate = -std::numeric_limits<double>::infinity();
std::atomic<bool> everyBallAlways{false};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool stopped(const std::atomic<bool>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed);
}

// Runs work(scratch[0]) on this thread and, where the processor has two
// cores and `both` says it pays, work(scratch[1]) on the second one.
template <class Scratch, class Work>
void onTwoThreads(SecondThread& second, std::array<Scratch, 2>& scratch, bool both, Work&& work) {
    if (!both || !SecondThread::available()) {
        work(scratch[0]);
        return;
    }
    second.split([&] { work(scratch[1]); }, [&] { work(scratch[0]); });
}

} // namespace

void AutoformSearch::setUpLazy() {
    if (!lazy())
        return;
    // Packed digits in two tables of at most 3^8 entries each.
    const int levels = f_.levels;
    const int high = (levels + 1) / 2;
    codeSplit_ = levels == 0 ? 1 : f_.stride[f_.levelEvent[high - 1]];
    codeHigh_.assign(f_.count / codeSplit_, 0);
    codeLow_.assign(codeSplit_, 0);
    for (std::uint32_t x = 0; x < codeHigh_.size(); ++x)
        for (int l = 0; l < high; ++l)
            codeHigh_[x] |= static_cast<std::uint32_t>(f_.digit(x * codeSplit_, f_.levelEvent[l]))
                            << (2 * l);
    for (std::uint32_t y = 0; y < codeSplit_; ++y)
        for (int l = high; l < levels; ++l)
            codeLow_[y] |= static_cast<std::uint32_t>(f_.digit(y, f_.levelEvent[l])) << (2 * l);
    int twos = 0, threes = 0;
    for (int l = 0; l < levels; ++l) {
        if (f_.size[f_.levelEvent[l]] == 2) {
            pairsOfTwo_ |= 1u << (2 * l);
            ++twos;
        } else {
            pairsOfThree_ |= 1u << (2 * l);
            ++threes;
        }
    }
    overlap_ = overlapSizes(twos, threes, misses_);

    picks_.clear();
    if (eagerCounts_) {
        setUpTieBlocks();
        return;
    }
    if (gains_ == Gains::EqualWeights && strategy_ == AutoformStrategy::Lazy)
        ballCounts_.emplace(f_, misses_);
    if (blockWise()) {
        ballCounts_->reset(state_);
        lazyBlock_ = ballCounts_->blockSize();
        if (!blockSums_) // sums mark their stale blocks instead (sumStale_)
            blockUpToPick_.assign(ballCounts_->blocks(), 0);
        for (BlockScratch& scratch : scratch_) {
            scratch.counts.resize(lazyBlock_);
            scratch.sums.resize(blockSums_ ? lazyBlock_ : 0);
            scratch.rim.resize(blockSums_ ? lazyBlock_ : 0);
        }
        // Counts are brought up to date by the results each later pick
        // covered, and so are sums of blocks that only far picks came near.
        coveredBy_.assign(f_.count, 0);
        const int prefixLevels = ballCounts_->prefixLevels();
        prefixMask_ = prefixLevels == 0 ? 0 : ~0u >> (32 - 2 * prefixLevels);
    } else {
        lazyBlock_ = kLazyBlock;
        upToPick_.assign(f_.count, 0);
        coveredBy_.assign(f_.count, 0);
    }
    const std::size_t blocks = (f_.count + lazyBlock_ - 1) / lazyBlock_;
    if (gains_ == Gains::EqualWeights) {
        blockTopCount_.resize(blocks);
        for (std::size_t b = 0; b < blocks; ++b)
            blockTopCount_[b] = static_cast<std::int32_t>(blockCount(b));
    } else {
        blockTopSum_.resize(blocks);
        for (std::size_t b = 0; b < blocks; ++b)
            blockTopSum_[b] = blockSum(b);
    }
    if (blockSums_) {
        // Exact sums of whole blocks at once: 512 bits wide, or by walks of
        // the balls in field order that run side by side.
        exactBlocks_ = true;
        const std::uint32_t size =
            BlockBallCounts::wideExactSums() ? lazyBlock_ : ballInOrder_.suffixSize();
        exactCalls_.assign((f_.count + size - 1) / size, 0);
        exactCallsIn_.assign(exactCalls_.size(), 0);
        exactOfBlock_.resize(size);
        blockFloor_.assign(blocks, 0.0);
        sumStale_.assign(blocks, 0);
        sumUpToPick_.assign(blocks, 0);
        rimShare_.assign(f_.count, static_cast<std::uint16_t>(kWholeShare));
        rimKnown_.assign(blocks, 0);
        heapBound_.assign(blocks, kNoCandidate);
        staleHeap_.clear();
        staleMarkedUpTo_ = 0;
        blockFloorAt_.assign(blocks, 0);
        for (std::size_t b = 0; b < blocks; ++b)
            for (std::uint32_t j = static_cast<std::uint32_t>(b * lazyBlock_);
                 j < (b + 1) * lazyBlock_; ++j)
                if (state_[j] < kInList &&
                    lowerBound(freeCount_[j], freeSum_[j]) > blockFloor_[b]) {
                    blockFloor_[b] = lowerBound(freeCount_[j], freeSum_[j]);
                    blockFloorAt_[b] = j;
                }
    }
}

std::int64_t AutoformSearch::blockCount(std::size_t b) const {
    const bool disjoint = method_ == AutoformMethod::Disjoint;
    const auto first = static_cast<std::uint32_t>(b * lazyBlock_);
    const std::uint32_t last = std::min(f_.count, first + lazyBlock_);
    std::int64_t top = -1;
    for (std::uint32_t j = first; j < last; ++j)
        if (disjoint ? state_[j] == 0 : state_[j] < kInList)
            top = std::max<std::int64_t>(top, freeCount_[j]);
    return top;
}

double AutoformSearch::blockSum(std::size_t b) const {
    const auto first = static_cast<std::uint32_t>(b * lazyBlock_);
    const std::uint32_t last = std::min(f_.count, first + lazyBlock_);
    double top = kNoCandidate;
    for (std::uint32_t j = first; j < last; ++j)
        if (state_[j] < kInList)
            top = std::max(top, freeSum_[j]);
    return top;
}

namespace {

// Bits set, by table: the build targets processors without a popcount instruction.
int bitCount(std::uint32_t x) {
    static const auto table = [] {
        std::array<std::uint8_t, 1u << 16> t{};
        for (std::uint32_t i = 0; i < t.size(); ++i)
            t[i] = static_cast<std::uint8_t>(std::popcount(i));
        return t;
    }();
    return table[x & 0xFFFFu] + table[x >> 16];
}

// Levels where two codes differ.
int differing(std::uint32_t x) {
    return bitCount((x | x >> 1) & kLevelBits);
}

} // namespace

// Members of pick k's ball that it covered and that lie in j's ball; their
// weights are taken off `sum` when the gains are sums.
std::uint32_t AutoformSearch::newlyCovered(std::uint32_t j, std::uint32_t code, std::uint32_t k,
                                           double& sum) {
    const Pick& p = picks_[k];
    const std::uint32_t x = code ^ p.code;
    const std::uint32_t differ = (x | x >> 1) & kLevelBits;
    const std::uint32_t overlap =
        overlap_[bitCount(differ & pairsOfTwo_)][bitCount(differ & pairsOfThree_)];
    std::uint32_t n = 0;
    if (p.listed && p.memberCodes.size() <= std::uint64_t{overlap} * kWalkCost) {
        lazyWork_ += p.memberCodes.size();
        for (std::size_t i = 0; i < p.memberCodes.size(); ++i)
            if (differing(code ^ p.memberCodes[i]) <= misses_) {
                ++n;
                if (p.coveredNow && !p.memberWeights.empty())
                    sum -= p.memberWeights[i];
            }
        return p.coveredNow ? n : overlap - n;
    }
    const std::uint32_t by = k + 1;
    const bool sums = bounded();
    forEachOverlapRange(f_, j, p.result, misses_, [&](std::uint32_t a, std::uint32_t b) {
        lazyWork_ += kWalkCost * (b - a);
        for (std::uint32_t u = a; u < b; ++u)
            if (coveredBy_[u] == by && counts(u)) {
                ++n;
                if (sums)
                    sum -= weight_[u];
            }
    });
    return n;
}

template <class Below> void AutoformSearch::refresh(std::uint32_t j, Below&& below) {
    auto k = static_cast<std::uint32_t>(upToPick_[j]);
    const auto now = static_cast<std::uint32_t>(picks_.size());
    if (k == now)
        return;
    const std::uint32_t code = codeOf(j);
    const bool sums = bounded();
    std::uint32_t n = freeCount_[j];
    double sum = sums ? freeSum_[j] : 0.0;
    const int reach = 2 * misses_;
    for (; k < now && !below(n, sum); ++k) {
        const Pick& p = picks_[k];
        const std::uint32_t x = code ^ p.code;
        const std::uint32_t differ = (x | x >> 1) & kLevelBits;
        if (differing(x) > reach)
            continue;
        if (p.wholeBallFree) {
            n -= overlap_[bitCount(differ & pairsOfTwo_)][bitCount(differ & pairsOfThree_)];
            continue;
        }
        n -= newlyCovered(j, code, k, sum);
    }
    freeCount_[j] = n;
    if (sums)
        freeSum_[j] = sum;
    upToPick_[j] = k;
}

void AutoformSearch::refreshBlock(std::uint32_t b, BlockScratch& scratch) {
    std::uint32_t k = blockUpToPick_[b];
    const auto now = static_cast<std::uint32_t>(picks_.size());
    if (k == now)
        return;
    blockUpToPick_[b] = now;
    // Picks farther than twice the radius from every candidate of the block
    // (already by the levels that tell blocks apart) change none of the counts.
    // A pick whose ball was partly covered takes from each count the members
    // it covered in the overlap, found by a walk of the overlap; when those
    // walks would visit more blocks than counting afresh, the block is counted.
    const std::uint32_t first = b * lazyBlock_;
    const std::uint32_t prefix = codeOf(first) & prefixMask_;
    const int reach = 2 * misses_;
    const BallOverlaps& visits = ballCounts_->overlapBlocks();
    const std::uint64_t countVisits = ballCounts_->ballBlocks();
    std::uint64_t overlapVisits = 0;
    scratch.nearPicks.clear();
    for (; k < now; ++k) {
        const Pick& p = picks_[k];
        const std::uint32_t x = (prefix ^ p.code) & prefixMask_;
        if (differing(x) > reach)
            continue;
        if (!p.wholeBallFree) {
            const std::uint32_t differ = (x | x >> 1) & kLevelBits;
            overlapVisits +=
                kOverlapVisitCost *
                visits[bitCount(differ & pairsOfTwo_)][bitCount(differ & pairsOfThree_)];
            if (overlapVisits > countVisits) {
                ballCounts_->count(b, scratch.counts.data(), scratch.rows);
                std::copy(scratch.counts.begin(), scratch.counts.end(), freeCount_.begin() + first);
                return;
            }
        }
        scratch.nearPicks.push_back(k);
    }
    for (const std::uint32_t near : scratch.nearPicks) {
        const Pick& p = picks_[near];
        if (p.wholeBallFree) {
            for (std::uint32_t j = first; j < first + lazyBlock_; ++j) {
                const std::uint32_t x = codeOf(j) ^ p.code;
                if (differing(x) > reach)
                    continue;
                const std::uint32_t differ = (x | x >> 1) & kLevelBits;
                freeCount_[j] -=
                    overlap_[bitCount(differ & pairsOfTwo_)][bitCount(differ & pairsOfThree_)];
            }
            continue;
        }
        const std::uint32_t by = near + 1;
        ballCounts_->countInOverlap(
            b, p.result, [&](std::uint32_t r) { return coveredBy_[r] == by; },
            scratch.counts.data(), scratch.rows);
        for (std::uint32_t c = 0; c < lazyBlock_; ++c)
            freeCount_[first + c] -= scratch.counts[c];
    }
}

bool AutoformSearch::refreshLikelyBlocks(const std::atomic<bool>* cancel) {
    // The best count falls from pass to pass by about as much as it fell last
    // time; the blocks that may still reach it are brought up to date here on
    // two threads, each taking the next run of blocks as it is free. A block
    // left out is brought up to date by the pass itself, one taken in
    // needlessly costs only time: the pass's choice is the same either way.
    if (lastBest_ < 0 || !SecondThread::available())
        return true;
    const std::int64_t likely = lastBest_ - 2 * std::max<std::int64_t>(lastDrop_, 1);
    const auto now = static_cast<std::uint32_t>(picks_.size());
    const auto blocks = static_cast<std::uint32_t>(blockTopCount_.size());
    // Where those blocks would take longer than counting every ball at once
    // (as long as the last such count took, or a first guess), every count
    // is formed so.
    std::uint32_t due = 0;
    for (std::uint32_t b = 0; b < blocks; ++b)
        due += blockTopCount_[b] >= likely && blockUpToPick_[b] != now ? 1 : 0;
    const double every = countEveryBallSeconds_ > 0.0
                             ? countEveryBallSeconds_
                             : kEveryBallSecondsPerResult * static_cast<double>(f_.count);
    if (due > 0 && (everyBallAlways || static_cast<double>(due) * countBlockSeconds_ > every)) {
        countEveryBall();
        return !stopped(cancel);
    }
    const auto start = std::chrono::steady_clock::now();
    std::atomic<bool> stop{false};
    std::atomic<std::uint32_t> nextChunk{0};
    auto work = [&](BlockScratch& scratch) {
        while (true) {
            const std::uint32_t from = nextChunk.fetch_add(kBlocksPerPoll);
            if (from >= blocks)
                return;
            if (stop.load(std::memory_order_relaxed) || stopped(cancel)) {
                stop = true;
                return;
            }
            for (std::uint32_t b = from; b < std::min(blocks, from + kBlocksPerPoll); ++b) {
                if (blockTopCount_[b] < likely || blockUpToPick_[b] == now)
                    continue;
                refreshBlock(b, scratch);
                blockTopCount_[b] = static_cast<std::int32_t>(blockCount(b));
            }
        }
    };
    onTwoThreads(second_, scratch_, true, work);
    if (due > 0)
        countBlockSeconds_ = secondsSince(start) / static_cast<double>(due);
    return !stop;
}

void AutoformSearch::countEveryBall() {
    // Whole numbers come out of the transform exactly.
    const auto start = std::chrono::steady_clock::now();
    everyCount_.resize(f_.count);
    for (std::uint32_t r = 0; r < f_.count; ++r)
        everyCount_[r] = state_[r] == 0 ? 1.0 : 0.0;
    sumOverBalls(f_, misses_, everyCount_.data(), true, SecondThread::available());
    for (std::uint32_t j = 0; j < f_.count; ++j)
        freeCount_[j] = static_cast<std::uint32_t>(everyCount_[j]);
    const auto now = static_cast<std::uint32_t>(picks_.size());
    std::fill(blockUpToPick_.begin(), blockUpToPick_.end(), now);
    for (std::size_t b = 0; b < blockTopCount_.size(); ++b)
        blockTopCount_[b] = static_cast<std::int32_t>(blockCount(b));
    countEveryBallSeconds_ = secondsSince(start);
}

std::optional<AutoformSearch::Choice>
AutoformSearch::lazyBestByFreeCount(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    Leader leader;
    const bool disjoint = method_ == AutoformMethod::Disjoint;
    const auto full = static_cast<std::uint32_t>(ballSize_);
    const auto now = static_cast<std::uint32_t>(picks_.size());
    if (ballCounts_ && !refreshLikelyBlocks(cancel)) {
        cancelled = true;
        return std::nullopt;
    }
    // The least count whose 32-bit sum reaches the best gain: fewer cannot tie it.
    std::uint32_t atLeast = disjoint ? full : 0;
    for (std::size_t b = 0; b < blockTopCount_.size(); ++b) {
        if (b % kBlocksPerPoll == 0 && stopped(cancel)) {
            cancelled = true;
            return std::nullopt;
        }
        const std::int32_t top = blockTopCount_[b];
        if (top < 0 || static_cast<std::uint32_t>(top) < atLeast)
            continue;
        const auto first = static_cast<std::uint32_t>(b * lazyBlock_);
        const std::uint32_t last = std::min(f_.count, first + lazyBlock_);
        if (ballCounts_)
            refreshBlock(static_cast<std::uint32_t>(b), scratch_[0]);
        std::int32_t newTop = -1;
        for (std::uint32_t j = first; j < last; ++j) {
            const std::uint8_t s = state_[j];
            if (disjoint ? s != 0 : s >= kInList)
                continue;
            if (!ballCounts_ && freeCount_[j] >= atLeast)
                refresh(j, [&](std::uint32_t n, double) { return n < atLeast; });
            const std::uint32_t n = freeCount_[j];
            if (n >= atLeast && (ballCounts_ || upToPick_[j] == now)) {
                const float before = leader.best;
                leader.compare(j, sumOfEqual_[n], rng);
                if (!disjoint && leader.best != before)
                    atLeast = static_cast<std::uint32_t>(
                        std::lower_bound(sumOfEqual_.begin(), sumOfEqual_.end(), leader.best) -
                        sumOfEqual_.begin());
            }
            newTop = std::max(newTop, static_cast<std::int32_t>(n));
        }
        blockTopCount_[b] = newTop;
    }
    if (leader.chosen) {
        const std::int64_t best = freeCount_[*leader.chosen];
        lastDrop_ = lastBest_ < 0 ? 0 : lastBest_ - best;
        lastBest_ = best;
    }
    return leader.choice();
}

std::optional<AutoformSearch::Choice>
AutoformSearch::lazyBestByBounds(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    // As bestByBounds, on sums brought up to date only for candidates whose old
    // sum does not already rule them out.
    BoundedLeader l;
    const auto now = static_cast<std::uint32_t>(picks_.size());
    const auto full = static_cast<std::uint32_t>(ballSize_);
    // Until a gain above 0 leads, every candidate takes part (a gain of 0 ties).
    auto everyone = [&] { return !l.pending && l.leader.best == 0.0f; };
    auto threshold = [&] { return l.pending ? l.pendingLo : static_cast<double>(l.leader.best); };
    auto consider = [&](std::uint32_t j) {
        if (everyone()) {
            refresh(j, [](std::uint32_t, double) { return false; });
        } else {
            const double below = threshold();
            auto ruledOut = [&](std::uint32_t n, double sum) { return upperBound(n, sum) < below; };
            if (ruledOut(freeCount_[j], freeSum_[j]))
                return;
            refresh(j, ruledOut);
            if (upToPick_[j] != now)
                return;
        }
        const std::uint32_t n = freeCount_[j];
        if (n == 0) {
            if (everyone())
                l.leader.compare(j, 0.0f, rng);
            return;
        }
        weighByBounds(l, j, n, freeSum_[j], rng);
    };
    for (std::size_t b = 0; b < blockTopSum_.size(); ++b) {
        if (b % kBlocksPerPoll == 0 && stopped(cancel)) {
            cancelled = true;
            return std::nullopt;
        }
        const double top = blockTopSum_[b];
        if (top == kNoCandidate || (!everyone() && upperBound(full, top) < threshold()))
            continue;
        const auto first = static_cast<std::uint32_t>(b * lazyBlock_);
        const std::uint32_t last = std::min(f_.count, first + lazyBlock_);
        double newTop = kNoCandidate;
        for (std::uint32_t j = first; j < last; ++j) {
            if (state_[j] >= kInList)
                continue;
            consider(j);
            newTop = std::max(newTop, freeSum_[j]);
        }
        blockTopSum_[b] = newTop;
    }
    return boundedChoice(l);
}

void AutoformSearch::listStale(std::uint32_t b) {
    heapBound_[b] = upperBound(static_cast<std::uint32_t>(ballSize_), blockTopSum_[b]);
    staleHeap_.emplace_back(heapBound_[b], b);
    std::push_heap(staleHeap_.begin(), staleHeap_.end());
}

std::optional<std::uint32_t> AutoformSearch::claimStale() {
    std::pop_heap(staleHeap_.begin(), staleHeap_.end());
    const auto [bound, b] = staleHeap_.back();
    staleHeap_.pop_back();
    if (heapBound_[b] != bound)
        return std::nullopt;
    // A pass may have lowered the block's bound since it was listed.
    if (upperBound(static_cast<std::uint32_t>(ballSize_), blockTopSum_[b]) < bound) {
        listStale(b);
        return std::nullopt;
    }
    heapBound_[b] = kNoCandidate;
    return b;
}

void AutoformSearch::markStaleSumBlocks() {
    // Picks farther than twice the radius from every candidate of a block
    // (already by the levels that tell blocks apart) change none of its sums:
    // each pick marks the blocks within that reach of its own, by the prefix.
    const int levels = ballCounts_->prefixLevels();
    const int reach = 2 * misses_;
    for (; staleMarkedUpTo_ < picks_.size(); ++staleMarkedUpTo_) {
        const std::uint32_t pick = picks_[staleMarkedUpTo_].result;
        auto mark = [&](std::uint32_t b) {
            if (sumStale_[b])
                return;
            sumStale_[b] = 1;
            blockFloor_[b] = 0.0;
            if (blockTopSum_[b] != kNoCandidate)
                listStale(b);
        };
        if (reach >= levels) {
            for (std::uint32_t b = 0; b < sumStale_.size(); ++b)
                mark(b);
            continue;
        }
        auto walk = [&](auto& self, int level, std::uint32_t block, int left) -> void {
            if (level == levels) {
                mark(block);
                return;
            }
            const int e = f_.levelEvent[level];
            const std::uint32_t step = f_.stride[e] / lazyBlock_;
            const int own = f_.digit(pick, e);
            for (int d = 0; d < f_.size[e]; ++d)
                if (d == own || left > 0)
                    self(self, level + 1, block + static_cast<std::uint32_t>(d) * step,
                         left - (d == own ? 0 : 1));
        };
        walk(walk, 0, 0, reach);
    }
}

bool AutoformSearch::takeFromSumBlock(std::uint32_t b, BlockScratch& scratch) {
    // What the picks since took from the block's sums, from the results each
    // covered within the balls of the block's candidates, where adding those
    // one by one costs less than the blocks a sum afresh adds (the picks came
    // near the block's balls only at their edge).
    const auto picks = static_cast<std::uint32_t>(picks_.size());
    const std::uint32_t since = sumUpToPick_[b];
    if (picks - since > kMostPicksTakenFromSums)
        return false;
    const BallOverlaps& additions = ballCounts_->overlapAdditions();
    const std::uint32_t own = codeOf(b * lazyBlock_) & prefixMask_;
    std::uint64_t cost = 0;
    for (std::uint32_t k = since; k < picks; ++k) {
        const std::uint32_t differ = ((own ^ picks_[k].code) & prefixMask_);
        const std::uint32_t levels = (differ | differ >> 1) & kLevelBits;
        cost += additions[bitCount(levels & pairsOfTwo_)][bitCount(levels & pairsOfThree_)];
    }
    if (cost >= kAdditionsPerBlockAdded * ballCounts_->ballBlocks())
        return false;
    std::fill(scratch.sums.begin(), scratch.sums.end(), 0.0);
    for (std::uint32_t k = since; k < picks; ++k)
        ballCounts_->sumInOverlap(
            b, picks_[k].result, [&](std::uint32_t r) { return coveredBy_[r] == k + 1; },
            blockWeight_.data(), suffixWeight_.data(), scratch.sums.data(), scratch.rows);
    double* sums = freeSum_.data() + std::size_t{b} * lazyBlock_;
    std::uint16_t* share = rimShare_.data() + std::size_t{b} * lazyBlock_;
    for (std::uint32_t c = 0; c < lazyBlock_; ++c) {
        const double rim = rimPart(share[c], sums[c]); // only fell since
        sums[c] = std::max(0.0, sums[c] - scratch.sums[c]);
        share[c] = rimShare(rim, sums[c]);
    }
    return true;
}

bool AutoformSearch::refreshSumBlock(std::uint32_t b, BlockScratch& scratch, double below) {
    if (!sumStale_[b])
        return true;
    // The counts are left as they were: they only bound the rounding of a sum,
    // and an old count bounds the present one.
    if (!takeFromSumBlock(b, scratch)) {
        const std::size_t first = std::size_t{b} * lazyBlock_;
        double* sums = freeSum_.data() + first;
        std::uint16_t* share = rimShare_.data() + first;
        ballCounts_->sumWeightsInside(b, blockWeight_.data(), suffixWeight_.data(),
                                      scratch.sums.data(), scratch.rows);
        if (rimKnown_[b] && below > 0.0) {
            double top = kNoCandidate;
            for (std::uint32_t c = 0; c < lazyBlock_; ++c)
                if (state_[first + c] < kInList)
                    top = std::max(top, scratch.sums[c] + rimPart(share[c], sums[c]));
            if (upperBound(static_cast<std::uint32_t>(ballSize_), top) < below) {
                blockTopSum_[b] = std::min(blockTopSum_[b], top);
                return false;
            }
        }
        ballCounts_->sumRim(b, blockWeight_.data(), suffixWeight_.data(), scratch.rim.data(),
                            scratch.rows);
        for (std::uint32_t c = 0; c < lazyBlock_; ++c) {
            sums[c] = scratch.sums[c] + scratch.rim[c];
            share[c] = rimShare(scratch.rim[c], sums[c]);
        }
        rimKnown_[b] = 1;
    }
    sumUpToPick_[b] = static_cast<std::uint32_t>(picks_.size());
    settleSumBlock(b);
    return true;
}

void AutoformSearch::settleSumBlock(std::uint32_t b) {
    const std::uint32_t first = b * lazyBlock_;
    double top = kNoCandidate, floor = 0.0;
    std::uint32_t floorAt = first;
    for (std::uint32_t j = first; j < first + lazyBlock_; ++j) {
        if (state_[j] >= kInList)
            continue;
        top = std::max(top, freeSum_[j]);
        if (const double lo = lowerBound(freeCount_[j], freeSum_[j]); lo > floor) {
            floor = lo;
            floorAt = j;
        }
    }
    blockTopSum_[b] = top;
    blockFloor_[b] = floor;
    blockFloorAt_[b] = floorAt;
    sumStale_[b] = 0;
}

bool AutoformSearch::refreshLikelySumBlocks(const std::atomic<bool>* cancel) {
    // The pass's best gain is at least the gain of any candidate whose sum is
    // up to date. The blocks whose old sums may still beat that are brought up
    // to date, the highest bound first, on two threads, each raising the floor
    // with the block it did; once the highest bound left is below it, no block
    // left can hold the best. A candidate that raises the floor has its gain
    // formed exactly: the floor is then no lower bound, whose rounding margin
    // would let many more blocks through. The pass's choice does not depend
    // on this step: it only spares the pass most of its updates.
    markStaleSumBlocks();
    double floor = 0.0;
    std::optional<std::uint32_t> floorAt;
    // A stale block's lower bound was set to 0: the largest is that of a
    // block up to date.
    for (std::uint32_t b = 0; b < blockFloor_.size(); ++b)
        if (blockFloor_[b] > floor) {
            floor = blockFloor_[b];
            floorAt = blockFloorAt_[b];
        }
    if (floorAt)
        floor = std::max(floor, static_cast<double>(walkedGain(*floorAt)));
    // The stale blocks wait in a heap by bound across passes; a block taken
    // from it is claimed (its bound cleared) under the lock, so one thread
    // alone brings it up to date. Where more blocks than every ball's sum at
    // once would cost may beat the floor (the last pass needed that many), or
    // once bringing blocks up to date has taken as long, every sum is formed
    // at once.
    if (summedEveryBall_ && !everyBallAlways) {
        // Every block was near a pick since every ball's sum was formed at
        // once, likely: none gives a floor. The few of highest bound are
        // brought up to date first, so that the blocks that may beat the
        // floor are not all of them.
        for (std::uint32_t probed = 0; probed < kProbedBlocks && !staleHeap_.empty();) {
            const std::optional<std::uint32_t> claimed = claimStale();
            if (!claimed)
                continue;
            const std::uint32_t b = *claimed;
            refreshSumBlock(b, scratch_[0]);
            ++probed;
            if (blockFloor_[b] > floor)
                floor = std::max(blockFloor_[b], static_cast<double>(walkedGain(blockFloorAt_[b])));
        }
    }
    if (everyBallAlways || summedEveryBall_) {
        const auto above = std::count_if(staleHeap_.begin(), staleHeap_.end(), [&](const auto& x) {
            return x.first >= floor && heapBound_[x.second] == x.first;
        });
        if (above > 0 && (everyBallAlways ||
                          static_cast<double>(above) * sumBlockSeconds_ > everyBallSeconds_)) {
            sumEveryBall();
            return !stopped(cancel);
        }
    }
    const double budget = everyBallSeconds_ > 0.0
                              ? everyBallSeconds_
                              : kEveryBallSecondsPerResult * static_cast<double>(f_.count);
    const auto start = std::chrono::steady_clock::now();
    std::size_t done = 0;
    summedEveryBall_ = false;
    SpinLock guard;
    bool stop = false;
    auto work = [&](BlockScratch& scratch) {
        std::unique_lock lock(guard);
        while (!stop && !summedEveryBall_ && !staleHeap_.empty() &&
               staleHeap_.front().first >= floor) {
            if (stopped(cancel)) {
                stop = true;
                return;
            }
            if (secondsSince(start) > budget) {
                summedEveryBall_ = true;
                return;
            }
            const std::optional<std::uint32_t> claimed = claimStale();
            if (!claimed)
                continue;
            const std::uint32_t b = *claimed;
            const double least = floor;
            lock.unlock();
            const bool refreshed = refreshSumBlock(b, scratch, least);
            double raised = blockFloor_[b];
            lock.lock();
            ++done;
            if (!refreshed) {
                listStale(b);
                continue;
            }
            if (raised <= floor)
                continue;
            lock.unlock();
            raised = std::max(raised, static_cast<double>(walkedGain(blockFloorAt_[b])));
            lock.lock();
            floor = std::max(floor, raised);
        }
    };
    // A second thread only where the heap holds a block to bring up to date.
    onTwoThreads(second_, scratch_, staleHeap_.size() > 1 && staleHeap_.front().first >= floor,
                 work);
    if (stop)
        return false;
    if (done > 0)
        sumBlockSeconds_ = secondsSince(start) / static_cast<double>(done);
    if (summedEveryBall_)
        sumEveryBall();
    return true;
}

void AutoformSearch::alwaysSumEveryBall(bool always) {
    everyBallAlways = always;
}

void AutoformSearch::sumEveryBall() {
    // Per ball, first the free results that weigh (whole numbers: exact),
    // which narrow the sums' rounding margins to what is left free; then
    // their weights as the blocks' sums take them. In place, and then every
    // block's bounds.
    const auto start = std::chrono::steady_clock::now();
    const auto blocks = static_cast<std::uint32_t>(blockTopSum_.size());
    const bool two = SecondThread::available();
    auto eachBlock = [&](auto&& each) {
        std::atomic<std::uint32_t> next{0};
        onTwoThreads(second_, scratch_, two, [&](BlockScratch&) {
            for (std::uint32_t from = next.fetch_add(kBlocksPerPoll); from < blocks;
                 from = next.fetch_add(kBlocksPerPoll))
                for (std::uint32_t b = from; b < std::min(blocks, from + kBlocksPerPoll); ++b)
                    each(b, b * lazyBlock_, (b + 1) * lazyBlock_);
        });
    };
    // The counts are formed again once an eighth of the results free at the
    // last ones has been covered: old counts still bound the present ones.
    const auto free = static_cast<std::uint64_t>(std::count(state_.begin(), state_.end(), 0));
    const bool count = freeWhenCounted_ == 0 || 8 * free <= 7 * freeWhenCounted_;
    if (count) {
        freeWhenCounted_ = free;
        eachBlock([&](std::uint32_t, std::uint32_t first, std::uint32_t last) {
            for (std::uint32_t r = first; r < last; ++r)
                freeSum_[r] = state_[r] == 0 && weight_[r] > 0.0f ? 1.0 : 0.0;
        });
        sumOverBalls(f_, misses_, freeSum_.data(), true, two);
    }
    eachBlock([&](std::uint32_t b, std::uint32_t first, std::uint32_t last) {
        const double w = blockWeight_[b];
        for (std::uint32_t r = first; r < last; ++r) {
            if (count)
                freeCount_[r] = static_cast<std::uint32_t>(freeSum_[r]);
            freeSum_[r] = state_[r] == 0 ? w * suffixWeight_[r - first] : 0.0;
        }
    });
    sumOverBalls(f_, misses_, freeSum_.data(), false, two);
    eachBlock([&](std::uint32_t b, std::uint32_t, std::uint32_t) { settleSumBlock(b); });
    // Every block is up to date: the heap's entries are all old.
    std::fill(sumUpToPick_.begin(), sumUpToPick_.end(), static_cast<std::uint32_t>(picks_.size()));
    std::fill(rimKnown_.begin(), rimKnown_.end(), 0);
    staleHeap_.clear();
    std::fill(heapBound_.begin(), heapBound_.end(), kNoCandidate);
    everyBallSeconds_ = secondsSince(start);
}

bool AutoformSearch::refreshSumBlocks(const std::vector<std::uint32_t>& blocks, double below,
                                      const std::atomic<bool>* cancel) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    auto work = [&](BlockScratch& scratch) {
        for (std::size_t i = next++; i < blocks.size(); i = next++) {
            if (stop.load(std::memory_order_relaxed) || stopped(cancel)) {
                stop = true;
                return;
            }
            refreshSumBlock(blocks[i], scratch, below);
        }
    };
    onTwoThreads(second_, scratch_, blocks.size() > 1, work);
    return !stop;
}

std::optional<AutoformSearch::Choice>
AutoformSearch::lazyBestByBlockSums(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    // As lazyBestByBounds, with the blocks' sums brought up to date together.
    if (!refreshLikelySumBlocks(cancel)) {
        cancelled = true;
        return std::nullopt;
    }
    BoundedLeader l;
    const auto full = static_cast<std::uint32_t>(ballSize_);
    const auto blocks = static_cast<std::uint32_t>(blockTopSum_.size());
    auto everyone = [&] { return !l.pending && l.leader.best == 0.0f; };
    auto threshold = [&] { return l.pending ? l.pendingLo : static_cast<double>(l.leader.best); };
    auto weighed = [&](std::uint32_t b) {
        const double top = blockTopSum_[b];
        if (top == kNoCandidate)
            return false;
        if (everyone())
            return true;
        const double hi = upperBound(full, top);
        if (hi < threshold())
            return false;
        if (l.pending && sumStale_[b]) {
            // The pending leader's gain made exact (as it will be before the
            // pass ends) may spare bringing the block up to date.
            l.leader.best = exactGain(*l.leader.chosen);
            l.pending = false;
        }
        return hi >= threshold();
    };
    // Runs of kSuperBlock blocks that no candidate of can reach the
    // threshold are passed over at once: the largest of their old sums bounds
    // every present one.
    superTop_.assign((blocks + kSuperBlock - 1) / kSuperBlock, kNoCandidate);
    for (std::uint32_t b = 0; b < blocks; ++b)
        superTop_[b / kSuperBlock] = std::max(superTop_[b / kSuperBlock], blockTopSum_[b]);
    auto skipped = [&](std::uint32_t b, std::uint32_t end) {
        if (b % kSuperBlock != 0 || b + kSuperBlock > end)
            return false;
        const double top = superTop_[b / kSuperBlock];
        return top == kNoCandidate || (!everyone() && upperBound(full, top) < threshold());
    };
    std::vector<std::uint32_t> ahead, likely;
    for (std::uint32_t from = 0; from < blocks;) {
        // The blocks ahead that the pass may weigh, as the threshold stands
        // (it only rises), brought up to date on two threads: a run of blocks
        // until it holds kRefreshBatch of them.
        ahead.clear();
        std::uint32_t to = from;
        while (to < blocks && to - from < kPassRun && ahead.size() < kRefreshBatch) {
            if (skipped(to, blocks)) {
                to += kSuperBlock;
                continue;
            }
            if (sumStale_[to] && weighed(to))
                ahead.push_back(to);
            ++to;
        }
        if (!refreshSumBlocks(ahead, everyone() ? 0.0 : threshold(), cancel)) {
            cancelled = true;
            return std::nullopt;
        }
        for (; from < to; ++from) {
            if (skipped(from, to)) {
                from += kSuperBlock - 1;
                continue;
            }
            if (!weighed(from) ||
                !refreshSumBlock(from, scratch_[0], everyone() ? 0.0 : threshold()))
                continue;
            const std::uint32_t first = from * lazyBlock_;
            if (!everyone() && SecondThread::available() && !BlockBallCounts::wideExactSums()) {
                // The candidates that will likely need exact sums: those the
                // threshold lets through that do not clearly beat every one
                // before them.
                likely.clear();
                const double least = threshold();
                double before = l.pending ? l.pendingHi : static_cast<double>(l.leader.best);
                for (std::uint32_t j = first; j < first + lazyBlock_; ++j) {
                    if (state_[j] >= kInList || freeCount_[j] == 0)
                        continue;
                    const double hi = upperBound(freeCount_[j], freeSum_[j]);
                    if (hi < least)
                        continue;
                    if (lowerBound(freeCount_[j], freeSum_[j]) <= before)
                        likely.push_back(j);
                    before = std::max(before, hi);
                }
                if (likely.size() >= kExactAhead)
                    formExactAhead(from, likely);
            }
            for (std::uint32_t j = first; j < first + lazyBlock_; ++j) {
                if (state_[j] >= kInList)
                    continue;
                const std::uint32_t n = freeCount_[j];
                if (n == 0) {
                    if (everyone())
                        l.leader.compare(j, 0.0f, rng);
                    continue;
                }
                weighByBounds(l, j, n, freeSum_[j], rng);
            }
        }
    }
    return boundedChoice(l);
}

bool AutoformSearch::switchToIncremental(const std::atomic<bool>* cancel) {
    // Picks whose balls were partly covered already are taken out as the
    // incremental search would have: per result they covered, from the
    // candidates of its ball that had not taken them into account. Only then
    // the picks with free balls, by their overlaps, candidate by candidate.
    const bool sums = bounded();
    bool cancelled = false;
    std::uint32_t taken = 0;
    for (std::uint32_t k = 0; k < picks_.size() && !cancelled; ++k) {
        if (picks_[k].wholeBallFree)
            continue;
        const std::uint32_t by = k + 1;
        forEachBallRange(f_, picks_[k].result, misses_, [&](std::uint32_t a, std::uint32_t b) {
            for (std::uint32_t u = a; u < b && !cancelled; ++u) {
                if (coveredBy_[u] != by || !counts(u))
                    continue;
                if (++taken % 64 == 0)
                    cancelled = stopped(cancel);
                const double w = weight_[u];
                forEachBallRange(f_, u, misses_, [&](std::uint32_t qa, std::uint32_t qb) {
                    for (std::uint32_t q = qa; q < qb; ++q)
                        if (upToPick_[q] <= k) {
                            --freeCount_[q];
                            if (sums)
                                freeSum_[q] -= w;
                        }
                });
            }
        });
    }
    if (cancelled)
        return false;
    const int reach = 2 * misses_;
    for (std::uint32_t j = 0; j < f_.count; ++j) {
        if (j % (kLazyBlock * kBlocksPerPoll) == 0 && stopped(cancel))
            return false;
        const std::uint32_t code = codeOf(j);
        for (std::uint32_t k = upToPick_[j]; k < picks_.size(); ++k) {
            const std::uint32_t x = code ^ picks_[k].code;
            if (!picks_[k].wholeBallFree || differing(x) > reach)
                continue;
            const std::uint32_t differ = (x | x >> 1) & kLevelBits;
            freeCount_[j] -=
                overlap_[bitCount(differ & pairsOfTwo_)][bitCount(differ & pairsOfThree_)];
        }
    }
    strategy_ = AutoformStrategy::Incremental;
    picks_ = {};
    upToPick_ = {};
    coveredBy_ = {};
    blockTopCount_ = {};
    blockTopSum_ = {};
    return true;
}

void AutoformSearch::chooseLazily(std::uint32_t result) {
    if (eagerCounts_) {
        chooseEagerly(result);
        return;
    }
    if (ballCounts_) {
        std::uint64_t newlyCovered = 0;
        const auto by = static_cast<std::uint32_t>(picks_.size() + 1);
        forEachBallRange(f_, result, misses_, [&](std::uint32_t a, std::uint32_t b) {
            for (std::uint32_t r = a; r < b; ++r)
                if (state_[r] == 0) {
                    state_[r] |= kCovered;
                    if (!coveredBy_.empty())
                        coveredBy_[r] = by;
                    ballCounts_->take(r);
                    ++newlyCovered;
                }
        });
        state_[result] |= kChosen;
        picks_.push_back(
            Pick{result, codeOf(result), newlyCovered == ballSize_, false, false, {}, {}});
        return;
    }
    const auto by = static_cast<std::uint32_t>(picks_.size() + 1);
    std::uint64_t newlyCounted = 0;
    forEachBallRange(f_, result, misses_, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t r = a; r < b; ++r)
            if (state_[r] == 0) {
                state_[r] |= kCovered;
                coveredBy_[r] = by;
                newlyCounted += counts(r) ? 1 : 0;
            }
    });
    state_[result] |= kChosen;
    Pick pick{result, codeOf(result), false, false, false, {}, {}};
    pick.wholeBallFree = gains_ == Gains::EqualWeights && newlyCounted == ballSize_;
    // The sums need the weights of the members covered; the counts can do with
    // the members that were not.
    pick.coveredNow = bounded() || 2 * newlyCounted <= ballSize_;
    pick.listed = !pick.wholeBallFree && (!bounded() || 4 * newlyCounted <= ballSize_);
    if (pick.listed) {
        forEachBallRange(f_, result, misses_, [&](std::uint32_t a, std::uint32_t b) {
            for (std::uint32_t r = a; r < b; ++r)
                if ((coveredBy_[r] == by && counts(r)) == pick.coveredNow) {
                    pick.memberCodes.push_back(codeOf(r));
                    if (bounded())
                        pick.memberWeights.push_back(weight_[r]);
                }
        });
    }
    picks_.push_back(std::move(pick));
    switchDue_ = picks_.size() > 1 && lazyWork_ > lastCoverWork_;
    lastCoverWork_ = newlyCounted * ballSize_;
    lazyWork_ = 0;
}

} // namespace kav

namespace kav {

namespace {

// Below this many counts to change a second thread costs more than it saves.
constexpr std::uint64_t kChangesForTwoThreads = 1u << 16;

} // namespace

void AutoformSearch::leaveTies(std::uint32_t j) {
    const std::int32_t key = tieKey(j);
    tieValue_[j] |= kTieOut;
    lowered(j, key, tieDirty_);
}

AutoformSearch::NearTable AutoformSearch::nearTable(int radius) const {
    // The levels changed are chosen in increasing order, each to one of its
    // other digits (slot 2l or 2l + 1 of a center's steps).
    NearTable t;
    std::array<std::uint8_t, kNearRadius> change{};
    const auto none = static_cast<std::uint8_t>(2 * kEvents);
    auto walk = [&](auto& self, int from, int depth, int twos, int threes) -> void {
        for (int i = depth; i < kNearRadius; ++i)
            change[i] = none;
        t.changes.push_back(change);
        t.overlap.push_back(static_cast<std::uint16_t>(overlap_[twos][threes]));
        if (depth == radius)
            return;
        for (int l = from; l < f_.levels; ++l) {
            const bool three = f_.size[f_.levelEvent[l]] == 3;
            for (int k = 0; k < (three ? 2 : 1); ++k) {
                change[depth] = static_cast<std::uint8_t>(2 * l + k);
                self(self, l + 1, depth + 1, twos + (three ? 0 : 1), threes + (three ? 1 : 0));
            }
        }
    };
    walk(walk, 0, 0, 0, 0);
    return t;
}

template <class Visit>
void AutoformSearch::forEachNear(const NearTable& table, std::uint32_t center, Visit&& visit,
                                 std::size_t from, std::size_t to) const {
    // Every result the table reaches from the center, once, in no particular
    // order; visit(result, i) with i the table's entry (those from `from`
    // until `to`).
    std::array<std::uint32_t, 2 * kEvents + 1> step{};
    for (int l = 0; l < f_.levels; ++l) {
        const int e = f_.levelEvent[l];
        const int own = f_.digit(center, e);
        int k = 0;
        for (int d = 0; d < f_.size[e]; ++d)
            if (d != own)
                step[2 * l + k++] = static_cast<std::uint32_t>(d - own) * f_.stride[e];
    }
    to = std::min(to, table.changes.size());
    for (std::size_t i = from; i < to; ++i) {
        const auto& c = table.changes[i];
        std::uint32_t q = center;
        for (int r = 0; r < kNearRadius; ++r)
            q += step[c[r]];
        visit(q, i);
    }
}

bool AutoformSearch::takeOutCoveredEagerly(const std::atomic<bool>* cancel) {
    // Results the list covers leave the counts of the balls that hold them;
    // candidates the pass passes over leave the ties.
    ball_ = nearTable(misses_);
    tieValue_.assign(f_.count, static_cast<std::uint16_t>(ballSize_));
    tieFull_ = method_ == AutoformMethod::Disjoint;
    for (std::uint32_t r = 0; r < f_.count; ++r) {
        if ((r & 0xFFFFu) == 0 && stopped(cancel))
            return false;
        if (state_[r] != 0)
            forEachNear(ball_, r, [&](std::uint32_t q, std::size_t) { --tieValue_[q]; });
    }
    for (std::uint32_t r = 0; r < f_.count; ++r)
        if (tieFull_ ? state_[r] != 0 : state_[r] >= kInList)
            tieValue_[r] |= kTieOut;
    return true;
}

void AutoformSearch::setUpTieBlocks() {
    nearPick_ = nearTable(2 * misses_);
    const std::uint32_t blocks = (f_.count + (1u << kTieShift) - 1) >> kTieShift;
    tieTop_.assign(blocks, -1);
    tieHolders_.assign(blocks, 0);
    tieDirtyFlag_.assign(blocks, 1);
    tieDirty_.resize(blocks);
    for (std::uint32_t b = 0; b < blocks; ++b)
        tieDirty_[b] = b;
    refreshTieBlocks();
}

void AutoformSearch::refreshTieBlocks() {
    for (const std::uint32_t b : tieDirty_) {
        const std::uint32_t first = b << kTieShift;
        const std::uint32_t last = std::min(f_.count, first + (1u << kTieShift));
        std::int32_t top = -1;
        std::uint32_t holders = 0;
        for (std::uint32_t j = first; j < last; ++j) {
            const std::int32_t key = tieKey(j);
            if (key > top) {
                top = key;
                holders = 0;
            }
            holders += key == top ? 1 : 0;
        }
        tieTop_[b] = top;
        tieHolders_[b] = holders;
        tieDirtyFlag_[b] = 0;
    }
    tieDirty_.clear();
}

void AutoformSearch::chooseEagerly(std::uint32_t result) {
    // Covering the ball takes its members out of the disjoint search's ties,
    // then the counts near it fall.
    newlyCovered_.clear();
    coveredBefore_.clear();
    forEachNear(ball_, result, [&](std::uint32_t r, std::size_t) {
        if (state_[r] != 0) {
            coveredBefore_.push_back(r);
            return;
        }
        state_[r] |= kCovered;
        if (tieFull_)
            leaveTies(r);
        newlyCovered_.push_back(r);
    });
    state_[result] |= kChosen;
    leaveTies(result);
    // Either a walk of the ball of every result covered now, or the overlap of
    // each candidate near the pick with its ball, given back for the members
    // that were covered before (a walk of their balls): whichever is fewer.
    const std::uint64_t newly = newlyCovered_.size();
    const std::uint64_t before = coveredBefore_.size();
    const bool byWalks = newly * ballSize_ <= nearPick_.changes.size() + before * ballSize_;
    const std::uint64_t work =
        byWalks ? newly * ballSize_ : nearPick_.changes.size() + before * ballSize_;
    // The changes are listed first, each thread a share, then made by the
    // thread whose half of the field holds them (the blocks' summaries of a
    // half are its own), with the next ones already on their way from memory.
    const bool both = work >= std::min<std::uint64_t>(kChangesForTwoThreads, f_.count / 8) &&
                      SecondThread::available();
    const std::size_t shares = both ? 2 : 1;
    const std::uint32_t half = both ? (f_.count / 2) >> kTieShift << kTieShift : f_.count;
    onTwoThreads(second_, nearShares_, both, [&](NearShare& share) {
        const std::size_t t = static_cast<std::size_t>(&share - nearShares_.data());
        const std::size_t step = shares;
        share.falls.clear();
        share.givenBack.clear();
        share.dirty.clear();
        if (byWalks) {
            for (std::size_t i = t; i < newlyCovered_.size(); i += step)
                forEachNear(ball_, newlyCovered_[i],
                            [&](std::uint32_t q, std::size_t) { share.falls.emplace_back(q, 1); });
            return;
        }
        const std::size_t n = nearPick_.changes.size();
        forEachNear(
            nearPick_, result,
            [&](std::uint32_t q, std::size_t i) {
                share.falls.emplace_back(q, nearPick_.overlap[i]);
            },
            t * n / step, (t + 1) * n / step);
        for (std::size_t i = t; i < coveredBefore_.size(); i += step)
            forEachNear(ball_, coveredBefore_[i],
                        [&](std::uint32_t q, std::size_t) { share.givenBack.push_back(q); });
    });
    onTwoThreads(second_, nearShares_, both, [&](NearShare& share) {
        const bool upper = &share != nearShares_.data();
        auto mine = [&](std::uint32_t q) { return (q >= half) == upper; };
        constexpr std::size_t ahead = 32;
        for (const NearShare& from : std::span(nearShares_.data(), shares))
            for (std::size_t i = 0, n = from.falls.size(); i < n; ++i) {
                if (i + ahead < n)
                    __builtin_prefetch(tieValue_.data() + from.falls[i + ahead].first, 1);
                const auto [q, by] = from.falls[i];
                if (!mine(q))
                    continue;
                const std::int32_t key = tieKey(q);
                tieValue_[q] = static_cast<std::uint16_t>(tieValue_[q] - by);
                // Balls within twice the radius overlap in at least one result.
                lowered(q, key, share.dirty);
            }
        // A count given back may reach its block's largest key again.
        for (const NearShare& from : std::span(nearShares_.data(), shares))
            for (std::size_t i = 0, n = from.givenBack.size(); i < n; ++i) {
                if (i + ahead < n)
                    __builtin_prefetch(tieValue_.data() + from.givenBack[i + ahead], 1);
                const std::uint32_t q = from.givenBack[i];
                if (!mine(q))
                    continue;
                ++tieValue_[q];
                const std::uint32_t b = q >> kTieShift;
                if (const std::int32_t key = tieKey(q); key >= 0 && key == tieTop_[b])
                    ++tieHolders_[b];
            }
    });
    for (const NearShare& share : std::span(nearShares_.data(), shares))
        tieDirty_.insert(tieDirty_.end(), share.dirty.begin(), share.dirty.end());
}

std::optional<AutoformSearch::Choice>
AutoformSearch::bestBySkippingTies(Rng& rng, const std::atomic<bool>* cancel, bool& cancelled) {
    // The literal pass, block by block: a block below the best has no say; a
    // block whose largest key ties the best adds one draw per holder; only a
    // block above the best is weighed candidate by candidate, after the draws
    // of the ties before it (which a greater gain makes moot) are skipped.
    refreshTieBlocks();
    Leader leader;
    std::int32_t bestKey = 0; // the key of leader.best: a gain of 0 ties at first
    std::uint64_t draws = 0;
    pendingTies_.clear();
    const auto blocks = static_cast<std::uint32_t>(tieTop_.size());
    for (std::uint32_t b = 0; b < blocks; ++b) {
        if (b % kBlocksPerPoll == 0 && stopped(cancel)) {
            cancelled = true;
            return std::nullopt;
        }
        const std::int32_t top = tieTop_[b];
        if (top < bestKey)
            continue;
        if (top == bestKey) {
            pendingTies_.push_back(b);
            draws += tieHolders_[b];
            continue;
        }
        rng.setSeed(Rng::seedAfter(rng.seed(), draws));
        draws = 0;
        pendingTies_.clear();
        const std::uint32_t first = b << kTieShift;
        const std::uint32_t last = std::min(f_.count, first + (1u << kTieShift));
        for (std::uint32_t j = first; j < last; ++j)
            if (const std::int32_t key = tieKey(j); key >= 0)
                leader.compare(j, sumOfEqual_[static_cast<std::uint32_t>(key)], rng);
        bestKey = top;
    }
    // The ties left: the last whose draw is above one half leads.
    std::uint32_t seed = Rng::seedAfter(rng.seed(), draws);
    rng.setSeed(seed);
    std::uint64_t k = draws;
    for (; k > 0 && seed <= 0x80000000u; --k)
        seed = Rng::seedBefore(seed);
    if (k == 0)
        return leader.choice();
    std::uint64_t tie = k - 1;
    for (const std::uint32_t b : pendingTies_) {
        if (tie >= tieHolders_[b]) {
            tie -= tieHolders_[b];
            continue;
        }
        for (std::uint32_t j = b << kTieShift;; ++j)
            if (tieKey(j) == bestKey && tie-- == 0) {
                leader.chosen = j;
                leader.best = sumOfEqual_[static_cast<std::uint32_t>(bestKey)];
                return leader.choice();
            }
    }
    return leader.choice();
}

} // namespace kav
