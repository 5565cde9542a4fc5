// The placements of one pair of series: every relative position at which the
// first series overlaps the second by at least 50 rings, in table order, with
// the correlation and t-statistic of the overlapping values at each. A pair
// with a series under 50 rings has none.
//
// Table order: phase A, the first series starting on value s of the second,
// s = len2 - 49 down to 1; then phase B, value s of the first series on the
// second's first value, s = 2 up to len1 - 49.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "input/series.h"
#include "match/placement_kernels.h"
#include "match/stretch_stats.h"

namespace veska::match {

using input::kMinOverlap;
// Room for every placement of the largest pair: two series of n and m values
// have n + m - (2 x kMinOverlap - 1) placements with kMinOverlap rings or
// more in common. Nothing is ever written outside the table.
inline constexpr int kPlacementRoom = 2 * input::kMaxLength - (2 * kMinOverlap - 1);

// One series as the match search sees it: its values (at most kMaxLength are
// used) and the year of its first value.
struct PairSeries {
  std::span<const float> values;
  std::int32_t firstYear = 0;
};

struct Placement {
  bool phaseA = true;
  int s = 0;        // see the table order above
  int overlap = 0;  // m, the number of rings compared
  std::int64_t lastRingFirst = 0;   // year of the last compared ring of the first series
  std::int64_t lastRingSecond = 0;  // the same in the second series
};

// Number of placements of series of len1 and len2 values: 0 when either is
// under 50, otherwise (len2 - 49) + (len1 - 50).
int placementCount(int len1, int len2);

// Placement k (from 0, in table order), 0 <= k < placementCount(len1, len2).
Placement placementAt(int k, int len1, int len2, std::int32_t first1, std::int32_t first2);

// One entry per placement, overwritten by every pair. Large (about 280 KB):
// keep it on the heap.
struct PlacementTable {
  int count = 0;
  std::array<std::int64_t, kPlacementRoom> lastRingFirst{};
  std::array<std::int64_t, kPlacementRoom> lastRingSecond{};
  std::array<int, kPlacementRoom> overlap{};
  std::array<float, kPlacementRoom> correlation{};
  std::array<float, kPlacementRoom> tStatistic{};
};

enum class MatchRoutine {
  Direct,  // one placement at a time through correlate: the reference
  Fast,    // many placements at once in vector lanes; the same bits
};

// The direct routine: every placement through correlate.
void fillPlacementsDirect(const PairSeries& first, const PairSeries& second, PlacementTable& table);

// The fast routine, given the stretch statistics of both series (formed with
// computeStretchStats from the same values). `isa` must be supported.
void fillPlacementsFast(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                        const StretchStats& secondStats, PlacementTable& table, Isa isa, KernelScratch& scratch);

// Either routine for one pair on its own; the fast one forms both series'
// stretch statistics first, into `stats`.
struct PairStats {
  StretchStats first;
  StretchStats second;
};
void fillPlacements(const PairSeries& first, const PairSeries& second, PlacementTable& table, MatchRoutine routine,
                    Isa isa, KernelScratch& scratch, PairStats& stats);

}  // namespace veska::match
