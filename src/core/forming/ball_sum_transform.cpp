#include "core/forming/ball_sum_transform.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace kav {

namespace {

constexpr double kUnit = 0x1p-53;
// Values a column takes across the tiles at a time: four cache lines.
constexpr std::uint32_t kColumn = 32;
// Tiles or columns a thread takes at a time.
constexpr std::uint32_t kChunk = 4;

double gamma(int k) {
    return k * kUnit / (1.0 - k * kUnit);
}

// A level of the field as seen in an array: index step and digits.
struct Axis {
    std::size_t stride;
    std::uint32_t size;
};

// Calls two(x0, x1) or three(x0, x1, x2) on the values of every group of a
// level's digits.
template <class Two, class Three>
void alongAxis(double* x, std::size_t n, const Axis& axis, Two&& two, Three&& three) {
    const std::size_t s = axis.stride;
    for (std::size_t base = 0; base < n; base += s * axis.size) {
        double* x0 = x + base;
        double* x1 = x0 + s;
        if (axis.size == 2) {
            for (std::size_t i = 0; i < s; ++i)
                two(x0[i], x1[i]);
            continue;
        }
        double* x2 = x1 + s;
        for (std::size_t i = 0; i < s; ++i)
            three(x0[i], x1[i], x2[i]);
    }
}

// Per level, a = x0 + x1 (+ x2), b1 = x1 - x0, b2 = x2 - x0, in place of
// x0, x1, x2.
void forward(double* x, std::size_t n, const Axis& axis) {
    alongAxis(
        x, n, axis,
        [](double& x0, double& x1) {
            const double v0 = x0, v1 = x1;
            x0 = v0 + v1;
            x1 = v1 - v0;
        },
        [](double& x0, double& x1, double& x2) {
            const double v0 = x0, v1 = x1, v2 = x2;
            x0 = (v0 + v1) + v2;
            x1 = v1 - v0;
            x2 = v2 - v0;
        });
}

// The way back: x0 = (a - (b1 + b2)) / 3, x1 = ((a - b2) + 2 b1) / 3,
// x2 = ((a - b1) + 2 b2) / 3 (no output is reused as an input); two digits:
// (a - b) / 2, (a + b) / 2. A third is a product with the nearest double;
// `whole` rounds it to the whole number it then lies next to.
template <bool whole> void inverse(double* x, std::size_t n, const Axis& axis) {
    constexpr double third = 1.0 / 3.0;
    // Below 2^51 adding and taking off 1.5 x 2^52 rounds to a whole number.
    constexpr double shift = 0x1.8p52;
    auto thirdOf = [](double v) { return whole ? (v * third + shift) - shift : v * third; };
    alongAxis(
        x, n, axis,
        [](double& x0, double& x1) {
            const double a = x0, b = x1;
            x0 = (a - b) * 0.5;
            x1 = (a + b) * 0.5;
        },
        [&](double& x0, double& x1, double& x2) {
            const double a = x0, b1 = x1, b2 = x2;
            x0 = thirdOf(a - (b1 + b2));
            x1 = thirdOf((a - b2) + 2.0 * b1);
            x2 = thirdOf((a - b1) + 2.0 * b2);
        });
}

void inverse(double* x, std::size_t n, const Axis& axis, bool whole) {
    if (whole)
        inverse<true>(x, n, axis);
    else
        inverse<false>(x, n, axis);
}

// Runs work() on this thread and, where asked and the processor has two
// cores, on a second one too.
template <class Work> void onTwo(bool two, Work&& work) {
    if (!two || std::thread::hardware_concurrency() < 2) {
        work();
        return;
    }
    std::thread helper(work);
    work();
    helper.join();
}

// Calls each(i) for i below n, in chunks shared by the threads.
template <class Each> void shared(bool two, std::size_t n, Each&& each) {
    std::atomic<std::size_t> next{0};
    onTwo(two, [&] {
        for (std::size_t from = next.fetch_add(kChunk); from < n; from = next.fetch_add(kChunk))
            for (std::size_t i = from; i < std::min(n, from + kChunk); ++i)
                each(i);
    });
}

// The factor of a coefficient, by how many levels of three digits (b3) and
// of two (b2) take it as a difference: the coefficients of t^0..t^misses in
// (1 + 2t)^(threes - b3) (1 + t)^(twos - b2) (1 - t)^(b3 + b2), added up.
// Whole numbers below 3^15, exact in doubles. Indexed b3 * (twos + 1) + b2.
std::vector<double> factors(int threes, int twos, int misses) {
    std::vector<double> out;
    for (int b3 = 0; b3 <= threes; ++b3)
        for (int b2 = 0; b2 <= twos; ++b2) {
            std::vector<std::int64_t> poly(static_cast<std::size_t>(misses) + 1, 0);
            poly[0] = 1;
            auto times = [&](std::int64_t c, int power) {
                for (int p = 0; p < power; ++p)
                    for (int k = misses; k >= 1; --k)
                        poly[k] += c * poly[k - 1];
            };
            times(2, threes - b3);
            times(1, twos - b2);
            times(-1, b3 + b2);
            std::int64_t sum = 0;
            for (const std::int64_t c : poly)
                sum += c;
            out.push_back(static_cast<double>(sum));
        }
    return out;
}

} // namespace

// How far the result may lie from the exact ball sums. With S = sum of
// |values|, V = the ball's size, L levels (L3 of three digits), u = 2^-53 and
// gamma(k) = k u / (1 - k u):
// - Forward: a coefficient c is a sum of values with signs +-1, each value
//   reaching it through at most two roundings per level, so the computed one
//   lies within gamma(2L) S of c, and |c| <= S.
// - The factor is a whole number |f| <= V taken exactly; the product rounds
//   once: |computed f c - f c| <= V (gamma(2L) S + u (1 + gamma(2L)) S)
//   <= V S gamma(2L + 1) =: e1.
// - Back: per level a row of the way back weighs its inputs by 1 (two
//   digits) or at most 4/3 (three), so a result weighs the coefficients by at
//   most C = (4/3)^L3 in all. The coefficients' errors then make at most
//   C e1; the way's own roundings (per level at most two additions and a
//   product with a rounded third; times two and halving are exact) at most
//   gamma(4L) of the weighted size C V S (1 + gamma(2L + 1)).
// The bound is the sum, taken a little larger for its own rounding.
// Whole numbers stay exact while V S < 2^48: the coefficients are at most S,
// the products V S, and the way back passes through sums of the balls'
// coefficients, at most V S, times at most 4, all whole numbers below 2^50
// and so exact; 3k times the rounded third lies within (2u + u^2) k < 1/4 of
// k, which the rounding (exact below 2^51) then gives.
double ballSumError(const FieldLayout& f, int misses, double total) {
    int threes = 0;
    for (int l = 0; l < f.levels; ++l)
        threes += f.size[f.levelEvent[l]] == 3 ? 1 : 0;
    const int forward = 2 * f.levels;
    const double weighted =
        std::pow(4.0 / 3.0, threes) * static_cast<double>(ballSize(f, misses)) * total;
    const double e =
        weighted * (gamma(forward + 1) + gamma(4 * f.levels) * (1.0 + gamma(forward + 1)));
    return e * (1.0 + 0x1p-20);
}

void sumOverBalls(const FieldLayout& f, int misses, double* values, bool whole, bool twoThreads,
                  std::uint32_t tile) {
    // Low levels (the last ones) in tiles of `size` values; high levels in
    // columns of the array of tiles.
    int threes = 0, twos = 0;
    std::size_t size = 1;
    int low = f.levels;
    for (int l = 0; l < f.levels; ++l)
        (f.size[f.levelEvent[l]] == 3 ? threes : twos) += 1;
    while (low > 0 && size * f.size[f.levelEvent[low - 1]] <= tile)
        size *= f.size[f.levelEvent[--low]];
    const std::size_t tiles = f.count / size;
    std::vector<Axis> lowAxes, highAxes;
    for (int l = 0; l < f.levels; ++l) {
        const int e = f.levelEvent[l];
        (l < low ? highAxes : lowAxes).push_back({f.stride[e] / (l < low ? size : 1), f.size[e]});
    }
    // The factor's index per tile and per place in a tile.
    const std::vector<double> factor = factors(threes, twos, misses);
    auto kinds = [&](const std::vector<Axis>& axes, std::size_t n) {
        std::vector<std::uint32_t> kind(n, 0);
        for (std::size_t i = 0; i < n; ++i)
            for (const Axis& a : axes)
                if (i / a.stride % a.size != 0)
                    kind[i] += a.size == 3 ? static_cast<std::uint32_t>(twos + 1) : 1u;
        return kind;
    };
    const std::vector<std::uint32_t> highKind = kinds(highAxes, tiles);
    const std::vector<std::uint32_t> lowKind = kinds(lowAxes, size);

    shared(twoThreads, tiles, [&](std::size_t t) {
        for (const Axis& a : lowAxes)
            forward(values + t * size, size, a);
    });
    std::vector<double> columns[2];
    std::atomic<int> threads{0};
    const std::size_t columnCount = (size + kColumn - 1) / kColumn;
    std::atomic<std::size_t> next{0};
    onTwo(twoThreads, [&] {
        std::vector<double>& column = columns[threads++];
        column.resize(tiles * kColumn);
        for (std::size_t c = next++; c < columnCount; c = next++) {
            const std::size_t first = c * kColumn;
            const std::size_t width = std::min<std::size_t>(kColumn, size - first);
            for (std::size_t t = 0; t < tiles; ++t)
                std::copy_n(values + t * size + first, width, column.data() + t * width);
            const std::size_t n = tiles * width;
            for (const Axis& a : highAxes)
                forward(column.data(), n, {a.stride * width, a.size});
            for (std::size_t t = 0; t < tiles; ++t)
                for (std::size_t i = 0; i < width; ++i)
                    column[t * width + i] *= factor[highKind[t] + lowKind[first + i]];
            for (const Axis& a : highAxes)
                inverse(column.data(), n, {a.stride * width, a.size}, whole);
            for (std::size_t t = 0; t < tiles; ++t)
                std::copy_n(column.data() + t * width, width, values + t * size + first);
        }
    });
    shared(twoThreads, tiles, [&](std::size_t t) {
        for (const Axis& a : lowAxes)
            inverse(values + t * size, size, a, whole);
    });
}

} // namespace kav
