// Free results in the balls of a whole block of candidates at once.
//
// The field splits into blocks of consecutive results that share every level
// but the last few (the suffix, at most 256 results); each block keeps its free
// results as 256 bits. The ball of a candidate takes, from every block within
// the radius of its own block (at prefix distance k), the free results within
// the radius left (misses - k) of its suffix. So the counts of all the
// candidates of a block come from adding up, per radius left, the free bits of
// those blocks (a few thousand 256-bit rows, added bit-sliced), then spreading
// each sum over the suffix results within that radius. Sums of weights that
// are a block's weight times a suffix's weight come the same way, the rows
// weighted by their blocks.
#pragma once

#include "core/forming/autoform_field.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kav {

class BlockBallCounts {
public:
    BlockBallCounts(const FieldLayout& f, int misses);

    static constexpr std::size_t kRowWords = 4; // 64-bit words of a block's bits
    static constexpr std::uint32_t kMaxBlock = 256;

    // The widest instructions the additions of rows may use where the
    // processor has them (the tests compare every way).
    enum class Instructions { Plain, Avx2, Avx512, Widest = Avx512 };
    static void limitInstructions(Instructions widest);

    std::uint32_t blockSize() const { return blockSize_; }
    std::uint32_t blocks() const { return blocks_; }
    // Levels of the field that tell the blocks apart (the first ones).
    int prefixLevels() const { return prefixLevels_; }

    // Scratch of the counts: one per thread that counts.
    struct Rows {
        std::array<std::vector<const std::uint64_t*>, kEvents + 1> free; // by radius left
        std::vector<const std::uint64_t*> near;                          // rows of nearBits_
        std::vector<float> weight;                                       // of the rows being added
        std::vector<const std::uint64_t*> partial; // rows neither wholly free nor covered
        std::vector<std::pair<std::uint32_t, std::uint8_t>> inOrder; // blocks, radius left
    };

    // Every result is free whose state is 0.
    void reset(const std::vector<std::uint8_t>& state);
    // Result r, free until now, is free no longer.
    void take(std::uint32_t r);
    // counts[c] = the free results within `misses` of result block * blockSize() + c.
    void count(std::uint32_t block, std::uint32_t* counts, Rows& rows) const;
    // sums[c] = the sum, over the free results r within `misses` of result
    // block * blockSize() + c, of blockWeight[r / blockSize()] x
    // suffixWeight[r % blockSize()]; off from that sum taken exactly by at most
    // kSumRelError of it (the weights are positive).
    static constexpr double kSumRelError = 80 * 0x1p-24;
    void sumWeights(std::uint32_t block, const float* blockWeight, const double* suffixWeight,
                    double* sums, Rows& rows) const;
    // sumWeights in two parts. The blocks at the rim of the balls (at a prefix
    // distance of `misses`: no radius left) reach only a candidate's own
    // suffix, and at most categories they are most of the rows while they
    // hold a small part of a ball: inside[c] = sums[c] without them, and
    // rim[c] = the rest. Each part lies within
    // kSumRelError of its exact sum, as sums do.
    void sumWeightsInside(std::uint32_t block, const float* blockWeight, const double* suffixWeight,
                          double* inside, Rows& rows) const;
    void sumRim(std::uint32_t block, const float* blockWeight, const double* suffixWeight,
                double* rim, Rows& rows) const;
    // exact[c] = the 32-bit sum of weight[r] over the free results r within
    // `misses` of result block * blockSize() + c, taken in field order and
    // rounded after each addition, as a plain loop over the ball forms it.
    void exactSums(std::uint32_t block, const float* weight, float* exact, Rows& rows) const;
    // Whether exactSums has the processor's 512-bit instructions (else it adds
    // one lane at a time).
    static bool wideExactSums();
    // The blocks within `misses` of a block, as a walk visits them: how many
    // count() sums, and how many of them a walk of the overlap with the ball
    // of a result at a prefix distance of a events of two outcomes and b of
    // three visits (overlapBlocks()[a][b]).
    std::uint64_t ballBlocks() const { return overlapBlocks_[0][0]; }
    const BallOverlaps& overlapBlocks() const { return overlapBlocks_; }
    // The same for the additions of sumInOverlap where it takes every result.
    const BallOverlaps& overlapAdditions() const { return overlapAdditions_; }
    // counts[c] = the results within `misses` of both result block * blockSize()
    // + c and result p for which taken(r) holds.
    template <class Taken>
    void countInOverlap(std::uint32_t block, std::uint32_t p, Taken&& taken, std::uint32_t* counts,
                        Rows& rows) const;
    // sums[c] += the sum of blockWeight x suffixWeight (as in sumWeights) over
    // the same results, each rounded to 32 bits and added in double.
    template <class Taken>
    void sumInOverlap(std::uint32_t block, std::uint32_t p, Taken&& taken, const float* blockWeight,
                      const double* suffixWeight, double* sums, Rows& rows) const;

private:
    // The values of some prefix levels, each with every value by distance from
    // it, and how many lie within each radius.
    struct Near {
        struct Entry {
            std::uint16_t value;
            std::uint8_t distance;
        };
        int levels = 0;
        std::uint32_t values = 1;
        std::vector<Entry> entries; // values x values
        std::array<std::uint32_t, kEvents + 1> within{};
    };
    Near nearValues(int from, int to) const;
    // rows.free: the free bits of the blocks within `misses`, by radius left.
    // (Only those of radius left fromRadius to toRadius, where given.)
    void listRows(std::uint32_t block, Rows& rows, int fromRadius = 0,
                  int toRadius = kEvents) const;
    void sumNearRows(const Rows& rows, std::uint32_t* counts) const;
    void addNearRows(const Rows& rows, double* sums) const; // rows.weight's
    // into[s] += suffixWeight[s] x the weight of suffix s free in the rows
    // listed with this radius left.
    void addWeightedRadius(int radius, const float* blockWeight, const double* suffixWeight,
                           double* into, Rows& rows) const;
    // visit(block, suffix s, the 256 bits of the candidates near s) for each
    // result block * blockSize() + s of the overlap that countInOverlap takes.
    template <class Visit>
    void forEachInOverlap(std::uint32_t block, std::uint32_t p, Visit&& visit) const;
    // sums[c] = the sum over suffix results s of weighted[distance(c, s)][s]
    // (weighted is used up).
    template <class T>
    void spread(std::array<std::array<T, kMaxBlock>, kEvents + 1>& weighted, T* sums) const;

    const FieldLayout& f_;
    int misses_;
    int prefixLevels_ = 0;
    int suffixLevels_ = 0;
    std::uint32_t blockSize_ = 1;
    std::uint32_t blocks_ = 1;
    int radii_ = 1;                      // nearBits_ has radii 0 .. radii_ - 1
    std::vector<std::uint8_t> distance_; // between two suffix results
    // Per suffix result, every suffix result by distance from it, and how many
    // lie within each radius up to the suffix's levels.
    std::vector<std::uint8_t> byDistance_;
    std::array<std::uint32_t, kEvents + 1> withinRadius_{};
    // The blocks a count adds per radius left, the same for every block.
    std::array<std::uint32_t, kEvents + 1> rowsPerRadius_{};
    // Per block, bit c set while suffix result c is free.
    std::vector<std::uint64_t> freeBits_;
    std::array<std::uint64_t, kRowWords> fullRow_{}; // a block's bits while all are free
    Near high_, low_;                                // the first and the last prefix levels
    // Per radius and suffix result s, 256 bits: those within the radius of s.
    std::vector<std::uint64_t> nearBits_;
    BallOverlaps overlapBlocks_{}, overlapAdditions_{};
    // The suffix's levels: index step and digits.
    struct SuffixLevel {
        std::uint32_t stride;
        std::uint32_t size;
    };
    std::vector<SuffixLevel> suffixLevelSteps_;
};

template <class Visit>
void BlockBallCounts::forEachInOverlap(std::uint32_t block, std::uint32_t p, Visit&& visit) const {
    std::array<std::uint8_t, kEvents> ownB{}, ownP{};
    std::array<std::uint32_t, kEvents> step{};
    std::array<int, kEvents + 1> differAfter{};
    const std::uint32_t first = block * blockSize_;
    for (int l = 0; l < prefixLevels_; ++l) {
        const int e = f_.levelEvent[l];
        ownB[l] = static_cast<std::uint8_t>(f_.digit(first, e));
        ownP[l] = static_cast<std::uint8_t>(f_.digit(p, e));
        step[l] = f_.stride[e] / blockSize_;
    }
    for (int l = prefixLevels_ - 1; l >= 0; --l)
        differAfter[l] = differAfter[l + 1] + (ownB[l] != ownP[l] ? 1 : 0);
    const std::uint8_t* nearP =
        byDistance_.data() + static_cast<std::size_t>(p % blockSize_) * blockSize_;
    auto walk = [&](auto& self, int level, std::uint32_t base, int leftB, int leftP) -> void {
        if (leftB < 0 || leftP < 0 || differAfter[level] > leftB + leftP)
            return;
        if (level == prefixLevels_) {
            const int radius = std::min(leftB, radii_ - 1);
            const std::uint32_t within = withinRadius_[std::min(leftP, suffixLevels_)];
            for (std::uint32_t i = 0; i < within; ++i) {
                const std::uint32_t s = nearP[i];
                visit(base, s,
                      nearBits_.data() +
                          (static_cast<std::size_t>(radius) * blockSize_ + s) * kRowWords);
            }
            return;
        }
        const int e = f_.levelEvent[level];
        for (int d = 0; d < f_.size[e]; ++d)
            self(self, level + 1, base + d * step[level], leftB - (d != ownB[level] ? 1 : 0),
                 leftP - (d != ownP[level] ? 1 : 0));
    };
    walk(walk, 0, 0, misses_, misses_);
}

template <class Taken>
void BlockBallCounts::countInOverlap(std::uint32_t block, std::uint32_t p, Taken&& taken,
                                     std::uint32_t* counts, Rows& rows) const {
    rows.near.clear();
    forEachInOverlap(block, p, [&](std::uint32_t base, std::uint32_t s, const std::uint64_t* near) {
        if (taken(base * blockSize_ + s))
            rows.near.push_back(near);
    });
    sumNearRows(rows, counts);
}

template <class Taken>
void BlockBallCounts::sumInOverlap(std::uint32_t block, std::uint32_t p, Taken&& taken,
                                   const float* blockWeight, const double* suffixWeight,
                                   double* sums, Rows& rows) const {
    rows.near.clear();
    rows.weight.clear();
    forEachInOverlap(block, p, [&](std::uint32_t base, std::uint32_t s, const std::uint64_t* near) {
        if (taken(base * blockSize_ + s)) {
            rows.near.push_back(near);
            rows.weight.push_back(static_cast<float>(blockWeight[base] * suffixWeight[s]));
        }
    });
    addNearRows(rows, sums);
}

} // namespace kav
