// The coverage map's data: the zone of results, its layout on the map, the
// coverage count of the bet list over the zone and the statistics texts.
#pragma once

#include "core/base/fixed4.h"
#include "core/bets/bets.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kav {

// The zone grid's selected cells: [event][outcome] is 1 when selected.
using ZoneCells = std::array<std::array<std::uint8_t, kOutcomes>, kEvents>;
using QuoteTable = std::array<std::array<Fixed4, kOutcomes>, kEvents>;

// Hover states in the low bits of ZoneResult::flags; bit 7 is the player's marker.
constexpr std::uint8_t kHoverNone = 0;
constexpr std::uint8_t kHoverNear = 1;
constexpr std::uint8_t kHoverCurrent = 2;
constexpr std::uint8_t kHoverBits = 0x7F;
constexpr std::uint8_t kMarkerBit = 0x80;

// Zones above this many results are only reported, never built or drawn.
constexpr std::int64_t kMaxZoneResults = 100000;

struct ZoneResult {
    std::uint8_t flags = 0;
    std::int32_t coverCount = 0;
    std::uint16_t ones = 0;
    std::uint16_t draws = 0;
    std::uint16_t twos = 0;
    double probability = 1.0;

    std::uint8_t hover() const { return flags & kHoverBits; }
    // Any bit of 2..7: in practice the player's marker.
    bool marked() const { return (flags & 0xFC) != 0; }
    BetMask mask() const {
        return {static_cast<std::int16_t>(ones), static_cast<std::int16_t>(draws),
                static_cast<std::int16_t>(twos)};
    }
};

struct MapLayout {
    int cols = 1;
    int rows = 0;
};

// The rectangle closest to 1.4 columns per row whose column count divides n.
MapLayout mapLayout(std::int64_t n);

// The results of a zone in map order. Result i has, for each event e, the
// digit (i / stride[e]) % radix[e]: the index of its outcome among the event's
// selected outcomes; event 1 varies fastest.
struct Zone {
    std::int64_t resultCount = 0; // product of the selected counts, also when not built
    std::vector<ZoneResult> results;
    MapLayout layout;
    std::array<std::uint8_t, kEvents> radix{};
    std::array<std::int64_t, kEvents> stride{};
    std::array<std::array<std::uint8_t, kOutcomes>, kEvents> outcome{}; // [event][digit] -> 0..2

    // The map is drawn only for 2 to 100,000 results.
    bool shown() const { return resultCount >= 2 && resultCount <= kMaxZoneResults; }
    int size() const { return static_cast<int>(results.size()); }
    int digit(int index, int event0) const {
        return static_cast<int>((index / stride[event0]) % radix[event0]);
    }
    // Fifteen letters of result i.
    std::string resultText(int index) const;
    Variant resultVariant(int index) const;
};

// Builds the zone's results with their probabilities. A zone of more than
// 100,000 results (or none) gets no results; a single result is kept so the
// window can tell it from an empty zone.
//
// Weights of a two-outcome event are the two quotes' shares of their sum, and
// of a three-outcome event the quote over 100. A negative quote counts as 0,
// and two quotes that are both 0 share the event equally, so no weight is
// ever NaN or negative.
Zone buildZone(const ZoneCells& cells, const QuoteTable& quotes);

// Sets every coverCount to the number of valid coupons that guess at least
// `category` events of the result. Uses both cores for large work.
void countCoverage(Zone& zone, const std::vector<BetMask>& coupons, int category);

struct CoverageSums {
    std::int64_t covered = 0; // results with coverCount > 0
    double probability = 0;   // their summed probability, capped at 1
};
CoverageSums coverageSums(const Zone& zone);

// A count share as the map writes it: round(x * 10000 / n) / 100 -> "37.5".
std::string countPercentText(std::int64_t x, std::int64_t n);
// A probability as the map writes it: round(p * 10000) / 100 -> "40".
std::string probabilityPercentText(double p);

// "Покрытие ставками\r\nПо количеству 37.5%\r\nПо вероятности 40%".
std::string statisticsText(const Zone& zone);

// The red message over a hidden map; empty when the map is drawn.
std::string zoneMessage(const Zone& zone);

} // namespace kav
