// The search steps of auto-forming over a prepared field. One pass per step
// replays the documented choice (first greatest gain in field order, a fresh
// draw on every tie) with the 32-bit sums the plain double loop would form.
// Two ways to know the gains give the same choices:
// - Lazy (the one auto-forming uses): a candidate's gain is brought up to date
//   only when the pass needs it. A gain only falls as results get covered, so
//   an old gain bounds the present one; the candidates of a block of the field
//   are passed over together while the block's largest bound stays below the
//   best gain of the pass. Bringing a gain up to date takes, per bet chosen
//   since, nothing when the bet is farther than twice the radius, the size of
//   the balls' overlap when the bet's whole ball was free, else a test of the
//   bet's listed members or a walk of the overlap. This pays while the chosen
//   balls are (nearly) free; once bringing gains up to date costs more than
//   covering would, every gain is brought up to date and the search goes on
//   incrementally.
//   With equal weights the blocks are those of BlockBallCounts: a block's
//   counts are brought up to date together, by the overlap table for free
//   balls, by the members each later pick covered in the overlaps, or by
//   counting the block afresh, whichever costs least. Those counts never fall
//   behind, so there is no switch. On balls of up to two misses every count
//   is kept up to date on each pick instead, and a pass skips runs of tied
//   candidates by moving the generator on (see eagerCounts_).
//   Sums of weights that are products of per-event factors are kept on the
//   same blocks: a block near a later pick has its sums formed afresh
//   (BlockBallCounts::sumWeights). Before each pass the blocks whose old sums
//   may beat the best sum known to be reached are brought up to date, highest
//   bound first, on two threads; the pass itself brings up to date, a run of
//   blocks ahead, those its threshold so far still lets through. Where more
//   blocks than that costs may beat the best, every ball's sum (and free
//   count) is formed at once instead, by a transform along the levels
//   (sumOverBalls). No switch either.
// - Incremental (also the reference the lazy one is compared with): every
//   candidate's gain is kept up to date on every covered result, one ball walk
//   per result.
#pragma once

#include "core/base/second_thread.h"
#include "core/forming/autoform.h"
#include "core/forming/autoform_field.h"
#include "core/forming/block_ball_counts.h"

#include <array>
#include <atomic>
#include <cmath>
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

// Lazy brings counts and sums of products up to date block by block;
// LazyByCandidate candidate by candidate (a second exact way, which the tests
// compare; Lazy falls back on it for sums that are no products).
enum class AutoformStrategy { Lazy, LazyByCandidate, Incremental };

class AutoformSearch {
public:
    // The bounds' margin above their rounding.
    static constexpr double kBoundSlack = 0x1p-40;

    // `weight` and `state` are the field's, in field order; they must outlive
    // the search. `factors` and `divisor` tell how the weights were formed
    // (methods 1 and 2): product of the factors, divided by `divisor`.
    AutoformSearch(const FieldLayout& f, int misses, AutoformMethod method,
                   const std::vector<float>& weight, std::vector<std::uint8_t>& state,
                   const WeightFactors& factors, float divisor,
                   AutoformStrategy strategy = AutoformStrategy::Lazy);

    std::uint64_t ballSize() const { return ballSize_; }

    // Tests: whenever sums of blocks are stale, every ball's sum is formed at
    // once, however few blocks a pass would need.
    static void alwaysSumEveryBall(bool always);

    // `estimateStepTime`: the seconds of this search's first step (which also
    // sets up the gains), whole. It counts the ball walks of the set-up and of
    // one step, at the pace of walks sampled for about `sampleSeconds`; where
    // equal weights are counted block by block, a step costs at most a count
    // of every block, at the pace of counts sampled as long.
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
    // The leading candidate of a pass, compared the literal way on a gain known
    // exactly: a greater gain leads, a tie takes a fresh draw.
    struct Leader {
        float best = 0.0f;
        std::optional<std::uint32_t> chosen;

        void compare(std::uint32_t j, float g, Rng& rng) {
            if (g > best) {
                best = g;
                chosen = j;
            } else if (g == best && rng.real() > 0.5) {
                chosen = j;
            }
        }
        std::optional<Choice> choice() const {
            if (!chosen)
                return std::nullopt;
            return Choice{*chosen, best};
        }
    };

    // The leader of a pass that weighs candidates by bounds on their sums: one
    // that clearly beats the best stays pending (bounds only) until a later
    // one comes close to it.
    struct BoundedLeader {
        Leader leader;
        bool pending = false;
        double pendingLo = 0.0, pendingHi = 0.0;
    };
    // Weighs candidate j, with n > 0 free results of double sum `sum`; the
    // exact sum is formed only when the bounds cannot decide.
    void weighByBounds(BoundedLeader& l, std::uint32_t j, std::uint32_t n, double sum,
                       Rng& rng) const;
    // The pass's choice, a pending leader's gain made exact.
    std::optional<Choice> boundedChoice(BoundedLeader& l) const;

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
    double secondsPerBlockCount(BlockBallCounts& counts, double sampleSeconds) const;
    // The sums from the factors: of the ball of the result with these digits,
    // and how many candidates lie too near the largest for bounds to decide.
    double productSum(const std::array<std::uint8_t, kEvents>& digit) const;
    double nearTopCandidates() const;
    // How far the products' sums may lie from the exact ones, relatively.
    double sumRelErrorOfBlockSums() const;
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
    // The exact sums of block b's candidates that a pass will likely need,
    // formed ahead on two threads for exactGain to find.
    void formExactAhead(std::uint32_t b, const std::vector<std::uint32_t>& likely);
    float walkedGain(std::uint32_t j) const; // by one walk of the ball; any thread
    bool sumBallsByProducts(const std::atomic<bool>* cancel);
    bool sumBallsByWalking(const std::atomic<bool>* cancel);
    bool takeOutCovered(const std::atomic<bool>* cancel);
    void cover(std::uint32_t r);

    // The lazy strategy.
    std::uint32_t newlyCovered(std::uint32_t j, std::uint32_t code, std::uint32_t pick,
                               double& sum);
    bool lazy() const {
        return strategy_ != AutoformStrategy::Incremental && gains_ != Gains::SummedOnly;
    }
    void setUpLazy();
    std::uint32_t codeOf(std::uint32_t r) const {
        return codeHigh_[r / codeSplit_] | codeLow_[r % codeSplit_];
    }
    // Brings candidate j's count (and sum) up to date pick by pick; stops early
    // once `below` says the candidate can no longer matter to the pass.
    template <class Below> void refresh(std::uint32_t j, Below&& below);
    // Equal weights: brings the counts of a block of candidates up to date,
    // with one thread's scratch.
    struct BlockScratch {
        std::vector<std::uint32_t> nearPicks, counts;
        std::vector<double> sums, rim;
        BlockBallCounts::Rows rows;
    };
    void refreshBlock(std::uint32_t b, BlockScratch& scratch);
    // Before a pass: the blocks whose counts the pass will likely need, brought
    // up to date on two threads. False when cancelled.
    bool refreshLikelyBlocks(const std::atomic<bool>* cancel);
    // Every ball's free count at once, exactly (see sumOverBalls).
    void countEveryBall();
    // Sums block by block (see blockSums_): the block's sums brought up to date
    // when a pick since came near it; whether a pick did.
    bool blockWise() const { return ballCounts_.has_value(); }
    void setUpBlockWeights();
    void markStaleSumBlocks();
    // The heap of stale blocks: block b entered by its bound; the block of the
    // highest entry taken out and claimed, or nothing where that entry was old
    // (or the block's bound fell since, and it went in again by the new one).
    void listStale(std::uint32_t b);
    std::optional<std::uint32_t> claimStale();
    // Brings block b's sums up to date. Where the rim's part of its old sums
    // is known, the sums inside the rim are formed first: if with that part
    // (which only fell since) no candidate's bound reaches `below`, the block
    // stays stale, its bound lowered, and false is returned.
    bool refreshSumBlock(std::uint32_t b, BlockScratch& scratch, double below = 0.0);
    // The block's sums less what the picks since took, where that costs less
    // than forming them afresh; whether it did.
    bool takeFromSumBlock(std::uint32_t b, BlockScratch& scratch);
    static constexpr std::uint32_t kMostPicksTakenFromSums = 16;
    static constexpr std::uint64_t kAdditionsPerBlockAdded = 16; // about as long
    static constexpr std::size_t kExactAhead = 4; // likely exact sums worth two threads
    // The block's bounds from its sums, which are up to date.
    void settleSumBlock(std::uint32_t b);
    // Every candidate's sum formed afresh at once (sumOverBalls).
    void sumEveryBall();
    bool refreshLikelySumBlocks(const std::atomic<bool>* cancel);
    bool refreshSumBlocks(const std::vector<std::uint32_t>& blocks, double below,
                          const std::atomic<bool>* cancel);
    std::optional<Choice> lazyBestByBlockSums(Rng& rng, const std::atomic<bool>* cancel,
                                              bool& cancelled);
    static double gammaOf(std::uint32_t n);
    double upperBound(std::uint32_t n, double sum) const {
        // A block's bound takes the whole ball's count: that gamma is kept.
        const double gamma = n == ballSize_ ? gammaOfBall_ : gammaOf(n);
        return (sum + sumError_) * (1.0 + gamma) * (1.0 + kBoundSlack);
    }
    double lowerBound(std::uint32_t n, double sum) const;
    std::int64_t blockCount(std::size_t b) const;
    double blockSum(std::size_t b) const;
    std::optional<Choice> lazyBestByFreeCount(Rng& rng, const std::atomic<bool>* cancel,
                                              bool& cancelled);
    std::optional<Choice> lazyBestByBounds(Rng& rng, const std::atomic<bool>* cancel,
                                           bool& cancelled);
    void chooseLazily(std::uint32_t result);

    // Equal weights on small balls: every count kept up to date as bets are
    // chosen, and the pass skips runs of tied candidates (see tieTop_).
    std::int32_t tieKey(std::uint32_t j) const {
        const std::uint32_t v = tieValue_[j];
        return v >= kTieOut || (tieFull_ && v != ballSize_) ? -1 : static_cast<std::int32_t>(v);
    }
    // Keys only fall: one that was its block's largest leaves the holders; a
    // block left without is listed in `dirty`, to be looked at again.
    void lowered(std::uint32_t j, std::int32_t oldKey, std::vector<std::uint32_t>& dirty) {
        const std::uint32_t b = j >> kTieShift;
        if (oldKey < 0 || oldKey != tieTop_[b])
            return;
        if (--tieHolders_[b] == 0 && !tieDirtyFlag_[b]) {
            tieDirtyFlag_[b] = 1;
            dirty.push_back(b);
        }
    }
    void leaveTies(std::uint32_t j);
    bool takeOutCoveredEagerly(const std::atomic<bool>* cancel);
    // The results within a radius of any center, as the levels they change
    // and the digits they change to (slots of the center's steps); per entry
    // the overlap of the balls of the center and of that result.
    static constexpr int kNearRadius = 4;
    struct NearTable {
        std::vector<std::array<std::uint8_t, kNearRadius>> changes;
        std::vector<std::uint16_t> overlap;
    };
    NearTable nearTable(int radius) const;
    template <class Visit>
    void forEachNear(const NearTable& table, std::uint32_t center, Visit&& visit,
                     std::size_t from = 0, std::size_t to = SIZE_MAX) const;
    void setUpTieBlocks();
    void refreshTieBlocks();
    void chooseEagerly(std::uint32_t result);
    std::optional<Choice> bestBySkippingTies(Rng& rng, const std::atomic<bool>* cancel,
                                             bool& cancelled);
    bool switchToIncremental(const std::atomic<bool>* cancel); // false when cancelled

    const FieldLayout& f_;
    int misses_;
    AutoformMethod method_;
    const std::vector<float>& weight_;
    std::vector<std::uint8_t>& state_;
    WeightFactors factors_;
    float divisor_;
    std::uint64_t ballSize_;
    double gammaOfBall_;
    BallInOrder ballInOrder_; // for the exact sums
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

    AutoformStrategy strategy_;
    // Lazy: the bets chosen so far, with each result's digits packed two bits
    // per level; whether every member of the bet's ball was free and counted
    // when it was chosen.
    // For a pick whose ball was partly covered already, its members of one
    // kind (whichever is fewer): those it covered (`coveredNow`, with their
    // weights for the sums) or the others.
    struct Pick {
        std::uint32_t result;
        std::uint32_t code;
        bool wholeBallFree;
        bool coveredNow;
        bool listed;
        std::vector<std::uint32_t> memberCodes;
        std::vector<float> memberWeights;
    };
    std::vector<Pick> picks_;
    // The work of bringing gains up to date since the last pick (a test of a
    // listed member 1, a result walked kWalkCost), against the ball walks the
    // incremental search spent on covering that pick: once the lazy search
    // costs more, the search goes on incrementally.
    std::uint64_t lazyWork_ = 0;
    std::uint64_t lastCoverWork_ = 0;
    bool switchDue_ = false;
    // Per candidate, how many picks its count and sum take into account; per
    // result, the pick (1, 2, ...) that covered it, 0 for none or the list.
    std::vector<std::uint32_t> upToPick_;
    std::vector<std::uint32_t> coveredBy_;
    // Per block of kLazyBlock candidates the largest count (or sum) of its
    // candidates still in the running, which bounds their gains; -1 for none.
    std::uint32_t lazyBlock_ = 1;
    std::vector<std::int32_t> blockTopCount_;
    std::vector<double> blockTopSum_;
    // Equal weights: the blocks are those of the free counts kept per block of
    // the field, and a block's counts are brought up to date together: per
    // block, how many picks they take into account.
    std::optional<BlockBallCounts> ballCounts_;
    std::vector<std::uint32_t> blockUpToPick_;
    std::uint32_t prefixMask_ = 0; // the code's bits of the levels that tell blocks apart
    std::array<BlockScratch, 2> scratch_;
    SecondThread second_; // kept for the many short splits of the passes
    // Sums block by block (bounded sums of positive products, lazy): a
    // result's weight is the product of its block's weight and its suffix's
    // (which takes the events of one outcome and the divisor too); per block,
    // the largest lower bound of its candidates' gains, while its sums are up
    // to date.
    bool blockSums_ = false;
    std::vector<float> blockWeight_;
    std::vector<double> suffixWeight_;
    std::vector<double> blockFloor_;
    std::vector<std::uint32_t> blockFloorAt_; // the candidate of that bound
    // Per block, whether a pick came near since its sums were formed; the
    // picks that have marked the blocks near them.
    std::vector<std::uint8_t> sumStale_;
    std::vector<std::uint32_t> sumUpToPick_; // the picks a block's sums take into account
    // Per candidate, the part of its sum from the rim of its ball (see
    // BlockBallCounts::sumWeightsInside) as a share of the sum in 65,535ths,
    // rounded up; per block, whether its candidates' shares are known (not
    // after every ball's sum at once).
    std::vector<std::uint16_t> rimShare_;
    std::vector<std::uint8_t> rimKnown_;
    static constexpr double kWholeShare = 65535.0;
    static double rimPart(std::uint16_t share, double sum) {
        return sum * (static_cast<double>(share) / kWholeShare) * (1.0 + 0x1p-32);
    }
    static std::uint16_t rimShare(double rim, double sum) {
        return sum > 0.0 ? static_cast<std::uint16_t>(
                               std::min(kWholeShare, std::ceil(rim / sum * kWholeShare)))
                         : static_cast<std::uint16_t>(kWholeShare);
    }
    // The stale blocks by the bound of their old sums, a heap; per block the
    // bound of its entry (older entries of a block are passed over).
    std::vector<std::pair<double, std::uint32_t>> staleHeap_;
    std::vector<double> heapBound_;
    std::vector<double> superTop_; // a pass's largest old sum of each run of blocks
    std::size_t staleMarkedUpTo_ = 0;
    // Every ball's sum at once costs a few thousand blocks' sums: the seconds
    // it took last (0 before it ran), those of one block brought up to date
    // by a pass before, and whether the last pass needed it.
    static constexpr double kEveryBallSecondsPerResult = 50e-9; // before it ran, on two cores
    double everyBallSeconds_ = 0.0;
    double sumBlockSeconds_ = 0.0;
    bool summedEveryBall_ = false;
    std::uint64_t freeWhenCounted_ = 0; // free results when last counted so, 0 before
    // Equal weights: the same for counting every ball at once (its scratch
    // kept), against a block's count brought up to date before a pass.
    std::vector<double> everyCount_;
    double countEveryBallSeconds_ = 0.0;
    double countBlockSeconds_ = 0.0;
    // Exact sums of a whole block at once, once a pass has formed enough of
    // them one by one in that block (where that pays): per block, how many it
    // formed and in which pass (picks_.size() + 1); the block whose exact sums
    // are at hand, and for which pass.
    bool exactBlocks_ = false;
    mutable std::vector<std::uint8_t> exactCalls_;
    mutable std::vector<std::uint32_t> exactCallsIn_;
    mutable std::uint32_t exactBlock_ = 0, exactBlockIn_ = 0;
    mutable std::vector<float> exactOfBlock_;
    mutable BlockBallCounts::Rows exactRows_;
    // formExactAhead's sums, their block and pass.
    std::uint32_t aheadBlock_ = 0, aheadIn_ = 0;
    std::vector<float> aheadGain_;
    std::vector<std::uint8_t> aheadHas_;
    // The counts of the last two bets chosen, which tell the next pass's best.
    std::int64_t lastBest_ = -1, lastDrop_ = 0;
    // Equal weights on balls so small that covering a pick's ball and taking
    // it from every count near it costs less than a pass: the counts are kept
    // up to date on every pick. A candidate's key is the count its pass
    // compares (-1: none); per block of 2^kTieShift candidates, the largest key
    // and how many candidates hold it, found again for the blocks listed in
    // tieDirty_ (those whose last holder fell). A pass then learns from a
    // block alone whether its candidates tie the best so far, and a run of
    // ties only moves the generator on until the last draw is read.
    // Per candidate its count, with kTieOut set once the pass passes over it
    // (the disjoint search's key is then the full count or nothing).
    bool eagerCounts_ = false;
    static constexpr std::uint32_t kTieOut = 0x8000;
    static constexpr std::uint32_t kTieShift = 8; // blocks of 256 candidates
    std::vector<std::uint16_t> tieValue_;
    bool tieFull_ = false;
    NearTable ball_, nearPick_; // within the radius and twice the radius
    std::vector<std::int32_t> tieTop_;
    std::vector<std::uint32_t> tieHolders_;
    std::vector<std::uint32_t> tieDirty_;
    std::vector<std::uint8_t> tieDirtyFlag_;
    std::vector<std::uint32_t> newlyCovered_, coveredBefore_, pendingTies_;
    // One thread's share of the counts a pick changes.
    struct NearShare {
        std::vector<std::pair<std::uint32_t, std::uint16_t>> falls;
        std::vector<std::uint32_t> givenBack;
        std::vector<std::uint32_t> dirty;
    };
    std::array<NearShare, 2> nearShares_;
    // Packed digits: high levels by r / codeSplit_, low levels by r % codeSplit_.
    std::uint32_t codeSplit_ = 1;
    std::vector<std::uint32_t> codeHigh_, codeLow_;
    std::uint32_t pairsOfTwo_ = 0, pairsOfThree_ = 0; // the code's bit 0 of each level, by size
    // overlap_[a][b]: results within the radius of two results that differ in
    // a events of two outcomes and b of three.
    BallOverlaps overlap_{};
};

// Auto-forming with the incremental search instead of the lazy one: the
// reference the lazy search is compared with and measured against.
AutoformResult autoFormIncremental(const DrawModel& m, const Lines& betList,
                                   const AutoformSettings& s, Rng& rng,
                                   const AutoformHooks& hooks = {});
// Auto-forming with the given search.
AutoformResult autoFormWith(AutoformStrategy strategy, const DrawModel& m, const Lines& betList,
                            const AutoformSettings& s, Rng& rng, const AutoformHooks& hooks = {});

} // namespace kav
