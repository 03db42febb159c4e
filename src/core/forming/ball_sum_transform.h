// Sums over the balls of every result of a field at once.
//
// The ball of a result holds the results that differ from it in at most
// `misses` levels, so summing a value over every ball is a product, level by
// level, of one small operator on that level's digits. Per level the basis
// "sum of the digits, differences to digit 0" turns that operator diagonal:
// the sums come from a transform along every level, one multiplication per
// value, and the transform back, all in place.
#pragma once

#include "core/forming/autoform_field.h"

#include <cstdint>

namespace kav {

// The low levels are done in tiles of at most this many values, which stay in
// the processor's cache; the others in columns across the tiles.
constexpr std::uint32_t kBallSumTile = 1u << 15;

// values[j] (f.count of them, in field order) becomes the sum of the values
// over the ball of result j, within ballSumError(f, misses, total) of that sum
// taken exactly, where total bounds the sum of |values|; exactly, with
// `whole`, when the values are whole numbers and total x the ball's size is
// below 2^48. On two threads where `twoThreads` says so; `tile` is for the
// tests.
void sumOverBalls(const FieldLayout& f, int misses, double* values, bool whole, bool twoThreads,
                  std::uint32_t tile = kBallSumTile);
double ballSumError(const FieldLayout& f, int misses, double total);

} // namespace kav
