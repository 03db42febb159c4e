#include "core/coverage/coverage.h"

#include "core/coverage/coverage_enum.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace kav {

MapLayout mapLayout(std::int64_t n) {
    if (n <= 0)
        return {1, 0};
    std::int64_t cols = roundHalfEvenToInt(std::sqrt(static_cast<double>(n)) * 1.4);
    while (cols > 0 && n % cols != 0)
        --cols;
    cols = std::max<std::int64_t>(cols, 1);
    return {static_cast<int>(cols), static_cast<int>(n / cols)};
}

std::string Zone::resultText(int index) const {
    return variantText(resultVariant(index));
}

Variant Zone::resultVariant(int index) const {
    Variant v{};
    for (int e = 0; e < kEvents; ++e)
        v[e] = outcome[e][digit(index, e)];
    return v;
}

namespace {

// Weight factor of one selected outcome: the build multiplies by num and then
// divides by den, in that order, as the literal build does.
struct Weight {
    double num = 1;
    double den = 1;
};

std::array<Weight, kOutcomes> eventWeights(const ZoneCells& cells, const QuoteTable& quotes, int e,
                                           int k) {
    std::array<Weight, kOutcomes> w{};
    auto raw = [&](int o) { return std::max<std::int64_t>(quotes[e][o].raw(), 0); };
    int d = 0;
    if (k == 2) {
        std::int64_t sum = 0;
        for (int o = 0; o < kOutcomes; ++o)
            if (cells[e][o])
                sum += raw(o);
        for (int o = 0; o < kOutcomes; ++o)
            if (cells[e][o])
                w[d++] = sum > 0 ? Weight{static_cast<double>(raw(o)), static_cast<double>(sum)}
                                 : Weight{1, 2};
    } else if (k == 3) {
        for (int o = 0; o < kOutcomes; ++o)
            w[d++] = {static_cast<double>(raw(o)), 1000000.0};
    }
    return w;
}

} // namespace

Zone buildZone(const ZoneCells& cells, const QuoteTable& quotes) {
    Zone z;
    std::int64_t n = 1;
    for (int e = 0; e < kEvents; ++e) {
        int k = 0;
        for (int o = 0; o < kOutcomes; ++o)
            if (cells[e][o])
                z.outcome[e][k++] = static_cast<std::uint8_t>(o);
        z.radix[e] = static_cast<std::uint8_t>(k);
        z.stride[e] = n;
        n *= k;
    }
    z.resultCount = n;
    z.layout = mapLayout(n);
    if (n < 1 || n > kMaxZoneResults)
        return z;

    std::array<std::array<Weight, kOutcomes>, kEvents> weights{};
    for (int e = 0; e < kEvents; ++e)
        weights[e] = eventWeights(cells, quotes, e, z.radix[e]);

    z.results.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        ZoneResult& r = z.results[static_cast<std::size_t>(i)];
        std::uint32_t masks[kOutcomes] = {0, 0, 0};
        double p = 1.0;
        for (int e = 0; e < kEvents; ++e) {
            int d = z.digit(i, e);
            masks[z.outcome[e][d]] |= eventBit(e);
            if (z.radix[e] > 1)
                p = p * weights[e][d].num / weights[e][d].den;
        }
        r.ones = static_cast<std::uint16_t>(masks[0]);
        r.draws = static_cast<std::uint16_t>(masks[1]);
        r.twos = static_cast<std::uint16_t>(masks[2]);
        r.probability = p;
    }
    return z;
}

namespace {

// Counts the coupons [begin, end) into counts.
void countRange(const Zone& zone, const std::vector<ZoneBox>& boxes, std::size_t begin,
                std::size_t end, std::vector<std::int32_t>& counts) {
    for (std::size_t b = begin; b < end; ++b)
        forEachInBall(zone, boxes[b],
                      [&](std::int64_t i) { ++counts[static_cast<std::size_t>(i)]; });
}

} // namespace

void countCoverage(Zone& zone, const std::vector<BetMask>& coupons, int category) {
    for (auto& r : zone.results)
        r.coverCount = 0;
    if (zone.results.empty())
        return;
    std::vector<ZoneBox> boxes;
    std::vector<double> work; // running sum of covered results, for an even split
    double total = 0;
    for (const auto& c : coupons) {
        if (!c.valid())
            continue;
        ZoneBox box = couponBox(zone, c, category);
        if (box.budget < 0)
            continue;
        total += static_cast<double>(ballSize(zone, box));
        boxes.push_back(box);
        work.push_back(total);
    }
    std::vector<std::int32_t> counts(zone.results.size(), 0);
    // A second thread pays off only when there is much to count.
    constexpr double kThreadedWork = 400000;
    if (total < kThreadedWork || std::thread::hardware_concurrency() < 2) {
        countRange(zone, boxes, 0, boxes.size(), counts);
    } else {
        std::size_t split = static_cast<std::size_t>(
            std::lower_bound(work.begin(), work.end(), total / 2) - work.begin());
        std::vector<std::int32_t> other(zone.results.size(), 0);
        std::thread worker([&] { countRange(zone, boxes, split, boxes.size(), other); });
        countRange(zone, boxes, 0, split, counts);
        worker.join();
        for (std::size_t i = 0; i < counts.size(); ++i)
            counts[i] += other[i];
    }
    for (std::size_t i = 0; i < counts.size(); ++i)
        zone.results[i].coverCount = counts[i];
}

CoverageSums coverageSums(const Zone& zone) {
    CoverageSums s;
    // Summed in index order, so the figure matches a plain loop to the last bit.
    for (const auto& r : zone.results)
        if (r.coverCount > 0) {
            ++s.covered;
            s.probability += r.probability;
        }
    s.probability = std::min(s.probability, 1.0);
    return s;
}

std::string countPercentText(std::int64_t x, std::int64_t n) {
    if (n <= 0)
        return "0";
    auto hundredths = roundHalfEvenToInt(static_cast<double>(x) * 10000.0 / static_cast<double>(n));
    return Fixed4::fromRaw(hundredths * 100).moneyText();
}

std::string probabilityPercentText(double p) {
    if (!std::isfinite(p))
        p = 0;
    return Fixed4::fromRaw(roundHalfEvenToInt(p * 10000.0) * 100).moneyText();
}

namespace {
std::string statistics(const std::string& byCount, const std::string& byProbability) {
    return "Покрытие ставками\r\nПо количеству " + byCount + "%\r\nПо вероятности " +
           byProbability + "%";
}
} // namespace

std::string statisticsText(const Zone& zone) {
    CoverageSums s = coverageSums(zone);
    return statistics(countPercentText(s.covered, zone.resultCount),
                      probabilityPercentText(s.probability));
}

std::string zoneMessage(const Zone& zone) {
    if (zone.resultCount < 2)
        return "ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА \r\n(нужные подстраховки в каждом матче)";
    if (zone.resultCount > kMaxZoneResults)
        return "ЗОНА ИСХОДОВ СЛИШКОМ ВЕЛИКА ДЛЯ ПРОСМОТРА";
    return {};
}

} // namespace kav
