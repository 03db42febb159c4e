// Free counts of whole blocks of balls against walking every ball, on fields of
// three- and two-outcome events, as results are taken one by one.
#include "core/draw/selection_text.h"
#include "core/forming/autoform_field.h"
#include "core/forming/ball_sum_transform.h"
#include "core/forming/block_ball_counts.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

using namespace kav;

namespace {

DrawModel fieldOf(int threes, int twos) {
    DrawModel m;
    m.drawCountry = kRussia;
    applyDefaultDraw(m);
    std::string sel;
    for (int e = 0; e < kEvents; ++e) {
        sel += e ? "," : "";
        // The narrow events sit among the wide ones, not only at the end.
        sel += e % 2 == 0 && e / 2 < twos ? "1X" : e < threes + twos ? "1X2" : "2";
    }
    m.selection = *parseSelectionText(sel);
    return m;
}

std::uint32_t walkedCount(const FieldLayout& f, std::uint32_t j, int misses,
                          const std::vector<std::uint8_t>& state) {
    std::uint32_t n = 0;
    forEachBallRange(f, j, misses, [&](std::uint32_t a, std::uint32_t b) {
        for (std::uint32_t r = a; r < b; ++r)
            n += state[r] == 0 ? 1 : 0;
    });
    return n;
}

} // namespace

TEST(BlockBallCounts, CountsAndWeightedSumsMatchWalkingEveryBallAsResultsAreTaken) {
    using Instructions = BlockBallCounts::Instructions;
    for (const Instructions widest :
         {Instructions::Avx512, Instructions::Avx2, Instructions::Plain}) {
        BlockBallCounts::limitInstructions(widest);
        std::mt19937 gen(7);
        struct Shape {
            int threes, twos, maxMisses;
        };
        for (const Shape shape :
             {Shape{8, 0, 6}, Shape{5, 4, 6}, Shape{0, 10, 6}, Shape{3, 0, 6}, Shape{0, 0, 6},
              // Enough blocks per radius for the sixteen- and 32-row additions.
              Shape{11, 0, 4}}) {
            const auto f = fieldLayout(fieldOf(shape.threes, shape.twos));
            ASSERT_TRUE(f);
            for (int misses = 0; misses <= shape.maxMisses; ++misses) {
                const std::string label = std::string(widest == Instructions::Avx512 ? "avx512 "
                                                      : widest == Instructions::Avx2 ? "avx2 "
                                                                                     : "plain ") +
                                          std::to_string(shape.threes) + "+" +
                                          std::to_string(shape.twos) + " misses " +
                                          std::to_string(misses);
                BlockBallCounts counts(*f, misses);
                ASSERT_EQ(counts.blocks() * counts.blockSize(), f->count) << label;
                ASSERT_LE(counts.blockSize(), 256u) << label;
                std::vector<std::uint8_t> state(f->count, 0);
                for (std::uint32_t r = 0; r < f->count; ++r)
                    state[r] = gen() % 5 == 0 ? 1 : 0;
                counts.reset(state);
                std::vector<std::uint32_t> got(counts.blockSize());
                BlockBallCounts::Rows rows;
                // Weights a thousand times apart, as a draw's products are.
                std::uniform_real_distribution<double> spread(-3.0, 0.0);
                std::vector<float> blockWeight(counts.blocks());
                for (float& w : blockWeight)
                    w = static_cast<float>(std::pow(10.0, spread(gen)));
                std::vector<double> suffixWeight(counts.blockSize());
                for (double& w : suffixWeight)
                    w = std::pow(10.0, spread(gen));
                std::vector<double> sums(counts.blockSize()), inside(sums), rim(sums);
                std::vector<float> weight(f->count), exact(counts.blockSize());
                for (float& w : weight)
                    w = static_cast<float>(std::pow(10.0, spread(gen)));
                for (int round = 0; round < 4; ++round) {
                    for (int i = 0; i < 40; ++i) {
                        const auto r = static_cast<std::uint32_t>(gen() % f->count);
                        if (state[r] == 0) {
                            state[r] = 1;
                            counts.take(r);
                        }
                    }
                    for (int i = 0; i < 3; ++i) {
                        const auto b = static_cast<std::uint32_t>(gen() % counts.blocks());
                        counts.count(b, got.data(), rows);
                        for (std::uint32_t c = 0; c < counts.blockSize(); ++c) {
                            const std::uint32_t j = b * counts.blockSize() + c;
                            ASSERT_EQ(got[c], walkedCount(*f, j, misses, state))
                                << label << " result " << j;
                        }
                        // The sums, and the same in two parts: inside the
                        // rim, and the rim (the blocks at a prefix distance
                        // of `misses`).
                        counts.sumWeights(b, blockWeight.data(), suffixWeight.data(), sums.data(),
                                          rows);
                        counts.sumWeightsInside(b, blockWeight.data(), suffixWeight.data(),
                                                inside.data(), rows);
                        counts.sumRim(b, blockWeight.data(), suffixWeight.data(), rim.data(), rows);
                        for (std::uint32_t c = 0; c < counts.blockSize(); ++c) {
                            const std::uint32_t j = b * counts.blockSize() + c;
                            long double want = 0.0L, wantRim = 0.0L;
                            forEachBallRange(*f, j, misses, [&](std::uint32_t x, std::uint32_t y) {
                                for (std::uint32_t r = x; r < y; ++r) {
                                    if (state[r] != 0)
                                        continue;
                                    const long double w = static_cast<long double>(
                                                              blockWeight[r / counts.blockSize()]) *
                                                          suffixWeight[r % counts.blockSize()];
                                    want += w;
                                    int apart = 0;
                                    for (int l = 0; l < counts.prefixLevels(); ++l)
                                        apart += f->digit(r, f->levelEvent[l]) !=
                                                 f->digit(j, f->levelEvent[l]);
                                    if (apart == misses)
                                        wantRim += w;
                                }
                            });
                            const std::pair<double, long double> parts[] = {
                                {sums[c], want}, {inside[c], want - wantRim}, {rim[c], wantRim}};
                            for (const auto& [got, truth] : parts)
                                ASSERT_LE(std::abs(static_cast<double>(got - truth)),
                                          BlockBallCounts::kSumRelError *
                                              static_cast<double>(truth))
                                    << label << " result " << j << " sum " << got << " want "
                                    << static_cast<double>(truth);
                        }
                        // The 32-bit sums a plain loop over each ball forms,
                        // to the bit.
                        counts.exactSums(b, weight.data(), exact.data(), rows);
                        for (std::uint32_t c = 0; c < counts.blockSize(); ++c) {
                            const std::uint32_t j = b * counts.blockSize() + c;
                            float want = 0.0f;
                            forEachBallRange(*f, j, misses, [&](std::uint32_t x, std::uint32_t y) {
                                for (std::uint32_t r = x; r < y; ++r)
                                    if (state[r] == 0)
                                        want = want + weight[r];
                            });
                            ASSERT_EQ(std::bit_cast<std::uint32_t>(exact[c]),
                                      std::bit_cast<std::uint32_t>(want))
                                << label << " result " << j << " exact " << exact[c] << " want "
                                << want;
                        }
                        // The taken results of the overlap with some result's ball.
                        const auto p = static_cast<std::uint32_t>(gen() % f->count);
                        counts.countInOverlap(
                            b, p, [&](std::uint32_t r) { return state[r] != 0; }, got.data(), rows);
                        for (std::uint32_t c = 0; c < counts.blockSize(); ++c) {
                            const std::uint32_t j = b * counts.blockSize() + c;
                            std::uint32_t want = 0;
                            forEachOverlapRange(*f, j, p, misses,
                                                [&](std::uint32_t x, std::uint32_t y) {
                                                    for (std::uint32_t r = x; r < y; ++r)
                                                        want += state[r] != 0 ? 1 : 0;
                                                });
                            ASSERT_EQ(got[c], want) << label << " result " << j << " and " << p;
                        }
                        // Their weights as what the ball of p took from the block's sums.
                        std::fill(sums.begin(), sums.end(), 0.0);
                        counts.sumInOverlap(
                            b, p, [&](std::uint32_t r) { return state[r] != 0; },
                            blockWeight.data(), suffixWeight.data(), sums.data(), rows);
                        for (std::uint32_t c = 0; c < counts.blockSize(); ++c) {
                            const std::uint32_t j = b * counts.blockSize() + c;
                            long double want = 0.0L;
                            forEachOverlapRange(
                                *f, j, p, misses, [&](std::uint32_t x, std::uint32_t y) {
                                    for (std::uint32_t r = x; r < y; ++r)
                                        if (state[r] != 0)
                                            want += static_cast<long double>(
                                                        blockWeight[r / counts.blockSize()]) *
                                                    suffixWeight[r % counts.blockSize()];
                                });
                            ASSERT_LE(std::abs(static_cast<double>(sums[c] - want)),
                                      0x1p-23 * static_cast<double>(want))
                                << label << " result " << j << " and " << p;
                        }
                        // Every result of the overlap taken: as many additions
                        // as the table by prefix distance tells.
                        counts.countInOverlap(
                            b, p, [](std::uint32_t) { return true; }, got.data(), rows);
                        std::uint64_t additions = 0;
                        for (std::uint32_t c = 0; c < counts.blockSize(); ++c)
                            additions += got[c];
                        int differTwo = 0, differThree = 0;
                        for (int l = 0; l < counts.prefixLevels(); ++l) {
                            const int e = f->levelEvent[l];
                            if (f->digit(b * counts.blockSize(), e) != f->digit(p, e))
                                ++(f->size[e] == 2 ? differTwo : differThree);
                        }
                        ASSERT_EQ(additions, counts.overlapAdditions()[differTwo][differThree])
                            << label << " block " << b << " and " << p;
                    }
                }
            }
        }
    }
    BlockBallCounts::limitInstructions(Instructions::Widest);
}

// Every ball's sum at once against walking each ball, on every radius, with
// tiles small enough that the high levels go through the columns too.
TEST(BallSumTransform, SumsEveryBallWithinItsBound) {
    std::mt19937 gen(11);
    struct Shape {
        int threes, twos;
        std::uint32_t tile;
    };
    for (const Shape shape :
         {Shape{3, 0, kBallSumTile}, Shape{0, 5, 4}, Shape{4, 3, 9}, Shape{6, 0, 1},
          Shape{7, 2, 27}, Shape{9, 0, kBallSumTile}, Shape{9, 0, 243}}) {
        const auto f = fieldLayout(fieldOf(shape.threes, shape.twos));
        ASSERT_TRUE(f);
        for (int misses = 0; misses <= f->levels; ++misses) {
            const std::string label =
                std::to_string(shape.threes) + "+" + std::to_string(shape.twos) + " tile " +
                std::to_string(shape.tile) + " misses " + std::to_string(misses);
            std::uniform_real_distribution<double> spread(-4.0, 0.0);
            std::vector<double> value(f->count), count(f->count);
            double total = 0.0;
            for (std::uint32_t r = 0; r < f->count; ++r) {
                count[r] = gen() % 3 == 0 ? 0.0 : 1.0;
                value[r] = count[r] * std::pow(10.0, spread(gen));
                total += value[r];
            }
            const std::vector<double> before = value;
            std::vector<std::uint8_t> taken(f->count);
            for (std::uint32_t r = 0; r < f->count; ++r)
                taken[r] = count[r] == 0.0 ? 1 : 0;
            sumOverBalls(*f, misses, value.data(), false, misses % 2 == 0, shape.tile);
            // Whole numbers come out exact.
            sumOverBalls(*f, misses, count.data(), true, misses % 2 == 1, shape.tile);
            const double bound = ballSumError(*f, misses, total * (1.0 + 0x1p-30));
            EXPECT_LT(bound, 1e-8 * total) << label;
            // Every result of the small fields, a sample of the large ones.
            for (std::uint32_t j = 0; j < f->count; j += 1 + f->count / 2048) {
                long double want = 0.0L;
                forEachBallRange(*f, j, misses, [&](std::uint32_t x, std::uint32_t y) {
                    for (std::uint32_t r = x; r < y; ++r)
                        want += before[r];
                });
                ASSERT_LE(std::abs(static_cast<long double>(value[j]) - want), bound)
                    << label << " result " << j;
                ASSERT_EQ(count[j], walkedCount(*f, j, misses, taken)) << label << " result " << j;
            }
        }
    }
}
